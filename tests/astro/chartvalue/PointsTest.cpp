// SPDX-License-Identifier: GPL-3.0-or-later
// The points and motions against Swiss Ephemeris called here directly, and the Part of Fortune's
// day and night formulas; aspects to angles and points under the switches and orbs.
#include "Points.h"
#include "Chart.h"

#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

namespace {

std::map<astro::TPointKind, double> ByKind(const astro::TPoints& points) {
  std::map<astro::TPointKind, double> found;
  for (const astro::TPoint& point : points.Items)
    found[point.Kind] = point.Longitude;
  return found;
}

double SweLongitude(double jd, int body, int flags) {
  double x[6];
  char error[AS_MAXCH];
  EXPECT_GE(swe_calc_ut(jd, body, flags, x, error), 0) << error;
  return x[0];
}

TEST(Points, NodesLilithAndChironAreSwissEphemeris) {
  for (double jd : {2378497.0, 2446000.3, 2460000.7, 2524590.1}) {
    const auto points =
        ByKind(astro::ComputePoints(jd, std::nullopt, 0, 0, astro::AsteroidFolder()));
    EXPECT_NEAR(points.at(astro::TPointKind::MeanNode),
                SweLongitude(jd, SE_MEAN_NODE, SEFLG_MOSEPH), 1e-9);
    EXPECT_NEAR(points.at(astro::TPointKind::TrueNode),
                SweLongitude(jd, SE_TRUE_NODE, SEFLG_MOSEPH), 1e-9);
    EXPECT_NEAR(points.at(astro::TPointKind::Lilith), SweLongitude(jd, SE_MEAN_APOG, SEFLG_MOSEPH),
                1e-9);
    ASSERT_FALSE(astro::AsteroidFolder().empty()) << "swe-basic-data is not installed";
    swe_set_ephe_path(astro::AsteroidFolder().c_str());
    EXPECT_NEAR(points.at(astro::TPointKind::Chiron), SweLongitude(jd, SE_CHIRON, SEFLG_SWIEPH),
                1e-9);
    EXPECT_EQ(points.count(astro::TPointKind::Fortune), 0u); // no houses, no Fortune
  }
}

TEST(Points, ChironWithoutTheAsteroidFileIsLeftOutWithANote) {
  const astro::TPoints points = astro::ComputePoints(2451545.0, std::nullopt, 0, 0, "");
  EXPECT_EQ(ByKind(points).count(astro::TPointKind::Chiron), 0u);
  EXPECT_NE(points.Note.find("Хирон не показан"), std::string::npos);
  const astro::TPoints unreadable =
      astro::ComputePoints(2451545.0, std::nullopt, 0, 0, "/nonexistent");
  EXPECT_EQ(ByKind(unreadable).count(astro::TPointKind::Chiron), 0u);
  EXPECT_NE(unreadable.Note.find("/nonexistent"), std::string::npos);
}

TEST(Points, FortuneByDayAndByNight) {
  astro::THouses houses;
  houses.Asc = 100.0;
  houses.Dsc = 280.0;
  // Sun at 200 lies between the descendant and the ascendant through the MC: a day chart.
  auto fortune = [&](double sun, double moon) {
    return ByKind(astro::ComputePoints(2451545.0, houses, sun, moon, ""))
        .at(astro::TPointKind::Fortune);
  };
  EXPECT_DOUBLE_EQ(fortune(300.0, 10.0), 100.0 + 10.0 - 300.0 + 360.0);
  EXPECT_DOUBLE_EQ(fortune(200.0, 10.0), 100.0 + 200.0 - 10.0);
}

TEST(Points, MercuryStationOfApril2024) {
  // Mercury turned retrograde on 2024-04-01 at 22:14 UT.
  const double station = 2460402.4264;
  EXPECT_EQ(astro::BodyMotions(station)[2].Motion, astro::TMotion::Stationary);
  EXPECT_EQ(astro::BodyMotions(station + 8)[2].Motion, astro::TMotion::Retrograde);
  EXPECT_EQ(astro::BodyMotions(station - 8)[2].Motion, astro::TMotion::Direct);
  EXPECT_EQ(astro::BodyMotions(station)[0].Motion, astro::TMotion::Direct);
}

// Direct, retrograde or stationary the way a reader of an ephemeris sees it: Swiss Ephemeris
// speeds a day before, at and a day after the moment, a change of sign meaning a station.
astro::TMotion ThreeDayMotion(double jd, int body) {
  double speed[3];
  for (int i = 0; i < 3; ++i) {
    double x[6];
    char error[AS_MAXCH];
    swe_calc_ut(jd + i - 1, body, SEFLG_MOSEPH | SEFLG_SPEED, x, error);
    speed[i] = x[3];
  }
  if (speed[0] * speed[1] <= 0.0 || speed[1] * speed[2] <= 0.0)
    return astro::TMotion::Stationary;
  return speed[1] < 0.0 ? astro::TMotion::Retrograde : astro::TMotion::Direct;
}

TEST(Points, MotionsAgreeWithThreeDaysOfSwissEphemerisAlsoAroundStations) {
  const int bodies[10] = {SE_SUN,     SE_MOON,   SE_MERCURY, SE_VENUS,   SE_MARS,
                          SE_JUPITER, SE_SATURN, SE_URANUS,  SE_NEPTUNE, SE_PLUTO};
  std::vector<double> moments;
  std::uint32_t seed = 2024;
  const double first = 2378496.5, last = 2524958.5; // 1800-01-01 .. 2200-12-31
  for (int i = 0; i < 300; ++i) {
    seed = seed * 1664525u + 1013904223u;
    moments.push_back(first + (last - first) * (seed / 4294967296.0));
  }
  // Around the planets' stations within a few years (and their edges at one day), found by a
  // change of sign of the speed from day to day.
  for (int b = 2; b < 10; ++b) {
    double before = 0;
    for (double jd = 2451545.0; jd < 2451545.0 + 3 * 365.25; jd += 1.0) {
      double x[6];
      char error[AS_MAXCH];
      swe_calc_ut(jd, bodies[b], SEFLG_MOSEPH | SEFLG_SPEED, x, error);
      if (jd > 2451545.0 && before * x[3] <= 0.0)
        for (double offset : {-2.0, -1.01, -1.0, -0.99, -0.5, 0.0, 0.5, 0.99, 1.0, 1.01, 2.0})
          moments.push_back(jd - 0.5 + offset);
      before = x[3];
    }
  }
  int stationary = 0;
  for (double jd : moments) {
    const auto motions = astro::BodyMotions(jd);
    for (int b = 0; b < 10; ++b) {
      ASSERT_EQ(motions[b].Motion, ThreeDayMotion(jd, bodies[b])) << "body " << b << " at " << jd;
      stationary += motions[b].Motion == astro::TMotion::Stationary;
    }
  }
  EXPECT_GT(stationary, 50); // the stations were met
}

TEST(Points, AspectsToAnglesAndPointsFollowSwitchesAndOrbs) {
  astro::TAspectSettings settings;
  settings.Enabled[10] = true; // square, 3°
  settings.Orbs[10] = 3.0;
  settings.Enabled[18] = true; // opposition switched on with orb 0
  astro::TLongitudes bodies{};
  bodies.fill(45.0);
  bodies[0] = 92.5; // the Sun squares the ascendant at 2.5°
  astro::THouses houses;
  houses.Asc = 0.0;
  houses.Mc = 270.0 + 10.0;
  const auto found = astro::FindPointAspects(bodies, houses, {}, settings);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].Body, 1);
  EXPECT_EQ(found[0].Aspect, 10);
  EXPECT_EQ(found[0].Point, astro::TChartPointKey::Asc);
  EXPECT_NEAR(found[0].Orb, 2.5, 1e-12);
}

TEST(Points, APlaceOffTheGlobeGivesAChartWithoutHouses) {
  const astro::TEfemerisClass store("no-such-ephemeris.efm");
  const astro::TChartMoment moment{0, 36525.5, 0, astro::TOffsetSource::WholeHours, {}};
  auto chartAt = [&](double latitude) {
    return astro::ComputeChart(store, astro::TAspectSettings{}, moment,
                               astro::TChartPlace{latitude, 30.0, {}}, 'P', "");
  };
  EXPECT_FALSE(chartAt(95.0).Houses.has_value());
  EXPECT_EQ(ByKind(chartAt(95.0).Points).count(astro::TPointKind::Fortune), 0u);
  ASSERT_TRUE(chartAt(50.0).Houses.has_value());
  EXPECT_EQ(chartAt(50.0).Houses->System, 'P');
}

} // namespace
