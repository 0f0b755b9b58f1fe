// SPDX-License-Identifier: GPL-3.0-or-later
// One computed chart as a plain value: its moment, its place, the ten longitudes and their
// aspects, and, with a place, its houses, angles and points. Made by ComputeChart
// (chartvalue/Chart.h); the position model holds the current one.
#pragma once

#include "Aspects.h"
#include "Clock.h"
#include "chartvalue/Points.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace astro {

// Where a chart's offset from universal time comes from.
enum class TOffsetSource { WholeHours, Standard, Daylight, LocalMean, Fixed };

struct TChartMoment {
  TDateTime Local = 0;     // the moment as the place's clock read it
  TDateTime Universal = 0; // Local - OffsetSeconds
  int OffsetSeconds = 0;   // east of Greenwich: Local = Universal + OffsetSeconds
  TOffsetSource Source = TOffsetSource::WholeHours;
  std::string ZoneName; // IANA zone when the offset is the zone's by date, else empty
};

struct TChartPlace {
  double Latitude = 0;  // degrees, north positive
  double Longitude = 0; // degrees, east positive
  std::string Zone;     // IANA zone name, or empty
};

// Something aspected that is not one of the ten bodies.
enum class TChartPointKey { Asc, Mc, MeanNode, TrueNode, Lilith, Chiron, Fortune };

struct TPointAspect {
  int Body = 0;   // 1..10
  int Aspect = 0; // 1..18
  TChartPointKey Point = TChartPointKey::Asc;
  double Orb = 0; // |separation - aspect angle|, degrees
};

struct TChart {
  TChartMoment Moment;
  std::optional<TChartPlace> Place;
  TLongitudes Longitudes{};              // element 0 the Sun, degrees of date
  std::array<TBodyMotion, 10> Motions{}; // element 0 the Sun
  TAspectList Aspects{};                 // between the bodies
  int AspectsOmitted = 0;                // aspects that hold but did not fit the list
  std::optional<THouses> Houses;         // with a place; the angles are in it
  TPoints Points;
  std::vector<TPointAspect> PointAspects; // bodies to the angles and the points
  std::array<int, 10> BodyHouses{};       // 1..12 with houses, else 0
};

// Aspects between the ten bodies and the angles and points, under the same switches and orbs.
std::vector<TPointAspect> FindPointAspects(const TLongitudes& Longitudes,
                                           const std::optional<THouses>& Houses,
                                           const TPoints& Points, const TAspectSettings& Settings);

// Searches the chart's aspect lists (between the bodies, and to the angles and points) again
// under Search's switches and orbs.
void FindChartAspects(TChart& Chart, const TAspectSearch& Search);

} // namespace astro
