// SPDX-License-Identifier: GPL-3.0-or-later
#include "Aspects.h"

#include "Angles.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace astro {
namespace {

// Slack of the quick rejection in Find: far above the rounding of sums of a few hundred
// degrees, far below any orb a user enters.
constexpr double kRejectSlack = 1e-9;
// Orbs up to this size make arcs of at most half the circle, where the arc tests agree with the
// distance of the separation from the aspect's angle.
constexpr double kLargestPlainOrb = 90.0;

// The angular distance of two longitudes, 0..180 degrees.
double SeparationOf(double V, double C) {
  const double distance = std::fabs(V - C);
  return std::min(distance, 360.0 - distance);
}

} // namespace

void TAspectSearch::Prepare() {
  for (int a = 1; a <= kAspectCount; ++a) {
    if (!Settings_.Enabled[a])
      continue;
    const double A = AspectAngles[a];
    const double O = Settings_.Orbs[a];
    const std::uint32_t bit = 1u << a;
    const bool plainOrb = O >= 0.0 && O <= kLargestPlainOrb;
    // Both tests hold on one run of bins, around the aspect's angle: only that run, widened by
    // two bins against rounding, is tested (every bin when the orb is not a usable number).
    const auto binOf = [](double degrees) {
      return static_cast<int>(std::clamp(std::floor(degrees * kBinsPerDegree), -2.0,
                                         static_cast<double>(kLastBin + 2)));
    };
    const bool usable = O >= 0.0 && std::isfinite(O);
    const int from = usable ? std::max(0, binOf(A - O - kRejectSlack) - 2) : 0;
    const int to = usable ? std::min(kLastBin, binOf(A + O + kRejectSlack) + 2) : kLastBin;
    for (int k = from; k <= to; ++k) {
      const double low = static_cast<double>(k) / kBinsPerDegree;
      const double high = k < kLastBin ? static_cast<double>(k + 1) / kBinsPerDegree : low;
      // Negative or unreadable orbs skip the pre-selection and go to the arc tests.
      if (!(O >= 0.0) || (A - O - kRejectSlack <= high && low <= A + O + kRejectSlack))
        Candidates_[k] |= bit;
      if (plainOrb && A - O + kRejectSlack < low && high < A + O - kRejectSlack)
        Certain_[k] |= bit;
    }
  }
}

bool TAspectSearch::HoldsAspect(int Aspect, double V, double C, double Separation) const {
  const double A = AspectAngles[Aspect];
  const double O = Settings_.Orbs[Aspect];
  // For an orb of 0..90 degrees the two arcs hold exactly the separations within the orb of the
  // angle; only a separation within rounding of the orb's edge (or a number that is not one)
  // needs the arc tests themselves to decide as they always have.
  const double beyondOrb = std::fabs(Separation - A) - O;
  const bool plainOrb = O >= 0.0 && O <= kLargestPlainOrb;
  if (plainOrb && beyondOrb > kRejectSlack)
    return false;
  return (plainOrb && beyondOrb < -kRejectSlack) || InArc(C + A - O, V, C + A + O) ||
         InArc(C - A - O, V, C - A + O);
}

int TAspectSearch::KeepClosestAspects(const TLongitudes& Longitudes, TAspectList& List) const {
  struct TMatch {
    TAspectItem Item;
    double Inexactness; // degrees between the separation and the aspect's angle
  };
  std::vector<TMatch> matches;
  for (int p1 = 1; p1 <= kBodyCount - 1; ++p1)
    for (int p2 = p1 + 1; p2 <= kBodyCount; ++p2) {
      const double V = Longitudes[p1 - 1];
      const double C = Longitudes[p2 - 1];
      const double separation = SeparationOf(V, C);
      for (int a = 1; a <= kAspectCount; ++a)
        if (Settings_.Enabled[a] && HoldsAspect(a, V, C, separation))
          matches.push_back({{p1, a, p2}, std::fabs(separation - AspectAngles[a])});
    }
  const std::size_t kept = std::min<std::size_t>(matches.size(), kMaxAspects);
  // The closest first, ties in search order; the kept ones then back in search order.
  std::vector<std::size_t> order(matches.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&matches](std::size_t x, std::size_t y) {
    return matches[x].Inexactness < matches[y].Inexactness;
  });
  order.resize(kept);
  std::sort(order.begin(), order.end());
  for (std::size_t i = 0; i < kept; ++i)
    List.Items[i] = matches[order[i]].Item;
  List.Count = static_cast<std::int32_t>(kept);
  return static_cast<int>(matches.size() - kept);
}

int TAspectSearch::Find(const TLongitudes& Longitudes, TAspectList& List) const {
  // Counted in a local: the compiler then need not reload the count after every item written.
  int count = 0;
  for (int p1 = 1; p1 <= kBodyCount - 1; ++p1) {
    const double V = Longitudes[p1 - 1];
    for (int p2 = p1 + 1; p2 <= kBodyCount; ++p2) {
      const double C = Longitudes[p2 - 1];
      // An aspect can only hold when the angular separation (0..180) lies within its orb of
      // its angle: the bin of the separation names the few aspects to look at.
      // Written without branches: which way a pair goes is a coin toss the processor would
      // guess wrong half the time.
      const double separation = SeparationOf(V, C);
      std::uint32_t candidates = Candidates_[kLastBin];
      std::uint32_t held = Certain_[kLastBin];
      if (separation >= 0.0 && separation < 180.0) {
        const int bin = static_cast<int>(separation * kBinsPerDegree);
        candidates = Candidates_[bin];
        held = Certain_[bin];
      } else if (!(separation == 180.0)) { // not a number: test every switched-on aspect
        held = 0;
        for (const std::uint32_t set : Candidates_)
          candidates |= set;
      }
      for (std::uint32_t unsure = candidates & ~held; unsure != 0; unsure &= unsure - 1) {
        const int a = __builtin_ctz(unsure);
        if (HoldsAspect(a, V, C, separation))
          held |= 1u << a;
      }
      // Ascending aspect order. The first item is written whether or not one holds (the
      // count < 45 slot is free) and counted only when it does, again without a branch.
      List.Items[count] = {p1, __builtin_ctz(held | 1u << 31), p2};
      count += held != 0 ? 1 : 0;
      for (held &= held - 1; held != 0; held &= held - 1) {
        if (count == kMaxAspects)
          break;
        List.Items[count++] = {p1, __builtin_ctz(held), p2};
      }
      if (count == kMaxAspects) // the list is full: there may be more matches than it holds
        return KeepClosestAspects(Longitudes, List);
    }
  }
  List.Count = count;
  return 0;
}

} // namespace astro
