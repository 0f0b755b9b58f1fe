// SPDX-License-Identifier: GPL-3.0-or-later
// The almanac against an independent computation: libnova's Sun (VSOP87) and Moon (ELP 2000-82B),
// their J2000 positions precessed to the date, and a root search of the altitude against the
// usual horizon altitudes (Sun −0.8333°; Moon 0.7275 × horizontal parallax − 0.5667°). libnova's
// own rise-and-set functions are not used: they skip the precession and are minutes off.
#include "Almanac.h"
#include "AlmanacText.h"
#include "DateTime.h"
#include "DeltaT.h"

#include <gtest/gtest.h>
#include <libnova/libnova.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>

namespace {

constexpr double kJulianDayOfZero = 2415018.5;
constexpr double kDegree = M_PI / 180.0;

struct TReferenceDay {
  std::optional<double> Rise, Set, Culmination; // UT Julian days
};

class TReference {
public:
  TReference(bool moon, const astro::TGeoPlace& place) : Moon(moon), Place(place) {}

  // Altitude of the centre above the body's horizon altitude, degrees.
  double AboveHorizon(double jdUT) const {
    const double jdTT = TT(jdUT);
    const ln_equ_posn position = OfDate(jdTT);
    const double hourAngle = HourAngle(jdUT, position);
    const double sinAltitude =
        std::sin(Place.LatitudeDeg * kDegree) * std::sin(position.dec * kDegree) +
        std::cos(Place.LatitudeDeg * kDegree) * std::cos(position.dec * kDegree) *
            std::cos(hourAngle * kDegree);
    double horizon = -0.8333;
    if (Moon) {
      const double parallax = std::asin(6378.14 / ln_get_lunar_earth_dist(jdTT)) / kDegree;
      horizon = 0.7275 * parallax - 0.5667;
    }
    return std::asin(sinAltitude) / kDegree - horizon;
  }

  // Hour angle, −180..180 degrees.
  double HourAngle(double jdUT) const { return HourAngle(jdUT, OfDate(TT(jdUT))); }

  // Rise and set of the day; the culmination only for the Sun (the panels show no other).
  TReferenceDay Day(double startJd) const {
    std::array<double, 25> altitudes{}, hourAngles{};
    for (int hour = 0; hour <= 24; ++hour) {
      const double jd = startJd + hour / 24.0;
      altitudes[hour] = AboveHorizon(jd);
      hourAngles[hour] = Moon ? 0.0 : HourAngle(jd);
    }
    const auto altitude = [this](double jd) { return AboveHorizon(jd); };
    const auto hourAngle = [this](double jd) { return HourAngle(jd); };
    TReferenceDay day;
    day.Rise = FirstCrossing(startJd, altitudes, altitude, +1);
    day.Set = FirstCrossing(startJd, altitudes, altitude, -1);
    if (!Moon) {
      day.Culmination = FirstCrossing(startJd, hourAngles, hourAngle, +1);
    }
    return day;
  }

private:
  static double TT(double jdUT) {
    const double year = 2000.0 + (jdUT - 2451545.0) / 365.25;
    return jdUT + DeltaTSeconds(year) / 86400.0;
  }

  ln_equ_posn OfDate(double jdTT) const {
    ln_equ_posn j2000;
    if (Moon) {
      // ELP 2000-82B without its terms below 1e-6: at most 0.001° off, fifteen times faster.
      ln_get_lunar_equ_coords_prec(jdTT, &j2000, 1e-6);
    } else {
      ln_helio_posn geometric;
      ln_get_solar_geom_coords(jdTT, &geometric);
      ln_lnlat_posn ecliptic{geometric.L, geometric.B};
      ln_get_equ_from_ecl(&ecliptic, JD2000, &j2000);
    }
    ln_equ_posn ofDate;
    ln_get_equ_prec2(&j2000, JD2000, jdTT, &ofDate);
    return ofDate;
  }

