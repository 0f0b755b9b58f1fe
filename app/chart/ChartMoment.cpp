// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartMoment.h"

#include "DateTime.h"

#include <cstdio>

namespace chart {
namespace {

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days from 1970-01-01 to a proleptic Gregorian date (H. Hinnant's civil-days algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t EpochFromUnix = -25569;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0)))
    --q;
  return q;
}

bool AllDigits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9')
      return false;
  return !text.empty();
}

int DigitsValue(std::string_view text) {
  int value = 0;
  for (char c : text)
    value = value * 10 + (c - '0');
  return value;
}

} // namespace

bool IsValidDate(const TCivilDate& date) {
  if (date.Year < 1 || date.Year > 9999 || date.Month < 1 || date.Month > 12)
    return false;
  return date.Day >= 1 && date.Day <= DaysInMonth(date.Year, date.Month);
}

std::int64_t DaysSinceEpoch(const TCivilDate& date) {
  return DaysFromCivil(date.Year, static_cast<unsigned>(date.Month),
                       static_cast<unsigned>(date.Day)) -
         EpochFromUnix;
}

TCivilDate DateOfDay(std::int64_t days) {
  std::int64_t z = days + EpochFromUnix + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
  return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

TSeconds ToSeconds(const TCivilDate& date, const TClockTime& time) {
  return DaysSinceEpoch(date) * SecondsPerDay + time.Hour * 3600 + time.Minute * 60 + time.Second;
}

TCivilDate DateOf(TSeconds moment) {
  return DateOfDay(FloorDiv(moment, SecondsPerDay));
}

TClockTime TimeOf(TSeconds moment) {
  const TSeconds ofDay = moment - FloorDiv(moment, SecondsPerDay) * SecondsPerDay;
  return {static_cast<int>(ofDay / 3600), static_cast<int>(ofDay / 60 % 60),
          static_cast<int>(ofDay % 60)};
}

astro::TDateTime ToDateTime(TSeconds moment) {
  const TCivilDate date = DateOf(moment);
  const TClockTime time = TimeOf(moment);
  return astro::EncodeDateTime({date.Year, date.Month, date.Day},
                               {time.Hour, time.Minute, time.Second, 0});
}

std::optional<TCivilDate> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-')
    return std::nullopt;
  const std::string_view year = text.substr(0, 4), month = text.substr(5, 2),
                         day = text.substr(8, 2);
  if (!AllDigits(year) || !AllDigits(month) || !AllDigits(day))
    return std::nullopt;
  const TCivilDate date{DigitsValue(year), DigitsValue(month), DigitsValue(day)};
  if (!IsValidDate(date))
    return std::nullopt;
  return date;
}

std::optional<TClockTime> ParseClockTime(std::string_view text) {
  if ((text.size() != 5 && text.size() != 8) || text[2] != ':' ||
      (text.size() == 8 && text[5] != ':'))
    return std::nullopt;
  const std::string_view hour = text.substr(0, 2), minute = text.substr(3, 2),
                         second = text.size() == 8 ? text.substr(6, 2) : "00";
  if (!AllDigits(hour) || !AllDigits(minute) || !AllDigits(second))
    return std::nullopt;
  const TClockTime time{DigitsValue(hour), DigitsValue(minute), DigitsValue(second)};
  if (time.Hour > 23 || time.Minute > 59 || time.Second > 59)
    return std::nullopt;
  return time;
}

std::string MomentText(TSeconds moment) {
  const TCivilDate date = DateOf(moment);
  const TClockTime time = TimeOf(moment);
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", date.Day, date.Month, date.Year,
                time.Hour, time.Minute, time.Second);
  return text;
}

} // namespace chart
