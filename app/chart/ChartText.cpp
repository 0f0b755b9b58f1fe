// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartText.h"

#include "AlmanacText.h"
#include "Coordinates.h"
#include "DateTime.h"
#include "Formatting.h"
#include "Vocabulary.h"
#include "ZoneOffset.h"

#include <algorithm>
#include <sstream>

namespace chart {
namespace {

// Number of characters (not bytes) of a UTF-8 text.
std::size_t Characters(std::string_view text) {
  std::size_t count = 0;
  for (unsigned char c : text)
    count += (c & 0xC0) != 0x80;
  return count;
}

std::string PaddedRight(std::string_view text, std::size_t width) {
  std::string result(text);
  for (std::size_t n = Characters(text); n < width; ++n)
    result += ' ';
  return result;
}

std::string MomentLine(astro::TDateTime moment) {
  return astro::DateToText(moment) + " " + astro::TimeToText(moment);
}

std::string ZoneText(int zone) {
  return (zone >= 0 ? "+" : "") + std::to_string(zone);
}

std::string SignedPoints(int points) {
  return (points > 0 ? "+" : "") + std::to_string(points);
}

void PrintAlmanac(std::ostream& out, const astro::TAlmanacDay& day) {
  using astro::EventTimeText;
  out << "Sun: rise " << EventTimeText(day.SunRise) << ", set " << EventTimeText(day.SunSet)
      << ", culmination " << EventTimeText(day.SunCulmination) << "\n";
  out << "Moon: rise " << EventTimeText(day.MoonRise) << ", set " << EventTimeText(day.MoonSet)
      << ", illuminated " << astro::PhaseText(day.Moon) << ", "
      << (day.Moon.Waxing ? "waxing" : "waning") << "\n";
}

void PrintDignities(std::ostream& out, const TDignityFacts& dignities) {
  out << "Dignities (" << dignities.Tradition << "):\n";
  for (const astro::TBodyDignity& body : dignities.Bodies)
    out << "  " << PaddedRight(astro::PlanetNames[body.Body], 9) << " "
        << PaddedRight(astro::SignNames[body.Sign], 9) << " "
        << PaddedRight(astro::DignityText(body), 21) << " " << SignedPoints(body.Points) << "\n";
  out << "  Total: " << SignedPoints(astro::TotalPoints(dignities.Bodies)) << "\n";
}

// With a fuller table: every essential dignity by degree and sect with Lilly's points, and the
// house's accidental dignity when houses are known.
void PrintFullDignities(std::ostream& out, const TDignityFacts& dignities) {
  const bool housed = dignities.Bodies[0].House > 0;
  out << "Lilly's dignities (" << astro::SectText(dignities.Sect) << "):\n";
  for (const astro::TBodyDignity& body : dignities.Bodies) {
    out << "  " << PaddedRight(astro::PlanetNames[body.Body], 9) << " "
        << PaddedRight(astro::EssentialText(body), 34) << " "
        << PaddedRight(SignedPoints(body.EssentialPoints), 3);
    if (housed)
      out << "  house " << PaddedRight(std::to_string(body.House), 2) << " "
          << PaddedRight(astro::HouseKindName(body.House), 11) << " "
          << SignedPoints(body.AccidentalPoints);
    out << "\n";
  }
  out << "  Essential: " << SignedPoints(astro::TotalEssentialPoints(dignities.Bodies));
  if (housed)
    out << ", accidental: " << SignedPoints(astro::TotalAccidentalPoints(dignities.Bodies));
  out << "\n";
}

std::string SignDegree(double longitude) {
  const int sign = static_cast<int>(longitude / 30.0) % 12 + 1;
  return PaddedRight(astro::SignNames[sign], 9) + " " +
         astro::FormatDegMin(longitude - 30.0 * (sign - 1));
}

void PrintHouses(std::ostream& out, const astro::THouses& houses) {
  out << "Houses: " << astro::HouseSystemName(houses.System) << " (" << houses.System << ")\n";
  if (houses.Fallback())
    out << "  " << astro::FallbackText(houses) << "\n";
  for (int h = 0; h < 12; ++h)
    out << "  " << PaddedRight(std::to_string(h + 1), 3)
        << astro::FormatFixed(4, 8, houses.Cusps[h]) << "  " << SignDegree(houses.Cusps[h]) << "\n";
  const std::pair<const char*, double> angles[] = {{"ASC", houses.Asc},
                                                   {"MC", houses.Mc},
                                                   {"DSC", houses.Dsc},
                                                   {"IC", houses.Ic},
                                                   {"Vertex", houses.Vertex}};
  for (const auto& [name, longitude] : angles)
    out << "  " << PaddedRight(name, 7) << astro::FormatFixed(4, 8, longitude) << "  "
        << SignDegree(longitude) << "\n";
}

// Each body's house (with houses) and motion.
void PrintBodyHouses(std::ostream& out, const astro::TChart& chart) {
  out << "Body houses and motion:\n";
  for (int b = 1; b <= astro::kBodyCount; ++b) {
    out << "  " << PaddedRight(astro::PlanetNames[b], 9);
    if (chart.Houses)
      out << " house " << PaddedRight(std::to_string(chart.BodyHouses[b - 1]), 2);
    const astro::TMotion motion = chart.Motions[b - 1].Motion;
    out << " "
        << (motion == astro::TMotion::Stationary   ? "стационарен"
            : motion == astro::TMotion::Retrograde ? "ретрограден ℞"
                                                   : "директен")
        << "\n";
  }
}

void PrintPoints(std::ostream& out, const astro::TChart& chart) {
  out << "Points:\n";
  for (const astro::TPoint& point : chart.Points.Items) {
    out << "  " << PaddedRight(astro::PointNames[int(point.Kind)], 14) << " "
        << astro::FormatFixed(4, 8, point.Longitude) << "  " << SignDegree(point.Longitude);
    if (chart.Houses)
      out << "  house " << astro::HouseOf(*chart.Houses, point.Longitude);
    out << "\n";
  }
  if (!chart.Points.Note.empty())
    out << "  " << chart.Points.Note << "\n";
  out << "Point aspects: " << chart.PointAspects.size() << "\n";
  for (const astro::TPointAspect& item : chart.PointAspects)
    out << "  " << astro::PlanetNames[item.Body] << " - " << astro::ChartPointName(item.Point)
        << ": " << astro::AspectNames[item.Aspect] << " (" << astro::AspectKeys[item.Aspect]
        << "), orb " << astro::FormatFixed(2, 0, item.Orb) << "\n";
}

void PrintSecond(std::ostream& out, const TSecondFacts& second);

} // namespace

TChartFacts FactsOfValue(const astro::TChart& Value, const std::optional<TPlaceFacts>& Place) {
  TChartFacts facts;
  facts.Value = Value;
  facts.Place = Place;
  facts.Local = Value.Moment.Local;
  facts.Universal = Value.Moment.Universal;
  facts.OffsetSeconds = Value.Moment.OffsetSeconds;
  facts.Zone = WholeHoursOf(Value.Moment.OffsetSeconds);
  facts.ZoneName = Value.Moment.ZoneName;
  facts.OffsetLabel = OffsetText(Value.Moment.OffsetSeconds).toStdString() +
                      (Value.Moment.ZoneName.empty() ? "" : ", " + Value.Moment.ZoneName);
  for (int b = 1; b <= astro::kBodyCount; ++b) {
    const double longitude = Value.Longitudes[b - 1];
    const int sign = static_cast<int>(longitude / 30.0) % 12 + 1;
    facts.Bodies[b - 1] = {longitude, sign, longitude - 30.0 * (sign - 1)};
  }
  for (int i = 0; i < Value.Aspects.Count; ++i)
    facts.Aspects.push_back({Value.Aspects.Items[i].Planet1, Value.Aspects.Items[i].Aspect,
                             Value.Aspects.Items[i].Planet2});
  return facts;
}

TDignityFacts DignityFactsOf(const astro::TDignityTable& table, const astro::TChart& chart) {
  const astro::TDignityPlaces places = astro::DignityPlacesOf(chart);
  return {table.Tradition, astro::FullChartDignities(table, places), table.Minor.has_value(),
          places.Sect};
}

std::string AspectLine(const TAspectFacts& item) {
  return std::string(astro::PlanetNames[item.Planet1]) + " - " +
         std::string(astro::PlanetNames[item.Planet2]) + ": " +
         std::string(astro::AspectNames[item.Aspect]) + " (" +
         std::string(astro::AspectKeys[item.Aspect]) + ")";
}

std::string ChartText(const TChartFacts& chart, int number, int numberWidth) {
  std::ostringstream out;
  if (number > 0)
    out << "Chart " << astro::ZeroPad(number, numberWidth) << "\n";
  out << "Moment: " << MomentLine(chart.Local) << " local, " << MomentLine(chart.Universal)
      << " UT, " << chart.OffsetLabel << "\n";
  if (chart.Place)
    out << "Place: " << chart.Place->Name << ", latitude "
        << astro::FormatSignedDegMin(chart.Place->Latitude) << ", longitude "
        << astro::FormatSignedDegMin(chart.Place->Longitude) << ", zone " << ZoneText(chart.Zone)
        << "\n";
  else
    out << "Place: zone " << ZoneText(chart.Zone) << "\n";
  out << "Bodies:\n";
  for (int b = 1; b <= astro::kBodyCount; ++b) {
    const TBodyFacts& body = chart.Bodies[b - 1];
    out << "  " << PaddedRight(astro::PlanetNames[b], 9) << " "
        << astro::FormatFixed(2, 6, body.Longitude) << "  "
        << PaddedRight(astro::SignNames[body.Sign], 9) << " "
        << astro::FormatDegMin(body.DegreeInSign) << "\n";
  }
  if (chart.Value.Houses)
    PrintHouses(out, *chart.Value.Houses);
  PrintBodyHouses(out, chart.Value);
  PrintPoints(out, chart.Value);
  if (chart.Almanac)
    PrintAlmanac(out, *chart.Almanac);
  if (chart.Dignities) {
    PrintDignities(out, *chart.Dignities);
    if (chart.Dignities->Full)
      PrintFullDignities(out, *chart.Dignities);
  }
  out << "Aspects: " << chart.Aspects.size();
  if (chart.AspectsOmitted > 0)
    out << " (the closest to exact; " << chart.AspectsOmitted << " more left out)";
  out << "\n";
  for (const TAspectFacts& item : chart.Aspects)
    out << "  " << AspectLine(item) << "\n";
  if (chart.Tarot) {
    out << "Tarot:\n";
    for (const TCardFacts& card : *chart.Tarot) {
      if (card.State == 0)
        continue;
      out << "  " << astro::ArcanaNumerals[card.Arcanum] << " " << astro::ArcanaNames[card.Arcanum]
          << ": " << (card.State > 0 ? "прямо" : "перевёрнуто") << "\n";
      for (const std::string& line : card.Text)
        out << "    " << line << "\n";
    }
  }
  if (chart.Second)
    PrintSecond(out, *chart.Second);
  return out.str();
}

namespace {

void PrintSecond(std::ostream& out, const TSecondFacts& second) {
  out << "Second chart: " << astro::SecondKindName(second.Kind);
  if (!second.Name.empty())
    out << ", " << second.Name;
  out << "\n";
  if (second.Kind == astro::TSecondKind::Progressed)
    out << "  angles and cusps progressed by the solar arc\n";
  std::istringstream lines(ChartText(second.Chart));
  for (std::string line; std::getline(lines, line);)
    out << "  " << line << "\n";
  out << "Cross aspects: " << second.Cross.size() << "\n";
  for (const astro::TCrossAspect& item : second.Cross)
    out << "  " << astro::CrossPointName(item.Second) << " - " << astro::CrossPointName(item.Natal)
        << " (натал): " << astro::AspectNames[item.Aspect] << " (" << astro::AspectKeys[item.Aspect]
        << "), orb " << astro::FormatFixed(2, 0, item.Orb) << ", "
        << (item.Applying ? "applying" : "separating") << "\n";
}

} // namespace

} // namespace chart
