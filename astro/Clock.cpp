// SPDX-License-Identifier: GPL-3.0-or-later
#include "Clock.h"

#include <chrono>
#include <ctime>

namespace astro {
namespace {

// Unix time 0 is day 25569 of the 1899-12-30 epoch.
constexpr double kUnixEpochDay = 25569.0;
constexpr double kSecondsPerDay = 86400.0;

std::function<TClockReading()>& InstalledClock() {
  static std::function<TClockReading()> clock;
  return clock;
}

TClockReading SystemNow() {
  const auto now = std::chrono::system_clock::now();
  const double unixSeconds = std::chrono::duration<double>(now.time_since_epoch()).count();
  const std::time_t whole = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&whole, &local);
  const double offsetSeconds = static_cast<double>(local.tm_gmtoff);
  return {kUnixEpochDay + (unixSeconds + offsetSeconds) / kSecondsPerDay,
          kUnixEpochDay + unixSeconds / kSecondsPerDay};
}

} // namespace

TClockReading Now() {
  const auto& clock = InstalledClock();
  return clock ? clock() : SystemNow();
}

void SetClock(std::function<TClockReading()> clock) {
  InstalledClock() = std::move(clock);
}

} // namespace astro
