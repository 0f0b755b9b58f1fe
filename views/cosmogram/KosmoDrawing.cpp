// SPDX-License-Identifier: GPL-3.0-or-later
#include "KosmoDrawing.h"

#include "KosmoSecond.h"

#include "CanvasText.h"
#include "DateTime.h"
#include "FontStream.h"
#include "KosmoGeometry.h"
#include "KosmoHouses.h"
#include "ViewColors.h"
#include "Vocabulary.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace kosmo {

namespace {

constexpr double DegreesToRadians = 0.017453292519943295;
const QColor OuterDiscColor(226, 237, 250);
const QColor SignRingColor(190, 191, 251);

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// The filled circle of Radius about the centre: its box (Centre - r, Centre - r)-(Centre + r,
// Centre + r), right and bottom exclusive.
void DrawDisc(QPainter& painter, int Radius) {
  painter.drawEllipse(QRect(Centre - Radius, Centre - Radius, 2 * Radius - 1, 2 * Radius - 1));
}

int ClampedCount(const astro::TAspectList& list) {
  return std::clamp<int>(list.Count, 0, astro::kMaxAspects);
}

// Ticks and numbers of the 72 five-degree segments, with their hint regions.
void DrawSegmentRing(QPainter& painter, THintRegions& regions) {
  for (int i = 0; i < astro::kSegmentCount; ++i) {
    painter.drawLine(QPoint(Centre, Centre), PolarPoint(Centre, SegmentRadius, 5.0 * i));
    const QPoint label = PolarPoint(295, SegmentRadius, 5.0 * i + 2.5);
    DrawOpaqueText(painter, label, QString::number(i + 1), Qt::white);
    regions.Segments[i + 1] = {{label.x(), label.y(), label.x() + 18, label.y() + 12},
                               SegmentHint(i + 1)};
  }
}

void DrawMoment(QPainter& painter, double moment) {
  painter.setFont(CanvasFont(10));
  DrawClippedText(painter, QRect(QPoint(550, 3), QPoint(799, 17)), QPoint(620, 2),
                  Text(astro::DateToLongText(moment)));
  DrawClippedText(painter, QRect(QPoint(550, 20), QPoint(799, 34)), QPoint(620, 20),
                  Text(astro::TimeToText(moment)));
}

// The table of segment numbers and letters right of the wheel; Background is the brush the
// numbers are drawn on (white after the date box, the outer disc's colour without it).
void DrawBodyTable(QPainter& painter, QImage& picture, const TChart& chart, const QImage& letters,
                   const QColor& background) {
  painter.setPen(Qt::black);
  for (int x : {620, 640, 660, 730}) {
    painter.drawLine(x, 60, x, 260);
  }
  for (int k = 0; k <= astro::kBodyCount; ++k) {
    const int y0 = 60 + 20 * k;
    if (k < astro::kBodyCount) {
      const int body = k + 1;
      const double longitude = chart.Longitudes[k];
      DrawSymbol(&picture, 623, y0 + 3, PlanetColor(body), 15 + body);
      // The cell is cleared first: a shorter number ("1" after "72") leaves no old digit.
      painter.fillRect(QRect(641, y0 + 1, 19, 19), background);
      DrawOpaqueText(painter, QPoint(643, y0 + 3),
                     QString::number(static_cast<int>(longitude / 5) + 1), background);
      astro::TArcanaTriple triple = astro::QuinaryArcana(longitude);
      astro::ShiftArcana(triple, body);
      for (int t = 0; t < 3; ++t) {
        const int q = triple[t];
        if (q >= 1 && q <= astro::kArcanaCount && !letters.isNull()) {
          painter.drawImage(QPoint(663 + 22 * t, y0), letters, QRect(22 * (q - 1), 0, 22, 22));
        }
      }
    }
    painter.drawLine(620, y0, 730, y0);
  }
}

// The sign ring's disc, spokes and sector fills.
void DrawSignSectors(QPainter& painter) {
  painter.setPen(Qt::black);
  painter.setBrush(SignRingColor);
  DrawDisc(painter, SignRingRadius);
  const QRect box(Centre - SignRingRadius, Centre - SignRingRadius, 2 * SignRingRadius - 1,
                  2 * SignRingRadius - 1);
  for (int j = 0; j < astro::kSignCount; ++j) {
    painter.drawLine(QPoint(Centre, Centre), PolarPoint(Centre, SignRingRadius, 30.0 * j));
    painter.setBrush(ElementColor(j + 1));
    // The toolkit counts angles from three o'clock; the wheel's 0 deg is at nine o'clock.
    painter.drawPie(box, (180 + 30 * j) * 16, 30 * 16);
  }
}

// Each glyph lies inside its own sector, so no later sector covers an earlier glyph.
void DrawSignGlyphs(QImage& picture, THintRegions& regions) {
  for (int j = 0; j < astro::kSignCount; ++j) {
    const int sign = j + 1;
    const QPoint glyph = PolarPoint(295, SignGlyphRadius, 30.0 * j + 15);
    DrawSymbol(&picture, glyph.x(), glyph.y(), Qt::black, 47 + sign);
    regions.Signs[sign] = {{glyph.x(), glyph.y(), glyph.x() + 15, glyph.y() + 15},
                           Text(astro::SignNames[sign])};
  }
}

// What every redraw paints the same way over the wheel's 600 x 600 square: the segment ring
// with its numbers, the outer disc and the sign sectors. Nothing else reaches that square
// outside the inner disc, and the date box only whitens a corner the wheel leaves white, so the
// square is drawn once and copied.
struct TWheelLayer {
  QImage Picture;
  std::array<THintRegion, astro::kSegmentCount + 1> Segments;
};

TWheelLayer DrawWheelLayer() {
  TWheelLayer layer;
  THintRegions regions;
  layer.Picture = QImage(2 * Centre, 2 * Centre, QImage::Format_RGB32);
  layer.Picture.fill(Qt::white);
  QPainter painter(&layer.Picture);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  painter.setFont(CanvasFont(9));
  DrawSegmentRing(painter, regions);
  painter.setPen(QColor(135, 135, 135));
  painter.setBrush(OuterDiscColor);
  DrawDisc(painter, OuterDiscRadius);
  DrawSignSectors(painter);
  layer.Segments = regions.Segments;
  return layer;
}

const TWheelLayer& WheelLayer() {
  static const TWheelLayer layer = DrawWheelLayer();
  return layer;
}

// Copies every pixel of the body's picture that is not pure white, centred at (cx, cy).
void PasteBodyPicture(QImage& picture, const QImage& body, int cx, int cy) {
  if (body.isNull()) {
    return;
  }
  const int size = std::min({BodyPictureSize, body.width(), body.height()});
  for (int px = 0; px < size; ++px) {
    for (int py = 0; py < size; ++py) {
      const QRgb colour = body.pixel(px, py);
      const int x = cx - 11 + px, y = cy - 11 + py;
      if ((colour & 0xFFFFFF) != 0xFFFFFF && picture.valid(x, y)) {
        picture.setPixel(x, y, colour);
      }
    }
  }
}

// Bodies at Shown (degrees, element 0 the Sun): their true longitudes, or spread apart.
void DrawBodies(QImage& picture, const TChart& chart, const TArt& art, const TNatalRadii& radii,
                const std::vector<double>& shown, THintRegions& regions) {
  for (int body = 1; body <= astro::kBodyCount; ++body) {
    const double a = shown[body - 1] * DegreesToRadians;
    PasteBodyPicture(picture, art.Bodies[body],
                     static_cast<int>(Centre - radii.Picture * std::cos(a)),
                     static_cast<int>(Centre + radii.Picture * std::sin(a)));
    const int x = static_cast<int>(Centre - radii.Glyph * std::cos(a) - 8);
    const int y = static_cast<int>(Centre + radii.Glyph * std::sin(a) - 8);
    DrawSymbol(&picture, x, y, PlanetColor(body), 15 + body);
    regions.Bodies[body] = {{x, y, x + 15, y + 15}, BodyHint(body, chart.Aspects)};
    if (chart.Second)
      regions.Bodies[body].Text.prepend(QStringLiteral("Натальная карта: "));
  }
}

void DrawChords(QPainter& painter, const TChart& chart, int radius) {
  for (int i = 0; i < ClampedCount(chart.Aspects); ++i) {
    const astro::TAspectItem& item = chart.Aspects.Items[i];
    if (item.Planet1 < 1 || item.Planet1 > astro::kBodyCount || item.Planet2 < 1 ||
        item.Planet2 > astro::kBodyCount) {
      continue;
    }
    painter.setPen(QPen(AspectColor(item.Aspect), 1, Qt::SolidLine));
    painter.drawLine(PolarPoint(Centre, radius, chart.Longitudes[item.Planet1 - 1]),
                     PolarPoint(Centre, radius, chart.Longitudes[item.Planet2 - 1]));
  }
}

} // namespace

