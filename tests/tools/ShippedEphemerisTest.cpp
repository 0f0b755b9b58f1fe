// SPDX-License-Identifier: GPL-3.0-or-later
// The generated ephemeris as a whole: every day of 1800..2200 once, in order, valid words,
// and daily motions that only the real geocentric bodies have.
#include "RawEphemerisFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

namespace {

using namespace std::chrono;

class ShippedEphemeris : public testing::Test {
protected:
  static void SetUpTestSuite() {
    Bytes = rawefm::ReadBytes(rawefm::ShippedEphemerisPath());
    Days = rawefm::ReadDays(rawefm::ShippedEphemerisPath());
  }
  static inline std::vector<std::uint8_t> Bytes;
  static inline std::vector<rawefm::TDay> Days;
};

TEST_F(ShippedEphemeris, HoldsEveryDayFrom1800To2200OnceInOrder) {
  ASSERT_EQ(Bytes.size(), 146462u * rawefm::RecordSize);
  sys_days expected = sys_days{year{1800} / January / 1};
  for (const rawefm::TDay& day : Days) {
    const year_month_day ymd{expected};
    ASSERT_EQ(day.Year, int(ymd.year()));
    ASSERT_EQ(day.Month, int(unsigned(ymd.month())));
    ASSERT_EQ(day.Day, int(unsigned(ymd.day())));
    expected += days{1};
  }
  EXPECT_EQ(year_month_day{expected - days{1}}, year{2200} / December / 31);
}

TEST_F(ShippedEphemeris, UnusedDateBitsAreZeroAndWordsAreValidLongitudes) {
  for (std::size_t at = 0; at < Bytes.size(); at += rawefm::RecordSize)
    ASSERT_EQ(Bytes[at + 1] & 0x70, 0) << "record " << at / rawefm::RecordSize;
  for (const rawefm::TDay& day : Days)
    for (int body = 0; body < 10; ++body) {
      ASSERT_LE(day.Degrees[body], 359);
      ASSERT_LE(day.Hundredths[body], 99);
    }
}

// Geocentric daily motion, degrees a day: the Sun always moves forward by about a degree and
// the Moon by 11..16 degrees; the planets stay within their greatest geocentric speeds and
// every planet is seen retrograde at times (a heliocentric table would never show that).
TEST_F(ShippedEphemeris, DailyMotionsAreThoseOfTheGeocentricBodies) {
  const double slowest[10] = {0.94, 11.6, -1.5, -0.7, -0.5, -0.2, -0.11, -0.065, -0.045, -0.045};
  const double fastest[10] = {1.03, 15.5, 2.3, 1.32, 0.85, 0.27, 0.155, 0.085, 0.055, 0.065};
  bool retrograde[10] = {};
  for (std::size_t i = 1; i < Days.size(); ++i)
    for (int body = 0; body < 10; ++body) {
      const double motion =
          std::remainder(Days[i].Longitude(body) - Days[i - 1].Longitude(body), 360.0);
      ASSERT_GE(motion, slowest[body]) << "body " << body + 1 << " record " << i;
      ASSERT_LE(motion, fastest[body]) << "body " << body + 1 << " record " << i;
      retrograde[body] = retrograde[body] || motion < 0;
    }
  for (int body = 2; body < 10; ++body)
    EXPECT_TRUE(retrograde[body]) << "body " << body + 1;
}

} // namespace
