// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of astravia-chart, parsed into plain options. Every mistake is a
// TChartError naming the option, so the program can report it and exit with status 2.
#pragma once

#include "ChartMoment.h"

#include "SecondChart.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace chart {

// A failure the companion reports on standard error before exiting with status 2.
class TChartError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum class TStep { None, Minute, Hour, Day };

// Seconds of one step; 0 for TStep::None.
TSeconds StepSeconds(TStep step);

// Charts a series writing pictures may have unless --max-steps allows more: a year in minute
// steps would otherwise write half a million pictures without a word.
inline constexpr std::int64_t kDefaultMaxSteps = 10000;
// --transits FROM TO or --sky FROM TO: local moments (of the chart's place) bounding the search.
struct TEventPeriod {
  TSeconds From = 0; // inclusive
  TSeconds To = 0;   // exclusive: a date alone means the end of that day
  bool Sky = false;  // --sky: the sky's own events, no natal chart
};

// A second chart around the chart: --transit, --with-chart, --solar-return, --lunar-return or
// --progressed.
struct TSecondOption {
  astro::TSecondKind Kind = astro::TSecondKind::Transit;
  TSeconds Local = 0;    // local moment at the chart's place: of the transit, the lunar return's
                         // search start, the progression's target
  int Year = 0;          // of the solar return
  std::string ChartName; // the archive's chart of a synastry
};

struct TChartOptions {
  bool Help = false;
  TSeconds Start = 0;              // local moment of the first chart
  std::optional<std::string> City; // "Country/City entry" as the city base lists it (UTF-8)
  std::optional<int> Zone;         // hours east of Greenwich, when given instead of a city
  std::optional<int> ZoneSeconds;  // --zone with minutes ("+5:30"): the exact offset, seconds
  // --lat and --lon: a place of one's own, signed decimal degrees (north and east positive),
  // with --tz (an IANA zone, offsets by date) or --zone.
  std::optional<double> Latitude, Longitude;
  std::optional<std::string> TimeZoneName;
  bool Julian = false;           // --julian: --date is an old-style (Julian calendar) date
  std::string IniPath;           // empty: quellantree.ini beside the program
  std::string OutDir;            // empty: text on standard output only
  std::optional<TSeconds> Until; // local moment of the last chart of a series
  TStep Step = TStep::None;
  std::optional<bool> HistoricZones;     // --historic-zones / --no-historic-zones; else the INI's
  std::string ArchivePath;               // empty: the archive the window uses
  std::optional<std::string> SaveChart;  // store the chart under this name
  std::optional<std::string> ChartName;  // compute this stored chart (its moment and place)
  bool ListCharts = false;               // print the archive's charts and stop
  std::optional<std::string> ImportFile; // read an AAF or CSV collection into the archive
  std::optional<std::string> ExportFile; // write charts of the archive to a collection
  std::string ExportFormat;              // "aaf" or "csv"
  std::vector<std::string> ExportCharts; // --chart names for --export; empty: every chart
  bool Png = false;                      // pictures as lossless PNG instead of JPEG
  bool Json = false;                     // one JSON object per chart instead of the text
  std::optional<std::uint32_t> Seed;     // milliseconds since midnight UT for every tarot draw
  std::optional<char> HouseSystem;       // --houses, a letter of astro::kHouseSystems
  std::optional<bool> WheelHouses;       // --wheel-houses / --no-wheel-houses; else the INI's
  std::string PdfFile;                   // --pdf: the chart sheet's file; empty: none
  std::int64_t MaxSteps = kDefaultMaxSteps; // most charts of a series that writes files
  std::optional<TEventPeriod> Events;       // list a period's events instead of the chart
  std::optional<TSecondOption> Second;      // a second chart around this one
};

// Number of charts the options ask for: 1, or every step from Start through Until.
std::int64_t SeriesLength(const TChartOptions& options);
// Local moment of chart `index` (0-based) of the series.
TSeconds SeriesMoment(const TChartOptions& options, std::int64_t index);

// Parses the arguments after the program name. Throws TChartError on any mistake.
TChartOptions ParseChartOptions(const std::vector<std::string>& args);

// The text of --help.
std::string ChartHelpText();

} // namespace chart
