// SPDX-License-Identifier: GPL-3.0-or-later
// Zones by date against known history of the tz database.
#include "ZoneOffset.h"

#include "DateTime.h"

#include <gtest/gtest.h>

using astro::EncodeDate;
using astro::EncodeTime;

namespace {

constexpr int kHour = 3600;

TZoneOffset At(const char* zone, int year, int month, int day, int hour = 12, int minute = 0,
               double longitude = 0) {
  const auto offset =
      HistoricOffset(zone, longitude, EncodeDate(year, month, day) + EncodeTime(hour, minute, 0));
  EXPECT_TRUE(offset) << zone;
  return offset.value_or(TZoneOffset{-1, TZoneSource::WholeHours});
}

} // namespace

TEST(ZoneOffset, FollowsTheHistoryOfTheZone) {
  struct TCase {
    const char* Zone;
    int Year, Month, Day;
    int Seconds;
    TZoneSource Source;
  };
  const TCase cases[] = {
      {"Europe/Moscow", 1995, 7, 1, 4 * kHour, TZoneSource::Daylight},
      {"Europe/Moscow", 1995, 1, 1, 3 * kHour, TZoneSource::Standard},
      {"Europe/Moscow", 2012, 7, 1, 4 * kHour, TZoneSource::Standard}, // permanent "summer" time
      {"Europe/Moscow", 2015, 7, 1, 3 * kHour, TZoneSource::Standard},
      {"Europe/Samara", 2005, 7, 1, 5 * kHour, TZoneSource::Daylight},
      {"Asia/Novosibirsk", 2015, 1, 1, 6 * kHour, TZoneSource::Standard},
      {"Asia/Novosibirsk", 2017, 1, 1, 7 * kHour, TZoneSource::Standard},
      {"Asia/Kolkata", 1990, 3, 15, 5 * kHour + 1800, TZoneSource::Standard},
      {"Asia/Kathmandu", 2001, 7, 1, 5 * kHour + 2700, TZoneSource::Standard},
      {"America/St_Johns", 2001, 1, 1, -(3 * kHour + 1800), TZoneSource::Standard},
  };
  for (const TCase& c : cases) {
    const TZoneOffset offset = At(c.Zone, c.Year, c.Month, c.Day);
    EXPECT_EQ(offset.Seconds, c.Seconds) << c.Zone << " " << c.Year;
    EXPECT_EQ(offset.Source, c.Source) << c.Zone << " " << c.Year;
  }
}

TEST(ZoneOffset, BeforeTheFirstStandardTimeIsTheMeanTimeOfTheCitysLongitude) {
  // Moscow at 37°37’ E: 37.61667 * 240 s = 2:30:28 (the zone's own Kremlin figure is 2:30:17).
  const TZoneOffset moscow = At("Europe/Moscow", 1870, 7, 1, 12, 0, 37 + 37 / 60.0);
  EXPECT_EQ(moscow.Seconds, 2 * kHour + 30 * 60 + 28);
  EXPECT_EQ(moscow.Source, TZoneSource::LocalMean);
  EXPECT_EQ(At("America/New_York", 1850, 1, 1, 12, 0, -74.0).Seconds, -(4 * kHour + 56 * 60));
  // Zones without history have no mean time.
  EXPECT_EQ(At("Etc/GMT-3", 1850, 1, 1, 12, 0, 40).Seconds, 3 * kHour);
}

