// SPDX-License-Identifier: GPL-3.0-or-later
// The DejaVu faces the artwork is drawn with, loaded from the system's font files so every
// build draws the same pictures.
#pragma once

#include <QString>

struct TArtworkFonts {
  QString Sans;               // DejaVu Sans
  QString SansBold;           // DejaVu Sans Bold
  QString Serif;              // DejaVu Serif
  QString SerifBold;          // DejaVu Serif Bold
  QString SerifCondensedBold; // DejaVu Serif Condensed Bold
};

// Registers the faces with the application; throws std::runtime_error naming a missing file.
TArtworkFonts LoadArtworkFonts();
