// SPDX-License-Identifier: GPL-3.0-or-later
// The cosmogram's picture: a chart wheel of 800 x 600 pixels about the centre (300, 300) with
// 0 deg Aries on the left and the zodiac running counter-clockwise, the date box and the body
// table on the right, and the hint regions of bodies, signs and segment labels. Longitudes are
// ecliptic degrees of date (0 <= L < 360); the moment is a local TDateTime (0 = none).
#pragma once

#include "Angles.h"
#include "Clock.h"
#include "PlanetPosition.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <array>
#include <vector>

namespace kosmo {

struct THouseLayer;

inline constexpr int PictureWidth = 800;
inline constexpr int PictureHeight = 600;
inline constexpr int Centre = 300;
inline constexpr int BodyPictureSize = 22;

// Drawing colour of each body (1..10), its glyph on the wheel and in the table.
QColor PlanetColor(int Body);
// Fill of a sign's sector (1..12) by its element: fire, earth, air, water in turn from Aries.
QColor ElementColor(int Sign);

// The point at Radius and Angle (degrees) about (Centre, Centre): X = trunc(Centre - r cos a),
// Y = trunc(Centre + r sin a), so 0 deg lies left of the centre and 90 deg below it.
QPoint PolarPoint(int Centre, double Radius, double AngleDegrees);

// A hot area of the picture (all four edges inside) and the hint shown over it.
struct THintRegion {
  astro::TRect Rect;
  QString Text;
};

struct THintRegions {
  std::array<THintRegion, astro::kSignCount + 1> Signs;        // 1..12
  std::array<THintRegion, astro::kBodyCount + 1> Bodies;       // 1..10
  std::array<THintRegion, astro::kSegmentCount + 1> Segments;  // 1..72
  std::array<THintRegion, astro::kBodyCount + 1> SecondBodies; // 1..10, with a second chart
  bool HasSecond = false;
  std::vector<THintRegion> Houses; // angles, house numbers and points, with houses shown
};

struct TSecondWheel;

// What one redraw shows.
struct TChart {
  astro::TLongitudes Longitudes{}; // [0] is the Sun
  double Moment = 0;               // local; 0 draws no date and time
  astro::TAspectList Aspects{};
  const THouseLayer* Houses = nullptr;  // with houses shown: drawn over the wheel
  const TSecondWheel* Second = nullptr; // a bi-wheel's second chart; none: the single wheel
};

// The pictures the wheel is drawn with: body b at Bodies[b] (22 x 22, pure white is
// transparent), and the 484 x 22 strip of Hebrew letters (cell n = letter n).
struct TArt {
  std::array<QImage, astro::kBodyCount + 1> Bodies;
  QImage Letters;
};

// Paints the whole wheel, date box and body table over Picture (never cleared first: the discs
// and sector fills cover the previous wheel) and rewrites every hint region. With Chart.Houses it
// also draws the houses, angles and points and spreads crowded bodies apart (KosmoHouses.h).
void DrawChart(QImage& Picture, const TChart& Chart, const TArt& Art, THintRegions& Regions);

// Hint of segment Segment (1..72): its three letter names, last stored first.
QString SegmentHint(int Segment);
// Hint of body Body: its name, then one line per aspect it takes part in, each line ended by a
// carriage return.
QString BodyHint(int Body, const astro::TAspectList& Aspects);

} // namespace kosmo
