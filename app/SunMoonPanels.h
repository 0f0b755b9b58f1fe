// SPDX-License-Identifier: GPL-3.0-or-later
// The six value panels of the planet tab's "Солнце" and "Луна" groups: Sun rise, set and upper
// culmination, Moon rise, set and illuminated fraction for the chart's local day at the chosen
// place, with hints for events that do not happen and for the phase. The almanac is computed only
// when the local day, the place or the zone changes, so animating by minutes costs nothing.
#pragma once

#include "Almanac.h"

#include <QString>
#include <array>

class QLabel;

class TSunMoonPanels {
public:
  // SunRise, SunSet, SunNoon, MoonFase (Moon rise), Panel2 (Moon set), Panel3 (phase).
  explicit TSunMoonPanels(const std::array<QLabel*, 6>& panels);

  // Shows the almanac of the local day holding LocalMoment, at Place, in a zone OffsetMinutes
  // east of UT. A failed computation leaves the panels empty with the error as their hint.
  void Show(astro::TDateTime LocalMoment, double OffsetMinutes, const astro::TGeoPlace& Place);
  // No place: every panel empty, no hints.
  void Clear();

  // Number of almanac computations so far (for checks and benchmarks).
  int ComputeCount() const { return Cache.ComputeCount(); }

private:
  void Fill(const astro::TAlmanacDay& day);
  void Set(int index, const QString& text, const QString& hint);

  std::array<QLabel*, 6> Panels;
  astro::TAlmanacCache Cache;
  bool Filled = false; // the panels show the day the cache holds
};
