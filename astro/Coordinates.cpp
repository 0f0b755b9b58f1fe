// SPDX-License-Identifier: GPL-3.0-or-later
#include "Coordinates.h"

#include "Formatting.h"

#include <cmath>

namespace astro {

TDegMin SplitDegMin(double Degrees) {
  if (!std::isfinite(Degrees))
    Degrees = 0;
  const long long minutes = std::llround(std::abs(Degrees) * 60.0);
  return {Degrees < 0 && minutes > 0, static_cast<int>(minutes / 60),
          static_cast<int>(minutes % 60)};
}

std::string FormatSignedDegMin(double Degrees) {
  const TDegMin split = SplitDegMin(Degrees);
  return (split.Negative ? "-" : "") + std::to_string(split.Degrees) + "°" +
         ZeroPad(split.Minutes, 2) + "’";
}

} // namespace astro
