// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpreadRandom.h"

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
