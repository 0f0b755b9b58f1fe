// SPDX-License-Identifier: GPL-3.0-or-later
// One computed chart as a plain value: its moment, its place, the ten longitudes and their
// aspects from the ephemeris store, and, with a place, its houses, angles and points from Swiss
// Ephemeris. Every list, report and export reads such a value; nothing recomputes it.
#pragma once

#include "Houses.h"
#include "Points.h"

#include "Dignities.h"
#include "EfemerisClass.h"
#include "PlanetPosition.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace astro {

// Where a chart's offset from universal time comes from.
enum class TOffsetSource { WholeHours, Standard, Daylight, LocalMean, Fixed };
// The offset's source in words, as the window and the sheet print it ("поясное время", ...).
std::string_view OffsetSourceName(TOffsetSource Source);

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

// The aspect switches and orbs (degrees) by aspect 1..18; element 0 unused.
struct TAspectSettings {
  std::array<bool, kAspectCount + 1> Enabled{};
  std::array<double, kAspectCount + 1> Orbs{};
};

// The switches and orbs the model holds.
TAspectSettings AspectSettingsOf(const TPlanetPosition& Model);

// Something aspected that is not one of the ten bodies.
enum class TChartPointKey { Asc, Mc, MeanNode, TrueNode, Lilith, Chiron, Fortune };
// "asc", "mc", then PointKeys.
std::string_view ChartPointKey(TChartPointKey Key);
std::string_view ChartPointName(TChartPointKey Key);

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
  TAspectList Aspects{};                 // between the bodies, as the position model finds them
  std::optional<THouses> Houses;         // with a place; the angles are in it
  TPoints Points;
  std::vector<TPointAspect> PointAspects; // bodies to the angles and the points
  std::array<int, 10> BodyHouses{};       // 1..12 with houses, else 0
};

// Julian day (UT) of a TDateTime in universal time.
double JulianDayUT(TDateTime Universal);

// The chart of a moment (in the store's range) and an optional place. HouseSystem is a letter of
// kHouseSystems; AsteroidFolder as from astro::AsteroidFolder(). A place off the globe or an
// unknown system gives a chart without houses (and without the Part of Fortune).
TChart ComputeChart(const TEfemerisClass& Store, const TAspectSettings& Settings,
                    const TChartMoment& Moment, const std::optional<TChartPlace>& Place,
                    char HouseSystem, const std::string& AsteroidFolder);

// The places the fuller dignities are judged by: longitudes, houses, and the sect from the
// ascendant (or the local clock without houses).
TDignityPlaces DignityPlacesOf(const TChart& Chart);

// Aspects between the ten bodies and the angles and points, under the same switches and orbs.
std::vector<TPointAspect> FindPointAspects(const TLongitudes& Longitudes,
                                           const std::optional<THouses>& Houses,
                                           const TPoints& Points, const TAspectSettings& Settings);

} // namespace astro