TEST(ZoneOffset, TownsAwayFromTheZonesCityKeptTheirOwnMeanTimeUnlessALawSaidOtherwise) {
  struct TCase {
    const char* Zone;
    int Year;
    double Longitude;
    int Seconds;
    TZoneSource Source;
  };
  constexpr auto mean = TZoneSource::LocalMean;
  constexpr auto zone = TZoneSource::Standard;
  const TCase cases[] = {
      {"Europe/Moscow", 1900, 30 + 19 / 60.0, 2 * kHour + 60 + 16, mean},      // St Petersburg
      {"Europe/Moscow", 1900, 35 + 54 / 60.0, 2 * kHour + 23 * 60 + 36, mean}, // Tver
      {"Europe/Kyiv", 1900, 36 + 15 / 60.0, 2 * kHour + 25 * 60, mean},        // Kharkiv
      {"Europe/Kyiv", 1900, 30 + 45 / 60.0, 2 * kHour + 3 * 60, mean},         // Odesa
      {"Europe/Moscow", 1900, 37 + 37 / 60.0, 2 * kHour + 30 * 60 + 17, zone}, // Moscow itself
      {"Europe/Kyiv", 1900, 30 + 31 / 60.0, 2 * kHour + 2 * 60 + 4, zone},     // Kyiv itself
      {"Europe/Paris", 1900, 4 + 50 / 60.0, 9 * 60 + 21, zone},                // Lyon: law of 1891
      {"Europe/Amsterdam", 1912, 4 + 29 / 60.0, 19 * 60 + 32, zone},           // Rotterdam: 1909
      {"Europe/Amsterdam", 1900, 4 + 29 / 60.0, 17 * 60 + 56, mean},           // before the law
      {"Europe/Moscow", 1950, 30 + 19 / 60.0, 3 * kHour, zone},                // Moscow time
  };
  for (const TCase& c : cases) {
    const TZoneOffset offset = At(c.Zone, c.Year, 5, 1, 12, 0, c.Longitude);
    EXPECT_EQ(offset.Seconds, c.Seconds) << c.Zone << " " << c.Year << " " << c.Longitude;
    EXPECT_EQ(offset.Source, c.Source) << c.Zone << " " << c.Year << " " << c.Longitude;
    // The same at a universal moment, as the animation asks.
    EXPECT_EQ(HistoricOffsetAt(c.Zone, c.Longitude, EncodeDate(c.Year, 5, 1) + 0.4), offset);
  }
}

TEST(ZoneOffset, SkippedHourTakesTheOffsetBeforeAndDoubledHourItsEarlierOccurrence) {
  // Moscow, 28 March 2010: 02:00 MSK became 03:00 MSD; 31 October 2010: 03:00 MSD became 02:00.
  const TZoneOffset skipped = At("Europe/Moscow", 2010, 3, 28, 2, 30);
  EXPECT_EQ(skipped.Seconds, 3 * kHour);
  EXPECT_EQ(skipped.Source, TZoneSource::Standard);
  EXPECT_EQ(At("Europe/Moscow", 2010, 3, 28, 3, 0).Seconds, 4 * kHour);
  EXPECT_EQ(At("Europe/Moscow", 2010, 3, 28, 1, 59).Seconds, 3 * kHour);
  const TZoneOffset doubled = At("Europe/Moscow", 2010, 10, 31, 2, 30);
  EXPECT_EQ(doubled.Seconds, 4 * kHour);
  EXPECT_EQ(doubled.Source, TZoneSource::Daylight);
  EXPECT_EQ(At("Europe/Moscow", 2010, 10, 31, 3, 0).Seconds, 3 * kHour);
  EXPECT_FALSE(HistoricOffset("Nowhere/Atlantis", 0, EncodeDate(2000, 1, 1)));
  EXPECT_FALSE(HistoricOffset("", 0, EncodeDate(2000, 1, 1)));
  // A name that is a path never reaches the tz backend (which would open it, and block on a FIFO).
  // The first two name a real zone file by way of a path: without the check they would load.
  for (const char* path : {"../../../usr/share/zoneinfo/Europe/Samara", "Asia/../Europe/Samara",
                           "/dev/tty", "Europe//Samara", "-Europe/Samara"})
    EXPECT_FALSE(HistoricOffset(path, 0, EncodeDate(2000, 1, 1))) << path;
  EXPECT_TRUE(HistoricOffset("Etc/GMT+3", 0, EncodeDate(2000, 1, 1)));
}

