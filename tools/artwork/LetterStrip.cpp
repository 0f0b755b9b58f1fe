// SPDX-License-Identifier: GPL-3.0-or-later
#include "LetterStrip.h"

#include "HebrewLetters.h"

#include <QFont>
#include <QPainter>
#include <QRect>

namespace {

constexpr int Cell = 22;
constexpr int Cells = static_cast<int>(HebrewLetters.size());

// Renders one letter large, anti-aliased, and reduces it into the cell with a threshold:
// smoother outlines than drawing at cell size without anti-aliasing, still two colours only.
QImage DrawCell(const QFont& font, QChar letter) {
  constexpr int Scale = 8;
  QImage big(Cell * Scale, Cell * Scale, QImage::Format_Grayscale8);
  big.fill(255);
  QPainter painter(&big);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(font);
  painter.setPen(Qt::black);
  // Letters sit on a common baseline and are centred on their own ink width.
  const QFontMetricsF metrics(font);
  const QRectF ink = metrics.boundingRect(letter);
  const double x = (big.width() - ink.width()) / 2.0 - ink.left();
  const double baseline = big.height() * 0.80;
  painter.drawText(QPointF(x, baseline), QString(letter));
  painter.end();

  QImage cell(Cell, Cell, QImage::Format_RGB32);
  for (int y = 0; y < Cell; ++y) {
    for (int x = 0; x < Cell; ++x) {
      int sum = 0;
      for (int dy = 0; dy < Scale; ++dy) {
        const uchar* row = big.constScanLine(y * Scale + dy) + x * Scale;
        for (int dx = 0; dx < Scale; ++dx) {
          sum += row[dx];
        }
      }
      const bool ink = sum < 255 * Scale * Scale * 55 / 100;
      cell.setPixel(x, y, ink ? 0xFF000000 : 0xFFFFFFFF);
    }
  }
  return cell;
}

} // namespace

QImage DrawLetterStrip(const TArtworkFonts& fonts) {
  QImage strip(Cell * Cells, Cell, QImage::Format_RGB32);
  strip.fill(Qt::white);
  QFont font(fonts.SansBold);
  font.setPixelSize(19 * 8);
  QPainter painter(&strip);
  for (int k = 0; k < Cells; ++k) {
    painter.drawImage(k * Cell, 0, DrawCell(font, QChar(HebrewLetters[k])));
  }
  return strip;
}
