// SPDX-License-Identifier: GPL-3.0-or-later
// The Sun and Moon of one local day at one place: rise, set and upper culmination of the Sun,
// rise and set of the Moon, and the Moon's phase. Computed with Swiss Ephemeris' built-in Moshier
// theory (no data files).
//
// Rise and set are the moments the upper limb touches the sea-level horizon with standard
// refraction (1013.25 hPa, 10 °C); the Moon's parallax is taken into account. The day is the
// calendar day of the chart's zone: from local 00:00 to the next local 00:00. Every moment given
// back is LOCAL time of that zone (TDateTime, days since 1899-12-30).
#pragma once

#include "Clock.h"

#include <optional>

namespace astro {

struct TGeoPlace {
  double LatitudeDeg = 0;  // degrees, north positive, -90..90
  double LongitudeDeg = 0; // degrees, east positive, -180..180
};

// Why an event does not happen in the day.
enum class TAbsence {
  None,       // it happens: the event has a moment
  AlwaysUp,   // the body stays above the horizon the whole day
  AlwaysDown, // the body stays below the horizon the whole day
  NotThisDay, // the body crosses the horizon that day, but this event falls on another day
};

struct TDayEvent {
  std::optional<TDateTime> Local; // local moment of the event, empty when it does not happen
  TAbsence Why = TAbsence::None;  // None exactly when Local holds a moment
};

// The named phases of the Moon. A principal phase (new, first quarter, full, last quarter) names
// the day on which its exact moment falls; the other days are named by the quarter they lie in.
enum class TLunarPhase {
  NewMoon,
  WaxingCrescent,
  FirstQuarter,
  WaxingGibbous,
  FullMoon,
  WaningGibbous,
  LastQuarter,
  WaningCrescent,
};

struct TMoonPhase {
  double Illuminated = 0; // illuminated fraction of the disc at local noon, 0..1
  bool Waxing = false;    // the Moon's elongation east of the Sun is below 180° at local noon
  double AgeDays = 0;     // days since the last new moon, at local noon
  TLunarPhase Name = TLunarPhase::NewMoon;
};

struct TAlmanacDay {
  TDayEvent SunRise, SunSet, SunCulmination;
  TDayEvent MoonRise, MoonSet;
  TMoonPhase Moon;
};

// The almanac of the local calendar day holding LocalDay (any moment of that day), at Place, in a
// zone OffsetMinutes east of UT (local = UT + offset; fractions allowed).
TAlmanacDay ComputeAlmanacDay(TDateTime LocalDay, double OffsetMinutes, const TGeoPlace& Place);

// The last almanac computed, kept so that asking again for the same local day, zone and place
// (an animation by minutes, a change of aspect settings) computes nothing.
class TAlmanacCache {
public:
  // True when Day would answer without computing.
  bool Holds(TDateTime LocalMoment, double OffsetMinutes, const TGeoPlace& Place) const;
  // The almanac of the local day holding LocalMoment; throws what ComputeAlmanacDay throws.
  const TAlmanacDay& Day(TDateTime LocalMoment, double OffsetMinutes, const TGeoPlace& Place);
  // Number of days computed so far.
  int ComputeCount() const { return Computed; }

private:
  struct TKey {
    double Day = 0;
    double OffsetMinutes = 0;
    double LatitudeDeg = 0;
    double LongitudeDeg = 0;
    bool operator==(const TKey&) const = default;
  };
  static TKey KeyOf(TDateTime LocalMoment, double OffsetMinutes, const TGeoPlace& Place);

  std::optional<TKey> Key;
  TAlmanacDay Last;
  int Computed = 0;
};

} // namespace astro
