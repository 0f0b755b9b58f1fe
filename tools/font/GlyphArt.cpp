// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlyphArt.h"

#include <set>
#include <sstream>
#include <stdexcept>

namespace fontart {
namespace {

[[noreturn]] void Fail(const std::string& sourceName, int line, const std::string& what) {
  throw std::runtime_error(sourceName + ":" + std::to_string(line) + ": " + what);
}

std::string StripCarriageReturn(std::string line) {
  if (!line.empty() && line.back() == '\r')
    line.pop_back();
  return line;
}

bool IsBlankOrComment(const std::string& line) {
  const auto first = line.find_first_not_of(" \t");
  return first == std::string::npos || line[first] == ';';
}

// "[code] meaning" -> code and meaning; fails on anything else.
TGlyphArt ParseHeader(const std::string& line, const std::string& sourceName, int lineNo) {
  if (line.empty() || line[0] != '[')
    Fail(sourceName, lineNo, "expected a glyph header \"[code] meaning\"");
  const auto close = line.find(']');
  if (close == std::string::npos || close == 1 || close > 4)
    Fail(sourceName, lineNo, "malformed glyph code");
  int code = 0;
  for (std::size_t i = 1; i < close; ++i) {
    if (line[i] < '0' || line[i] > '9')
      Fail(sourceName, lineNo, "malformed glyph code");
    code = code * 10 + (line[i] - '0');
  }
  if (code < 1 || code > 255)
    Fail(sourceName, lineNo, "glyph code outside 1..255");
  TGlyphArt glyph;
  glyph.Code = code;
  const auto text = line.find_first_not_of(" \t", close + 1);
  glyph.Meaning = text == std::string::npos ? std::string() : line.substr(text);
  return glyph;
}

std::uint16_t ParseRow(const std::string& line, const std::string& sourceName, int lineNo) {
  if (static_cast<int>(line.size()) != GlyphCells)
    Fail(sourceName, lineNo, "a glyph row must have exactly 15 characters of '#' and '.'");
  std::uint16_t word = 0;
  for (int c = 0; c < GlyphCells; ++c) {
    if (line[c] == '#')
      word |= static_cast<std::uint16_t>(1u << c);
    else if (line[c] != '.')
      Fail(sourceName, lineNo, "a glyph row may hold only '#' and '.'");
  }
  return word;
}

void PutLittleEndian32(std::vector<std::uint8_t>& image, int offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    image[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

std::vector<TGlyphArt> ParseGlyphArt(const std::string& text, const std::string& sourceName) {
  std::vector<TGlyphArt> glyphs;
  std::set<int> seen;
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    line = StripCarriageReturn(line);
    if (IsBlankOrComment(line))
      continue;
    TGlyphArt glyph = ParseHeader(line, sourceName, lineNo);
    if (!seen.insert(glyph.Code).second)
      Fail(sourceName, lineNo, "glyph code " + std::to_string(glyph.Code) + " appears twice");
    for (int r = 0; r < GlyphCells; ++r) {
      if (!std::getline(in, line))
        Fail(sourceName, lineNo, "glyph " + std::to_string(glyph.Code) + " has fewer than 15 rows");
      ++lineNo;
      glyph.Rows[r] = ParseRow(StripCarriageReturn(line), sourceName, lineNo);
    }
    glyphs.push_back(glyph);
  }
  return glyphs;
}

std::vector<std::uint8_t> PackFontImage(const std::vector<TGlyphArt>& glyphs) {
  std::vector<std::uint8_t> image(FontImageSize, 0);
  image[0] = 'F';
  image[1] = 'N';
  image[2] = 'T';
  PutLittleEndian32(image, RowsOffset, GlyphCells);
  PutLittleEndian32(image, ColumnsOffset, GlyphCells);
  for (const TGlyphArt& glyph : glyphs) {
    if (glyph.Code < 1 || glyph.Code > 255)
      throw std::invalid_argument("glyph code outside 1..255");
    const int base = FirstGlyphOffset + GlyphStride * (glyph.Code - 1);
    for (int r = 0; r < GlyphCells; ++r) {
      image[base + 2 * r] = static_cast<std::uint8_t>(glyph.Rows[r] & 0xFF);
      image[base + 2 * r + 1] = static_cast<std::uint8_t>(glyph.Rows[r] >> 8);
    }
  }
  return image;
}

std::string FormatGlyphArt(const TGlyphArt& glyph) {
  std::string out = "[" + std::to_string(glyph.Code) + "] " + glyph.Meaning + "\n";
  for (int r = 0; r < GlyphCells; ++r) {
    for (int c = 0; c < GlyphCells; ++c)
      out += (glyph.Rows[r] >> c) & 1u ? '#' : '.';
    out += '\n';
  }
  return out;
}

} // namespace fontart
