// SPDX-License-Identifier: GPL-3.0-or-later
// The text a chart prints on standard output (UTF-8): moment, place, bodies, the Sun and Moon of
// the day, the dignities, aspects and the tarot spread.
#pragma once

#include "Almanac.h"
#include "Chart.h"
#include "Clock.h"
#include "Dignities.h"
#include "SecondChart.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace chart {

struct TBodyFacts {
  double Longitude = 0;    // ecliptic longitude of date, degrees, 0 <= L < 360
  int Sign = 1;            // 1..12
  double DegreeInSign = 0; // degrees, 0 <= d < 30
};

struct TAspectFacts {
  int Planet1 = 0; // body 1..9
  int Aspect = 0;  // 1..18
  int Planet2 = 0; // body Planet1 + 1..10
  friend bool operator==(const TAspectFacts&, const TAspectFacts&) = default;
};

struct TPlaceFacts {
  std::string Name;    // "Country/City entry"
  std::string Country; // as the city base lists it
  std::string City;    // the city entry, "City;Region" where the base has a region
  int LatitudeDeg = 0, LatitudeMin = 0, LongitudeDeg = 0, LongitudeMin = 0;
  // Signed decimal degrees, north and east positive: what is printed (the integers lose the sign
  // of a place between 0 and -1 degrees).
  double Latitude = 0, Longitude = 0;
  bool Own = false; // typed by the user, not taken from the atlas
};

// One card of the tarot spread.
struct TCardFacts {
  int Arcanum = 0;               // 1..22
  int State = 0;                 // 1 upright, -1 reversed, 0 not laid
  std::vector<std::string> Text; // its text from the tarot base (UTF-8 lines)
};

// The chart's dignities from the table of dignities.
struct TDignityFacts {
  std::string Tradition;           // the table's tradition
  astro::TChartDignities Bodies{}; // element 0 is the Sun; fuller when Full
  bool Full = false;               // the table has triplicities, terms, faces and houses
  astro::TSect Sect;               // the sect the triplicities were taken by
};

struct TSecondFacts;

// One computed chart, as the model holds it after the aspect search.
struct TChartFacts {
  astro::TDateTime Local = 0;     // the moment the frames show (local time)
  astro::TDateTime Universal = 0; // the moment the ephemeris was asked for (UT)
  int Zone = 0;                   // whole hours east of Greenwich (toward zero)
  int OffsetSeconds = 0;          // the exact offset used: Local = Universal + OffsetSeconds
  std::string ZoneName;           // IANA zone when the offset is a zone by date, else empty
  std::string OffsetLabel;        // "UTC+04:00, Europe/Moscow, летнее время"
  std::optional<TPlaceFacts> Place;
  std::array<TBodyFacts, 10> Bodies{};             // element 0 is the Sun
  std::vector<TAspectFacts> Aspects;               // in the model's order
  int AspectsOmitted = 0;                          // matches beyond the 45 kept
  std::optional<std::array<TCardFacts, 22>> Tarot; // the spread, when the tarot view was laid
  std::optional<astro::TAlmanacDay> Almanac;       // Sun and Moon of the local day, with a place
  std::optional<TDignityFacts> Dignities;          // when a table of dignities was read
  astro::TChart Value; // the same chart as a value, with houses and points when a place is known
  std::shared_ptr<const TSecondFacts> Second; // a second chart around this one, or none
};

// A second chart around a chart and the aspects between them.
struct TSecondFacts {
  astro::TSecondKind Kind = astro::TSecondKind::Transit;
  std::string Name;  // the archive's chart of a synastry, else empty
  TChartFacts Chart; // its moment, place, bodies, aspects and value (no tarot, no almanac)
  std::vector<astro::TCrossAspect> Cross; // sorted by orb
};

// The facts of a chart value that printing needs: moment, bodies and aspects, and the place.
TChartFacts FactsOfValue(const astro::TChart& Value, const std::optional<TPlaceFacts>& Place);
// The dignities of a chart value: by sign, and with a fuller table by degree, sect and house.
TDignityFacts DignityFactsOf(const astro::TDignityTable& table, const astro::TChart& chart);

// The chart as lines of text, each ended by "\n". `number` > 0 heads it with "Chart <n>"
// (a series); 0 prints no heading.
std::string ChartText(const TChartFacts& chart, int number = 0, int numberWidth = 4);

// "Солнце - Луна: Трин (Tri)", the line of one aspect.
std::string AspectLine(const TAspectFacts& item);

// The chart as one line of JSON (no line end): moment, place, bodies, aspects, tarot, almanac,
// dignities and their total.
std::string ChartJson(const TChartFacts& chart);

} // namespace chart
