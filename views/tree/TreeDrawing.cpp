// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeDrawing.h"

#include "CanvasText.h"
#include "DateTime.h"
#include "FontStream.h"
#include "TreeTables.h"

#include <QPainter>

namespace {

bool IsBody(int b) {
  return b >= 1 && b <= astro::kBodyCount;
}

QColor BoxColour(int body) {
  const tree::TBodyBox& box = tree::BodyBoxes[body];
  return {box.R, box.G, box.B};
}

void FillArea(QImage& picture, const tree::TArea& area, const QColor& colour) {
  QPainter painter(&picture);
  painter.fillRect(QRect(QPoint(area.Left, area.Top), QPoint(area.Right - 1, area.Bottom - 1)),
                   colour);
}

} // namespace

void RefillLetterBox(QImage& Picture, int Body) {
  if (!IsBody(Body)) {
    return;
  }
  const tree::TBodyBox& box = tree::BodyBoxes[Body];
  QPainter painter(&Picture);
  painter.fillRect(box.X, box.Y, tree::BoxWidth, tree::BoxHeight, BoxColour(Body));
}

void DrawLetters(QImage& Picture, const QImage& LetterStrip, int Body,
                 const astro::TArcanaTriple& Letters) {
  if (!IsBody(Body) || LetterStrip.isNull()) {
    return;
  }
  const QImage strip = LetterStrip.format() == QImage::Format_RGB32
                           ? LetterStrip
                           : LetterStrip.convertToFormat(QImage::Format_RGB32);
  const tree::TBodyBox& box = tree::BodyBoxes[Body];
  for (int k = 0; k < 3; ++k) {
    const int letter = Letters[k];
    if (letter < 1 || letter > astro::kArcanaCount) {
      continue;
    }
    // The cell, clipped to the strip and to the picture.
    const QRect source(tree::CellSize * (letter - 1), 0, tree::CellSize, tree::CellSize);
    const QPoint offset(box.X + tree::CellSize * k - source.x(), box.Y);
    const QRect cell =
        source.intersected(strip.rect()).intersected(Picture.rect().translated(-offset));
    if (cell.isEmpty()) {
      continue;
    }
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
      const QRgb* from = reinterpret_cast<const QRgb*>(strip.constScanLine(y));
      QRgb* to = reinterpret_cast<QRgb*>(Picture.scanLine(y + offset.y()));
      for (int x = cell.left(); x <= cell.right(); ++x) {
        to[x + offset.x()] &= from[x] | 0xFF000000u;
      }
    }
  }
}

void DrawRoute(QImage& Picture, int Planet1, int Planet2, const QColor& Colour) {
  const int index = tree::RouteIndex(Planet1, Planet2);
  if (index < 0) {
    return;
  }
  const tree::TAspectRoute& route = tree::AspectRoutes[index];
  QPainter painter(&Picture);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Colour, 2, route.PenStyle == tree::PenDashed ? Qt::DashLine : Qt::SolidLine,
                      Qt::FlatCap));
  for (int i = 0; i < route.SegmentCount && i < static_cast<int>(route.Segments.size()); ++i) {
    const tree::TSegment& s = route.Segments[i];
    painter.drawLine(s.X1, s.Y1, s.X2, s.Y2);
  }
}

void ClearLegend(QImage& Picture) {
  FillArea(Picture, tree::LegendLeft, Qt::white);
  FillArea(Picture, tree::LegendRight, Qt::white);
}

QPoint LegendOrigin(int Index) {
  const int row = Index - 12 * ((Index - 1) / 12);
  const int column = (Index - 1) / 12 + 1;
  const int x0 = column <= 2 ? 3 + 60 * (column - 1) : 422 + 60 * (column - 3);
  return {x0, 568 + 17 * (row - 1)};
}

void DrawLegendEntry(QImage& Picture, int Index, const astro::TAspectItem& Item) {
  const QPoint origin = LegendOrigin(Index);
  {
    QPainter painter(&Picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(origin.x(), origin.y(), 60, 17); // covers (x0, y0)-(x0 + 61, y0 + 18)
  }
  DrawSymbol(&Picture, origin.x() + 4, origin.y() + 2, Qt::black, 15 + Item.Planet1);
  DrawSymbol(&Picture, origin.x() + 20, origin.y() + 2, AspectColor(Item.Aspect), 63 + Item.Aspect);
  DrawSymbol(&Picture, origin.x() + 36, origin.y() + 2, Qt::black, 15 + Item.Planet2);
}

void DrawMomentBox(QImage& Picture, double Moment) {
  QPainter painter(&Picture);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setFont(CanvasFont(10));
  painter.setPen(Qt::black);
  DrawClippedText(painter, QRect(QPoint(6, 3), QPoint(149, 17)), QPoint(10, 2),
                  QString::fromStdString(astro::DateToLongText(Moment)));
  DrawClippedText(painter, QRect(QPoint(6, 20), QPoint(149, 34)), QPoint(10, 20),
                  QString::fromStdString(astro::TimeToText(Moment)));
  painter.setPen(QPen(Qt::black, 1));
  const QPoint corners[] = {{5, 2}, {150, 2}, {150, 35}, {5, 35}, {5, 2}};
  painter.drawPolyline(corners, 5);
}
