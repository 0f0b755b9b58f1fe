// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateTime.h"

#include <gtest/gtest.h>

using namespace astro;

TEST(DateTime, EncodeAndDecodeAgreeAcrossTheEpoch) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2005, 1, 5), 38357.0);
  EXPECT_EQ(EncodeDate(1800, 1, 1), -36522.0);
  for (const TCalendarDate d : {TCalendarDate{1800, 1, 1}, TCalendarDate{1899, 12, 29},
                                TCalendarDate{2000, 2, 29}, TCalendarDate{2200, 12, 31}})
    EXPECT_EQ(DecodeDate(EncodeDate(d.Year, d.Month, d.Day)), d);
  // One continuous scale: a moment before the epoch decodes with its day rounded down.
  EXPECT_EQ(DecodeDate(-0.25), (TCalendarDate{1899, 12, 29}));
  EXPECT_EQ(DecodeTime(-0.25), (TTimeOfDay{18, 0, 0, 0}));
}

TEST(DateTime, ImpossibleDatesAndTimesAreRefused) {
  EXPECT_THROW(EncodeDate(2005, 2, 29), EConvertError);
  EXPECT_THROW(EncodeDate(2005, 13, 1), EConvertError);
  EXPECT_THROW(EncodeDate(2005, 1, 0), EConvertError);
  EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 60, 0), EConvertError);
  TDateTime untouched = 7;
  EXPECT_FALSE(TryEncodeDate(2100, 2, 29, untouched));
  EXPECT_EQ(untouched, 7);
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29, untouched));
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
}

TEST(DateTime, TimeOfDayIsResolvedToTheMillisecond) {
  const TDateTime noonPlus = EncodeDate(2005, 1, 5) + EncodeTime(12, 30, 15, 999);
  EXPECT_EQ(DecodeTime(noonPlus), (TTimeOfDay{12, 30, 15, 999}));
  EXPECT_EQ(SecondsOfDay(noonPlus), 12 * 3600 + 30 * 60 + 15); // milliseconds dropped
  // 23:59:59.9996 rounds to the next day's midnight instead of reading 23:59:60.
  const TDateTime almostMidnight = EncodeDate(2005, 1, 5) + (86399.9996 / 86400.0);
  EXPECT_EQ(DecodeDate(almostMidnight), (TCalendarDate{2005, 1, 6}));
  EXPECT_EQ(SecondsOfDay(almostMidnight), 0);
  EXPECT_EQ(SecondsOfDay(-0.5), 43200);
  EXPECT_EQ(DateOf(noonPlus), EncodeDate(2005, 1, 5));
}

TEST(DateTime, ToUniversalTimeSubtractsTheZoneHours) {
  const TDateTime localNoon = EncodeDate(2005, 1, 5) + EncodeTime(12, 0, 0);
  EXPECT_EQ(TimeToText(ToUniversalTime(3, localNoon)), "09:00:00");
  EXPECT_EQ(TimeToText(ToUniversalTime(-5, localNoon)), "17:00:00");
  // Crossing midnight backwards moves the date, also before the epoch.
  const TDateTime early = EncodeDate(1850, 3, 1) + EncodeTime(1, 0, 0);
  const TDateTime ut = ToUniversalTime(3, early);
  EXPECT_EQ(DateToText(ut), "28.02.1850");
  EXPECT_EQ(TimeToText(ut), "22:00:00");
}

TEST(DateTime, Texts) {
  const TDateTime d = EncodeDate(2005, 1, 5) + EncodeTime(9, 5, 0);
  EXPECT_EQ(DateToText(d), "05.01.2005");
  EXPECT_EQ(TimeToText(d), "09:05:00");
  EXPECT_EQ(DateToLongText(d), "5 Января 2005г.");
  EXPECT_EQ(DateToLongText(EncodeDate(987, 12, 31)), "31 Декабря 0987г.");
  EXPECT_EQ(DateToText(EncodeDate(987, 3, 1)), "01.03.0987");
  EXPECT_EQ(DateTextToDate("05.01.2005"), EncodeDate(2005, 1, 5));
  EXPECT_EQ(DateTextToDate("29.02.2000"), EncodeDate(2000, 2, 29));
  EXPECT_THROW(DateTextToDate("29.02.2001"), EConvertError);
  EXPECT_THROW(DateTextToDate("05.13.2005"), EConvertError);
  EXPECT_THROW(DateTextToDate("05.01"), EConvertError);
  EXPECT_THROW(DateTextToDate(""), EConvertError);
}

TEST(DateTime, OldStyleDatesMeetTheirCivilDatesAcrossTheCenturyLeapDays) {
  // Dates of record on both calendars: the gap grows by a day at each Julian 29 February that
  // the Gregorian calendar skips (1700, 1800, 1900, 2100).
  const struct {
    TCalendarDate Julian, Civil;
  } pairs[] = {{{1582, 10, 5}, {1582, 10, 15}}, {{1700, 1, 1}, {1700, 1, 11}},
               {{1700, 2, 29}, {1700, 3, 11}},  {{1800, 2, 28}, {1800, 3, 11}},
               {{1800, 2, 29}, {1800, 3, 12}},  {{1900, 2, 28}, {1900, 3, 12}},
               {{1900, 2, 29}, {1900, 3, 13}},  {{1900, 3, 1}, {1900, 3, 14}},
               {{1917, 10, 25}, {1917, 11, 7}}, {{1918, 2, 1}, {1918, 2, 14}},
               {{2100, 2, 29}, {2100, 3, 14}}};
  for (const auto& pair : pairs) {
    EXPECT_EQ(DecodeDate(JulianDateToDate(pair.Julian)), pair.Civil) << pair.Julian.Year;
    EXPECT_EQ(DecodeJulianDate(EncodeDate(pair.Civil.Year, pair.Civil.Month, pair.Civil.Day)),
              pair.Julian);
  }
  EXPECT_TRUE(IsValidJulianDate(1900, 2, 29));
  EXPECT_FALSE(IsValidJulianDate(1901, 2, 29));
  EXPECT_FALSE(IsValidJulianDate(1918, 13, 1));
  EXPECT_THROW(JulianDateToDate({1918, 2, 30}), EConvertError);
}
