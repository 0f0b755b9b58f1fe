// SPDX-License-Identifier: GPL-3.0-or-later
#include "CanvasText.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

QFont CanvasFont(int Points) {
  QFont font;
  font.setPixelSize(static_cast<int>(std::lround(Points * 96.0 / 72.0)));
  return font;
}

void DrawOpaqueText(QPainter& Painter, QPoint Origin, const QString& Text,
                    const QColor& Background) {
  const QFontMetrics metrics(Painter.font());
  Painter.fillRect(QRect(Origin, QSize(metrics.horizontalAdvance(Text), metrics.height())),
                   Background);
  Painter.drawText(Origin + QPoint(0, metrics.ascent()), Text);
}

void DrawClippedText(QPainter& Painter, const QRect& Rect, QPoint Origin, const QString& Text) {
  Painter.fillRect(Rect, Qt::white);
  Painter.save();
  Painter.setClipRect(Rect);
  const QFontMetrics metrics(Painter.font());
  Painter.drawText(Origin + QPoint(0, metrics.ascent()), Text);
  Painter.restore();
}
