// SPDX-License-Identifier: GPL-3.0-or-later
// The symbol font's art in its reviewable text form, and its packing into the binary
// font image. Plain C++: used by the packer tool and by the tests.
//
// Text form: blocks of a header line "[code] meaning" followed by 15 rows of 15 characters,
// '#' a painted pixel and '.' a clear one, row 1 on top, column 1 on the left. Lines starting
// with ';' are comments; blank lines between blocks are ignored.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace fontart {

inline constexpr int GlyphCells = 15;        // rows and columns of every glyph, in pixels
inline constexpr int FontImageSize = 7920;   // bytes of a packed font file
inline constexpr int FirstGlyphOffset = 268; // byte offset of glyph 1's first row word
inline constexpr int GlyphStride = 30;       // bytes per glyph: 15 row words
inline constexpr int RowsOffset = 260;       // 32-bit little-endian row count
inline constexpr int ColumnsOffset = 264;    // 32-bit little-endian column count

struct TGlyphArt {
  int Code = 0;        // 1..255
  std::string Meaning; // the header text after the code
  // Row words: bit k set = pixel in column k + 1 painted; Rows[0] is the top row.
  std::array<std::uint16_t, GlyphCells> Rows{};
};

// Parses the text form. Throws std::runtime_error naming `sourceName` and the line number on any
// malformed block (bad header, code outside 1..255 or repeated, a row of the wrong length or with
// a character other than '#' and '.', a block with fewer than 15 rows).
std::vector<TGlyphArt> ParseGlyphArt(const std::string& text, const std::string& sourceName);

// The 7920-byte font image: magic "FNT", Rows = Columns = 15, each glyph at its code's slot,
// every other byte zero.
std::vector<std::uint8_t> PackFontImage(const std::vector<TGlyphArt>& glyphs);

// The text form of one glyph block (header and 15 rows), as ParseGlyphArt reads it back.
std::string FormatGlyphArt(const TGlyphArt& glyph);

} // namespace fontart
