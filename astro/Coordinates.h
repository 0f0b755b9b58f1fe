// SPDX-License-Identifier: GPL-3.0-or-later
// Signed coordinates (decimal degrees, north and east positive) as degrees and minutes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

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

enum class TAxis { Latitude, Longitude };

// A typed coordinate as signed decimal degrees: "53.5", "-0.1333", "53°30'N", "53°30′ С",
// "49 25 В", "49°25'E", "-49°25'", "49З 25". The hemisphere is a letter (N/S, С/Ю for latitude;
// E/W, В/З for longitude) or a sign, not both; minutes and seconds 0..59. nullopt for anything
// else or a value beyond ±90 (latitude) or ±180 (longitude).
std::optional<double> ParseCoordinate(std::string_view Utf8, TAxis Axis);

} // namespace astro
