// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartText.h"

#include "AlmanacText.h"
#include "Coordinates.h"
#include "DateTime.h"
#include "Formatting.h"
#include "Vocabulary.h"

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

} // namespace

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
  if (chart.Almanac)
    PrintAlmanac(out, *chart.Almanac);
  if (chart.Dignities)
    PrintDignities(out, *chart.Dignities);
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
  return out.str();
}

} // namespace chart
