// SPDX-License-Identifier: GPL-3.0-or-later
// The table of essential dignities ("Таблица бальности"): which sign is each body's domicile
// (обитель), exaltation (экзальтация), detriment (изгнание) and fall (падение); the triplicity
// rulers by sect, the terms and the faces; the points of each, peregrine's and the houses'. The
// table is data, read from a UTF-8 text file that names the source of each part (data/dignities.txt
// describes the format). Bodies 1..10 and signs 1..12 as in Vocabulary.h; longitudes in degrees of
// date, 0 <= L < 360.
#pragma once

#include "PlanetPosition.h"
#include "Vocabulary.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace astro {

// The first four hold by sign alone; the rest need the degree, the sect or the others.
enum class TDignity { Domicile, Exaltation, Detriment, Fall, Triplicity, Term, Face, Peregrine };
inline constexpr int kDignityKinds = 4;   // by sign alone
inline constexpr int kEssentialKinds = 8; // all of TDignity

// By TDignity: "обитель", "экзальтация", "изгнание", "падение", "тройственность", "терм", "фас",
// "перегрин".
inline constexpr std::array<std::string_view, kEssentialKinds> DignityNames = {
    "обитель", "экзальтация", "изгнание", "падение", "тройственность", "терм", "фас", "перегрин"};

// Element of a sign 1..12: 0 fire, 1 earth, 2 air, 3 water.
inline constexpr int ElementOf(int Sign) {
  return (Sign - 1) % 4;
}
inline constexpr std::array<std::string_view, 4> ElementNames = {"огонь", "земля", "воздух",
                                                                 "вода"};
inline constexpr int kTermsPerSign = 5;
inline constexpr int kFacesPerSign = 3;

// An unreadable or malformed table; the message names the file (and the line).
class EDignityTableError : public std::runtime_error {
public:
  explicit EDignityTableError(const std::string& message) : std::runtime_error(message) {}
};

struct TTerm {
  int Body = 0; // 1..10
  int End = 0;  // the term covers the sign's degrees from the previous End up to this, 1..30
};

// Triplicities, terms, faces and house points; a table without them scores by sign alone.
struct TMinorDignities {
  std::string TriplicitySource, TermSource, FaceSource, HouseSource; // one line each
  // Triplicity[element] = {day ruler, night ruler}.
  std::array<std::array<int, 2>, 4> Triplicity{};
  std::array<std::array<TTerm, kTermsPerSign>, kSignCount + 1> Terms{};
  std::array<std::array<int, kFacesPerSign>, kSignCount + 1> Faces{};
  std::array<int, 13> HousePoints{}; // accidental points by house 1..12
};

struct TDignityTable {
  std::string Tradition;                     // the tradition the table follows, one line
  std::array<int, kEssentialKinds> Points{}; // points of each dignity, by TDignity
  // Held[body][sign]: bit k set when the body holds dignity k (of the first four) in the sign.
  std::array<std::array<unsigned, kSignCount + 1>, kBodyCount + 1> Held{};
  std::optional<TMinorDignities> Minor;
};

// Reads the file (at most 64 KiB). Throws EDignityTableError "Cannot open file <name>" when it
// cannot be read, or "<name>, строка <n>: <what is wrong>" for a malformed table; a table must
// name its tradition, give the points of all four dignities and have one line for every body.
// Triplicities, terms, faces and house points are optional together: a table giving any of them
// must give them all, with their sources and the points of the other four kinds.
TDignityTable ReadDignityTable(const std::string& FileName);
// The same for a text already in memory; FileName only names it in messages.
TDignityTable ParseDignityTable(std::string_view Text, const std::string& FileName);

struct TBodyDignity {
  int Body = 0;                    // 1..10
  int Sign = 0;                    // 1..12
  std::vector<TDignity> Dignities; // of the first four held in the sign, in order; empty for none
  int Points = 0;                  // their sum

  // By the degree and the sect, with a table that has them (else left empty and 0).
  int TriplicityRuler = 0, TermRuler = 0, FaceRuler = 0; // bodies 1..10 ruling the place
  std::vector<TDignity> Essential; // every dignity held, peregrine included, in TDignity order
  int EssentialPoints = 0;         // their sum; equals Points for a table scoring by sign alone
  int House = 0;                   // 1..12 when houses are known, else 0
  int AccidentalPoints = 0;        // the table's points of that house
};

// Day or night chart. A day chart has the Sun above the horizon: in the half of the ecliptic
// from the descendant forward to the ascendant (houses 7 to 12 of a quadrant system). Without
// houses the local clock decides: day from 6:00 to 18:00, and FromHorizon says so.
struct TSect {
  bool Day = true;
  bool FromHorizon = false;
};
TSect SectOf(double SunLongitude, std::optional<double> Ascendant, double LocalHours);
// "дневная карта (Солнце над горизонтом)", "ночная карта (по часам: места нет)", ...
std::string SectText(TSect Sect);

// The places of the ten bodies (degrees, element 0 the Sun), their houses (1..12, 0 unknown) and
// the sect. Peregrine is judged for the seven classical bodies only: the modern ones have no
// triplicity, term or face.
struct TDignityPlaces {
  std::array<double, kBodyCount> Longitudes{};
  std::array<int, kBodyCount> Houses{};
  TSect Sect;
};

// A body 1..10 in a sign 1..12; out of range gives no dignity.
TBodyDignity DignityOf(const TDignityTable& Table, int Body, int Sign);
// The fuller dignity of a body 1..10 at a longitude, in a house 1..12 (0: unknown), by the sect.
TBodyDignity FullDignityOf(const TDignityTable& Table, int Body, double Longitude, int House,
                           TSect Sect);
// The ten bodies of a chart, Signs[0] being the Sun's sign.
using TChartDignities = std::array<TBodyDignity, kBodyCount>;
TChartDignities ChartDignities(const TDignityTable& Table,
                               const std::array<int, kBodyCount>& Signs);
// The same for the signs of the model's bodies.
TChartDignities ChartDignities(const TDignityTable& Table, const TPlanetPosition& Model);
TChartDignities FullChartDignities(const TDignityTable& Table, const TDignityPlaces& Places);
int TotalPoints(const TChartDignities& Dignities);
int TotalEssentialPoints(const TChartDignities& Dignities);
int TotalAccidentalPoints(const TChartDignities& Dignities);
// "обитель", "обитель, экзальтация", or "—" for none.
std::string DignityText(const TBodyDignity& Dignity);
// The same for every dignity held: "обитель, терм", "перегрин".
std::string EssentialText(const TBodyDignity& Dignity);
// "угловой", "последующий", "падающий" for a house 1..12; empty for 0.
std::string_view HouseKindName(int House);

} // namespace astro
