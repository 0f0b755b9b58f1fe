// SPDX-License-Identifier: GPL-3.0-or-later
// The house display of the cosmogram: the twelve cusps with their numbers, the ascendant-descendant
// and MC-IC axes labelled AC, DC, MC, IC, the chart points (lunar nodes, Black Moon, Chiron, Part
// of Fortune) with their glyphs, and the bodies and points spread apart along their ring with a
// line to their true degree. Longitudes are ecliptic degrees of date.
#pragma once

#include "Chart.h"
#include "KosmoDrawing.h"
#include "KosmoGeometry.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

namespace kosmo {

// A point drawn beside the bodies.
struct TWheelPoint {
  int Glyph = 0;        // symbol-font code
  double Longitude = 0; // degrees of date
  QString Name;
};

// What the house display draws: houses and angles when the chart has a place, and the points.
struct THouseLayer {
  std::optional<astro::THouses> Houses;
  std::vector<TWheelPoint> Points;
  std::string Note; // why a point is missing, or empty
};

// The layer of a chart's houses and points: the true node with the south node opposite, the
// Black Moon, Chiron when present and the Part of Fortune when there are houses.
THouseLayer HouseLayerOf(const std::optional<astro::THouses>& Houses, const astro::TPoints& Points);

// "Овен 15°07’": sign name and degree in the sign.
QString SignDegreeName(double Longitude);

// The longitudes (degrees) at which the ten bodies (element 0 the Sun) and then the layer's points
// are drawn so that no picture or glyph covers another on the natal ring at Radii.
std::vector<double> SpreadLongitudes(const astro::TLongitudes& Longitudes, const THouseLayer& Layer,
                                     const TNatalRadii& Radii);

// The top of the house legend under the body table, alone or under the second chart's legend.
inline constexpr int LegendTop = 290;
inline constexpr int LegendTopUnderSecond = 400;
// The house system's name (and its substitute, or a missing point) right of the wheel from Top;
// without a layer the place is only whitened, as the picture is without the house display.
void DrawLegend(QPainter& Painter, const THouseLayer* Layer, int Top = LegendTop);
// The AC, DC, MC and IC marks and labels in the band outside the sign ring.
void DrawAxisLabels(QPainter& Painter, const THouseLayer& Layer, std::vector<THintRegion>& Regions);
// Cusp lines, the ring of house numbers and the axes, over the white natal ring.
void DrawCusps(QPainter& Painter, const THouseLayer& Layer, const TNatalRadii& Radii,
               std::vector<THintRegion>& Regions);
// The ticks at the true degrees and the lines from them to where the glyphs are drawn. Shown
// follows SpreadLongitudes: the bodies, then the points.
void DrawLeaders(QPainter& Painter, const astro::TLongitudes& Longitudes, const THouseLayer& Layer,
                 const std::vector<double>& Shown, const TNatalRadii& Radii);
// The points' glyphs at their shown longitudes (Shown[10 + i] for point i).
void DrawPoints(QImage& Picture, const THouseLayer& Layer, const std::vector<double>& Shown,
                const TNatalRadii& Radii, std::vector<THintRegion>& Regions);

} // namespace kosmo
