// SPDX-License-Identifier: GPL-3.0-or-later
// Houses and angles against an independent computation: libnova's apparent sidereal time and
// true obliquity, and each system's own definition (ascendant and MC from the local sphere;
// Porphyry trisects the quadrants; Equal and Whole Sign count 30° from the ascendant or its sign;
// Regiomontanus and Campanus divide the equator or the prime vertical by circles through the
// north and south points of the horizon).
#include "Houses.h"

#include <gtest/gtest.h>
#include <libnova/libnova.h>

#include <cmath>
#include <random>

namespace {

constexpr double kDeg = M_PI / 180.0;

double Norm(double x) {
  x = std::fmod(x, 360.0);
  return x < 0 ? x + 360.0 : x;
}

double ArcDiff(double a, double b) {
  const double d = Norm(a - b);
  return std::min(d, 360.0 - d);
}

struct TSky {
  double Armc = 0, Eps = 0;
};

TSky SkyAt(double jd, double lonDeg) {
  ln_nutation nutation{};
  ln_get_nutation(jd, &nutation);
  return {Norm(ln_get_apparent_sidereal_time(jd) * 15.0 + lonDeg),
          nutation.ecliptic + nutation.obliquity}; // mean obliquity + its nutation
}

// The ecliptic degree rising on the eastern horizon of latitude `lat` under sidereal angle `ramc`.
double Ascendant(double ramc, double lat, double eps) {
  return Norm(std::atan2(std::cos(ramc * kDeg), -(std::sin(ramc * kDeg) * std::cos(eps * kDeg) +
                                                  std::tan(lat * kDeg) * std::sin(eps * kDeg))) /
              kDeg);
}

double Midheaven(double ramc, double eps) {
  return Norm(std::atan2(std::sin(ramc * kDeg), std::cos(ramc * kDeg) * std::cos(eps * kDeg)) /
              kDeg);
}

// A house circle through the horizon's north and south points, crossing the equator `offset`
// degrees east of the meridian, is the horizon of latitude `pole`.
double CircleCusp(const TSky& sky, double offset, double pole) {
  return Ascendant(sky.Armc + offset - 90.0, pole, sky.Eps);
}

std::array<double, 12> Expected(char system, const TSky& sky, double lat) {
  const double asc = Ascendant(sky.Armc, lat, sky.Eps), mc = Midheaven(sky.Armc, sky.Eps);
  std::array<double, 12> c{};
  for (int i = 0; i < 12; ++i) {
    if (system == 'E')
      c[i] = Norm(asc + 30.0 * i);
    if (system == 'W')
      c[i] = std::floor(asc / 30.0) * 30.0 + 30.0 * i;
  }
  if (system == 'O') {
    const double upper = Norm(asc - mc), lower = 180.0 - upper;
    c = {asc, asc + lower / 3, asc + 2 * lower / 3, 0, 0, 0, 0, 0, 0,
         mc,  mc + upper / 3,  mc + 2 * upper / 3};
  }
  if (system == 'R' || system == 'C') {
    const std::pair<int, double> cusps[] = {{11, 30}, {12, 60}, {2, 120}, {3, 150}};
    c[0] = asc;
    c[9] = mc;
    for (auto [house, angle] : cusps) {
      const double s = std::sin(angle * kDeg), k = std::cos(angle * kDeg);
      const double offset = system == 'R' ? angle : std::atan2(std::cos(lat * kDeg) * s, k) / kDeg;
      const double pole = system == 'R' ? std::atan(std::tan(lat * kDeg) * s) / kDeg
                                        : std::asin(std::sin(lat * kDeg) * s) / kDeg;
      c[house - 1] = CircleCusp(sky, offset, pole);
    }
  }
  for (int i : {3, 4, 5, 6, 7, 8})
    if (system == 'O' || system == 'R' || system == 'C')
      c[i] = c[(i + 6) % 12] + 180.0;
  for (double& x : c)
    x = Norm(x);
  return c;
}

TEST(Houses, AgreeWithTheSystemsDefinitionsOverFourCenturies) {
  std::mt19937 random(20251209);
  std::uniform_real_distribution<double> day(2378496.5, 2524593.5), // 1800 .. 2200
      latitude(-66.0, 66.0), longitude(-180.0, 180.0);
  for (int n = 0; n < 400; ++n) {
    const double jd = day(random), lat = latitude(random), lon = longitude(random);
    const TSky sky = SkyAt(jd, lon);
    for (char system : {'O', 'E', 'W', 'R', 'C'}) {
      const astro::THouses houses = astro::ComputeHouses(jd, lat, lon, system);
      SCOPED_TRACE(testing::Message()
                   << system << " jd " << jd << " lat " << lat << " lon " << lon);
      EXPECT_LT(ArcDiff(houses.Asc, Ascendant(sky.Armc, lat, sky.Eps)), 0.01);
      EXPECT_LT(ArcDiff(houses.Mc, Midheaven(sky.Armc, sky.Eps)), 0.01);
      EXPECT_DOUBLE_EQ(houses.Dsc, Norm(houses.Asc + 180.0));
      const std::array<double, 12> expected = Expected(system, sky, lat);
      for (int i = 0; i < 12; ++i)
        EXPECT_LT(ArcDiff(houses.Cusps[i], expected[i]), 0.01) << "cusp " << i + 1;
      EXPECT_FALSE(houses.Fallback());
    }
  }
}

TEST(Houses, PolarPlacidusFallsBackToPorphyryAndSaysSo) {
  const double jd = 2451545.0;
  for (char system : {'P', 'K'}) {
    const astro::THouses houses = astro::ComputeHouses(jd, 70.0, 20.0, system);
    const astro::THouses porphyry = astro::ComputeHouses(jd, 70.0, 20.0, 'O');
    EXPECT_TRUE(houses.Fallback());
    EXPECT_EQ(houses.Used, 'O');
    EXPECT_EQ(houses.Cusps, porphyry.Cusps);
  }
  EXPECT_EQ(astro::FallbackText(astro::ComputeHouses(jd, 70.0, 20.0, 'P')),
            "Дома Плацидуса на широте 70° не определены; показаны дома Порфирия");
  EXPECT_EQ(astro::FallbackText(astro::ComputeHouses(jd, 55.75, 37.6, 'P')), "");
  EXPECT_THROW(astro::ComputeHouses(jd, 91.0, 0.0, 'P'), std::invalid_argument);
  EXPECT_THROW(astro::ComputeHouses(jd, 10.0, 0.0, 'G'), std::invalid_argument);
}

TEST(Houses, HouseOfAndSystemNames) {
  astro::THouses houses;
  for (int i = 0; i < 12; ++i)
    houses.Cusps[i] = Norm(350.0 + 30.0 * i);
  EXPECT_EQ(astro::HouseOf(houses, 355.0), 1);
  EXPECT_EQ(astro::HouseOf(houses, 19.99), 1);
  EXPECT_EQ(astro::HouseOf(houses, 20.0), 2);
  EXPECT_EQ(astro::HouseOf(houses, 349.0), 12);
  EXPECT_EQ(astro::ParseHouseSystem("k"), 'K');
  EXPECT_EQ(astro::ParseHouseSystem("Whole Sign"), 'W');
  EXPECT_EQ(astro::ParseHouseSystem("Плацидус"), 'P');
  EXPECT_EQ(astro::ParseHouseSystem("G"), std::nullopt);
}

} // namespace
