// SPDX-License-Identifier: GPL-3.0-or-later
#include "Houses.h"

#include "Angles.h"

#include <swephexp.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

namespace astro {
namespace {

struct TSystemNames {
  char Letter;
  std::string_view Russian;      // nominative, as the houses box names it
  std::string_view HousesPhrase; // subject of the fallback sentence
  std::string_view Latin;
  std::string_view RussianAlias;
};

constexpr std::array<TSystemNames, 10> kSystems = {{
    {'P', "Плацидус", "Дома Плацидуса", "placidus", "плацидус"},
    {'K', "Кох", "Дома Коха", "koch", "кох"},
    {'R', "Региомонтан", "Дома Региомонтана", "regiomontanus", "региомонтан"},
    {'C', "Кампан", "Дома Кампана", "campanus", "кампан"},
    {'O', "Порфирий", "Дома Порфирия", "porphyry", "порфирий"},
    {'E', "Равные дома", "Равные дома", "equal", "равные дома"},
    {'W', "Целые знаки", "Дома целыми знаками", "whole sign", "целые знаки"},
    {'B', "Алькабиций", "Дома Алькабиция", "alcabitius", "алькабиций"},
    {'M', "Морин", "Дома Морина", "morinus", "морин"},
    {'T', "Топоцентрическая", "Топоцентрические дома", "topocentric", "топоцентрическая"},
}};

const TSystemNames* Find(char letter) {
  for (const TSystemNames& names : kSystems)
    if (names.Letter == letter)
      return &names;
  return nullptr;
}

bool AllFinite(const THouses& houses) {
  return std::all_of(houses.Cusps.begin(), houses.Cusps.end(),
                     [](double c) { return std::isfinite(c); }) &&
         std::isfinite(houses.Asc) && std::isfinite(houses.Mc) && std::isfinite(houses.Vertex);
}

// swe_houses_ex for one system; false when the library reports that it has no cusps here.
bool Compute(double jdUT, double latDeg, double lonDeg, char system, THouses& houses) {
  double cusps[13] = {};
  double ascmc[10] = {};
  const int result = swe_houses_ex(jdUT, 0, latDeg, lonDeg, system, cusps, ascmc);
  for (int i = 0; i < 12; ++i)
    houses.Cusps[i] = NormalizeDegrees(cusps[i + 1]);
  houses.Asc = NormalizeDegrees(ascmc[SE_ASC]);
  houses.Mc = NormalizeDegrees(ascmc[SE_MC]);
  houses.Vertex = NormalizeDegrees(ascmc[SE_VERTEX]);
  houses.Dsc = NormalizeDegrees(houses.Asc + 180.0);
  houses.Ic = NormalizeDegrees(houses.Mc + 180.0);
  return result >= 0 && AllFinite(houses);
}

std::string Folded(std::string_view text) {
  std::string out;
  for (char c : text)
    out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Lower case of the Cyrillic capitals the names can start with (UTF-8, two bytes each).
std::string FoldedRussian(std::string_view text) {
  std::string out = Folded(text);
  for (std::size_t i = 0; i + 1 < out.size(); ++i) {
    const auto a = static_cast<unsigned char>(out[i]), b = static_cast<unsigned char>(out[i + 1]);
    if (a == 0xD0 && b >= 0x90 && b <= 0x9F) { // А..П -> а..п
      out[i + 1] = static_cast<char>(b + 0x20);
      ++i;
    } else if (a == 0xD0 && b >= 0xA0 && b <= 0xAF) { // Р..Я -> р..я
      out[i] = static_cast<char>(0xD1);
      out[i + 1] = static_cast<char>(b - 0x20);
      ++i;
    }
  }
  return out;
}

} // namespace

THouses ComputeHouses(double jdUT, double latDeg, double lonDeg, char system) {
  if (!Find(system))
    throw std::invalid_argument(std::string("unknown house system '") + system + "'");
  if (!(latDeg >= -90.0 && latDeg <= 90.0))
    throw std::invalid_argument("latitude outside -90..90");
  THouses houses;
  houses.System = system;
  houses.Used = system;
  houses.Latitude = latDeg;
  if (Compute(jdUT, latDeg, lonDeg, system, houses))
    return houses;
  houses.Used = 'O';
  if (!Compute(jdUT, latDeg, lonDeg, 'O', houses))
    throw std::runtime_error("no houses at latitude " + std::to_string(latDeg));
  return houses;
}

int HouseOf(const THouses& Houses, double Longitude) {
  const double L = NormalizeDegrees(Longitude);
  for (int h = 0; h < 12; ++h) {
    const double from = Houses.Cusps[h];
    const double span = NormalizeDegrees(Houses.Cusps[(h + 1) % 12] - from);
    if (NormalizeDegrees(L - from) < span)
      return h + 1;
  }
  return 1; // only for degenerate cusps that coincide
}

std::string_view HouseSystemName(char System) {
  const TSystemNames* names = Find(System);
  return names ? names->Russian : std::string_view();
}

std::optional<char> ParseHouseSystem(std::string_view Text) {
  if (Text.size() == 1) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(Text[0])));
    if (Find(letter))
      return letter;
    return std::nullopt;
  }
  const std::string folded = FoldedRussian(Text);
  for (const TSystemNames& names : kSystems)
    if (folded == names.Latin || folded == names.RussianAlias ||
        folded == FoldedRussian(names.Russian))
      return names.Letter;
  return std::nullopt;
}

std::string FallbackText(const THouses& Houses) {
  if (!Houses.Fallback())
    return {};
  const int degrees = static_cast<int>(std::trunc(Houses.Latitude));
  return std::string(Find(Houses.System)->HousesPhrase) + " на широте " + std::to_string(degrees) +
         "° не определены; показаны дома Порфирия";
}

} // namespace astro
