// SPDX-License-Identifier: GPL-3.0-or-later
// Apparent geocentric ecliptic longitudes from Swiss Ephemeris' built-in Moshier theory.
#pragma once

#include "DailyRecord.h"

namespace ephemeris {

// Longitudes of the ten bodies, Sun first, in degrees [0, 360): geocentric, tropical,
// referred to the true ecliptic and equinox of date, apparent (light time, aberration,
// nutation), for 0h UT of a Gregorian date. Needs no data files.
class TApparentLongitudes {
public:
  TApparentLongitudes();
  ~TApparentLongitudes();
  TApparentLongitudes(const TApparentLongitudes&) = delete;
  TApparentLongitudes& operator=(const TApparentLongitudes&) = delete;

  // Throws std::runtime_error with the library's message when a body cannot be computed.
  TBodyLongitudes AtMidnightUT(const TRecordDate& date) const;
};

} // namespace ephemeris
