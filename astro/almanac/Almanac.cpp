// SPDX-License-Identifier: GPL-3.0-or-later
#include "Almanac.h"

#include "DateTime.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include <swephexp.h>

namespace astro {
namespace {

// Julian day (UT) of TDateTime 0, 1899-12-30 00:00.
constexpr double kJulianDayOfZero = 2415018.5;
// Standard atmosphere at sea level: the refraction at the horizon is about 34'.
constexpr double kPressureHPa = 1013.25;
constexpr double kTemperatureC = 10.0;
constexpr double kHorizonRefractionDeg = 34.0 / 60.0;
constexpr double kSunSemidiameterDeg = 16.0 / 60.0;
constexpr double kMoonRadiusAU = 1737.4 / 149597870.7;
constexpr int32 kTheory = SEFLG_MOSEPH;

[[noreturn]] void Fail(const char* what, const char* error) {
  throw std::runtime_error(std::string("Swiss Ephemeris, ") + what + ": " + error);
}

class TDaySearch {
public:
  TDaySearch(int body, double startJd, const TGeoPlace& place)
      : Body(body), StartJd(startJd), GeoPos{place.LongitudeDeg, place.LatitudeDeg, 0.0} {}

  // The first event of the kind (SE_CALC_RISE, SE_CALC_SET, SE_CALC_MTRANSIT) from the day's
  // start, or NAN when the body does not cross the horizon in the span searched.
  double Next(int32 kind) {
    double when = NAN;
    char error[AS_MAXCH] = "";
    const int32 result = swe_rise_trans(StartJd, Body, nullptr, kTheory, kind, GeoPos, kPressureHPa,
                                        kTemperatureC, &when, error);
    if (result == -1) {
      Fail("rise and set", error);
    }
    return result == -2 ? NAN : when;
  }

  bool InDay(double jd) const { return jd >= StartJd && jd < StartJd + 1.0; }

  // Whether the upper limb is above the refracted horizon at the day's start (topocentric, so
  // the Moon's parallax counts).
  bool UpAtStart() {
    swe_set_topo(GeoPos[0], GeoPos[1], GeoPos[2]);
    double x[6] = {};
    char error[AS_MAXCH] = "";
    if (swe_calc_ut(StartJd, Body, kTheory | SEFLG_TOPOCTR, x, error) < 0) {
      Fail("position", error);
    }
    double horizontal[3] = {};
    swe_azalt(StartJd, SE_ECL2HOR, GeoPos, kPressureHPa, kTemperatureC, x, horizontal);
    const double semidiameter =
        Body == SE_SUN ? kSunSemidiameterDeg : std::asin(kMoonRadiusAU / x[2]) * 180.0 / M_PI;
    return horizontal[1] + semidiameter + kHorizonRefractionDeg > 0;
  }

  TDayEvent Event(double jd, double offsetDays) const {
    return {jd + offsetDays - kJulianDayOfZero, TAbsence::None};
  }

