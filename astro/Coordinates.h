// SPDX-License-Identifier: GPL-3.0-or-later
// Signed coordinates (decimal degrees, north and east positive) as degrees and minutes.
#pragma once

#include <string>

namespace astro {

// Whole degrees and minutes of a signed coordinate, to the nearest minute; the minutes are never
// negative and Negative carries the sign, also where the degrees are 0 (-0°08’).
struct TDegMin {
  bool Negative = false;
  int Degrees = 0; // without its sign
  int Minutes = 0;
};
TDegMin SplitDegMin(double Degrees);

// -0.1333 gives "-0°08’", 55.75 gives "55°45’".
std::string FormatSignedDegMin(double Degrees);

} // namespace astro
