// SPDX-License-Identifier: GPL-3.0-or-later
#include "KosmoHouses.h"

#include "CanvasText.h"
#include "FontStream.h"
#include "Formatting.h"
#include "KosmoDrawing.h"
#include "KosmoGeometry.h"
#include "RingSpread.h"
#include "Vocabulary.h"

#include <QFontMetrics>
#include <QPainter>
#include <array>
#include <cmath>
#include <numbers>

namespace kosmo {

namespace {

const QColor CuspColor(150, 150, 150);
const QColor RingColor(135, 135, 135);
const QColor HouseRingFill(241, 244, 250);
const QColor AxisColor(30, 30, 30);
const QColor PointColor(96, 48, 128);

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

double Normalized(double degrees) {
  const double r = std::fmod(degrees, 360.0);
  return r < 0 ? r + 360.0 : r;
}

// Half the angle (degrees, with a little air) that a mark HalfPixels wide takes at Radius.
double HalfWidthAt(double HalfPixels, double Radius) {
  return std::asin(HalfPixels / Radius) * 180 / std::numbers::pi + 0.4;
}

void Line(QPainter& painter, double fromRadius, double fromDegrees, double toRadius,
          double toDegrees) {
  painter.drawLine(PolarPoint(Centre, fromRadius, fromDegrees),
                   PolarPoint(Centre, toRadius, toDegrees));
}

// Text centred on a point; returns the rectangle it covers.
QRect CentredText(QPainter& painter, QPoint at, const QString& text) {
  const QFontMetrics metrics(painter.font());
  QRect box(0, 0, metrics.horizontalAdvance(text), metrics.height());
  box.moveCenter(at);
  painter.drawText(box, Qt::AlignCenter, text);
  return box;
}

void AddRegion(std::vector<THintRegion>& regions, const QRect& box, const QString& text) {
  regions.push_back({{box.left(), box.top(), box.right(), box.bottom()}, text});
}

struct TAngle {
  const char* Label;
  const char* Name;
  double Longitude;
};

std::array<TAngle, 4> AnglesOf(const astro::THouses& h) {
  return {{{"AC", "Асцендент", h.Asc},
           {"DC", "Десцендент", h.Dsc},
           {"MC", "Середина неба (MC)", h.Mc},
           {"IC", "Глубина неба (IC)", h.Ic}}};
}

} // namespace

QString SignDegreeName(double Longitude) {
  const double L = Normalized(Longitude);
  const int sign = std::min(static_cast<int>(L / 30), 11) + 1;
  return Text(astro::SignNames[sign]) + ' ' + Text(astro::FormatDegMin(L - 30.0 * (sign - 1)));
}

THouseLayer HouseLayerOf(const std::optional<astro::THouses>& Houses,
                         const astro::TPoints& Points) {
  THouseLayer layer;
  layer.Houses = Houses;
  layer.Note = Points.Note;
  const astro::TPoint* node = nullptr;
  for (const astro::TPoint& point : Points.Items)
    if (point.Kind == astro::TPointKind::TrueNode ||
        (!node && point.Kind == astro::TPointKind::MeanNode))
      node = &point;
  if (node) {
    const QString kind = node->Kind == astro::TPointKind::TrueNode ? QStringLiteral("истинный")
                                                                   : QStringLiteral("средний");
    layer.Points.push_back(
        {kNorthNodeGlyph, node->Longitude, QStringLiteral("Северный узел (%1)").arg(kind)});
    layer.Points.push_back({kSouthNodeGlyph, Normalized(node->Longitude + 180),
                            QStringLiteral("Южный узел (%1)").arg(kind)});
  }
  for (const astro::TPoint& point : Points.Items) {
    const QString name = Text(astro::PointNames[int(point.Kind)]);
    if (point.Kind == astro::TPointKind::Lilith)
      layer.Points.push_back({kLilithGlyph, point.Longitude, name});
    else if (point.Kind == astro::TPointKind::Chiron)
      layer.Points.push_back({kChironGlyph, point.Longitude, name});
    else if (point.Kind == astro::TPointKind::Fortune)
      layer.Points.push_back({kFortuneGlyph, point.Longitude, name});
  }
  return layer;
}

std::vector<double> SpreadLongitudes(const astro::TLongitudes& Longitudes, const THouseLayer& Layer,
                                     const TNatalRadii& Radii) {
  std::vector<TRingMark> marks;
  // A body's picture is the widest thing it draws; a point has only its glyph.
  const double body = HalfWidthAt(BodyPictureSize / 2.0, Radii.Picture);
  const double point = HalfWidthAt(7.5, Radii.Glyph);
  for (double longitude : Longitudes)
    marks.push_back({longitude, body});
  for (const TWheelPoint& p : Layer.Points)
    marks.push_back({p.Longitude, point});
  return SpreadAlongRing(marks);
}

void DrawLegend(QPainter& Painter, const THouseLayer* Layer, int Top) {
  const QRect box(620, Top, 178, 80);
  Painter.fillRect(box, Qt::white);
  if (!Layer)
    return;
  QString legend = QStringLiteral("Дома: ");
  legend += Layer->Houses ? Text(astro::HouseSystemName(Layer->Houses->Used))
                          : QStringLiteral("место не задано");
  if (Layer->Houses && Layer->Houses->Fallback())
    legend += '\n' + Text(astro::FallbackText(*Layer->Houses));
  if (!Layer->Note.empty())
    legend += '\n' + Text(Layer->Note);
  Painter.setPen(Qt::black);
  Painter.setFont(CanvasFont(9));
  Painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, legend);
}

