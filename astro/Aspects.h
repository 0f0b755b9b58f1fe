// SPDX-License-Identifier: GPL-3.0-or-later
// The aspects between the ten bodies: the list as the views take it, the user's switches and
// orbs, and the search that finds the list under them.
#pragma once

#include "Vocabulary.h"

#include <array>
#include <cstdint>

namespace astro {

inline constexpr int kMaxAspects = 45; // the number of unordered pairs of ten bodies

struct TAspectItem {
  std::int32_t Planet1 = 0; // body 1..9
  std::int32_t Aspect = 0;  // aspect 1..18
  std::int32_t Planet2 = 0; // body Planet1 + 1 .. 10
  friend bool operator==(const TAspectItem&, const TAspectItem&) = default;
};

// A fixed record copied whole to the views. Items[0 .. Count - 1] are valid (the first item is
// Items[0]); the rest are stale. Ordered by Planet1, Planet2, Aspect.
struct TAspectList {
  std::int32_t Count = 0; // 0..45
  std::array<TAspectItem, kMaxAspects> Items{};
};

// The ten longitudes as handed to the views: element 0 is the Sun, element 9 Pluto (degrees).
using TLongitudes = std::array<double, kBodyCount>;

// The aspect switches and orbs (degrees) by aspect 1..18; element 0 unused.
struct TAspectSettings {
  std::array<bool, kAspectCount + 1> Enabled{};
  std::array<double, kAspectCount + 1> Orbs{};
};

// The search of the aspects between ten longitudes under one set of switches and orbs. Made
// once per set (it prepares a table of which aspects a separation can hold), then used for
// every moment.
class TAspectSearch {
public:
  TAspectSearch() { Prepare(); }
  explicit TAspectSearch(const TAspectSettings& Settings) : Settings_(Settings) { Prepare(); }

  const TAspectSettings& Settings() const { return Settings_; }

  // Fills List with the aspects that hold between the ten longitudes and returns how many
  // holding aspects it left out. When more than 45 hold, the 45 closest to exact are kept
  // (ties: the earlier in search order), listed in search order.
  int Find(const TLongitudes& Longitudes, TAspectList& List) const;

private:
  TAspectSettings Settings_;

  // Angular separations 0..180 in bins of 1/8 degree (bin k holds [k / 8, (k + 1) / 8), the
  // last bin exactly 180). Per bin, the set (bit a) of switched-on aspects whose orb range can
  // reach a separation in it, and the subset that holds for every separation in it; only the
  // rest go to the exact tests.
  static constexpr int kBinsPerDegree = 8;
  static constexpr int kLastBin = 180 * kBinsPerDegree;
  std::array<std::uint32_t, kLastBin + 1> Candidates_{};
  std::array<std::uint32_t, kLastBin + 1> Certain_{};

  void Prepare();
  // Whether Aspect holds between longitudes V and C (Separation apart), by the arc tests.
  bool HoldsAspect(int Aspect, double V, double C, double Separation) const;
  // The search once the list filled up: every match, the 45 closest kept.
  int KeepClosestAspects(const TLongitudes& Longitudes, TAspectList& List) const;
};

} // namespace astro