  double HourAngle(double jdUT, const ln_equ_posn& position) const {
    const double siderealDeg = ln_get_mean_sidereal_time(jdUT) * 15.0;
    return std::remainder(siderealDeg + Place.LongitudeDeg - position.ra, 360.0);
  }

  // The first moment of the day where f crosses zero in the given direction, from its hourly
  // samples: bisection to 3.5 seconds, then the straight line between the ends. A jump of the
  // hour angle through ±180 is no crossing.
  template <class F>
  static std::optional<double> FirstCrossing(double startJd, const std::array<double, 25>& samples,
                                             F f, int direction) {
    for (int hour = 1; hour <= 24; ++hour) {
      double fa = samples[hour - 1], fb = samples[hour];
      const bool crosses = direction > 0 ? fa < 0 && fb >= 0 : fa >= 0 && fb < 0;
      if (!crosses || std::fabs(fb - fa) > 90.0) {
        continue;
      }
      double a = startJd + (hour - 1) / 24.0, b = startJd + hour / 24.0;
      for (int step = 0; step < 10; ++step) {
        const double middle = (a + b) / 2;
        const double fm = f(middle);
        if ((fm < 0) == (fa < 0)) {
          a = middle;
          fa = fm;
        } else {
          b = middle;
          fb = fm;
        }
      }
      return a + (b - a) * fa / (fa - fb);
    }
    return std::nullopt;
  }

  bool Moon;
  astro::TGeoPlace Place;
};

struct TCase {
  double LocalDay;      // TDateTime of local 00:00
  double OffsetMinutes; // zone
  astro::TGeoPlace Place;
  double StartJd() const { return LocalDay - OffsetMinutes / 1440.0 + kJulianDayOfZero; }
};

// Largest disagreement in minutes of one event over the sample; an event that one side has and
// the other not counts only when it lies farther than `tolerance` from the day's edges.
struct TEventCheck {
  const char* Name;
  double ToleranceMinutes;
  double Largest = 0;
  int Compared = 0;
  int NoneAgreed = 0;

  void Check(const TCase& c, const astro::TDayEvent& ours, const std::optional<double>& theirs) {
    const double startLocal = c.LocalDay;
    const auto nearEdge = [&](double local) {
      const double minutes = (local - startLocal) * 1440.0;
      return minutes < ToleranceMinutes || minutes > 1440.0 - ToleranceMinutes;
    };
    const std::optional<double> theirsLocal =
        theirs ? std::optional(*theirs - kJulianDayOfZero + c.OffsetMinutes / 1440.0)
               : std::nullopt;
    if (ours.Local && theirsLocal) {
      const double minutes = std::fabs(*ours.Local - *theirsLocal) * 1440.0;
      Largest = std::max(Largest, minutes);
      ++Compared;
      EXPECT_LE(minutes, ToleranceMinutes) << Name << " " << Describe(c);
    } else if (ours.Local || theirsLocal) {
      EXPECT_TRUE(nearEdge(ours.Local ? *ours.Local : *theirsLocal))
          << Name << " happens on one side only: " << Describe(c);
    } else {
      ++NoneAgreed;
      EXPECT_NE(ours.Why, astro::TAbsence::None) << Name;
    }
  }