void DrawAxisLabels(QPainter& Painter, const THouseLayer& Layer,
                    std::vector<THintRegion>& Regions) {
  if (!Layer.Houses)
    return;
  QFont bold = CanvasFont(9);
  bold.setBold(true);
  Painter.setFont(bold);
  // Near the polar circles the ascendant may come close to the MC: the labels make room.
  const std::array<TAngle, 4> angles = AnglesOf(*Layer.Houses);
  std::vector<TRingMark> labels;
  for (const TAngle& angle : angles)
    labels.push_back({angle.Longitude, HalfWidthAt(10, AxisLabelRadius)});
  const std::vector<double> shown = SpreadAlongRing(labels);
  for (std::size_t i = 0; i < angles.size(); ++i) {
    const TAngle& angle = angles[i];
    Painter.setPen(QPen(AxisColor, 2));
    Line(Painter, SignRingRadius, angle.Longitude, AxisMarkRadius, angle.Longitude);
    Painter.setPen(AxisColor);
    const QRect box = CentredText(Painter, PolarPoint(Centre, AxisLabelRadius, shown[i]),
                                  QString::fromLatin1(angle.Label));
    AddRegion(Regions, box, QString::fromUtf8(angle.Name) + '\r' + SignDegreeName(angle.Longitude));
  }
}

void DrawCusps(QPainter& Painter, const THouseLayer& Layer, const TNatalRadii& Radii,
               std::vector<THintRegion>& Regions) {
  if (!Layer.Houses)
    return;
  const astro::THouses& h = *Layer.Houses;
  Painter.setPen(RingColor);
  Painter.setBrush(HouseRingFill);
  Painter.drawEllipse(QPoint(Centre, Centre), Radii.HouseRingOuter, Radii.HouseRingOuter);
  Painter.setBrush(Qt::white);
  Painter.drawEllipse(QPoint(Centre, Centre), Radii.HouseRingInner, Radii.HouseRingInner);
  Painter.setPen(CuspColor);
  for (double cusp : h.Cusps)
    Line(Painter, Radii.HouseRingInner, cusp, Radii.Edge, cusp);
  Painter.setPen(QPen(AxisColor, 2));
  for (const TAngle& angle : AnglesOf(h))
    Line(Painter, Radii.HouseRingInner, angle.Longitude, Radii.Edge, angle.Longitude);
  Painter.setPen(Qt::black);
  Painter.setFont(CanvasFont(8));
  // Each number in the middle of its house; the narrow houses of high latitudes push them apart.
  std::vector<TRingMark> numbers;
  for (int i = 0; i < 12; ++i) {
    const double cusp = h.Cusps[i];
    numbers.push_back({Normalized(cusp + Normalized(h.Cusps[(i + 1) % 12] - cusp) / 2),
                       HalfWidthAt(7, Radii.HouseNumber)});
  }
  const std::vector<double> shown = SpreadAlongRing(numbers);
  for (int i = 0; i < 12; ++i) {
    const QRect box = CentredText(Painter, PolarPoint(Centre, Radii.HouseNumber, shown[i]),
                                  QString::number(i + 1));
    AddRegion(Regions, box,
              QStringLiteral("%1 дом\rкуспид: ").arg(i + 1) + SignDegreeName(h.Cusps[i]));
  }
}

void DrawLeaders(QPainter& Painter, const astro::TLongitudes& Longitudes, const THouseLayer& Layer,
                 const std::vector<double>& Shown, const TNatalRadii& Radii) {
  for (std::size_t i = 0; i < Shown.size(); ++i) {
    const bool body = i < Longitudes.size();
    const double truth = body ? Longitudes[i] : Layer.Points[i - Longitudes.size()].Longitude;
    // In the mark's own colour, so that a line leads the eye from a degree to its glyph.
    Painter.setPen(body ? PlanetColor(static_cast<int>(i) + 1) : PointColor);
    Line(Painter, Radii.Edge, truth, Radii.DegreeTick, truth);
    if (std::abs(Shown[i] - truth) > 0.5)
      Line(Painter, Radii.DegreeTick, truth, Radii.Leader, Shown[i]);
  }
}

void DrawPoints(QImage& Picture, const THouseLayer& Layer, const std::vector<double>& Shown,
                const TNatalRadii& Radii, std::vector<THintRegion>& Regions) {
  for (std::size_t i = 0; i < Layer.Points.size(); ++i) {
    const TWheelPoint& point = Layer.Points[i];
    const QPoint at = PolarPoint(Centre, Radii.Glyph, Shown[astro::kBodyCount + i]);
    const int x = at.x() - 8, y = at.y() - 8;
    DrawSymbol(&Picture, x, y, PointColor, point.Glyph);
    QString hint = point.Name + '\r' + SignDegreeName(point.Longitude);
    if (Layer.Houses)
      hint += QStringLiteral(", %1 дом").arg(astro::HouseOf(*Layer.Houses, point.Longitude));
    Regions.push_back({{x, y, x + 15, y + 15}, hint});
  }
}

} // namespace kosmo
