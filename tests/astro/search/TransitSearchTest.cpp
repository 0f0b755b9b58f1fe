// SPDX-License-Identifier: GPL-3.0-or-later
// The search against an independent one: quarter-day steps on swe_calc_ut itself, each sign
// change of the wrapped difference halved to a tenth of a second. Every event must be found within
// a minute, once.
#include "TransitSearch.h"
#include "DateTime.h"

#include <gtest/gtest.h>
#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <tuple>

using namespace astro;
using namespace astro::search;

namespace {

const int kSwe[11] = {0,          SE_SUN,    SE_MOON,   SE_MERCURY, SE_VENUS, SE_MARS,
                      SE_JUPITER, SE_SATURN, SE_URANUS, SE_NEPTUNE, SE_PLUTO};

double Swe(int Body, double Jd, int Flags = 0, double* Speed = nullptr) {
  double x[6];
  char error[AS_MAXCH];
  swe_calc_ut(Jd, kSwe[Body], SEFLG_MOSEPH | Flags, x, error);
  if (Speed)
    *Speed = x[3];
  return x[0];
}

// kind, body, natal key or other body, aspect or sign or direction
using TKey = std::tuple<int, int, std::string, int>;
using TFound = std::multimap<TKey, double>; // moment, Julian day UT

TKey KeyOf(const TSkyEvent& e) {
  const std::string who = e.Kind == TEventKind::Aspect ? std::to_string(e.Other) : e.Natal;
  const int what = e.Kind == TEventKind::Ingress   ? e.Sign
                   : e.Kind == TEventKind::Station ? e.Direction
                                                   : e.Aspect;
  return {int(e.Kind), e.Body, who, what};
}

// Each body's longitude and speed on a grid of Step days, taken once.
struct TGrid {
  double From = 0, Step = 0;
  std::vector<double> Longitude, Speed;
};

TGrid Sample(int Body, double From, double To, double Step) {
  TGrid grid{From, Step, {}, {}};
  for (double t = From; t <= To + Step; t += Step) {
    double v;
    grid.Longitude.push_back(Swe(Body, t, SEFLG_SPEED, &v));
    grid.Speed.push_back(v);
  }
  return grid;
}

// Roots of a wrapped difference (degrees) given on the grid by G(i) and anywhere by F(t), by
// sign changes between grid points halved to a tenth of a second.
template <class G, class F>
void Roots(const TGrid& Grid, double To, const G& g, const F& f, auto&& Found) {
  for (std::size_t i = 0; i + 1 < Grid.Longitude.size(); ++i) {
    const double g0 = g(i), g1 = g(i + 1);
    if ((g0 < 0) == (g1 < 0) || std::fabs(g0 - g1) > 180)
      continue;
    double lo = Grid.From + i * Grid.Step, hi = lo + Grid.Step;
    while (hi - lo > 1e-6)
      ((f(0.5 * (lo + hi)) < 0) == (g0 < 0) ? lo : hi) = 0.5 * (lo + hi);
    if (lo < To)
      Found(0.5 * (lo + hi), g1 > g0);
  }
}

TFound BruteForce(const TSearchRequest& R) {
  TFound found;
  const double from = JulianDayOf(R.From), to = JulianDayOf(R.To);
  std::map<int, TGrid> grids;
  for (int b = 1; b <= 10; ++b)
    if (R.Moving[b])
      grids[b] = Sample(b, from, to, b == 2 ? 0.1 : 0.25);
  auto crossings = [&](int b, double mark, auto&& Found) {
    const TGrid& grid = grids[b];
    Roots(
        grid, to, [&](std::size_t i) { return std::remainder(grid.Longitude[i] - mark, 360.0); },
        [&](double t) { return std::remainder(Swe(b, t) - mark, 360.0); }, Found);
  };
  for (auto& [b, grid] : grids) {
    for (const auto& n : R.Natal)
      for (int a = 1; a <= 18; ++a)
        for (double side : {1.0, -1.0})
          if (side > 0 || (AspectAngles[a] != 0 && AspectAngles[a] != 180))
            crossings(b, n.Longitude + side * AspectAngles[a], [&](double t, bool) {
              found.insert({{0, b, n.Key, a}, t});
            });
    if (b == 2)
      continue;
    for (int s = 0; s < 12; ++s)
      crossings(b, 30.0 * s, [&](double t, bool up) {
        found.insert({{3, b, "", up ? s + 1 : (s + 11) % 12 + 1}, t});
      });
    if (b > 2)
      Roots(
          grid, to, [&](std::size_t i) { return grid.Speed[i]; },
          [&](double t) {
            double v;
            Swe(b, t, SEFLG_SPEED, &v);
            return v;
          },
          [&](double t, bool up) {
            found.insert({{2, b, "", up ? 1 : -1}, t});
          });
    for (int o = b + 1; o <= 10; ++o)
      for (int a = 1; a <= 18; ++a)
        for (double side : {1.0, -1.0})
          if (o != 2 && (side > 0 || (AspectAngles[a] != 0 && AspectAngles[a] != 180))) {
            const double angle = side * AspectAngles[a];
            const TGrid& other = grids[o];
            Roots(
                grid, to,
                [&](std::size_t i) {
                  return std::remainder(grid.Longitude[i] - other.Longitude[i] - angle, 360.0);
                },
                [&](double t) { return std::remainder(Swe(b, t) - Swe(o, t) - angle, 360.0); },
                [&](double t, bool) {
                  found.insert({{1, b, std::to_string(o), a}, t});
                });
          }
  }
  return found;
}

TEST(TransitSearch, FindsEveryEventOfRandomChartsOnceWithinAMinute) {
  std::mt19937 random(20271209);
  int triplePasses = 0;
  for (int chart = 0; chart < 2; ++chart) {
    const double birth = std::uniform_real_distribution<>(-20000.0, 40000.0)(random);
    const double start = std::uniform_real_distribution<>(0.0, 70000.0)(random);
    TSearchRequest request = DefaultRequest(start, start + 2 * 365.25);
    request.Moving[2] = true;
    request.Natal = ComputeNatalPoints(JulianDayOf(birth), 51.5, -0.13, {true, false, false});
    request.Orbs.fill(2.0);
    const auto result = FindEvents(request);
    TFound found;
    for (const auto& e : result.Events)
      found.insert({KeyOf(e), JulianDayOf(e.Universal)});
    const TFound expected = BruteForce(request);
    EXPECT_EQ(found.size(), expected.size()) << "chart " << chart;
    for (const auto& [key, t] : expected) {
      const auto [first, last] = found.equal_range(key);
      const bool hit =
          std::any_of(first, last, [&](auto& f) { return std::fabs(f.second - t) < 60.0 / 86400; });
      EXPECT_TRUE(hit) << "missing kind " << std::get<0>(key) << " body " << std::get<1>(key)
                       << " to " << std::get<2>(key) << " aspect " << std::get<3>(key) << " at JD "
                       << std::to_string(t);
    }
    for (auto it = found.begin(); it != found.end(); it = found.upper_bound(it->first))
      triplePasses +=
          std::get<0>(it->first) == 0 && std::get<1>(it->first) > 5 && found.count(it->first) >= 3;
    // At the moments found, each transit is exact; its orb edges are the orb away.
    for (const auto& e : result.Events) {
      if (e.Kind != TEventKind::Transit)
        continue;
      const auto& natal = *std::find_if(request.Natal.begin(), request.Natal.end(),
                                        [&](auto& n) { return n.Key == e.Natal; });
      auto orb = [&](TDateTime t) {
        return std::fabs(
            std::fabs(std::remainder(Swe(e.Body, JulianDayOf(t)) - natal.Longitude, 360.0)) -
            AspectAngles[e.Aspect]);
      };
      // Exact to a second of the body's motion, or to 1e-7 degree where it hardly moves.
      double speed = 0;
      Swe(e.Body, JulianDayOf(e.Universal), SEFLG_SPEED, &speed);
      EXPECT_LT(orb(e.Universal), std::max(std::fabs(speed) / 86400, 1e-7))
          << e.Body << " to " << e.Natal << " aspect " << e.Aspect;
      // Found also where a slow planet's orb reaches far past the searched span.
      ASSERT_TRUE(e.OrbEnter && e.OrbLeave) << e.Body << " to " << e.Natal;
      EXPECT_NEAR(orb(*e.OrbEnter), 2.0, 0.01);
      EXPECT_NEAR(orb(*e.OrbLeave), 2.0, 0.01);
      EXPECT_LT(*e.OrbEnter, e.Universal);
      EXPECT_GT(*e.OrbLeave, e.Universal);
    }
  }
  EXPECT_GT(triplePasses, 0) << "no retrograde triple pass among the outer planets";
}

// Behind the Sun the library bends a planet's place by up to 1e-3 degree within hours (light
// deflection): a moment there must still be the library's own, to the second.
TEST(TransitSearch, TimesATransitWhileThePlanetPassesBehindTheSun) {
  const double behind = 2463232.87; // Jupiter 0.01 degree off the ecliptic, at the Sun's limb
  TSearchRequest request = DefaultRequest(DateTimeOfJulianDay(behind - 20), 0);
  request.To = DateTimeOfJulianDay(behind + 20);
  request.Moving.fill(false);
  request.Moving[6] = true;
  request.AspectOn.fill(false);
  request.AspectOn[1] = true;
  request.SkyAspects = request.Stations = request.Ingresses = false;
  request.Natal = {TNatalPoint{"1", 1, Swe(6, behind)}};
  const auto events = FindEvents(request).Events;
  ASSERT_EQ(events.size(), 1u);
  EXPECT_NEAR(JulianDayOf(events[0].Universal), behind, 1.0 / 86400);
}

TEST(TransitSearch, CancelsAndRejectsAnEmptyPeriod) {
  TSearchRequest request = DefaultRequest(45000, 45000 + 36525);
  const auto cancelled = FindEvents(request, [](double f) { return f < 0.05; });
  EXPECT_TRUE(cancelled.Cancelled);
  EXPECT_TRUE(cancelled.Events.empty());
  request.To = request.From;
  const auto empty = FindEvents(request);
  EXPECT_FALSE(empty.Cancelled);
  EXPECT_TRUE(empty.Events.empty());
}

} // namespace
