// SPDX-License-Identifier: GPL-3.0-or-later
// Every place of the shipped atlas against the tz database: its IANA zone is one of its country's
// zones (zone1970.tab, zone.tab, link names from tzdata.zi), and it lies within reach of one of
// those zones' reference points. A lost or swapped coordinate sign moves a place to where another
// country's zone was looked up, which the first test catches; the reach catches the rest.
#include "Cp1251.h"
#include "FileText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The farthest a true place lies from its country's nearest zone reference is 2393 km (western
// Yunnan from Shanghai's); a margin above that.
constexpr double kPlausibleKm = 2500;
const std::string kZoneInfo = "/usr/share/zoneinfo/";

struct TPoint {
  double Latitude = 0;
  double Longitude = 0;
};

std::vector<std::string> Split(const std::string& Text, char Separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(Text);
  while (std::getline(in, part, Separator))
    parts.push_back(part);
  if (!Text.empty() && Text.back() == Separator)
    parts.emplace_back();
  return parts;
}

// The lines of Text that are not empty or "#" comments, without their CR.
std::vector<std::string> LinesOf(const std::string& Text) {
  std::vector<std::string> lines;
  for (std::string& line : Split(Text, '\n')) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (!line.empty() && line.front() != '#')
      lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> Lines(const std::string& Path) {
  return LinesOf(ReadFileText(Path));
}

double DistanceKm(TPoint A, TPoint B) {
  constexpr double rad = std::numbers::pi / 180;
  const double a = std::pow(std::sin((B.Latitude - A.Latitude) * rad / 2), 2) +
                   std::cos(A.Latitude * rad) * std::cos(B.Latitude * rad) *
                       std::pow(std::sin((B.Longitude - A.Longitude) * rad / 2), 2);
  return 2 * 6371 * std::asin(std::sqrt(std::min(1.0, a)));
}

// "+DDMM+DDDMM" or "+DDMMSS+DDDMMSS" of the zone tables.
TPoint Iso6709(const std::string& Text) {
  const std::size_t split = Text.find_first_of("+-", 1);
  auto angle = [](const std::string& part, int degreeDigits) {
    const double value =
        std::stoi(part.substr(1, degreeDigits)) +
        std::stoi(part.substr(1 + degreeDigits, 2)) / 60.0 +
        (part.size() > 3u + degreeDigits ? std::stoi(part.substr(3 + degreeDigits, 2)) / 3600.0
                                         : 0.0);
    return part[0] == '-' ? -value : value;
  };
  return {angle(Text.substr(0, split), 2), angle(Text.substr(split), 3)};
}

// The atlas's "55°02’" or "-0°07’" (UTF-8): the sign rides on the degrees text.
double AtlasAngle(const std::string& Text) {
  const std::size_t degree = Text.find("°");
  const double value = std::abs(std::stoi(Text.substr(0, degree))) +
                       std::stoi(Text.substr(degree + std::string("°").size(), 2)) / 60.0;
  return Text.find('-') == 0 ? -value : value;
}

class TAtlasCheck {
public:
  TAtlasCheck() {
    for (const std::string& line : Lines(kZoneInfo + "tzdata.zi"))
      if (line.rfind("L ", 0) == 0) {
        const auto parts = Split(line, ' ');
        Links[parts[2]] = parts[1];
      }
    for (const std::string& line : Lines(kZoneInfo + "iso3166.tab"))
      IsoCodes.insert(Split(line, '\t')[0]);
    for (const char* table : {"zone1970.tab", "zone.tab"})
      for (const std::string& line : Lines(kZoneInfo + table)) {
        const auto parts = Split(line, '\t');
        for (const std::string& code : Split(parts[0], ',')) {
          ZonesOf[code].Names.insert(Resolved(parts[2]));
          ZonesOf[code].References.push_back(Iso6709(parts[1]));
        }
      }
    for (const std::string& line : Lines(ASTRAVIA_SOURCE_DIR "/data/cities-countries.txt")) {
      const auto parts = Split(line, ';');
      CodesOf[parts[0]] = Split(parts[1], ',');
    }
  }

  bool Loaded() const { return !ZonesOf.empty() && !IsoCodes.empty() && !CodesOf.empty(); }

  // Why the atlas line (UTF-8) is wrong; nothing when it is not.
  std::optional<std::string> Problem(const std::string& Line) const {
    const auto fields = Split(Line, ';');
    if (fields.size() != 7)
      return "not seven fields";
    const auto codes = CodesOf.find(fields[1]);
    if (codes == CodesOf.end())
      return "no ISO code for the country";
    bool zoneOfCountry = false;
    double nearest = 1e9;
    const TPoint place{AtlasAngle(fields[3]), AtlasAngle(fields[4])};
    for (const std::string& code : codes->second) {
      if (!IsoCodes.count(code) || !ZonesOf.count(code))
        return code + " is not a country of iso3166.tab with zones";
      const TZones& zones = ZonesOf.at(code);
      zoneOfCountry = zoneOfCountry || zones.Names.count(Resolved(fields[5]));
      for (const TPoint& point : zones.References)
        nearest = std::min(nearest, DistanceKm(place, point));
    }
    if (!zoneOfCountry)
      return "zone not of the country";
    if (nearest > kPlausibleKm)
      return std::to_string(int(nearest)) + " km from the country's zones";
    return std::nullopt;
  }

private:
  std::string Resolved(const std::string& Zone) const {
    const auto link = Links.find(Zone);
    return link == Links.end() ? Zone : link->second;
  }

  std::map<std::string, std::string> Links;
  std::set<std::string> IsoCodes;
  // A country's zones (link names resolved) and their reference points.
  struct TZones {
    std::set<std::string> Names;
    std::vector<TPoint> References;
  };
  std::map<std::string, TZones> ZonesOf;
  std::map<std::string, std::vector<std::string>> CodesOf;
};

TEST(ShippedAtlas, EveryPlaceHasAZoneOfItsCountryAndLiesNearIt) {
  const TAtlasCheck check;
  ASSERT_TRUE(check.Loaded()) << "the tz tables or data/cities-countries.txt cannot be read";
  const auto lines =
      LinesOf(astro::Cp1251ToUtf8(ReadFileText(ASTRAVIA_SOURCE_DIR "/data/cities.txt")));
  ASSERT_GT(lines.size(), 25000u);
  int failures = 0;
  for (const std::string& line : lines)
    if (const auto problem = check.Problem(line)) {
      ADD_FAILURE() << line << ": " << *problem;
      if (++failures == 20)
        FAIL() << "stopping after 20 places";
    }
}

TEST(ShippedAtlas, CheckRejectsPlacesWithAForeignZoneOrFarOff) {
  const TAtlasCheck check;
  EXPECT_FALSE(check.Problem("Тольятти;Россия;;53°32’;49°21’;Europe/Samara;4"));
  EXPECT_FALSE(check.Problem("Осло;Норвегия;;59°55’;10°45’;Europe/Berlin;1")); // a link's zone
  EXPECT_TRUE(check.Problem("Виллемстад;Нидерланды;;68°57’;12°06’;Europe/Oslo;1"));
  EXPECT_TRUE(check.Problem("Паго-Паго;Американское Самоа;;-14°20’;-170°43’;Pacific/Apia;13"));
  EXPECT_TRUE(check.Problem("Москва;Россия;;55°45’;-37°37’;Europe/Moscow;3"));
  EXPECT_TRUE(check.Problem("Москва;Руритания;;55°45’;37°37’;Europe/Moscow;3"));
}

} // namespace
