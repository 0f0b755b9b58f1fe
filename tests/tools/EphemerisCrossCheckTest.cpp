// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped ephemeris against a second, independent theory: libnova (VSOP87 for the
// Sun and planets, ELP 2000-82B for the Moon, Meeus' series for Pluto), every 30th day
// of 1900..2099. libnova answers in the J2000 frame at dynamical time, so each position
// is made apparent of date here: light time is libnova's, then annual aberration (not for
// the Moon, which travels with the Earth), precession to the date, the ecliptic of date,
// and the nutation in longitude.
#include "DeltaT.h"
#include "RawEphemerisFile.h"

#include <gtest/gtest.h>
#include <libnova/libnova.h>

#include <cmath>
#include <cstdio>

namespace {

constexpr const char* BodyNames[10] = {"Sun",     "Moon",   "Mercury", "Venus",   "Mars",
                                       "Jupiter", "Saturn", "Uranus",  "Neptune", "Pluto"};

// Mean equatorial J2000 → apparent ecliptic longitude of date, degrees.
double LongitudeOfDate(ln_equ_posn j2000, double jdTT, bool annualAberration) {
  if (annualAberration) {
    ln_equ_posn aberrated;
    ln_get_equ_aber(&j2000, jdTT, &aberrated);
    j2000 = aberrated;
  }
  ln_equ_posn ofDate;
  ln_get_equ_prec2(&j2000, JD2000, jdTT, &ofDate);
  ln_lnlat_posn ecliptic;
  ln_get_ecl_from_equ(&ofDate, jdTT, &ecliptic);
  ln_nutation nutation;
  ln_get_nutation(jdTT, &nutation);
  return ecliptic.lng + nutation.longitude;
}

// libnova's Sun: geometric ecliptic J2000; the aberration is the constant 20.4898″ / R.
double SunLongitude(double jdTT) {
  ln_helio_posn geometric;
  ln_get_solar_geom_coords(jdTT, &geometric);
  ln_lnlat_posn ecliptic{geometric.L, geometric.B};
  ln_equ_posn j2000;
  ln_get_equ_from_ecl(&ecliptic, JD2000, &j2000);
  return LongitudeOfDate(j2000, jdTT, false) - 20.4898 / 3600.0 / geometric.R;
}

double BodyLongitude(int body, double jdTT) {
  using EquatorialJ2000 = void (*)(double, ln_equ_posn*);
  static constexpr EquatorialJ2000 Planets[10] = {nullptr,
                                                  ln_get_lunar_equ_coords,
                                                  ln_get_mercury_equ_coords,
                                                  ln_get_venus_equ_coords,
                                                  ln_get_mars_equ_coords,
                                                  ln_get_jupiter_equ_coords,
                                                  ln_get_saturn_equ_coords,
                                                  ln_get_uranus_equ_coords,
                                                  ln_get_neptune_equ_coords,
                                                  ln_get_pluto_equ_coords};
  if (body == 0)
    return SunLongitude(jdTT);
  ln_equ_posn j2000;
  Planets[body](jdTT, &j2000);
  return LongitudeOfDate(j2000, jdTT, body != 1);
}

double AngularDistance(double a, double b) {
  return std::fabs(std::remainder(a - b, 360.0));
}

// Largest |file − libnova| per body over the sample, in degrees.
std::array<double, 10> LargestDifferences(const std::vector<rawefm::TDay>& days) {
  std::array<double, 10> largest{};
  int sampled = 0;
  for (std::size_t i = 0; i < days.size(); i += 30) {
    const rawefm::TDay& day = days[i];
    if (day.Year < 1900 || day.Year > 2099)
      continue;
    ln_date date{day.Year, day.Month, day.Day, 0, 0, 0.0};
    const double jdUT = ln_get_julian_day(&date);
    const double jdTT = jdUT + DeltaTSeconds(day.Year + (day.Month - 0.5) / 12.0) / 86400.0;
    for (int body = 0; body < 10; ++body)
      largest[body] =
          std::max(largest[body], AngularDistance(day.Longitude(body), BodyLongitude(body, jdTT)));
    ++sampled;
  }
  EXPECT_GT(sampled, 2400); // 200 years of every 30th day
  return largest;
}

TEST(EphemerisCrossCheck, AgreesWithLibnovaWithinTwoHundredthsOfADegree) {
  const auto days = rawefm::ReadDays(rawefm::ShippedEphemerisPath());
  ASSERT_EQ(days.size(), 146462u);
  const auto largest = LargestDifferences(days);
  std::printf("largest difference, file vs libnova, 1900..2099 every 30th day (degrees)\n");
  for (int body = 0; body < 10; ++body) {
    std::printf("%-8s %.4f\n", BodyNames[body], largest[body]);
    EXPECT_LE(largest[body], 0.02) << BodyNames[body];
  }
}

} // namespace
