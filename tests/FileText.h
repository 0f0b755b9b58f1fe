// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a file, for tests that compare what was written; empty when it cannot be read.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

inline std::string ReadFileText(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
