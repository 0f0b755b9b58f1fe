// SPDX-License-Identifier: GPL-3.0-or-later
// The strip of the 22 Hebrew letters (484 x 22, cell n = letter n) that the tree and the
// cosmogram copy their letter cells from: one file for the program, found as a data file beside
// the configuration file.
#pragma once

#include <QImage>
#include <string>

inline constexpr const char* LetterStripFileName = "letters.png";

// The strip as RGB32; a null picture when the file is missing or cannot be read.
QImage LoadLetterStrip(const std::string& IniFileName);
