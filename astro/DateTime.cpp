// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateTime.h"

#include "Formatting.h"
#include "Vocabulary.h"

#include <chrono>
#include <cmath>
#include <cstdint>

namespace astro {
namespace {

namespace chr = std::chrono;

constexpr std::int64_t kMsPerDay = 86'400'000;
// Day 0 of TDateTime (1899-12-30) counted from 1970-01-01.
constexpr std::int64_t kEpochOffsetDays = -25'569;
// 0001-01-01 and 10000-01-01 as TDateTime days: moments are kept inside the years 1..9999.
constexpr double kFirstDay = -693'593.0;
constexpr double kEndDay = 2'958'466.0;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0)))
    --q;
  return q;
}

// The moment as whole milliseconds since the epoch, rounded, clamped to the years 1..9999.
std::int64_t ToMilliseconds(TDateTime moment) {
  if (!std::isfinite(moment))
    return 0;
  if (moment < kFirstDay)
    moment = kFirstDay;
  const std::int64_t ms = std::llround(moment * static_cast<double>(kMsPerDay));
  const std::int64_t lastMs = static_cast<std::int64_t>(kEndDay) * kMsPerDay - 1;
  return ms > lastMs ? lastMs : ms;
}

std::int64_t DayNumber(TDateTime moment) {
  return FloorDiv(ToMilliseconds(moment), kMsPerDay);
}

std::int64_t MsOfDay(TDateTime moment) {
  const std::int64_t ms = ToMilliseconds(moment);
  return ms - FloorDiv(ms, kMsPerDay) * kMsPerDay;
}

} // namespace

int DaysInMonth(int Year, int Month) {
  if (Month < 1 || Month > 12)
    return 0;
  return static_cast<int>(static_cast<unsigned>(
      chr::year_month_day_last(chr::year(Year), chr::month_day_last(chr::month(Month))).day()));
}

bool IsValidDate(int Year, int Month, int Day) {
  return Year >= kMinYear && Year <= kMaxYear && Day >= 1 && Day <= DaysInMonth(Year, Month);
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Result) {
  if (!IsValidDate(Year, Month, Day))
    return false;
  const chr::year_month_day ymd{chr::year(Year), chr::month(Month), chr::day(Day)};
  Result = static_cast<double>(chr::sys_days(ymd).time_since_epoch().count() - kEpochOffsetDays);
  return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  TDateTime result = 0;
  if (!TryEncodeDate(Year, Month, Day, result))
    throw EConvertError("Invalid argument to date encode");
  return result;
}

namespace {

// The Julian day number of 1899-12-30, day 0 of TDateTime.
constexpr std::int64_t kEpochDayNumber = 2415019;

int JulianDaysInMonth(int Year, int Month) {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12)
    return 0;
  return Month == 2 && Year % 4 == 0 ? 29 : days[Month - 1];
}

} // namespace

bool IsValidJulianDate(int Year, int Month, int Day) {
  return Year >= kMinYear && Year <= kMaxYear && Day >= 1 && Day <= JulianDaysInMonth(Year, Month);
}

TDateTime JulianDateToDate(const TCalendarDate& Date) {
  if (!IsValidJulianDate(Date.Year, Date.Month, Date.Day))
    throw EConvertError("Invalid argument to Julian date encode");
  // The day number from March-based years, so the leap day ends its year.
  const std::int64_t a = (14 - Date.Month) / 12;
  const std::int64_t y = Date.Year + 4800 - a;
  const std::int64_t m = Date.Month + 12 * a - 3;
  const std::int64_t dayNumber = Date.Day + (153 * m + 2) / 5 + 365 * y + y / 4 - 32083;
  return static_cast<double>(dayNumber - kEpochDayNumber);
}

TCalendarDate DecodeJulianDate(TDateTime Moment) {
  const std::int64_t c = DayNumber(Moment) + kEpochDayNumber + 32082;
  const std::int64_t d = (4 * c + 3) / 1461;
  const std::int64_t e = c - 1461 * d / 4;
  const std::int64_t m = (5 * e + 2) / 153;
  return {static_cast<int>(d - 4800 + m / 10), static_cast<int>(m + 3 - 12 * (m / 10)),
          static_cast<int>(e - (153 * m + 2) / 5 + 1)};
}

TDateTime EncodeTime(int Hour, int Minute, int Second, int Millisecond) {
  if (Hour < 0 || Hour > 23 || Minute < 0 || Minute > 59 || Second < 0 || Second > 59 ||
      Millisecond < 0 || Millisecond > 999)
    throw EConvertError("Invalid argument to time encode");
  const std::int64_t ms = ((Hour * 60LL + Minute) * 60 + Second) * 1000 + Millisecond;
  return static_cast<double>(ms) / static_cast<double>(kMsPerDay);
}

TDateTime EncodeDateTime(const TCalendarDate& Date, const TTimeOfDay& Time) {
  return EncodeDate(Date.Year, Date.Month, Date.Day) +
         EncodeTime(Time.Hour, Time.Minute, Time.Second, Time.Millisecond);
}

TCalendarDate DecodeDate(TDateTime Moment) {
  const chr::sys_days day{chr::days(DayNumber(Moment) + kEpochOffsetDays)};
  const chr::year_month_day ymd{day};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

TTimeOfDay DecodeTime(TDateTime Moment) {
  std::int64_t ms = MsOfDay(Moment);
  TTimeOfDay t;
  t.Millisecond = static_cast<int>(ms % 1000);
  ms /= 1000;
  t.Second = static_cast<int>(ms % 60);
  ms /= 60;
  t.Minute = static_cast<int>(ms % 60);
  t.Hour = static_cast<int>(ms / 60);
  return t;
}

TDateTime DateOf(TDateTime Moment) {
  return static_cast<double>(DayNumber(Moment));
}

TDateTime TimeOf(TDateTime Moment) {
  return static_cast<double>(MsOfDay(Moment)) / static_cast<double>(kMsPerDay);
}

int SecondsOfDay(TDateTime Moment) {
  return static_cast<int>(MsOfDay(Moment) / 1000);
}

TDateTime ToUniversalTime(int TimeZoneHours, TDateTime Moment) {
  return Moment - static_cast<double>(TimeZoneHours) / 24.0;
}

std::string DateToText(TDateTime Moment) {
  const TCalendarDate d = DecodeDate(Moment);
  return ZeroPad(d.Day, 2) + "." + ZeroPad(d.Month, 2) + "." + ZeroPad(d.Year, 4);
}

TDateTime DateTextToDate(std::string_view Text) {
  auto field = [Text](std::size_t from, std::size_t length) {
    return from < Text.size() ? StrToIntVal(Text.substr(from, length)) : 0;
  };
  return EncodeDate(field(6, 4), field(3, 2), field(0, 2));
}

std::string TimeToText(TDateTime Moment) {
  const TTimeOfDay t = DecodeTime(Moment);
  return ZeroPad(t.Hour, 2) + ":" + ZeroPad(t.Minute, 2) + ":" + ZeroPad(t.Second, 2);
}

std::string DateToLongText(TDateTime Moment) {
  const TCalendarDate d = DecodeDate(Moment);
  std::string text = std::to_string(d.Day);
  text += ' ';
  text += MonthNamesOf[d.Month];
  text += ' ';
  text += ZeroPad(d.Year, 4);
  text += "г.";
  return text;
}

} // namespace astro