  // Rise and set of the day, each with its reason when it falls on no moment of the day.
  void RiseAndSet(double offsetDays, TDayEvent& rise, TDayEvent& set) {
    const double riseJd = Next(SE_CALC_RISE);
    const double setJd = Next(SE_CALC_SET);
    const bool risesToday = InDay(riseJd);
    const bool setsToday = InDay(setJd);
    TAbsence reason = TAbsence::NotThisDay;
    if (!risesToday && !setsToday) {
      reason = UpAtStart() ? TAbsence::AlwaysUp : TAbsence::AlwaysDown;
    }
    rise = risesToday ? Event(riseJd, offsetDays) : TDayEvent{std::nullopt, reason};
    set = setsToday ? Event(setJd, offsetDays) : TDayEvent{std::nullopt, reason};
  }

private:
  int Body;
  double StartJd;
  double GeoPos[3];
};

struct TElongation {
  double Elongation; // Moon minus Sun, apparent ecliptic longitude of date, 0 <= E < 360
  double Rate;       // degrees per day
};

TElongation MoonFromSun(double jd) {
  double sun[6] = {}, moon[6] = {};
  char error[AS_MAXCH] = "";
  if (swe_calc_ut(jd, SE_SUN, kTheory | SEFLG_SPEED, sun, error) < 0 ||
      swe_calc_ut(jd, SE_MOON, kTheory | SEFLG_SPEED, moon, error) < 0) {
    Fail("position", error);
  }
  double elongation = std::fmod(moon[0] - sun[0], 360.0);
  if (elongation < 0) {
    elongation += 360.0;
  }
  if (elongation >= 360.0) { // a tiny negative difference rounds up to 360
    elongation = 0.0;
  }
  return {elongation, moon[3] - sun[3]};
}

// A Newton step of the new moon's moment this small (about 1 ms) ends the search.
constexpr double kConvergedDays = 1e-8;

// Days from the last new moon to jd: Newton's method on the elongation.
double AgeDays(double jd) {
  TElongation at = MoonFromSun(jd);
  double newMoon = jd - at.Elongation / at.Rate;
  // Converges to far below a second in two or three steps; five at most.
  for (int step = 0; step < 5; ++step) {
    at = MoonFromSun(newMoon);
    const double correction = std::remainder(at.Elongation, 360.0) / at.Rate;
    newMoon -= correction;
    if (std::fabs(correction) < kConvergedDays)
      break;
  }
  return jd - newMoon;
}

TLunarPhase PhaseOfDay(double startJd, double noonElongation) {
  const double first = MoonFromSun(startJd).Elongation;
  double last = MoonFromSun(startJd + 1.0).Elongation;
  if (last < first) {
    last += 360.0;
  }
  // A principal phase whose moment falls in the day names the day.
  const double quarter = std::floor(last / 90.0);
  if (quarter * 90.0 > first) {
    return static_cast<TLunarPhase>(2 * (static_cast<int>(quarter) % 4));
  }
  return static_cast<TLunarPhase>(2 * static_cast<int>(noonElongation / 90.0) + 1);
}

TMoonPhase PhaseAtNoon(double startJd) {
  const double noonJd = startJd + 0.5;
  double attributes[20] = {};
  char error[AS_MAXCH] = "";
  if (swe_pheno_ut(noonJd, SE_MOON, kTheory, attributes, error) < 0) {
    Fail("phase", error);
  }
  TMoonPhase phase;
  phase.Illuminated = attributes[1];
  const double elongation = MoonFromSun(noonJd).Elongation;
  phase.Waxing = elongation < 180.0;
  phase.AgeDays = AgeDays(noonJd);
  phase.Name = PhaseOfDay(startJd, elongation);
  return phase;
}

} // namespace

TAlmanacDay ComputeAlmanacDay(TDateTime LocalDay, double OffsetMinutes, const TGeoPlace& Place) {
  const double offsetDays = OffsetMinutes / 1440.0;
  const double startJd = DateOf(LocalDay) - offsetDays + kJulianDayOfZero;
  TAlmanacDay day;
  TDaySearch sun(SE_SUN, startJd, Place);
  sun.RiseAndSet(offsetDays, day.SunRise, day.SunSet);
  const double noonJd = sun.Next(SE_CALC_MTRANSIT);
  day.SunCulmination = sun.InDay(noonJd) ? sun.Event(noonJd, offsetDays)
                                         : TDayEvent{std::nullopt, TAbsence::NotThisDay};
  TDaySearch moon(SE_MOON, startJd, Place);
  moon.RiseAndSet(offsetDays, day.MoonRise, day.MoonSet);
  day.Moon = PhaseAtNoon(startJd);
  return day;
}

TAlmanacCache::TKey TAlmanacCache::KeyOf(TDateTime LocalMoment, double OffsetMinutes,
                                         const TGeoPlace& Place) {
  return {DateOf(LocalMoment), OffsetMinutes, Place.LatitudeDeg, Place.LongitudeDeg};
}

bool TAlmanacCache::Holds(TDateTime LocalMoment, double OffsetMinutes,
                          const TGeoPlace& Place) const {
  return Key == KeyOf(LocalMoment, OffsetMinutes, Place);
}

const TAlmanacDay& TAlmanacCache::Day(TDateTime LocalMoment, double OffsetMinutes,
                                      const TGeoPlace& Place) {
  if (!Holds(LocalMoment, OffsetMinutes, Place)) {
    Key.reset(); // a failed computation leaves nothing behind
    ++Computed;
    Last = ComputeAlmanacDay(LocalMoment, OffsetMinutes, Place);
    Key = KeyOf(LocalMoment, OffsetMinutes, Place);
  }
  return Last;
}

} // namespace astro
