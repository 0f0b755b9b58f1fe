// SPDX-License-Identifier: GPL-3.0-or-later
// Calendar conversions of TDateTime and the date and time texts of the chart.
//
// TDateTime (astro/Clock.h) counts days since 1899-12-30 00:00 on one continuous scale: the
// integer part (rounded down) is the day, the fraction the time of day, also for moments before
// 1899-12-30 (-0.25 is 1899-12-29 18:00), so adding hours or days is plain arithmetic everywhere.
// Moments are resolved to the millisecond. Calendar is the proleptic Gregorian one.
// Whether a moment is local or universal time is up to the caller; nothing here converts zones
// except ToUniversalTime.
#pragma once

#include "Clock.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace astro {

// An impossible date or time given to an encoding function.
class EConvertError : public std::runtime_error {
public:
  explicit EConvertError(const std::string& message) : std::runtime_error(message) {}
};

struct TCalendarDate {
  int Year = 0;  // 1..9999 for dates this program handles
  int Month = 0; // 1..12
  int Day = 0;   // 1..31
  friend bool operator==(const TCalendarDate&, const TCalendarDate&) = default;
};

struct TTimeOfDay {
  int Hour = 0;        // 0..23
  int Minute = 0;      // 0..59
  int Second = 0;      // 0..59
  int Millisecond = 0; // 0..999
  friend bool operator==(const TTimeOfDay&, const TTimeOfDay&) = default;
};

inline constexpr int kMinYear = 1;
inline constexpr int kMaxYear = 9999;

// True for a real Gregorian date with Year 1..9999.
bool IsValidDate(int Year, int Month, int Day);
// Days in the month (28..31); 0 for a month outside 1..12.
int DaysInMonth(int Year, int Month);

// The moment 00:00 of the date; an impossible date throws EConvertError.
TDateTime EncodeDate(int Year, int Month, int Day);
// As EncodeDate, but reports an impossible date by returning false (Result untouched).
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Result);
// The fraction of a day for the time; an impossible time throws EConvertError.
TDateTime EncodeTime(int Hour, int Minute, int Second, int Millisecond = 0);
// Date plus time of day.
TDateTime EncodeDateTime(const TCalendarDate& Date, const TTimeOfDay& Time);

TCalendarDate DecodeDate(TDateTime Moment);
TTimeOfDay DecodeTime(TDateTime Moment);

// 00:00 of the moment's day.
TDateTime DateOf(TDateTime Moment);
// The moment's time of day as a fraction of a day, 0 <= result < 1.
TDateTime TimeOf(TDateTime Moment);

// Hours * 3600 + minutes * 60 + seconds of the moment's time of day; milliseconds dropped.
int SecondsOfDay(TDateTime Moment);

// Old-style (Julian calendar) dates, as records before the calendar change give them.
// True for a real Julian date with Year 1..9999 (every fourth year a leap year, 1900 too).
bool IsValidJulianDate(int Year, int Month, int Day);
// The Gregorian 00:00 of the day written Date in the Julian calendar (Julian 25.10.1917 is
// Gregorian 07.11.1917); the date must be a valid Julian date.
TDateTime JulianDateToDate(const TCalendarDate& Date);
// The Julian calendar's writing of the moment's day.
TCalendarDate DecodeJulianDate(TDateTime Moment);

// Local moment -> universal time: Moment minus TimeZoneHours whole hours (zone east of Greenwich,
// +3 turns 12:00 local into 09:00 UT).
TDateTime ToUniversalTime(int TimeZoneHours, TDateTime Moment);

// "DD.MM.YYYY", day and month padded to 2 digits, year to 4 (05.01.2005).
std::string DateToText(TDateTime Moment);
// 00:00 of the date written as DD.MM.YYYY (day from characters 1-2, month 4-5, year 7-10,
// each by StrToIntVal); an impossible date throws EConvertError.
TDateTime DateTextToDate(std::string_view Text);
// "HH:MM:SS", each part padded to 2 digits (09:05:00).
std::string TimeToText(TDateTime Moment);
// Day unpadded, month name in the genitive, year padded to 4 digits, then "г." ("5 Января 2005г.").
std::string DateToLongText(TDateTime Moment);

} // namespace astro
