// SPDX-License-Identifier: GPL-3.0-or-later
// Returns against a bisection of our own on swe_calc_ut, progressions against the day-for-a-year
// rule, cross aspects against a brute-force search over every pair and aspect.
#include "SecondChart.h"

#include "Angles.h"
#include "DateTime.h"

#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <filesystem>
#include <random>

namespace {

using namespace astro;
constexpr double kJulianDayOfZero = 2415018.5;
constexpr double kMinute = 1.0 / 1440.0;

double SweLongitude(int SweBody, TDateTime Universal) {
  double x[6] = {};
  char error[AS_MAXCH] = "";
  swe_calc_ut(Universal + kJulianDayOfZero, SweBody, SEFLG_MOSEPH, x, error);
  return x[0];
}

// The moment in [From, To] (To - From under half a turn of the body) where it crosses Target.
TDateTime Bisect(int SweBody, double Target, TDateTime From, TDateTime To) {
  auto ahead = [&](TDateTime t) {
    double d = std::fmod(SweLongitude(SweBody, t) - Target + 540.0, 360.0) - 180.0;
    return d >= 0;
  };
  for (int i = 0; i < 60; ++i) {
    const TDateTime mid = (From + To) / 2;
    (ahead(mid) ? To : From) = mid;
  }
  return From;
}

TEST(SecondChartTest, ReturnsAgreeWithBisectionOnSwissEphemeris) {
  std::mt19937 random(26);
  std::uniform_real_distribution<double> moment(EncodeDate(1900, 1, 1), EncodeDate(2100, 1, 1));
  for (int n = 0; n < 40; ++n) {
    const TDateTime birth = moment(random);
    const double sun = SweLongitude(SE_SUN, birth), moon = SweLongitude(SE_MOON, birth);
    const int year = DecodeDate(birth).Year + 1 + n % 60;
    const TDateTime solar = SolarReturnMoment(birth, sun, year);
    const TDateTime guess = birth + (year - DecodeDate(birth).Year) * 365.2422;
    EXPECT_NEAR(solar, Bisect(SE_SUN, sun, guess - 3, guess + 3), kMinute) << birth;
    EXPECT_LE(std::fabs(solar - guess), 2.0);

    const TDateTime after = birth + 1000 + n * 37.3;
    const TDateTime lunar = LunarReturnMoment(moon, after);
    EXPECT_GE(lunar, after);
    EXPECT_LT(lunar, after + 27.6);
    EXPECT_NEAR(lunar, Bisect(SE_MOON, moon, lunar - 3, lunar + 3), kMinute) << birth;
  }
}

TEST(SecondChartTest, ProgressionIsADayForAYearWithAnglesBySolarArc) {
  const TDateTime birth = EncodeDateTime({1975, 6, 3}, {14, 20, 0});
  EXPECT_DOUBLE_EQ(ProgressedMoment(birth, birth + 30 * 365.24219), birth + 30);
  EXPECT_DOUBLE_EQ(ProgressedMoment(birth, birth + 365.24219 / 2), birth + 0.5);

  const std::filesystem::path file =
      std::filesystem::path(ASTRAVIA_RUN_DIR) / "base" / "efemerid.efm";
  const TEfemerisClass store(file.string());
  ASSERT_TRUE(store.HasData()) << file;
  TAspectSettings settings;
  TChartMoment moment;
  moment.Local = moment.Universal = birth;
  const TChart natal =
      ComputeChart(store, settings, moment, TChartPlace{55.75, 37.62, {}}, 'P', "");
  TSecondRequest request;
  request.Kind = TSecondKind::Progressed;
  request.Universal = birth + 40 * 365.24219;
  const TChart progressed = ComputeSecondChart(store, settings, natal, request, 'P', "");
  EXPECT_NEAR(progressed.Moment.Universal, birth + 40, 1e-9);
  const double arc = progressed.Longitudes[0] - natal.Longitudes[0];
  EXPECT_NEAR(arc, 39.0, 2.0); // about a degree a year
  ASSERT_TRUE(progressed.Houses);
  EXPECT_NEAR(LongitudeDelta(progressed.Houses->Asc, natal.Houses->Asc), arc, 1e-9);
  EXPECT_NEAR(LongitudeDelta(progressed.Houses->Cusps[9], natal.Houses->Cusps[9]), arc, 1e-9);

  // A moment beyond the store is refused, not computed from its edge.
  request.Kind = TSecondKind::Transit;
  request.Universal = EncodeDate(2250, 1, 1);
  EXPECT_THROW(ComputeSecondChart(store, settings, natal, request, 'P', ""), std::out_of_range);
  TSecondRequest solar;
  solar.Kind = TSecondKind::SolarReturn;
  solar.Year = 2012;
  const TChart ret = ComputeSecondChart(store, settings, natal, solar, 'P', "");
  EXPECT_NEAR(LongitudeDelta(ret.Longitudes[0], natal.Longitudes[0]), 0.0, 0.01);
  ASSERT_TRUE(ret.Houses);
}

TEST(SecondChartTest, CrossAspectsMatchABruteForceSearch) {
  std::mt19937 random(29);
  std::uniform_real_distribution<double> longitude(0, 360), speed(-1, 14);
  TAspectSettings settings;
  for (int a = 1; a <= kAspectCount; ++a) {
    settings.Enabled[a] = a % 5 != 3;
    settings.Orbs[a] = 0.5 + (a % 7) * 0.9;
  }
  for (int n = 0; n < 50; ++n) {
    TChart natal, second;
    for (int b = 0; b < kBodyCount; ++b) {
      natal.Longitudes[b] = longitude(random);
      second.Longitudes[b] = longitude(random);
      second.Motions[b].Speed = speed(random);
    }
    natal.Houses = THouses{};
    natal.Houses->Asc = longitude(random);
    natal.Houses->Mc = longitude(random);
    const auto found = FindCrossAspects(second, natal, settings);

    // Brute force: every (second body, natal body or angle, aspect); applying by a small step.
    std::size_t expected = 0;
    for (int s = 0; s < kBodyCount; ++s)
      for (int t = 0; t < kBodyCount + 2; ++t)
        for (int a = 1; a <= kAspectCount; ++a) {
          const double target = t < kBodyCount
                                    ? natal.Longitudes[t]
                                    : (t == kBodyCount ? natal.Houses->Asc : natal.Houses->Mc);
          auto orbAt = [&](double lon) {
            const double d = std::fabs(std::remainder(lon - target, 360.0));
            return std::fabs(d - AspectAngles[a]);
          };
          const double orb = orbAt(second.Longitudes[s]);
          if (!settings.Enabled[a] || orb > settings.Orbs[a])
            continue;
          ++expected;
          const TCrossPoint natalPoint =
              t < kBodyCount
                  ? TCrossPoint{t + 1}
                  : TCrossPoint{0, t == kBodyCount ? TChartPointKey::Asc : TChartPointKey::Mc};
          const auto it = std::find_if(found.begin(), found.end(), [&](const TCrossAspect& x) {
            return x.Second == TCrossPoint{s + 1} && x.Natal == natalPoint && x.Aspect == a;
          });
          ASSERT_NE(it, found.end()) << s << " " << t << " " << a;
          EXPECT_NEAR(it->Orb, orb, 1e-9);
          const double later = orbAt(second.Longitudes[s] + second.Motions[s].Speed * 1e-4);
          if (std::fabs(later - orb) > 1e-9) {
            EXPECT_EQ(it->Applying, later < orb);
          }
        }
    EXPECT_EQ(found.size(), expected);
    EXPECT_TRUE(
        std::is_sorted(found.begin(), found.end(), [](auto& x, auto& y) { return x.Orb < y.Orb; }));
  }
}

} // namespace