  static std::string Describe(const TCase& c) {
    char text[160];
    std::snprintf(text, sizeof text, "%s, zone %+.0f min, latitude %.3f, longitude %.3f",
                  astro::DateToText(c.LocalDay).c_str(), c.OffsetMinutes, c.Place.LatitudeDeg,
                  c.Place.LongitudeDeg);
    return text;
  }
};

TEST(AlmanacCrossCheck, TwoHundredDaysAndPlacesAgreeWithLibnova) {
  std::mt19937 random(15);
  std::uniform_real_distribution<double> day(astro::EncodeDate(1900, 1, 1),
                                             astro::EncodeDate(2100, 12, 31));
  std::uniform_real_distribution<double> latitude(-60.0, 60.0);
  std::uniform_real_distribution<double> longitude(-180.0, 180.0);
  TEventCheck sunRise{"Sun rise", 1}, sunSet{"Sun set", 1}, noon{"Sun culmination", 1};
  TEventCheck moonRise{"Moon rise", 2}, moonSet{"Moon set", 2};
  double largestPhase = 0;
  for (int n = 0; n < 200; ++n) {
    TCase c;
    c.LocalDay = std::floor(day(random));
    c.Place = {latitude(random), longitude(random)};
    c.OffsetMinutes = 60.0 * std::round(c.Place.LongitudeDeg / 15.0);
    const astro::TAlmanacDay ours = astro::ComputeAlmanacDay(c.LocalDay, c.OffsetMinutes, c.Place);
    const TReferenceDay sun = TReference(false, c.Place).Day(c.StartJd());
    const TReferenceDay moon = TReference(true, c.Place).Day(c.StartJd());
    sunRise.Check(c, ours.SunRise, sun.Rise);
    sunSet.Check(c, ours.SunSet, sun.Set);
    noon.Check(c, ours.SunCulmination, sun.Culmination);
    moonRise.Check(c, ours.MoonRise, moon.Rise);
    moonSet.Check(c, ours.MoonSet, moon.Set);
    const double noonJd = c.StartJd() + 0.5;
    const double phase = std::fabs(
        ours.Moon.Illuminated -
        ln_get_lunar_disk(noonJd + DeltaTSeconds(2000.0 + (noonJd - 2451545.0) / 365.25) / 86400));
    largestPhase = std::max(largestPhase, phase);
    EXPECT_LE(phase, 0.01) << TEventCheck::Describe(c);
  }
  std::printf("largest difference against libnova over 200 days (minutes; phase in per cent)\n");
  for (const TEventCheck* check : {&sunRise, &sunSet, &noon, &moonRise, &moonSet}) {
    std::printf("%-16s %.2f  (%d compared, %d without the event on both sides)\n", check->Name,
                check->Largest, check->Compared, check->NoneAgreed);
  }
  std::printf("%-16s %.2f\n", "Moon phase", largestPhase * 100);
  EXPECT_GE(moonRise.NoneAgreed + moonSet.NoneAgreed, 1); // the days without moonrise occur
}

TEST(AlmanacCrossCheck, MurmanskHasPolarDayInJuneAndPolarNightInDecember) {
  const astro::TGeoPlace murmansk{68 + 58 / 60.0, 33 + 5 / 60.0};
  for (const auto& [date, why] :
       {std::pair{astro::EncodeDate(2026, 6, 21), astro::TAbsence::AlwaysUp},
        std::pair{astro::EncodeDate(2026, 12, 21), astro::TAbsence::AlwaysDown}}) {
    const astro::TAlmanacDay ours = astro::ComputeAlmanacDay(date, 180, murmansk);
    const TCase c{date, 180, murmansk};
    const TReference sun(false, murmansk);
    const TReferenceDay reference = sun.Day(c.StartJd());
    EXPECT_FALSE(reference.Rise || reference.Set);
    EXPECT_EQ(ours.SunRise.Why, why);
    EXPECT_EQ(ours.SunSet.Why, why);
    EXPECT_EQ(sun.AboveHorizon(c.StartJd()) > 0, why == astro::TAbsence::AlwaysUp);
    // The Sun still culminates, at local noon of the zone give or take the equation of time.
    ASSERT_TRUE(ours.SunCulmination.Local && reference.Culmination);
    EXPECT_NEAR(*ours.SunCulmination.Local,
                *reference.Culmination - kJulianDayOfZero + 180 / 1440.0, 1 / 1440.0);
  }
  // A spring day there still has both: the almanac does not call it polar.
  const astro::TAlmanacDay april =
      astro::ComputeAlmanacDay(astro::EncodeDate(2026, 4, 10), 180, murmansk);
  EXPECT_TRUE(april.SunRise.Local && april.SunSet.Local);
}

} // namespace