TEST(ZoneOffset, UniversalTimeAndTexts) {
  const astro::TDateTime local = EncodeDate(2001, 7, 1) + EncodeTime(12, 0, 0);
  // Whole hours give exactly what a whole-hours zone always gave.
  EXPECT_EQ(ToUniversalTime(WholeHoursOffset(7), local), astro::ToUniversalTime(7, local));
  EXPECT_NEAR(ToUniversalTime({5 * kHour + 2700, TZoneSource::Standard}, local),
              EncodeDate(2001, 7, 1) + EncodeTime(6, 15, 0), 1e-9);
  EXPECT_EQ(OffsetText(5 * kHour + 1800), "UTC+05:30");
  EXPECT_EQ(OffsetText(-(3 * kHour + 1800)), "UTC-03:30");
  EXPECT_EQ(OffsetText(0), "UTC+00:00");
  EXPECT_EQ(OffsetText(9028), "UTC+02:30:28");
  EXPECT_EQ(WholeHoursOf(5 * kHour + 2700), 5);
  EXPECT_EQ(WholeHoursOf(-(3 * kHour + 1800)), -3);
}

TEST(ZoneOffset, ReadingsTheClocksSkippedOrPassedTwice) {
  const auto reading = [](const char* zone, int year, int month, int day, int hour, int minute) {
    return ClassifyLocal(zone, 37.6, EncodeDate(year, month, day) + EncodeTime(hour, minute, 0));
  };
  // Moscow's last changes of summer time: 28 March 2010 02:00 → 03:00, 31 October 03:00 → 02:00.
  EXPECT_EQ(reading("Europe/Moscow", 2010, 3, 28, 2, 30).Kind, TReadingKind::Skipped);
  EXPECT_EQ(reading("Europe/Moscow", 2010, 3, 28, 3, 0).Kind, TReadingKind::Once);
  const TLocalReading twice = reading("Europe/Moscow", 2010, 10, 31, 2, 30);
  ASSERT_EQ(twice.Kind, TReadingKind::Twice);
  EXPECT_EQ(twice.Earlier.Seconds, 4 * kHour);
  EXPECT_EQ(twice.Earlier.Source, TZoneSource::Daylight);
  EXPECT_EQ(twice.Later.Seconds, 3 * kHour);
  EXPECT_EQ(reading("Europe/Moscow", 2010, 10, 31, 3, 0).Kind, TReadingKind::Once);
  // No change since 2014: every reading once; an unknown zone says nothing.
  EXPECT_EQ(reading("Europe/Moscow", 2020, 10, 25, 2, 30).Kind, TReadingKind::Once);
  EXPECT_EQ(reading("Nowhere/City", 2010, 10, 31, 2, 30).Kind, TReadingKind::Once);
}

TEST(ZoneOffset, FixedOffsetsAreReadInTheUsualWritings) {
  EXPECT_EQ(ParseFixedOffset("+5:30"), 5 * kHour + 1800);
  EXPECT_EQ(ParseFixedOffset("UTC+05:45"), 5 * kHour + 2700);
  EXPECT_EQ(ParseFixedOffset("-3:30"), -(3 * kHour + 1800));
  EXPECT_EQ(ParseFixedOffset(" 4 "), 4 * kHour);
  EXPECT_EQ(ParseFixedOffset("-0:30"), -1800);
  EXPECT_EQ(ParseFixedOffset("+14"), 14 * kHour);
  for (const char* wrong : {"", "+15", "-13", "5:60", "5:3", "abc", "Europe/Samara", "+5:30x"})
    EXPECT_FALSE(ParseFixedOffset(wrong)) << wrong;
  EXPECT_EQ(FixedOffset(19800).Source, TZoneSource::Fixed);
  EXPECT_EQ(ToUniversalTime(FixedOffset(19800), EncodeDate(2000, 1, 1)),
            EncodeDate(2000, 1, 1) - 19800 / 86400.0);
}
