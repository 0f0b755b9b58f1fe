// SPDX-License-Identifier: GPL-3.0-or-later
// The exact moments of a period: transits of moving bodies to the points of a natal chart, the
// sky's own aspects among the moving bodies, stations and sign ingresses. Positions are Swiss
// Ephemeris' apparent geocentric tropical longitudes of date (SweBodies.h); moments are found to
// about a second by a root search on the angle difference, polished against the library itself.
// Every moment here is universal time as TDateTime (days since 1899-12-30 00:00 UT).
#pragma once

#include "Clock.h"
#include "SweBodies.h"
#include "Vocabulary.h"

#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace astro::search {

enum class TEventKind { Transit, Aspect, Station, Ingress };

struct TSkyEvent {
  TEventKind Kind = TEventKind::Transit;
  TDateTime Universal = 0; // the exact moment, UT
  int Body = 0;            // the moving body 1..10
  int Aspect = 0;          // 1..18 for a transit or aspect, else 0
  std::string Natal;       // the natal point's key for a transit ("1".."10", "asc", ...), else ""
  int Other = 0;           // the second moving body of a sky aspect, else 0
  int Sign = 0;            // the sign entered, 1..12, for an ingress, else 0
  int Direction = 0;       // +1 direct, -1 retrograde: the turn of a station, the motion of an
                           // ingress or transit; 0 for a sky aspect
  std::optional<TDateTime> OrbEnter; // transit: when the orb was entered / is left (UT); empty
  std::optional<TDateTime> OrbLeave; // when that lies beyond the searched margin
};

struct TSearchRequest {
  TDateTime From = 0;                        // UT, inclusive
  TDateTime To = 0;                          // UT, exclusive
  std::array<bool, kBodyCount + 1> Moving{}; // [1..10]: bodies whose events are searched
  std::vector<TNatalPoint> Natal;            // transit targets; empty for the sky alone
  std::array<bool, kAspectCount + 1> AspectOn{};
  std::array<double, kAspectCount + 1> Orbs{}; // degrees, for the transits' orb times
  bool Transits = true;
  bool SkyAspects = true;
  bool Stations = true;
  bool Ingresses = true;
  bool MoonSkyEvents = false; // the Moon's ingresses and its aspects to other moving bodies
};

// A request with every body but the Moon moving and every aspect on (orbs zero).
TSearchRequest DefaultRequest(TDateTime From, TDateTime To);

// Progress 0..1, asked often; returning false cancels the search.
using TProgress = std::function<bool(double Fraction)>;

struct TSearchResult {
  std::vector<TSkyEvent> Events; // sorted by moment
  bool Cancelled = false;
};

// Runs the search; throws std::runtime_error when the library fails. Safe to run on a worker
// thread (the library keeps its state per thread).
TSearchResult FindEvents(const TSearchRequest& Request, const TProgress& Progress = {});

} // namespace astro::search
