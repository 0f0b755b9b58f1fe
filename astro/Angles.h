// SPDX-License-Identifier: GPL-3.0-or-later
// Angle helpers for ecliptic longitudes (decimal degrees) and a screen-rectangle test (pixels).
#pragma once

#include <cmath>
#include <cstdint>

namespace astro {

// Brings X (degrees, X >= -360) into [0, 360): X >= 360 gives X - 360 * trunc(X / 360),
// X < 0 gives X + 360, otherwise X.
// Inline: the chart's refresh calls it for every body.
inline double NormalizeDegrees(double X) {
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

// The motion (degrees) from This to Next along the shorter way round: Next - This wrapped into
// (-180, 180]. The Moon can move more than 15 degrees a day, so no smaller threshold will do;
// half a circle is exactly ambiguous and counts as forward.
inline double LongitudeDelta(double Next, double This) {
  double d = std::fmod(Next - This, 360.0);
  if (d > 180.0)
    d -= 360.0;
  else if (d <= -180.0)
    d += 360.0;
  return d;
}

// True when Value (degrees, 0 <= Value < 360) lies on the arc running up from Low to High,
// both ends included, angles taken modulo 360 (Low <= High, High - Low < 360, bounds >= -360).
bool InArc(double Low, double Value, double High);

// A rectangle in pixels; all four edges belong to it.
struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
};

// Left <= X <= Right and Top <= Y <= Bottom.
bool PointInRect(int X, int Y, const TRect& Rect);

} // namespace astro
