// SPDX-License-Identifier: GPL-3.0-or-later
// Finds a place named on the command line among the city base's own entries:
// "Country/City entry", the entry being the city's name, or the name, ";" and the region
// where the base has one (the way the position frame lists it). All texts are UTF-8.
#pragma once

#include <string>
#include <vector>

namespace chart {

struct TCityEntry {
  std::string Country; // field 2 of the city base line
  std::string Entry;   // as the city list shows it: "City" or "City;Region"
};

// "Country/Entry", the name a user gives.
std::string CityFullName(const TCityEntry& city);

struct TCityMatch {
  bool Found = false;
  TCityEntry City;                      // the place, when found
  std::vector<std::string> Suggestions; // full names of the closest entries, when not found
  bool Ambiguous = false;               // several entries fit; Suggestions lists them all
  bool Guessed = false; // found by the city's name alone, in whichever country holds it
};

class TCityNames {
public:
  explicit TCityNames(std::vector<TCityEntry> entries);

  // In order of preference: the exact full name; the full name ignoring letter case;
  // "Country/City" without the region when exactly one entry of that country has that
  // city name (several make the match ambiguous); a name without "/" (a country) is the one
  // entry of any country with that city name, else the one whose name begins with it (Guessed).
  // Otherwise not found, with the MaxSuggestions entries closest in spelling, names that begin
  // with a country-less name first.
  TCityMatch Match(const std::string& name) const;

  static constexpr int MaxSuggestions = 5;

private:
  std::vector<TCityEntry> Entries;
};

// Levenshtein distance between two UTF-8 texts, counted in characters, ignoring case.
int SpellingDistance(const std::string& a, const std::string& b);

} // namespace chart
