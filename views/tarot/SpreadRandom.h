// SPDX-License-Identifier: GPL-3.0-or-later
// The tarot spread an aspect list lays, and its random draw: the toolkit's 32-bit linear
// congruential generator, reseeded from the universal-time clock before every draw.
#pragma once

#include "PlanetPosition.h"
#include "Vocabulary.h"

#include <array>
#include <cstdint>
#include <optional>

class TSpreadRandom {
public:
  void Seed(std::uint32_t State) { State_ = State; }
  // Advances the state (state * 134775813 + 1 mod 2^32) and returns a number in 0 .. N - 1:
  // the high 32 bits of the new state times N.
  std::uint32_t Draw(std::uint32_t N);
  std::uint32_t State() const { return State_; }

private:
  std::uint32_t State_ = 0;
};

// Milliseconds since midnight of the program's clock in universal time.
std::uint32_t MillisecondsSinceMidnightUT();

// The seed of the next draw: the pinned value, or else the clock's milliseconds since midnight.
std::uint32_t SpreadSeed();
// Pins every later seed to Milliseconds (so a spread can be reproduced); nullopt unpins.
void PinSpreadSeed(std::optional<std::uint32_t> Milliseconds);

// State of each arcanum 1..22 (element 0 unused): 1 upright, -1 reversed, 0 not laid.
using TCardStates = std::array<int, astro::kArcanaCount + 1>;

// The spread of an aspect list: each aspect lays the arcanum of its path, upright for a
// harmonious aspect, reversed for a tense one, and by a draw (reseeded from SpreadSeed(), 49 in
// 100 reversed) for a neutral one; a later aspect on the same path replaces an earlier one.
TCardStates LaySpread(const astro::TAspectList& Aspects, TSpreadRandom& Random);
