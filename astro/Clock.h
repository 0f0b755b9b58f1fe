// SPDX-License-Identifier: GPL-3.0-or-later
// The one replaceable clock: every "now" of the program comes from here, so tests can pin today.
#pragma once

#include <functional>

namespace astro {

// Days since 1899-12-30 00:00, the fraction being the time of day.
using TDateTime = double;

struct TClockReading {
  TDateTime Local;     // wall-clock time of the machine's zone
  TDateTime Universal; // UT
};

// The current moment, from the system clock or from the clock a test installed.
TClockReading Now();

// Replaces the clock; an empty function restores the system clock.
void SetClock(std::function<TClockReading()> clock);

} // namespace astro
