// SPDX-License-Identifier: GPL-3.0-or-later
// Houses and angles of a chart, from Swiss Ephemeris (swe_houses_ex, tropical, of date) at a
// universal-time Julian day and a place in signed decimal degrees (north and east positive).
// Systems are named by Swiss Ephemeris' letters: P Placidus, K Koch, R Regiomontanus,
// C Campanus, O Porphyry, E Equal, W Whole Sign, B Alcabitius, M Morinus, T Topocentric.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace astro {

inline constexpr char kDefaultHouseSystem = 'P';
inline constexpr std::string_view kHouseSystems = "PKRCOEWBMT";

// Longitudes in degrees of date, 0 <= L < 360.
struct THouses {
  char System = kDefaultHouseSystem; // the system asked for
  char Used = kDefaultHouseSystem;   // the system computed: 'O' when System has no cusps here
  std::array<double, 12> Cusps{};    // Cusps[0] is cusp 1
  double Asc = 0, Mc = 0, Dsc = 0, Ic = 0, Vertex = 0;
  double Latitude = 0; // of the place, degrees
  bool Fallback() const { return Used != System; }
};

// Throws std::invalid_argument for an unknown system letter or a latitude outside -90..90.
// A system without cusps at the place gives Porphyry's houses with Used = 'O'.
THouses ComputeHouses(double jdUT, double latDeg, double lonDeg, char system);

// The house 1..12 holding a longitude (degrees): the cusp at or before it, going forward.
int HouseOf(const THouses& Houses, double Longitude);

// Russian name of a system ("Плацидус"); empty for an unknown letter.
std::string_view HouseSystemName(char System);
// A letter (either case) or a name, Latin or Russian ("Placidus", "плацидус", "Whole Sign").
std::optional<char> ParseHouseSystem(std::string_view Text);
// "Дома Плацидуса на широте 70° не определены; показаны дома Порфирия"; empty without fallback.
std::string FallbackText(const THouses& Houses);

} // namespace astro
