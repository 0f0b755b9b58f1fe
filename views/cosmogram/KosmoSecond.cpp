// SPDX-License-Identifier: GPL-3.0-or-later
#include "KosmoSecond.h"

#include "KosmoDrawing.h"
#include "KosmoGeometry.h"
#include "RingSpread.h"

#include "Angles.h"
#include "CanvasText.h"
#include "DateTime.h"
#include "FontStream.h"
#include "ViewColors.h"
#include "Vocabulary.h"

namespace kosmo {
namespace {

constexpr int kBandOuter = SecondBandOuter;
constexpr int kBandInner = SecondBandInner;
constexpr int kTickLength = 7;
const QColor BandColor(244, 238, 226);
const QColor BandEdgeColor(150, 130, 100);
const QColor AngleColor(150, 40, 40);

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// The name after "с": "Солнцем", "Асцендентом", "MC".
QString NameWith(const astro::TCrossPoint& Point) {
  if (Point.Body)
    return Text(astro::PlanetNamesWith[Point.Body]);
  return Point.Angle == astro::TChartPointKey::Asc ? QStringLiteral("Асцендентом")
                                                   : QStringLiteral("MC");
}

double LongitudeOf(const astro::TChart& Chart, const astro::TCrossPoint& Point) {
  if (Point.Body)
    return Chart.Longitudes[Point.Body - 1];
  return Point.Angle == astro::TChartPointKey::Asc ? Chart.Houses->Asc : Chart.Houses->Mc;
}

// The angles at which the glyphs are drawn: each body's own longitude, crowds pushed apart so
// that every glyph of the band can be read and hinted.
std::vector<double> SpreadAngles(const astro::TLongitudes& Longitudes) {
  // 16-pixel glyph boxes stay apart in every direction, also on the diagonals.
  constexpr double kHalfPitch = 11.5 / SecondGlyphRadius * 57.29577951308232;
  std::vector<TRingMark> marks;
  for (double longitude : Longitudes)
    marks.push_back({longitude, kHalfPitch});
  return SpreadAlongRing(marks);
}

void DrawAngle(QPainter& painter, double longitude, const QString& label) {
  painter.setPen(QPen(AngleColor, 2));
  painter.drawLine(PolarPoint(Centre, kBandInner, longitude),
                   PolarPoint(Centre, kBandOuter - 1, longitude));
  painter.setPen(AngleColor);
  painter.setFont(CanvasFont(7));
  // Beside the line, on the side of growing longitude, at the band's inner part.
  const QPoint at = PolarPoint(Centre, kBandInner + 9, longitude + 3.2);
  painter.drawText(QRect(at.x() - 9, at.y() - 6, 18, 12), Qt::AlignCenter, label);
}

} // namespace

TSecondWheel SecondWheelOf(const QString& Title, const astro::TChart& Second,
                           const astro::TChart& Natal,
                           const std::vector<astro::TCrossAspect>& Cross, bool WithAngles) {
  TSecondWheel wheel;
  wheel.Title = Title;
  wheel.Moment = Text(astro::DateToText(Second.Moment.Local)) + ' ' +
                 Text(astro::TimeToText(Second.Moment.Local));
  wheel.Universal = Text(astro::DateToText(Second.Moment.Universal)) + ' ' +
                    Text(astro::TimeToText(Second.Moment.Universal)) + QStringLiteral(" UT");
  wheel.Longitudes = Second.Longitudes;
  if (WithAngles && Second.Houses) {
    wheel.Asc = Second.Houses->Asc;
    wheel.Mc = Second.Houses->Mc;
  }
  for (int b = 1; b <= astro::kBodyCount; ++b)
    wheel.Hints[b] = Title + QStringLiteral(": ") + Text(astro::PlanetNames[b]) + '\r';
  for (const astro::TCrossAspect& item : Cross) {
    const bool angle = !item.Second.Body || !item.Natal.Body;
    if (angle && !WithAngles)
      continue;
    wheel.Chords.push_back(
        {LongitudeOf(Second, item.Second), LongitudeOf(Natal, item.Natal), item.Aspect});
    if (item.Second.Body)
      wheel.Hints[item.Second.Body] +=
          Text(astro::PlanetNames[item.Second.Body]) + QStringLiteral(" в ") +
          Text(astro::AspectNamesIn[item.Aspect]) + QStringLiteral(" с натальным ") +
          NameWith(item.Natal) + QStringLiteral(", орб ") + QString::number(item.Orb, 'f', 2) +
          QStringLiteral("°, ") +
          (item.Applying ? QStringLiteral("сходящийся") : QStringLiteral("расходящийся")) + '\r';
  }
  return wheel;
}

void DrawSecondRing(QImage& Picture, const TSecondWheel& Second,
                    std::array<THintRegion, astro::kBodyCount + 1>& Regions) {
  QPainter painter(&Picture);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(BandColor);
  painter.setBrush(BandColor);
  painter.drawEllipse(QPoint(Centre, Centre), kBandOuter, kBandOuter);
  painter.setPen(BandEdgeColor);
  painter.setBrush(Qt::white);
  painter.drawEllipse(QPoint(Centre, Centre), kBandInner, kBandInner);

  // Ticks at the exact longitudes on the band's outer edge, under the glyphs.
  const std::vector<double> shown = SpreadAngles(Second.Longitudes);
  for (int body = 1; body <= astro::kBodyCount; ++body) {
    const double longitude = Second.Longitudes[body - 1];
    painter.setPen(QPen(PlanetColor(body).darker(130), 2));
    painter.drawLine(PolarPoint(Centre, kBandOuter - 1, longitude),
                     PolarPoint(Centre, kBandOuter - kTickLength, longitude));
  }
  if (Second.Asc)
    DrawAngle(painter, *Second.Asc, QStringLiteral("AC"));
  if (Second.Mc)
    DrawAngle(painter, *Second.Mc, QStringLiteral("MC"));
  painter.end();

  for (int body = 1; body <= astro::kBodyCount; ++body) {
    const QPoint centre = PolarPoint(Centre, SecondGlyphRadius, shown[body - 1]);
    const int x = centre.x() - 8, y = centre.y() - 8;
    DrawSymbol(&Picture, x, y, PlanetColor(body), 15 + body);
    Regions[body] = {{x, y, x + 15, y + 15}, Second.Hints[body]};
  }
}

void DrawCrossChords(QPainter& Painter, const TSecondWheel& Second, int FromRadius,
                     int NatalChordRadius) {
  for (const TSecondWheel::TChord& chord : Second.Chords) {
    Painter.setPen(QPen(AspectColor(chord.Aspect), 1, Qt::DashLine));
    Painter.drawLine(PolarPoint(Centre, FromRadius, chord.From),
                     PolarPoint(Centre, NatalChordRadius, chord.To));
  }
}

void DrawSecondLegend(QPainter& Painter, const TSecondWheel* Second) {
  const QRect corner(605, 268, PictureWidth - 605, 215);
  Painter.fillRect(corner, Qt::white);
  if (!Second)
    return;
  const auto line = [&Painter](int y, int height, const QString& text) {
    Painter.drawText(QRect(620, y, PictureWidth - 622, height), Qt::AlignLeft | Qt::AlignVCenter,
                     text);
  };
  Painter.setPen(Qt::black);
  Painter.setFont(CanvasFont(10));
  line(272, 16, QStringLiteral("Вторая карта:"));
  line(288, 16, Second->Title);
  Painter.setFont(CanvasFont(9));
  line(306, 14, Second->Moment);
  line(320, 14, Second->Universal);
  Painter.setFont(CanvasFont(8));
  Painter.fillRect(QRect(620, 342, 24, 10), BandColor);
  Painter.drawText(QRect(650, 340, PictureWidth - 652, 14), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("кольцо второй карты"));
  const std::pair<Qt::PenStyle, const char*> chords[] = {{Qt::SolidLine, "аспекты натала"},
                                                         {Qt::DashLine, "аспекты между картами"}};
  int y = 361;
  for (const auto& [style, text] : chords) {
    Painter.setPen(QPen(Qt::darkGray, 1, style));
    Painter.drawLine(620, y, 644, y);
    Painter.setPen(Qt::black);
    Painter.drawText(QRect(650, y - 7, PictureWidth - 652, 14), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromUtf8(text));
    y += 16;
  }
}

} // namespace kosmo