QColor PlanetColor(int Body) {
  static const std::array<QColor, astro::kBodyCount + 1> colours = {
      QColor(Qt::black),   QColor(228, 229, 29),  QColor(0, 186, 229),  QColor(229, 154, 0),
      QColor(1, 228, 0),   QColor(226, 0, 2),     QColor(1, 0, 224),    QColor(200, 103, 0),
      QColor(192, 2, 190), QColor(165, 165, 165), QColor(100, 100, 100)};
  return Body >= 1 && Body <= astro::kBodyCount ? colours[Body] : QColor(Qt::black);
}

QColor ElementColor(int Sign) {
  static const std::array<QColor, 5> colours = {QColor(Qt::white), QColor(251, 203, 203),
                                                QColor(222, 255, 222), QColor(253, 253, 205),
                                                QColor(185, 245, 252)};
  return Sign >= 1 && Sign <= astro::kSignCount ? colours[(Sign - 1) % 4 + 1] : colours[0];
}

QPoint PolarPoint(int Centre, double Radius, double AngleDegrees) {
  const double a = AngleDegrees * DegreesToRadians;
  return QPoint(static_cast<int>(Centre - Radius * std::cos(a)),
                static_cast<int>(Centre + Radius * std::sin(a)));
}

QString SegmentHint(int Segment) {
  if (Segment < 1 || Segment > astro::kSegmentCount) {
    return QString();
  }
  const astro::TArcanaTriple& row = astro::QuinaryTable[Segment];
  return Text(astro::LetterNames[row[2]]) + ' ' + Text(astro::LetterNames[row[1]]) + ' ' +
         Text(astro::LetterNames[row[0]]);
}

