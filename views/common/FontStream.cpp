// SPDX-License-Identifier: GPL-3.0-or-later
#include "FontStream.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <algorithm>
#include <memory>
#include <stdexcept>

namespace {

constexpr int RowsOffset = 260;
constexpr int ColumnsOffset = 264;
constexpr int FirstGlyphOffset = 268;
constexpr int GlyphStride = 30;
constexpr int MaxRows = 15;
constexpr int MaxColumns = 16;

std::unique_ptr<TFontFileStream> SymbolFont;

[[noreturn]] void CannotOpen(const QString& fileName, const QString& reason) {
  throw std::runtime_error(
      QStringLiteral("Cannot open file %1: %2").arg(fileName, reason).toStdString());
}

void SetPixel(QImage& canvas, int x, int y, const QColor& color) {
  if (x >= 0 && y >= 0 && x < canvas.width() && y < canvas.height())
    canvas.setPixelColor(x, y, color);
}

} // namespace

TFontFileStream::TFontFileStream(const QString& FileName) : FileName_(FileName) {
  if (!QFileInfo::exists(FileName))
    return;
  // Read only: the font is never written, and a read-only installation must still load it.
  QFile file(FileName);
  if (!file.open(QIODevice::ReadOnly))
    CannotOpen(FileName, file.errorString());
  const QByteArray magic = file.read(3);
  if (file.error() != QFileDevice::NoError)
    CannotOpen(FileName, file.errorString());
  if (magic != "FNT")
    return;
  file.seek(0);
  const QByteArray image = file.read(FileSize);
  if (file.error() != QFileDevice::NoError)
    CannotOpen(FileName, file.errorString());
  std::copy(image.begin(), image.end(), Data_.begin());
}

bool TFontFileStream::IsValid() const {
  return Data_[0] == 'F' && Data_[1] == 'N' && Data_[2] == 'T';
}

int TFontFileStream::HeaderInt(int offset) const {
  const std::uint32_t value = std::uint32_t(Data_[offset]) | std::uint32_t(Data_[offset + 1]) << 8 |
                              std::uint32_t(Data_[offset + 2]) << 16 |
                              std::uint32_t(Data_[offset + 3]) << 24;
  return static_cast<std::int32_t>(value);
}

int TFontFileStream::Rows() const {
  return std::clamp(HeaderInt(RowsOffset), 0, MaxRows);
}

int TFontFileStream::Columns() const {
  return std::clamp(HeaderInt(ColumnsOffset), 0, MaxColumns);
}

std::uint16_t TFontFileStream::RowWord(int code, int row) const {
  const int at = FirstGlyphOffset + GlyphStride * (code - 1) + 2 * (row - 1);
  return static_cast<std::uint16_t>(Data_[at] | Data_[at + 1] << 8);
}

void TFontFileStream::DrawGlyph(QImage* Canvas, int X, int Y, const QColor& Color, int Code) const {
  if (Canvas == nullptr || Canvas->isNull() || !IsValid() || Code < 1 || Code > 255)
    return;
  const int rows = Rows(), columns = Columns();
  for (int r = 1; r <= rows; ++r) {
    const std::uint16_t word = RowWord(Code, r);
    for (int c = 1; c <= columns; ++c)
      if (word >> (c - 1) & 1u)
        SetPixel(*Canvas, X + c - 1, Y + r - 1, Color);
  }
}

void TFontFileStream::FillCell(QImage* Canvas, int X, int Y, const QColor& Color) const {
  if (Canvas == nullptr || Canvas->isNull() || !IsValid())
    return;
  const int rows = Rows(), columns = Columns();
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= columns; ++c)
      SetPixel(*Canvas, X + c - 1, Y + r - 1, Color);
}

bool LoadSymbolFont(const QString& FileName) {
  if (!QFileInfo::exists(FileName))
    return false;
  auto font = std::make_unique<TFontFileStream>(FileName);
  if (!font->IsValid())
    return false;
  SymbolFont = std::move(font);
  return true;
}

bool FreeSymbolFont() {
  if (!SymbolFont)
    return false;
  SymbolFont.reset();
  return true;
}

void DrawSymbol(QImage* Canvas, int X, int Y, const QColor& Color, int Code) {
  if (SymbolFont)
    SymbolFont->DrawGlyph(Canvas, X, Y, Color, Code);
}

void ClearSymbolCell(QImage* Canvas, int X, int Y, const QColor& Color) {
  if (SymbolFont)
    SymbolFont->FillCell(Canvas, X, Y, Color);
}
