// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweBodies.h"

#include <array>
#include <stdexcept>

#include <swephexp.h>

namespace astro::search {
namespace {

constexpr std::array<int, 11> kSweBody = {-1,        SE_SUN,     SE_MOON,    SE_MERCURY,
                                          SE_VENUS,  SE_MARS,    SE_JUPITER, SE_SATURN,
                                          SE_URANUS, SE_NEPTUNE, SE_PLUTO};

// Apparent, geocentric, of date is the library's default; only the theory is chosen.
constexpr int32 kTheory = SEFLG_MOSEPH;

void Calc(int SweBody, double JulianDayUT, int32 Flags, double (&Result)[6]) {
  char error[AS_MAXCH] = "";
  if (swe_calc_ut(JulianDayUT, SweBody, kTheory | Flags, Result, error) < 0)
    throw std::runtime_error(std::string("Swiss Ephemeris, position: ") + error);
}

int SweBodyOf(int Body) {
  if (Body < 1 || Body > 10)
    throw std::out_of_range("body " + std::to_string(Body));
  return kSweBody[Body];
}

} // namespace

double BodyLongitude(int Body, double JulianDayUT) {
  return BodyPlace(Body, JulianDayUT).Longitude;
}

TEclipticPlace BodyPlace(int Body, double JulianDayUT) {
  double x[6] = {};
  Calc(SweBodyOf(Body), JulianDayUT, 0, x);
  return {x[0], x[1]};
}

TLongitudeRate BodyLongitudeRate(int Body, double JulianDayUT) {
  double x[6] = {};
  Calc(SweBodyOf(Body), JulianDayUT, SEFLG_SPEED, x);
  return {x[0], x[3]};
}

double NutationInLongitude(double JulianDayUT) {
  double x[6] = {};
  Calc(SE_ECL_NUT, JulianDayUT, 0, x);
  return x[2];
}

TAngles ComputeAngles(double JulianDayUT, double LatitudeDeg, double LongitudeDeg) {
  double cusps[13] = {};
  double angles[10] = {};
  // The angles do not depend on the house system; Porphyry never fails near the poles.
  swe_houses_ex(JulianDayUT, 0, LatitudeDeg, LongitudeDeg, 'O', cusps, angles);
  return {angles[SE_ASC], angles[SE_MC]};
}

std::vector<TNatalPoint> ComputeNatalPoints(double JulianDayUT, double LatitudeDeg,
                                            double LongitudeDeg, const TNatalChoice& Choice) {
  std::vector<TNatalPoint> points;
  for (int body = 1; body <= 10; ++body)
    points.push_back({std::to_string(body), body, BodyLongitude(body, JulianDayUT)});
  if (Choice.Angles) {
    const TAngles angles = ComputeAngles(JulianDayUT, LatitudeDeg, LongitudeDeg);
    points.push_back({"asc", 0, angles.Ascendant});
    points.push_back({"mc", 0, angles.Mc});
  }
  double x[6] = {};
  if (Choice.Nodes) {
    Calc(SE_MEAN_NODE, JulianDayUT, 0, x);
    points.push_back({"mean_node", 0, x[0]});
    Calc(SE_TRUE_NODE, JulianDayUT, 0, x);
    points.push_back({"true_node", 0, x[0]});
  }
  if (Choice.Lilith) {
    Calc(SE_MEAN_APOG, JulianDayUT, 0, x);
    points.push_back({"lilith", 0, x[0]});
  }
  return points;
}

} // namespace astro::search
