// SPDX-License-Identifier: GPL-3.0-or-later
// The store's interpolated longitudes between the shipped daily records against Swiss
// Ephemeris (Moshier theory, apparent geocentric longitude of date) at the same universal time.
#include "EfemerisClass.h"
#include "RawEphemerisFile.h"

#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <random>

namespace {

constexpr double kJulianDayOfZero = 2415018.5; // TDateTime 0 = 1899-12-30 00:00 UT
constexpr int kBodies[10] = {SE_SUN,     SE_MOON,   SE_MERCURY, SE_VENUS,   SE_MARS,
                             SE_JUPITER, SE_SATURN, SE_URANUS,  SE_NEPTUNE, SE_PLUTO};

// Largest distance (degrees) of any body from the sky at MomentUT.
double WorstError(const astro::TEfemerisClass& store, astro::TDateTime MomentUT, int& body) {
  const std::array<double, 10> ours = store.LongitudesAt(MomentUT);
  double worst = 0.0;
  for (int b = 0; b < 10; ++b) {
    double sky[6] = {};
    char error[AS_MAXCH] = "";
    EXPECT_GE(swe_calc_ut(MomentUT + kJulianDayOfZero, kBodies[b], SEFLG_MOSEPH, sky, error), 0);
    const double off = std::fabs(std::remainder(ours[b] - sky[0], 360.0));
    if (off > worst) {
      worst = off;
      body = b + 1;
    }
  }
  return worst;
}

TEST(InterpolatedPositions, StayWithinAHundredthOfADegreeOfTheSky) {
  const astro::TEfemerisClass store(rawefm::ShippedEphemerisPath());
  ASSERT_TRUE(store.HasData());
  const double first = store.FirstDate() + 1.0; // the first and last days are straight lines
  const double span = std::floor(store.LastDate()) - 1.0 - first;
  std::vector<double> moments = {
      43265.5,                          // 14.06.2018 12:00 UT, the Moon at its fastest
      23284.0 + (11 * 60 + 42) / 1440.0 // 30.09.1963 11:42 UT, the Moon at 29°57' Aquarius
  };
  // The days of the Moon's fastest motion, and whole seconds at random across the range.
  const auto days = rawefm::ReadDays(rawefm::ShippedEphemerisPath());
  for (std::size_t i = 1; i + 1 < days.size(); ++i)
    if (std::remainder(days[i + 1].Longitude(1) - days[i].Longitude(1), 360.0) > 15.3)
      moments.push_back(store.FirstDate() + static_cast<double>(i) + 0.37);
  std::mt19937_64 random(23);
  for (int n = 0; n < 5000; ++n)
    moments.push_back(
        first + std::round(std::uniform_real_distribution<>(0, span)(random) * 86400.0) / 86400.0);
  double worst = 0.0;
  for (const double moment : moments) {
    int body = 0;
    const double off = WorstError(store, moment, body);
    worst = std::max(worst, off);
    ASSERT_LT(off, 0.012) << "body " << body << " at " << moment;
  }
  std::printf("%zu moments, largest error %.5f degrees\n", moments.size(), worst);
  swe_close();
}

} // namespace
