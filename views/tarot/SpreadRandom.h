// SPDX-License-Identifier: GPL-3.0-or-later
// The random draw of the tarot spread: the toolkit's 32-bit linear congruential generator,
// reseeded from the universal-time clock before every draw.
#pragma once

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
