// SPDX-License-Identifier: GPL-3.0-or-later
// The chart as one JSON object: {"moment", "place", "bodies", "aspects", "tarot"}.
#include "ChartText.h"

#include "DateTime.h"
#include "Formatting.h"
#include "Vocabulary.h"

#include <cstdio>

namespace chart {
namespace {

// A JSON string literal of UTF-8 text.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += char(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += char(c);
    }
  }
  return out + "\"";
}

std::string IsoMoment(astro::TDateTime moment) {
  const astro::TCalendarDate d = astro::DecodeDate(moment);
  return astro::ZeroPad(d.Year, 4) + "-" + astro::ZeroPad(d.Month, 2) + "-" +
         astro::ZeroPad(d.Day, 2) + "T" + astro::TimeToText(moment);
}

std::string Coordinate(int degrees, int minutes) {
  return std::to_string(degrees) + "°" + astro::ZeroPad(minutes < 0 ? -minutes : minutes, 2) + "’";
}

// Members of an object or items of an array, separated by commas.
class TList {
public:
  TList(char open, char close) : Close_(close) { Text_ += open; }
  TList& Add(const std::string& item) {
    if (!First_)
      Text_ += ',';
    First_ = false;
    Text_ += item;
    return *this;
  }
  TList& Add(std::string_view key, const std::string& value) {
    return Add(Quoted(key) + ":" + value);
  }
  std::string Done() const { return Text_ + Close_; }

private:
  std::string Text_;
  char Close_;
  bool First_ = true;
};

std::string MomentJson(const TChartFacts& chart) {
  return TList('{', '}')
      .Add("local", Quoted(IsoMoment(chart.Local)))
      .Add("ut", Quoted(IsoMoment(chart.Universal)))
      .Add("offset_minutes", std::to_string(chart.Zone * 60))
      .Add("zone", "null")
      .Done();
}

std::string PlaceJson(const TChartFacts& chart) {
  if (!chart.Place)
    return "null";
  const TPlaceFacts& place = *chart.Place;
  return TList('{', '}')
      .Add("country", Quoted(place.Country))
      .Add("city", Quoted(place.City))
      .Add("latitude", Quoted(Coordinate(place.LatitudeDeg, place.LatitudeMin)))
      .Add("longitude", Quoted(Coordinate(place.LongitudeDeg, place.LongitudeMin)))
      .Done();
}

std::string BodiesJson(const TChartFacts& chart) {
  TList bodies('[', ']');
  for (int b = 1; b <= astro::kBodyCount; ++b) {
    const TBodyFacts& body = chart.Bodies[b - 1];
    bodies.Add(TList('{', '}')
                   .Add("body", std::to_string(b))
                   .Add("name", Quoted(astro::PlanetNames[b]))
                   .Add("longitude", astro::FormatFixed(2, 0, body.Longitude))
                   .Add("sign", std::to_string(body.Sign))
                   .Add("sign_name", Quoted(astro::SignNames[body.Sign]))
                   .Add("degree_in_sign", Quoted(astro::FormatDegMin(body.DegreeInSign)))
                   .Done());
  }
  return bodies.Done();
}

std::string AspectsJson(const TChartFacts& chart) {
  TList aspects('[', ']');
  for (const TAspectFacts& item : chart.Aspects)
    aspects.Add(TList('{', '}')
                    .Add("planet1", std::to_string(item.Planet1))
                    .Add("aspect", std::to_string(item.Aspect))
                    .Add("planet2", std::to_string(item.Planet2))
                    .Add("key", Quoted(astro::AspectKeys[item.Aspect]))
                    .Add("name", Quoted(astro::AspectNames[item.Aspect]))
                    .Done());
  return aspects.Done();
}

std::string TarotJson(const TChartFacts& chart) {
  if (!chart.Tarot)
    return "null";
  TList cards('[', ']');
  for (const TCardFacts& card : *chart.Tarot)
    cards.Add(TList('{', '}')
                  .Add("arcanum", std::to_string(card.Arcanum))
                  .Add("state", std::to_string(card.State))
                  .Done());
  return cards.Done();
}

} // namespace

std::string ChartJson(const TChartFacts& chart) {
  return TList('{', '}')
      .Add("moment", MomentJson(chart))
      .Add("place", PlaceJson(chart))
      .Add("bodies", BodiesJson(chart))
      .Add("aspects", AspectsJson(chart))
      .Add("tarot", TarotJson(chart))
      .Done();
}

} // namespace chart