QString BodyHint(int Body, const astro::TAspectList& Aspects) {
  auto line = [Body](int aspect, int other) {
    return Text(astro::PlanetNames[Body]) + QStringLiteral(" в ") +
           Text(astro::AspectNamesIn[aspect]) + QStringLiteral(" с ") +
           Text(astro::PlanetNamesWith[other]) + '\r';
  };
  QString hint = Text(astro::PlanetNames[Body]) + '\r';
  for (int i = 0; i < ClampedCount(Aspects); ++i) {
    const astro::TAspectItem& item = Aspects.Items[i];
    const bool known = item.Aspect >= 1 && item.Aspect <= astro::kAspectCount &&
                       item.Planet1 >= 1 && item.Planet1 <= astro::kBodyCount &&
                       item.Planet2 >= 1 && item.Planet2 <= astro::kBodyCount;
    if (!known) {
      continue;
    }
    if (item.Planet1 == Body) {
      hint += line(item.Aspect, item.Planet2);
    }
    if (item.Planet2 == Body) {
      hint += line(item.Aspect, item.Planet1);
    }
  }
  return hint;
}

void DrawChart(QImage& Picture, const TChart& Chart, const TArt& Art, THintRegions& Regions) {
  const TWheelLayer& wheel = WheelLayer();
  QPainter painter(&Picture);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.drawImage(0, 0, wheel.Picture);
  Regions.Segments = wheel.Segments;
  painter.setFont(CanvasFont(9));

  QColor tableBackground = OuterDiscColor;
  if (Chart.Moment != 0) {
    painter.setPen(Qt::black);
    DrawMoment(painter, Chart.Moment);
    tableBackground = Qt::white;
  }
  DrawBodyTable(painter, Picture, Chart, Art.Letters, tableBackground);
  Regions.Houses.clear();
  const THouseLayer* houses = Chart.Houses;
  DrawSecondLegend(painter, Chart.Second);
  DrawLegend(painter, houses, Chart.Second ? LegendTopUnderSecond : LegendTop);
  if (houses) {
    DrawAxisLabels(painter, *houses, Regions.Houses);
  }
  DrawSignGlyphs(Picture, Regions);

  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  DrawDisc(painter, InnerDiscRadius);
  painter.end();
  Regions.HasSecond = Chart.Second != nullptr;
  if (Chart.Second)
    DrawSecondRing(Picture, *Chart.Second, Regions.SecondBodies);

  const TNatalRadii& radii = !Chart.Second ? kSingleRadii
                             : houses      ? kBiWheelHouseRadii
                                           : kBiWheelRadii;
  std::vector<double> shown(Chart.Longitudes.begin(), Chart.Longitudes.end());
  if (houses) {
    painter.begin(&Picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawCusps(painter, *houses, radii, Regions.Houses);
    shown = SpreadLongitudes(Chart.Longitudes, *houses, radii);
    DrawLeaders(painter, Chart.Longitudes, *houses, shown, radii);
    painter.end();
  }
  DrawBodies(Picture, Chart, Art, radii, shown, Regions);
  if (houses) {
    DrawPoints(Picture, *houses, shown, radii, Regions.Houses);
  }
  painter.begin(&Picture);
  painter.setRenderHint(QPainter::Antialiasing, false);
  const int chordRadius = houses && houses->Houses ? radii.HouseRingInner : radii.Chord;
  DrawChords(painter, Chart, chordRadius);
  // Inside the ring of house numbers both ends stay on the chord circle, so that no chord
  // crosses a number; without houses they run from the band across the natal bodies.
  if (Chart.Second)
    DrawCrossChords(painter, *Chart.Second,
                    houses && houses->Houses ? chordRadius : SecondBandInner - 1, chordRadius);
}

} // namespace kosmo
