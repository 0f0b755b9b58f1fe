// SPDX-License-Identifier: GPL-3.0-or-later
// A second chart read around a natal one: the sky of another moment (transits), another person's
// chart (synastry), the Sun's and the Moon's returns and the secondary progression; and the
// aspects between the two charts. Moments are TDateTime in universal time unless named Local;
// longitudes are apparent geocentric tropical degrees of date, 0 <= L < 360.
#pragma once

#include "Chart.h"

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace astro {

enum class TSecondKind { None, Transit, Synastry, SolarReturn, LunarReturn, Progressed };

// "transit", "synastry", "solar_return", "lunar_return", "progressed"; "" for None.
std::string_view SecondKindKey(TSecondKind Kind);
// "Транзиты", "Синастрия", "Соляр", "Лунар", "Прогрессии"; "Нет" for None.
std::string_view SecondKindName(TSecondKind Kind);
// The kind of a key; nullopt for an unknown one.
std::optional<TSecondKind> SecondKindOfKey(std::string_view Key);

// The length of a year of life in a secondary progression: the mean tropical year, in days.
inline constexpr double kProgressionYearDays = 365.242190;

// The moment the Sun comes back to SunLongitude (degrees) in the given calendar year: the one
// nearest the birthday of that year. From Swiss Ephemeris positions, to well under a second.
TDateTime SolarReturnMoment(TDateTime BirthUT, double SunLongitude, int Year);
// The first moment at or after AfterUT at which the Moon stands at MoonLongitude (degrees).
TDateTime LunarReturnMoment(double MoonLongitude, TDateTime AfterUT);
// The progressed moment of TargetUT: one day after birth for each year of life.
TDateTime ProgressedMoment(TDateTime BirthUT, TDateTime TargetUT);
// The natal houses with every cusp and angle moved forward by Arc degrees (the solar arc).
THouses ProgressHouses(const THouses& Natal, double Arc);

// Reads a universal moment on the clock of the second chart's place.
using TMomentReader = std::function<TChartMoment(TDateTime Universal)>;

struct TSecondRequest {
  TSecondKind Kind = TSecondKind::None;
  TDateTime Universal = 0;          // transit: its moment; lunar return: the search starts here;
                                    // progression: the moment progressed to
  int Year = 0;                     // solar return
  std::optional<TChartPlace> Place; // of a transit or a return; the natal place when absent
  TMomentReader Reader;             // the place's clock; universal time read as is when empty
  std::optional<TChart> Other;      // synastry: the partner's chart, as computed
};

// The second chart around Natal. Longitudes come from the store, houses and points from Swiss
// Ephemeris at the second chart's moment; a progressed chart has the natal houses moved by the
// solar arc. Throws std::out_of_range when the moment falls outside the store's days and
// std::invalid_argument for a request without a kind (or a synastry without a chart).
TChart ComputeSecondChart(const TEfemerisClass& Store, const TAspectSettings& Settings,
                          const TChart& Natal, const TSecondRequest& Request, char HouseSystem,
                          const std::string& AsteroidFolder);

// A body 1..10, or an angle (Body 0) of a chart.
struct TCrossPoint {
  int Body = 0;
  TChartPointKey Angle = TChartPointKey::Asc; // Asc or Mc when Body is 0
  friend bool operator==(const TCrossPoint&, const TCrossPoint&) = default;
};

struct TCrossAspect {
  TCrossPoint Second;
  int Aspect = 0; // 1..18
  TCrossPoint Natal;
  double Orb = 0;        // |separation - aspect angle|, degrees
  bool Applying = false; // the orb shrinks as the second chart's point moves on
};

// Aspects between the second chart's bodies and angles and the natal bodies and angles, under
// the switches and orbs, sorted by orb (then second point, aspect, natal point).
std::vector<TCrossAspect> FindCrossAspects(const TChart& Second, const TChart& Natal,
                                           const TAspectSettings& Settings);

// "Солнце", "Асцендент", "MC"; and the JSON key: "1".."10", "asc", "mc".
std::string_view CrossPointName(const TCrossPoint& Point);
std::string CrossPointKey(const TCrossPoint& Point);

} // namespace astro
