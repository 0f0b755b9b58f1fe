// SPDX-License-Identifier: GPL-3.0-or-later
#include "Angles.h"

#include <cmath>

namespace astro {

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
