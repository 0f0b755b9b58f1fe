// SPDX-License-Identifier: GPL-3.0-or-later
// The points and motions against Swiss Ephemeris called here directly, and the Part of Fortune's
// day and night formulas; aspects to angles and points under the switches and orbs.
#include "Points.h"
#include "Chart.h"

#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <map>

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
    return astro::ComputeChart(store, {}, moment, astro::TChartPlace{latitude, 30.0, {}}, 'P', "");
  };
  EXPECT_FALSE(chartAt(95.0).Houses.has_value());
  EXPECT_EQ(ByKind(chartAt(95.0).Points).count(astro::TPointKind::Fortune), 0u);
  ASSERT_TRUE(chartAt(50.0).Houses.has_value());
  EXPECT_EQ(chartAt(50.0).Houses->System, 'P');
}

} // namespace
