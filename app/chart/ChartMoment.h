// SPDX-License-Identifier: GPL-3.0-or-later
// Moments of the command-line companion: whole seconds of local (or UT) wall-clock time,
// counted from 1899-12-30 00:00, so that stepping through a series never drifts.
#pragma once

#include "Clock.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace chart {

// Whole seconds since 1899-12-30 00:00 (the epoch of TDateTime); negative before it.
using TSeconds = std::int64_t;

constexpr TSeconds SecondsPerDay = 86400;

struct TCivilDate {
  int Year = 0;  // 1..9999
  int Month = 0; // 1..12
  int Day = 0;   // 1..31
};

struct TClockTime {
  int Hour = 0;   // 0..23
  int Minute = 0; // 0..59
  int Second = 0; // 0..59
};

// True when the date exists in the proleptic Gregorian calendar (years 1..9999).
bool IsValidDate(const TCivilDate& date);

// Days from 1899-12-30 to the date (negative before it). The date must be valid.
std::int64_t DaysSinceEpoch(const TCivilDate& date);

// The inverse of DaysSinceEpoch.
TCivilDate DateOfDay(std::int64_t days);

TSeconds ToSeconds(const TCivilDate& date, const TClockTime& time);

// Splits a moment into its calendar day and its time of day.
TCivilDate DateOf(TSeconds moment);
TClockTime TimeOf(TSeconds moment);

// The moment as the program's TDateTime (astro::EncodeDateTime of its date and time).
astro::TDateTime ToDateTime(TSeconds moment);

// "YYYY-MM-DD" with a four-digit year; nullopt when malformed or not a real date.
std::optional<TCivilDate> ParseIsoDate(std::string_view text);

// "hh:mm" or "hh:mm:ss" with two digits each; nullopt when malformed or out of range.
std::optional<TClockTime> ParseClockTime(std::string_view text);

// DD.MM.YYYY hh:mm:ss, the way the program writes dates and times.
std::string MomentText(TSeconds moment);

} // namespace chart
