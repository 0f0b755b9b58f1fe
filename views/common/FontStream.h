// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own bitmap font of astrological symbols ("font.fnt", 7920 bytes) and the one
// shared font object the views draw with. Glyph codes: body b (1..10) at 15 + b, sign s (1..12)
// at 47 + s, aspect a (1..18) at 63 + a, the chart points at 26..30 (below). Coordinates are canvas
// pixels, (X, Y) the top-left corner of the glyph cell; glyphs are set pixel by pixel, clear bits
// leave the canvas untouched.
#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <cstdint>

// Glyph codes of the chart points.
inline constexpr int kNorthNodeGlyph = 26;
inline constexpr int kSouthNodeGlyph = 27;
inline constexpr int kLilithGlyph = 28;
inline constexpr int kChironGlyph = 29;
inline constexpr int kFortuneGlyph = 30;

class QImage;

class TFontFileStream {
public:
  static constexpr int FileSize = 7920;

  // Reads the font image from FileName when the file exists and starts with "FNT"; otherwise
  // Data stays all zero. The file is opened for reading only. Throws std::runtime_error
  // ("Cannot open file <name>") when an existing file cannot be opened or read.
  explicit TFontFileStream(const QString& FileName);

  // The image starts with the magic "FNT".
  bool IsValid() const;
  // Sets the painted pixels of glyph Code (1..255) in Color; nothing for another code, an
  // invalid image or a null canvas. Pixels outside the canvas are skipped.
  void DrawGlyph(QImage* Canvas, int X, int Y, const QColor& Color, int Code) const;
  // Sets every pixel of one glyph cell (Columns x Rows) to Color.
  void FillCell(QImage* Canvas, int X, int Y, const QColor& Color) const;

  // Pixel rows and columns per glyph as the file states them, limited to 0..15 and 0..16 so a
  // corrupt header never reaches past a glyph's 30 bytes.
  int Rows() const;
  int Columns() const;

  const QString& FileName() const { return FileName_; }
  const std::array<std::uint8_t, FileSize>& Data() const { return Data_; }

private:
  int HeaderInt(int offset) const;
  std::uint16_t RowWord(int code, int row) const; // row 1..15

  QString FileName_;
  std::array<std::uint8_t, FileSize> Data_{};
};

// Loads the shared font. True when the file exists and holds a valid image; then it replaces any
// font loaded before. A missing or invalid file gives false and leaves the shared font as it was.
// Throws like TFontFileStream when the file exists but cannot be read.
bool LoadSymbolFont(const QString& FileName);
// Releases the shared font; false when none was loaded.
bool FreeSymbolFont();
// Draws glyph Code with the shared font; nothing when no font is loaded.
void DrawSymbol(QImage* Canvas, int X, int Y, const QColor& Color, int Code);
// Paints one whole glyph cell with the shared font's cell size; nothing when no font is loaded.
void ClearSymbolCell(QImage* Canvas, int X, int Y, const QColor& Color);
