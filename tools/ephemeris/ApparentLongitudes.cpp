// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApparentLongitudes.h"

#include <stdexcept>
#include <string>

#include <swephexp.h>

namespace ephemeris {

namespace {

constexpr int BodyNumbers[BodyCount] = {SE_SUN,     SE_MOON,   SE_MERCURY, SE_VENUS,   SE_MARS,
                                        SE_JUPITER, SE_SATURN, SE_URANUS,  SE_NEPTUNE, SE_PLUTO};

// The default position is already apparent, geocentric and of date; only the theory is chosen.
// No SEFLG_TRUEPOS, SEFLG_NOABERR, SEFLG_NONUT, SEFLG_J2000, SEFLG_HELCTR or SEFLG_SIDEREAL.
constexpr int32 CalcFlags = SEFLG_MOSEPH;

} // namespace

TApparentLongitudes::TApparentLongitudes() = default;

TApparentLongitudes::~TApparentLongitudes() {
  swe_close();
}

TBodyLongitudes TApparentLongitudes::AtMidnightUT(const TRecordDate& date) const {
  const double julianDayUT = swe_julday(date.Year, date.Month, date.Day, 0.0, SE_GREG_CAL);
  TBodyLongitudes result{};
  for (int body = 0; body < BodyCount; ++body) {
    double position[6] = {};
    char error[AS_MAXCH] = "";
    const int32 used = swe_calc_ut(julianDayUT, BodyNumbers[body], CalcFlags, position, error);
    if (used < 0 || (used & SEFLG_MOSEPH) == 0)
      throw std::runtime_error("body " + std::to_string(body + 1) + " at " +
                               std::to_string(date.Year) + "-" + std::to_string(date.Month) + "-" +
                               std::to_string(date.Day) + ": " + error);
    result[body] = position[0];
  }
  return result;
}

} // namespace ephemeris
