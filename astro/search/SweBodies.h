// SPDX-License-Identifier: GPL-3.0-or-later
// Swiss Ephemeris positions for searches: apparent geocentric tropical ecliptic longitude of date
// (degrees, 0 <= L < 360) from the built-in Moshier theory, the same definition the shipped
// ephemeris is made from, and the natal chart's bodies, angles and points at a universal moment.
#pragma once

#include "Clock.h"

#include <string>
#include <vector>

namespace astro::search {

// Julian day (UT) of TDateTime 0, 1899-12-30 00:00.
inline constexpr double kJulianDayOfZero = 2415018.5;
inline double JulianDayOf(TDateTime Universal) {
  return Universal + kJulianDayOfZero;
}
inline TDateTime DateTimeOfJulianDay(double JulianDayUT) {
  return JulianDayUT - kJulianDayOfZero;
}

struct TLongitudeRate {
  double Longitude = 0; // degrees of date, 0 <= L < 360
  double Rate = 0;      // degrees per day, negative while retrograde
};

struct TEclipticPlace {
  double Longitude = 0; // degrees of date, 0 <= L < 360
  double Latitude = 0;  // degrees, north positive
};

// Body 1..10 (Sun .. Pluto) at Julian day UT; throws std::runtime_error on a library failure.
double BodyLongitude(int Body, double JulianDayUT);
TEclipticPlace BodyPlace(int Body, double JulianDayUT);
TLongitudeRate BodyLongitudeRate(int Body, double JulianDayUT);
// The nutation in longitude at Julian day UT, degrees: the part of every apparent longitude of
// date that swings with periods of days to 18.6 years.
double NutationInLongitude(double JulianDayUT);

// A point of the natal chart a transit can be made to: a body, an angle or a sensitive point.
struct TNatalPoint {
  std::string Key;      // "1".."10" for a body, "asc", "mc", "mean_node", "true_node", "lilith"
  int Body = 0;         // 1..10 for a body, 0 otherwise
  double Longitude = 0; // degrees of date, 0 <= L < 360
};

// Which natal points to compute beside the ten bodies.
struct TNatalChoice {
  bool Angles = true;  // ascendant and MC; only when the birth time is known
  bool Nodes = false;  // mean and true lunar node
  bool Lilith = false; // mean lunar apogee (Black Moon)
};

// Ascendant and MC (degrees) at a place (north and east positive, degrees) and moment (UT).
struct TAngles {
  double Ascendant = 0;
  double Mc = 0;
};
TAngles ComputeAngles(double JulianDayUT, double LatitudeDeg, double LongitudeDeg);

// The ten bodies (keys "1".."10"), then the angles and points chosen, at the birth moment.
std::vector<TNatalPoint> ComputeNatalPoints(double JulianDayUT, double LatitudeDeg,
                                            double LongitudeDeg, const TNatalChoice& Choice);

} // namespace astro::search
