// SPDX-License-Identifier: GPL-3.0-or-later
// ΔT for the tests that compare against libnova, which works in dynamical time.
#pragma once

namespace {

// ΔT = TT − UT in seconds: the Espenak–Meeus polynomials (NASA, 2006), fitted to the
// observations up to 2005, their 2005..2050 prediction carried on to 2099. libnova's own ΔT
// is not used: from 2011 on it jumps to an old prediction a minute above the observed values
// (128 s for 2020 against 69 s), which alone moves the Moon by 0.02°. Future ΔT is a guess
// in any model; the Moon (0.55° an hour) is the body that feels it.
double DeltaTSeconds(double year) {
  if (year < 1920) {
    const double t = year - 1900;
    return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t -
           0.000197 * t * t * t * t;
  }
  if (year < 1941) {
    const double t = year - 1920;
    return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
  }
  if (year < 1961) {
    const double t = year - 1950;
    return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
  }
  if (year < 1986) {
    const double t = year - 1975;
    return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
  }
  if (year < 2005) {
    const double t = year - 2000;
    return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t +
           0.000651814 * t * t * t * t + 0.00002373599 * t * t * t * t * t;
  }
  const double t = year - 2000;
  return 62.92 + 0.32217 * t + 0.005589 * t * t;
}

} // namespace
