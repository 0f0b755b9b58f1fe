// SPDX-License-Identifier: GPL-3.0-or-later
// The table of essential dignities ("Таблица бальности"): which sign is each body's domicile
// (обитель), exaltation (экзальтация), detriment (изгнание) and fall (падение), and the points of
// each. The table is data, read from a UTF-8 text file that names its tradition (data/dignities.txt
// describes the format). Bodies 1..10 and signs 1..12 as in Vocabulary.h.
#pragma once

#include "PlanetPosition.h"
#include "Vocabulary.h"

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace astro {

enum class TDignity { Domicile, Exaltation, Detriment, Fall };
inline constexpr int kDignityKinds = 4;

// By TDignity: "обитель", "экзальтация", "изгнание", "падение".
inline constexpr std::array<std::string_view, kDignityKinds> DignityNames = {
    "обитель", "экзальтация", "изгнание", "падение"};

// An unreadable or malformed table; the message names the file (and the line).
class EDignityTableError : public std::runtime_error {
public:
  explicit EDignityTableError(const std::string& message) : std::runtime_error(message) {}
};

struct TDignityTable {
  std::string Tradition;                   // the tradition the table follows, one line
  std::array<int, kDignityKinds> Points{}; // points of each dignity, by TDignity
  // Held[body][sign]: bit k set when the body holds dignity k in the sign.
  std::array<std::array<unsigned, kSignCount + 1>, kBodyCount + 1> Held{};
};

// Reads the file (at most 64 KiB). Throws EDignityTableError "Cannot open file <name>" when it
// cannot be read, or "<name>, строка <n>: <what is wrong>" for a malformed table; a table must
// name its tradition, give the points of all four dignities and have one line for every body.
TDignityTable ReadDignityTable(const std::string& FileName);
// The same for a text already in memory; FileName only names it in messages.
TDignityTable ParseDignityTable(std::string_view Text, const std::string& FileName);

struct TBodyDignity {
  int Body = 0;                    // 1..10
  int Sign = 0;                    // 1..12
  std::vector<TDignity> Dignities; // held in the sign, in TDignity order; empty for none
  int Points = 0;                  // their sum
};

// A body 1..10 in a sign 1..12; out of range gives no dignity.
TBodyDignity DignityOf(const TDignityTable& Table, int Body, int Sign);
// The ten bodies of a chart, Signs[0] being the Sun's sign.
using TChartDignities = std::array<TBodyDignity, kBodyCount>;
TChartDignities ChartDignities(const TDignityTable& Table,
                               const std::array<int, kBodyCount>& Signs);
// The same for the signs of the model's bodies.
TChartDignities ChartDignities(const TDignityTable& Table, const TPlanetPosition& Model);
int TotalPoints(const TChartDignities& Dignities);
// "обитель", "обитель, экзальтация", or "—" for none.
std::string DignityText(const TBodyDignity& Dignity);

} // namespace astro
