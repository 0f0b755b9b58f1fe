// SPDX-License-Identifier: GPL-3.0-or-later
// Text on a view's picture: the platform's default face at a size in points on a 96 dpi
// canvas, placed by its top-left corner.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

// The default face at Points points as pixels of a 96 dpi picture (9 pt -> 12 px, 10 pt -> 13 px).
QFont CanvasFont(int Points);

// Draws Text with its top-left corner at Origin on an opaque background of Background (the
// text's own cell: its advance times the font's height).
void DrawOpaqueText(QPainter& Painter, QPoint Origin, const QString& Text,
                    const QColor& Background);

// Fills Rect white and draws Text at Origin on white, clipped to Rect.
void DrawClippedText(QPainter& Painter, const QRect& Rect, QPoint Origin, const QString& Text);
