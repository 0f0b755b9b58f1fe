// SPDX-License-Identifier: GPL-3.0-or-later
#include "Angles.h"

#include <cmath>

namespace astro {

double NormalizeDegrees(double X) {
  double result = X;
  if (X >= 360.0)
    result = X - 360.0 * std::trunc(X / 360.0);
  else if (X < 0.0) {
    result = X + 360.0;
    if (result < 0.0) // below -360: callers never pass it, but stay inside [0, 360)
      result = std::fmod(result, 360.0) + 360.0;
  }
  // A tiny negative X (above -3e-14) rounds to exactly 360 when 360 is added to it.
  if (result >= 360.0)
    result = 0.0;
  return result;
}

double LongitudeDelta(double Next, double This) {
  const double d = Next - This;
  if (d < -15.0)
    return d + 360.0;
  if (d > 15.0)
    return d - 360.0;
  return d;
}

bool InArc(double Low, double Value, double High) {
  if (Low < 0.0)
    Low += 360.0;
  if (High < 0.0)
    High += 360.0;
  if (Low >= 360.0 && High >= 360.0) {
    Low -= 360.0 * std::trunc(Low / 360.0);
    High -= 360.0 * std::trunc(High / 360.0);
    return Low <= Value && Value <= High;
  }
  if (Low < 360.0 && High >= 360.0)
    return (Low <= Value && Value < 360.0) || (0.0 <= Value && Value <= High - 360.0);
  if (Low <= High)
    return Low <= Value && Value <= High;
  return Value >= Low || Value <= High;
}

bool PointInRect(int X, int Y, const TRect& Rect) {
  return Rect.Left <= X && X <= Rect.Right && Rect.Top <= Y && Y <= Rect.Bottom;
}

} // namespace astro
