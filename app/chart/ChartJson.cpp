// SPDX-License-Identifier: GPL-3.0-or-later
// The chart as one JSON object: {"moment", "place", "bodies", "aspects", "aspects_omitted",
// "tarot", "almanac", "dignities", "dignity_total", "dignity_totals", "houses", "points",
// "point_aspects"}.
#include "ChartText.h"

#include "AlmanacText.h"

#include "Coordinates.h"
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

// Whole minutes as an integer; a local mean time's seconds as a fraction (150.466667).
std::string OffsetMinutes(int seconds) {
  if (seconds % 60 == 0)
    return std::to_string(seconds / 60);
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", seconds / 60.0);
  std::string result = text;
  result.erase(result.find_last_not_of('0') + 1);
  return result;
}

std::string MomentJson(const TChartFacts& chart) {
  return TList('{', '}')
      .Add("local", Quoted(IsoMoment(chart.Local)))
      .Add("ut", Quoted(IsoMoment(chart.Universal)))
      .Add("offset_minutes", OffsetMinutes(chart.OffsetSeconds))
      .Add("zone", chart.ZoneName.empty() ? std::string("null") : Quoted(chart.ZoneName))
      .Done();
}

std::string PlaceJson(const TChartFacts& chart) {
  if (!chart.Place)
    return "null";
  const TPlaceFacts& place = *chart.Place;
  return TList('{', '}')
      .Add("country", Quoted(place.Country))
      .Add("city", Quoted(place.City))
      .Add("latitude", Quoted(astro::FormatSignedDegMin(place.Latitude)))
      .Add("longitude", Quoted(astro::FormatSignedDegMin(place.Longitude)))
      .Add("lat", astro::FormatFixed(6, 0, place.Latitude))
      .Add("lon", astro::FormatFixed(6, 0, place.Longitude))
      .Add("own", place.Own ? "true" : "false")
      .Done();
}

// Degrees with four decimals.
std::string Degrees(double value) {
  return astro::FormatFixed(4, 0, value);
}

// The house 1..12 of a longitude, or null without houses.
std::string HouseJson(const astro::TChart& chart, double longitude) {
  return chart.Houses ? std::to_string(astro::HouseOf(*chart.Houses, longitude)) : "null";
}

std::string BodiesJson(const TChartFacts& chart) {
  TList bodies('[', ']');
  for (int b = 1; b <= astro::kBodyCount; ++b) {
    const TBodyFacts& body = chart.Bodies[b - 1];
    bodies.Add(TList('{', '}')
                   .Add("body", std::to_string(b))
                   .Add("name", Quoted(astro::PlanetNames[b]))
                   .Add("longitude", Degrees(body.Longitude))
                   .Add("sign", std::to_string(body.Sign))
                   .Add("sign_name", Quoted(astro::SignNames[body.Sign]))
                   .Add("degree_in_sign", Quoted(astro::FormatDegMin(body.DegreeInSign)))
                   .Add("house", HouseJson(chart.Value, body.Longitude))
                   .Add("retrograde", chart.Value.Motions[b - 1].Speed < 0 ? "true" : "false")
                   .Done());
  }
  return bodies.Done();
}

std::string HousesJson(const astro::TChart& chart) {
  if (!chart.Houses)
    return "null";
  const astro::THouses& houses = *chart.Houses;
  TList cusps('[', ']');
  for (double cusp : houses.Cusps)
    cusps.Add(Degrees(cusp));
  return TList('{', '}')
      .Add("system", Quoted(std::string(1, houses.System)))
      .Add("name", Quoted(astro::HouseSystemName(houses.System)))
      .Add("asc", Degrees(houses.Asc))
      .Add("mc", Degrees(houses.Mc))
      .Add("cusps", cusps.Done())
      .Add("fallback", houses.Fallback() ? Quoted(std::string(1, houses.Used)) : "null")
      .Done();
}

std::string PointsJson(const astro::TChart& chart) {
  TList points('[', ']');
  for (const astro::TPoint& point : chart.Points.Items)
    points.Add(TList('{', '}')
                   .Add("point", Quoted(astro::PointKeys[int(point.Kind)]))
                   .Add("name", Quoted(astro::PointNames[int(point.Kind)]))
                   .Add("longitude", Degrees(point.Longitude))
                   .Add("house", HouseJson(chart, point.Longitude))
                   .Done());
  return points.Done();
}

