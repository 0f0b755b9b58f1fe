// SPDX-License-Identifier: GPL-3.0-or-later
// Packs the glyph art (data/glyphs.txt) into the binary symbol font font.fnt.
// Usage: astravia_font_pack <glyphs.txt> <font.fnt>
#include "GlyphArt.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw std::runtime_error("Cannot open file " + path);
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad())
    throw std::runtime_error("Unable to read " + path);
  return text.str();
}

// Writes beside the target and renames, so a failed run never leaves a half-written font.
void WriteWhole(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::string partial = path + ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    if (!out)
      throw std::runtime_error("Cannot create file " + partial);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
      throw std::runtime_error("Unable to write to " + partial);
  }
  std::error_code error;
  std::filesystem::rename(partial, path, error);
  if (error)
    throw std::runtime_error("Unable to write to " + path + ": " + error.message());
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: astravia_font_pack <glyphs.txt> <font.fnt>\n";
    return 2;
  }
  try {
    const auto glyphs = fontart::ParseGlyphArt(ReadWhole(argv[1]), argv[1]);
    if (glyphs.empty())
      throw std::runtime_error(std::string(argv[1]) + ": no glyphs");
    WriteWhole(argv[2], fontart::PackFontImage(glyphs));
  } catch (const std::exception& e) {
    std::cerr << "astravia_font_pack: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
