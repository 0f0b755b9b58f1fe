// SPDX-License-Identifier: GPL-3.0-or-later
// The readers take file names, so each fuzz input is written to a file in a folder private to
// the fuzzing process (under $TMPDIR, removed at exit).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// The private folder, with a trailing "/".
const std::string& Folder();

// Writes the input as Folder() + Name and returns that path.
std::string WriteInput(const std::uint8_t* Data, std::size_t Size, const char* Name);

} // namespace fuzz
