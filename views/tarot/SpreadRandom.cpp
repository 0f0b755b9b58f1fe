// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpreadRandom.h"

#include <algorithm>

#include "Clock.h"
#include "DateTime.h"

std::uint32_t TSpreadRandom::Draw(std::uint32_t N) {
  State_ = State_ * 134775813u + 1u;
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(State_) * N) >> 32);
}

std::uint32_t MillisecondsSinceMidnightUT() {
  const astro::TTimeOfDay t = astro::DecodeTime(astro::Now().Universal);
  return static_cast<std::uint32_t>(((t.Hour * 60 + t.Minute) * 60 + t.Second) * 1000 +
                                    t.Millisecond);
}

namespace {
std::optional<std::uint32_t> PinnedSeed;
}

std::uint32_t SpreadSeed() {
  return PinnedSeed ? *PinnedSeed : MillisecondsSinceMidnightUT();
}

void PinSpreadSeed(std::optional<std::uint32_t> Milliseconds) {
  PinnedSeed = Milliseconds;
}

TCardStates LaySpread(const astro::TAspectList& Aspects, TSpreadRandom& Random) {
  TCardStates states{};
  const int count = std::clamp<int>(Aspects.Count, 0, astro::kMaxAspects);
  for (int i = 0; i < count; ++i) {
    const astro::TAspectItem& item = Aspects.Items[i];
    if (item.Planet1 < 1 || item.Planet1 > astro::kBodyCount || item.Planet2 < 1 ||
        item.Planet2 > astro::kBodyCount || item.Aspect < 1 || item.Aspect > astro::kAspectCount) {
      continue;
    }
    const int arcanum = astro::PathArcanum[item.Planet1][item.Planet2];
    if (arcanum == 0) {
      continue;
    }
    const int nature = astro::AspectNature[item.Aspect];
    if (nature != 0) {
      states[arcanum] = nature;
    } else {
      Random.Seed(SpreadSeed());
      states[arcanum] = Random.Draw(100) < 49 ? -1 : +1;
    }
  }
  return states;
}