std::string PointAspectsJson(const astro::TChart& chart) {
  TList aspects('[', ']');
  for (const astro::TPointAspect& item : chart.PointAspects)
    aspects.Add(TList('{', '}')
                    .Add("a", std::to_string(item.Body))
                    .Add("aspect", std::to_string(item.Aspect))
                    .Add("b", Quoted(astro::ChartPointKey(item.Point)))
                    .Add("orb", astro::FormatFixed(2, 0, item.Orb))
                    .Done());
  return aspects.Done();
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

// A local time "HH:MM", or null when the event does not happen that day.
std::string EventJson(const astro::TDayEvent& event) {
  return event.Local ? Quoted(astro::EventTimeText(event)) : "null";
}

std::string AlmanacJson(const TChartFacts& chart) {
  if (!chart.Almanac)
    return "null";
  const astro::TAlmanacDay& day = *chart.Almanac;
  return TList('{', '}')
      .Add("sun", TList('{', '}')
                      .Add("rise", EventJson(day.SunRise))
                      .Add("set", EventJson(day.SunSet))
                      .Add("culmination", EventJson(day.SunCulmination))
                      .Done())
      .Add("moon", TList('{', '}')
                       .Add("rise", EventJson(day.MoonRise))
                       .Add("set", EventJson(day.MoonSet))
                       .Add("illuminated", astro::FormatFixed(2, 0, day.Moon.Illuminated))
                       .Add("waxing", day.Moon.Waxing ? "true" : "false")
                       .Done())
      .Done();
}

std::string BodyOrNull(int body) {
  return body > 0 ? std::to_string(body) : "null";
}

// The fuller fields of one body: the rulers of its triplicity (by the sect), term and face,
// every dignity it holds, and its house's accidental dignity; null where the table or the
// houses do not give them.
void AddFullDignity(TList& entry, const astro::TBodyDignity& body, bool full) {
  TList essential('[', ']');
  for (astro::TDignity kind : body.Essential)
    essential.Add(Quoted(astro::DignityNames[int(kind)]));
  const bool peregrine = std::find(body.Essential.begin(), body.Essential.end(),
                                   astro::TDignity::Peregrine) != body.Essential.end();
  const bool housed = full && body.House > 0;
  entry.Add("triplicity", BodyOrNull(body.TriplicityRuler))
      .Add("term", BodyOrNull(body.TermRuler))
      .Add("face", BodyOrNull(body.FaceRuler))
      .Add("essential", essential.Done())
      .Add("peregrine", full ? (peregrine ? "true" : "false") : "null")
      .Add("essential_points", std::to_string(body.EssentialPoints))
      .Add("house", BodyOrNull(body.House))
      .Add("accidental", housed ? Quoted(astro::HouseKindName(body.House)) : "null")
      .Add("accidental_points", housed ? std::to_string(body.AccidentalPoints) : "null");
}

// One entry a body; a body holding two dignities in its sign names the first (обитель before
// экзальтация, изгнание before падение) and gives the sum of their points (`points`, the sign's
// dignities alone); `essential_points` adds triplicity, term, face and peregrine.
std::string DignitiesJson(const TChartFacts& chart) {
  if (!chart.Dignities)
    return "null";
  TList bodies('[', ']');
  for (const astro::TBodyDignity& body : chart.Dignities->Bodies) {
    TList entry('{', '}');
    entry.Add("body", std::to_string(body.Body))
        .Add("sign", std::to_string(body.Sign))
        .Add("dignity", body.Dignities.empty()
                            ? std::string("null")
                            : Quoted(astro::DignityNames[int(body.Dignities[0])]))
        .Add("points", std::to_string(body.Points));
    AddFullDignity(entry, body, chart.Dignities->Full);
    bodies.Add(entry.Done());
  }
  return bodies.Done();
}

std::string DignityTotalJson(const TChartFacts& chart) {
  return chart.Dignities ? std::to_string(astro::TotalPoints(chart.Dignities->Bodies)) : "null";
}

std::string CrossPointJson(const astro::TCrossPoint& point) {
  return point.Body ? std::to_string(point.Body) : Quoted(astro::CrossPointKey(point));
}

std::string SecondJson(const TChartFacts& chart) {
  if (!chart.Second)
    return "null";
  const TSecondFacts& second = *chart.Second;
  return TList('{', '}')
      .Add("kind", Quoted(astro::SecondKindKey(second.Kind)))
      .Add("name", second.Name.empty() ? std::string("null") : Quoted(second.Name))
      .Add("moment", MomentJson(second.Chart))
      .Add("place", PlaceJson(second.Chart))
      .Add("bodies", BodiesJson(second.Chart))
      .Add("houses", HousesJson(second.Chart.Value))
      .Done();
}

std::string CrossAspectsJson(const TChartFacts& chart) {
  if (!chart.Second)
    return "null";
  TList aspects('[', ']');
  for (const astro::TCrossAspect& item : chart.Second->Cross)
    aspects.Add(TList('{', '}')
                    .Add("second", CrossPointJson(item.Second))
                    .Add("aspect", std::to_string(item.Aspect))
                    .Add("natal", CrossPointJson(item.Natal))
                    .Add("orb", astro::FormatFixed(2, 0, item.Orb))
                    .Add("applying", item.Applying ? "true" : "false")
                    .Done());
  return aspects.Done();
}

// {"essential": ..., "accidental": ... | null, "sect": "day" | "night", "sect_from": "horizon" |
// "clock"}, or null without a table.
std::string DignitySummaryJson(const TChartFacts& chart) {
  if (!chart.Dignities)
    return "null";
  const TDignityFacts& facts = *chart.Dignities;
  const bool housed = facts.Full && chart.Value.Houses;
  return TList('{', '}')
      .Add("essential", std::to_string(astro::TotalEssentialPoints(facts.Bodies)))
      .Add("accidental",
           housed ? std::to_string(astro::TotalAccidentalPoints(facts.Bodies)) : "null")
      .Add("sect", Quoted(facts.Sect.Day ? "day" : "night"))
      .Add("sect_from", Quoted(facts.Sect.FromHorizon ? "horizon" : "clock"))
      .Done();
}

} // namespace

std::string ChartJson(const TChartFacts& chart) {
  return TList('{', '}')
      .Add("moment", MomentJson(chart))
      .Add("place", PlaceJson(chart))
      .Add("bodies", BodiesJson(chart))
      .Add("aspects", AspectsJson(chart))
      .Add("aspects_omitted", std::to_string(chart.AspectsOmitted))
      .Add("tarot", TarotJson(chart))
      .Add("almanac", AlmanacJson(chart))
      .Add("dignities", DignitiesJson(chart))
      .Add("dignity_total", DignityTotalJson(chart))
      .Add("dignity_totals", DignitySummaryJson(chart))
      .Add("houses", HousesJson(chart.Value))
      .Add("points", PointsJson(chart.Value))
      .Add("point_aspects", PointAspectsJson(chart.Value))
      .Add("second", SecondJson(chart))
      .Add("cross_aspects", CrossAspectsJson(chart))
      .Done();
}

} // namespace chart
