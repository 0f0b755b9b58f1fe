// SPDX-License-Identifier: GPL-3.0-or-later
#include "CityNames.h"

#include <QString>

#include <algorithm>
#include <utility>

namespace chart {
namespace {

QString Folded(const std::string& text) {
  return QString::fromStdString(text).toCaseFolded();
}

QString CityPart(const std::string& entry) {
  return Folded(entry.substr(0, entry.find(';')));
}

} // namespace

std::string CityFullName(const TCityEntry& city) {
  return city.Country + "/" + city.Entry;
}

TCityNames::TCityNames(std::vector<TCityEntry> entries) : Entries(std::move(entries)) {}

TCityMatch TCityNames::Match(const std::string& name) const {
  TCityMatch match;
  for (const TCityEntry& city : Entries)
    if (CityFullName(city) == name)
      return {true, city, {}, false};

  const QString folded = Folded(name);
  for (const TCityEntry& city : Entries)
    if (Folded(CityFullName(city)) == folded)
      return {true, city, {}, false};

  if (const std::size_t slash = name.find('/');
      slash != std::string::npos && name.find(';', slash) == std::string::npos) {
    const QString country = Folded(name.substr(0, slash));
    const QString cityName = Folded(name.substr(slash + 1));
    std::vector<const TCityEntry*> fits;
    for (const TCityEntry& city : Entries)
      if (Folded(city.Country) == country && CityPart(city.Entry) == cityName)
        fits.push_back(&city);
    if (fits.size() == 1)
      return {true, *fits.front(), {}, false};
    if (fits.size() > 1) {
      match.Ambiguous = true;
      for (const TCityEntry* city : fits)
        match.Suggestions.push_back(CityFullName(*city));
      return match;
    }
  }

  const bool anyCountry = name.find('/') == std::string::npos;
  if (anyCountry) {
    // The city's name (with its region when one is given) in every country.
    const bool withRegion = name.find(';') != std::string::npos;
    const auto nameOf = [withRegion](const TCityEntry& city) {
      return withRegion ? Folded(city.Entry) : CityPart(city.Entry);
    };
    for (const bool prefix : {false, true}) {
      std::vector<const TCityEntry*> fits;
      for (const TCityEntry& city : Entries)
        if (prefix ? nameOf(city).startsWith(folded) : nameOf(city) == folded)
          fits.push_back(&city);
      if (fits.size() == 1)
        return {true, *fits.front(), {}, false, true};
      if (fits.size() > 1 && !prefix) {
        match.Ambiguous = true;
        for (const TCityEntry* city : fits)
          match.Suggestions.push_back(CityFullName(*city));
        return match;
      }
    }
  }

  std::vector<std::pair<int, std::string>> ranked;
  ranked.reserve(Entries.size());
  for (const TCityEntry& city : Entries) {
    std::string full = CityFullName(city);
    // A name given without its region is compared with the entry's name without region too.
    const std::size_t semicolon = full.find(';');
    int distance = SpellingDistance(name, full);
    if (semicolon != std::string::npos && name.find(';') == std::string::npos)
      distance = std::min(distance, SpellingDistance(name, full.substr(0, semicolon)));
    if (anyCountry) {
      distance =
          std::min(distance, SpellingDistance(name, city.Entry.substr(0, city.Entry.find(';'))));
      if (CityPart(city.Entry).startsWith(folded))
        distance = -1; // a name that begins with the text comes first
    }
    ranked.emplace_back(distance, std::move(full));
  }
  std::sort(ranked.begin(), ranked.end());
  ranked.erase(std::unique(ranked.begin(), ranked.end()), ranked.end());
  for (std::size_t i = 0; i < ranked.size() && i < MaxSuggestions; ++i)
    match.Suggestions.push_back(ranked[i].second);
  return match;
}

int SpellingDistance(const std::string& a, const std::string& b) {
  const std::u32string x = Folded(a).toStdU32String(), y = Folded(b).toStdU32String();
  std::vector<int> row(y.size() + 1);
  for (std::size_t j = 0; j <= y.size(); ++j)
    row[j] = static_cast<int>(j);
  for (std::size_t i = 1; i <= x.size(); ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    for (std::size_t j = 1; j <= y.size(); ++j) {
      const int above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return static_cast<int>(row[y.size()]);
}

} // namespace chart
