// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartOptions.h"

#include "Coordinates.h"
#include "DateTime.h"
#include "Houses.h"

#include <charconv>
#include <map>

namespace chart {
namespace {

// Options that take a value, in the order --help lists them.
const char* const ValueOptions[] = {
    "--date",         "--time",      "--city",         "--lat",        "--lon",
    "--tz",           "--zone",      "--ini",          "--out",        "--until",
    "--step",         "--seed",      "--archive",      "--chart",      "--save-chart",
    "--houses",       "--pdf",       "--max-steps",    "--import",     "--export",
    "--format",       "--transit",   "--transit-time", "--with-chart", "--solar-return",
    "--lunar-return", "--progressed"};

bool TakesValue(const std::string& name) {
  for (const char* option : ValueOptions)
    if (name == option)
      return true;
  return false;
}

// Milliseconds since midnight: 0 .. 86 399 999.
std::uint32_t SeedValue(const std::string& text) {
  const bool digits = !text.empty() && text.size() <= 8 &&
                      text.find_first_not_of("0123456789") == std::string::npos;
  if (!digits || std::stoul(text) >= 86400000u)
    throw TChartError("--seed: \"" + text +
                      "\" is not a number of milliseconds since midnight (0 to 86399999)");
  return static_cast<std::uint32_t>(std::stoul(text));
}

TCivilDate DateValue(const std::string& option, const std::string& text) {
  if (auto date = ParseIsoDate(text))
    return *date;
  throw TChartError(option + ": malformed date \"" + text +
                    "\" (expected YYYY-MM-DD, a real calendar date)");
}

TClockTime TimeValue(const std::string& option, const std::string& text) {
  // --time takes an hour of one digit as people write it ("6:15").
  const bool shortHour = option == "--time" && text.size() > 1 && text[1] == ':';
  if (auto time = ParseClockTime(shortHour ? "0" + text : text))
    return *time;
  throw TChartError(option + ": malformed time \"" + text +
                    "\" (expected hh:mm or hh:mm:ss, 00:00 to 23:59:59)");
}

// --zone HOURS or HOURS:MM east of Greenwich, as seconds.
int ZoneValue(const std::string& text) {
  std::string_view digits = text;
  bool negative = false;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  const std::size_t colon = digits.find(':');
  const std::string_view hoursText = digits.substr(0, colon);
  const std::string_view minutesText =
      colon == std::string_view::npos ? std::string_view("00") : digits.substr(colon + 1);
  int hours = 0, minutes = 0;
  const auto whole = [](std::string_view part, int& value) {
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    return !part.empty() && error == std::errc() && end == part.data() + part.size();
  };
  if (!whole(hoursText, hours) || !whole(minutesText, minutes) || minutesText.size() != 2 ||
      minutes > 59)
    throw TChartError("--zone: malformed time zone \"" + text +
                      "\" (expected hours east of Greenwich, -12 to +14, or HOURS:MM such as "
                      "+5:30)");
  // Wide arithmetic: a huge hour count is refused, not overflowed.
  const long long offset = (negative ? -1LL : 1LL) * (hours * 3600LL + minutes * 60LL);
  if (offset < -12 * 3600 || offset > 14 * 3600)
    throw TChartError("--zone: malformed time zone \"" + text +
                      "\" (beyond -12 to +14 hours east of Greenwich)");
  return static_cast<int>(offset);
}

double CoordinateValue(const std::string& option, const std::string& text, astro::TAxis axis) {
  if (const std::optional<double> value = astro::ParseCoordinate(text, axis))
    return *value;
  throw TChartError(option + ": malformed " +
                    (axis == astro::TAxis::Latitude ? "latitude" : "longitude") + " \"" + text +
                    "\" (expected decimal degrees such as " +
                    (axis == astro::TAxis::Latitude ? "53.5 or 53°30'N, -90 to 90"
                                                    : "49.4167 or 49°25'E, -180 to 180") +
                    ")");
}

// The zone of --zone: whole hours in Zone, the exact offset in ZoneSeconds when it has minutes.
void SetZone(TChartOptions& options, const std::string& text) {
  const int seconds = ZoneValue(text);
  options.Zone = seconds / 3600;
  if (seconds % 3600 != 0)
    options.ZoneSeconds = seconds;
}

// --date read as an old-style date: YYYY-MM-DD of the Julian calendar.
TCivilDate JulianDateValue(const std::string& text) {
  const bool shape = text.size() == 10 && text[4] == '-' && text[7] == '-' &&
                     text.find_first_not_of("0123456789-") == std::string::npos;
  const int year = shape ? std::stoi(text.substr(0, 4)) : 0;
  const int month = shape ? std::stoi(text.substr(5, 2)) : 0;
  const int day = shape ? std::stoi(text.substr(8, 2)) : 0;
  if (!astro::IsValidJulianDate(year, month, day))
    throw TChartError("--date: malformed date \"" + text +
                      "\" (expected YYYY-MM-DD, a real date of the Julian calendar)");
  return DateOfDay(static_cast<std::int64_t>(astro::JulianDateToDate({year, month, day})));
}

// --until DATE or DATE'T'hh:mm[:ss]; a date alone means the end of that day.
TSeconds UntilValue(const std::string& text) {
  const std::size_t t = text.find('T');
  const TCivilDate date = DateValue("--until", text.substr(0, t));
  if (t == std::string::npos)
    return ToSeconds(date, {23, 59, 59});
  return ToSeconds(date, TimeValue("--until", text.substr(t + 1)));
}

std::int64_t MaxStepsValue(const std::string& text) {
  std::int64_t steps = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), steps);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || steps < 1)
    throw TChartError("--max-steps: \"" + text + "\" is not a positive whole number");
  return steps;
}

// A period's end: DATE (its start or, for the end, the next midnight) or DATE'T'hh:mm[:ss].
TSeconds PeriodValue(const std::string& option, const std::string& text, bool end) {
  const std::size_t t = text.find('T');
  const TCivilDate date = DateValue(option, text.substr(0, t));
  if (t == std::string::npos)
    return ToSeconds(date, {0, 0, 0}) + (end ? SecondsPerDay : 0);
  return ToSeconds(date, TimeValue(option, text.substr(t + 1)));
}

TStep StepValue(const std::string& text) {
  if (text == "minute")
    return TStep::Minute;
  if (text == "hour")
    return TStep::Hour;
  if (text == "day")
    return TStep::Day;
  throw TChartError("--step: unknown step \"" + text + "\" (expected minute, hour or day)");
}

TChartOptions WithExport(TChartOptions options, const std::string& file, const std::string& format,
                         const std::vector<std::string>& charts) {
  if (options.ListCharts)
    throw TChartError("--export and --list-charts do not go together");
  if (file.empty())
    throw TChartError("--export: empty path");
  const bool csvName = file.size() >= 4 && (file.substr(file.size() - 4) == ".csv" ||
                                            file.substr(file.size() - 4) == ".CSV");
  options.ExportFormat = format.empty() ? (csvName ? "csv" : "aaf") : format;
  if (options.ExportFormat != "aaf" && options.ExportFormat != "csv")
    throw TChartError("--format: \"" + format + "\" is neither aaf nor csv");
  for (const std::string& name : charts)
    if (name.empty())
      throw TChartError("--chart: empty chart name");
  options.ExportFile = file;
  options.ExportCharts = charts;
  return options;
}

// The second chart the options ask for, if any; at most one kind.
std::optional<TSecondOption> SecondValue(const std::map<std::string, std::string>& values) {
  const char* const kinds[] = {"--transit", "--with-chart", "--solar-return", "--lunar-return",
                               "--progressed"};
  std::optional<TSecondOption> second;
  for (const char* name : kinds) {
    const auto found = values.find(name);
    if (found == values.end())
      continue;
    if (second)
      throw TChartError(std::string("give at most one of --transit, --with-chart, "
                                    "--solar-return, --lunar-return and --progressed"));
    const std::string& text = found->second;
    second = TSecondOption{};
    const std::string option = name;
    if (option == "--with-chart") {
      second->Kind = astro::TSecondKind::Synastry;
      second->ChartName = text;
      if (text.empty())
        throw TChartError("--with-chart: empty chart name");
    } else if (option == "--solar-return") {
      second->Kind = astro::TSecondKind::SolarReturn;
      int year = 0;
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), year);
      if (text.empty() || error != std::errc() || end != text.data() + text.size() || year < 1800 ||
          year > 2200)
        throw TChartError("--solar-return: \"" + text + "\" is not a year (1800 to 2200)");
      second->Year = year;
    } else {
      second->Kind = option == "--transit"        ? astro::TSecondKind::Transit
                     : option == "--lunar-return" ? astro::TSecondKind::LunarReturn
                                                  : astro::TSecondKind::Progressed;
      const auto time = values.find("--transit-time");
      const TClockTime clock = second->Kind == astro::TSecondKind::Transit && time != values.end()
                                   ? TimeValue("--transit-time", time->second)
                                   : TClockTime{12, 0, 0};
      second->Local = ToSeconds(DateValue(option, text), clock);
    }
  }
  if (values.count("--transit-time") && !values.count("--transit"))
    throw TChartError("--transit-time goes with --transit");
  return second;
}

} // namespace

TSeconds StepSeconds(TStep step) {
  switch (step) {
  case TStep::Minute:
    return 60;
  case TStep::Hour:
    return 3600;
  case TStep::Day:
    return SecondsPerDay;
  case TStep::None:
    break;
  }
  return 0;
}

std::int64_t SeriesLength(const TChartOptions& options) {
  if (!options.Until || options.Step == TStep::None)
    return 1;
  return (*options.Until - options.Start) / StepSeconds(options.Step) + 1;
}

TSeconds SeriesMoment(const TChartOptions& options, std::int64_t index) {
  return options.Start + index * StepSeconds(options.Step);
}

TChartOptions ParseChartOptions(const std::vector<std::string>& args) {
  std::map<std::string, std::string> values;
  std::vector<std::string> chartNames; // --chart may repeat with --export
  TChartOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i], value;
    bool inlineValue = false;
    if (const std::size_t eq = name.find('=');
        name.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
      inlineValue = true;
    }
    if (name == "--help" || name == "-h") {
      options.Help = true;
      continue;
    }
    // A switch given as --NAME or --no-NAME, once.
    auto onOff = [&](const std::string& on, std::optional<bool>& choice) {
      if (name != "--" + on && name != "--no-" + on)
        return false;
      if (inlineValue)
        throw TChartError(name + ": takes no value");
      if (choice)
        throw TChartError("give --" + on + " or --no-" + on + " once");
      choice = name == "--" + on;
      return true;
    };
    if (onOff("historic-zones", options.HistoricZones) ||
        onOff("wheel-houses", options.WheelHouses))
      continue;
    if (name == "--list-charts" && !inlineValue) {
      options.ListCharts = true;
      continue;
    }
    if (name == "--julian" && !inlineValue) {
      options.Julian = true;
      continue;
    }
    if ((name == "--png" || name == "--json") && !inlineValue) {
      (name == "--png" ? options.Png : options.Json) = true;
      continue;
    }
    if ((name == "--transits" || name == "--sky") && !inlineValue) {
      if (options.Events)
        throw TChartError("give --transits or --sky once");
      if (i + 2 >= args.size())
        throw TChartError(name + ": expected FROM and TO");
      TEventPeriod period{PeriodValue(name, args[i + 1], false),
                          PeriodValue(name, args[i + 2], true), name == "--sky"};
      if (period.To <= period.From)
        throw TChartError(name + ": " + args[i + 2] + " is not after " + args[i + 1]);
      options.Events = period;
      i += 2;
      continue;
    }
    if (!TakesValue(name))
      throw TChartError("unknown option \"" + args[i] + "\" (see --help)");
    if (!inlineValue) {
      if (i + 1 >= args.size())
        throw TChartError(name + ": missing value");
      value = args[++i];
    }
    if (name == "--chart")
      chartNames.push_back(value);
    if (!values.emplace(name, value).second && name != "--chart")
      throw TChartError(name + ": given more than once");
  }
  if (options.Help)
    return options;

  const auto given = [&](const char* name) { return values.count(name) != 0; };
  const auto value = [&](const char* name) {
    const auto found = values.find(name);
    return found == values.end() ? std::string() : found->second;
  };
  if (given("--archive")) {
    options.ArchivePath = value("--archive");
    if (options.ArchivePath.empty())
      throw TChartError("--archive: empty path");
  }
  if (given("--export"))
    return WithExport(std::move(options), value("--export"), value("--format"), chartNames);
  if (given("--format"))
    throw TChartError("--format goes with --export");
  if (chartNames.size() > 1)
    throw TChartError("--chart: given more than once");
  if (int(options.ListCharts) + int(given("--chart")) + int(given("--save-chart")) +
          int(given("--import")) >
      1)
    throw TChartError("give at most one of --list-charts, --chart, --save-chart and --import");
  if (given("--import")) {
    options.ImportFile = value("--import");
    if (options.ImportFile->empty())
      throw TChartError("--import: empty path");
    return options;
  }
  if (options.ListCharts)
    return options;
  if (given("--until") != given("--step"))
    throw TChartError("--until and --step go together");
  // A stored chart brings its own moment and place; they replace these options.
  const bool stored = given("--chart");
  if (stored) {
    options.ChartName = value("--chart");
    if (options.ChartName->empty())
      throw TChartError("--chart: empty chart name");
  }
  if (given("--save-chart")) {
    options.SaveChart = value("--save-chart");
    if (options.SaveChart->find_first_not_of(" \t") == std::string::npos)
      throw TChartError("--save-chart: empty chart name");
  }
  // The sky's events need no birth: a city or zone only gives their local times (UT without).
  const bool sky = options.Events && options.Events->Sky;
  if (sky && (stored || given("--date") || given("--until")))
    throw TChartError("--sky takes no chart (--date, --chart, --until)");
  const bool own = given("--lat") || given("--lon");
  if (own && (sky || stored))
    throw TChartError("--lat and --lon give the place of a new chart (not with --sky or --chart)");
  if (own && given("--lat") != given("--lon"))
    throw TChartError("--lat and --lon go together");
  if (own && given("--city"))
    throw TChartError("give either --city or --lat and --lon");
  if (own && given("--tz") == given("--zone"))
    throw TChartError("--lat and --lon need exactly one of --tz ZONE and --zone HOURS[:MM]");
  if (!own && given("--tz"))
    throw TChartError("--tz goes with --lat and --lon");
  if (options.Julian && (!given("--date") || stored))
    throw TChartError("--julian reads --date as an old-style date: give --date");
  if (sky && given("--city") && given("--zone"))
    throw TChartError("give at most one of --city and --zone");
  if (!stored && !sky && !given("--date"))
    throw TChartError("--date is required (see --help)");
  if (!stored && !sky && !own && given("--city") == given("--zone"))
    throw TChartError("give exactly one of --city and --zone (or --lat and --lon)");
  if (options.Events && (given("--until") || given("--out") || given("--save-chart")))
    throw TChartError("--transits and --sky list events: no --until, --out or --save-chart");

  if (sky) {
    if (given("--city"))
      options.City = value("--city");
    else
      SetZone(options, given("--zone") ? value("--zone") : "0");
  } else if (!stored) {
    const TCivilDate date =
        options.Julian ? JulianDateValue(value("--date")) : DateValue("--date", value("--date"));
    const TClockTime time =
        given("--time") ? TimeValue("--time", value("--time")) : TClockTime{12, 0, 0};
    options.Start = ToSeconds(date, time);
    if (given("--city")) {
      options.City = value("--city");
      if (options.City->empty())
        throw TChartError("--city: empty city name");
    } else if (given("--zone")) {
      SetZone(options, value("--zone"));
    }
    if (own) {
      options.Latitude = CoordinateValue("--lat", value("--lat"), astro::TAxis::Latitude);
      options.Longitude = CoordinateValue("--lon", value("--lon"), astro::TAxis::Longitude);
      if (given("--tz")) {
        options.TimeZoneName = value("--tz");
        if (options.TimeZoneName->empty())
          throw TChartError("--tz: empty zone name");
      }
    }
  }
  options.IniPath = value("--ini");
  if (given("--ini") && options.IniPath.empty())
    throw TChartError("--ini: empty path");
  options.OutDir = value("--out");
  if (given("--out") && options.OutDir.empty())
    throw TChartError("--out: empty path");
  if (given("--pdf")) {
    options.PdfFile = value("--pdf");
    if (options.PdfFile.empty())
      throw TChartError("--pdf: empty path");
  }
  if (given("--seed"))
    options.Seed = SeedValue(value("--seed"));
  if (given("--houses")) {
    options.HouseSystem = astro::ParseHouseSystem(value("--houses"));
    if (!options.HouseSystem)
      throw TChartError("--houses: \"" + value("--houses") +
                        "\" is not a house system (P K R C O E W B M T or a name such as Koch)");
  }
  options.Second = SecondValue(values);
  if (options.Second && options.Events)
    throw TChartError("a second chart does not go with --transits or --sky");
  if (given("--max-steps"))
    options.MaxSteps = MaxStepsValue(value("--max-steps"));
  if (given("--until")) {
    options.Until = UntilValue(value("--until"));
    options.Step = StepValue(value("--step"));
    if (!stored && *options.Until < options.Start)
      throw TChartError("--until: " + MomentText(*options.Until) + " is before the start " +
                        MomentText(options.Start));
  }
  return options;
}

std::string ChartHelpText() {
  return R"(Usage: astravia-chart --date YYYY-MM-DD [--julian] [--time hh:mm[:ss]]
                      (--city "Country/City" | --zone HOURS[:MM]
                       | --lat LAT --lon LON (--tz ZONE | --zone HOURS[:MM]))
                      [--save-chart NAME]
                      [--ini PATH] [--out DIR] [--png] [--json] [--seed MS]
                      [--houses SYSTEM] [--pdf FILE]
                      [--archive PATH]
                      [--until YYYY-MM-DD[Thh:mm[:ss]] --step minute|hour|day
                       [--max-steps N]]
                      [--historic-zones | --no-historic-zones]
                      [--wheel-houses | --no-wheel-houses]
       astravia-chart --chart NAME [--archive PATH] [--ini PATH] [--out DIR] [...]
       astravia-chart (--date ... | --chart NAME) (--transit DATE [--transit-time T] |
                      --with-chart NAME | --solar-return YEAR | --lunar-return DATE |
                      --progressed DATE) [--json] [--out DIR] [...]
       astravia-chart --list-charts [--archive PATH]
       astravia-chart --import FILE [--archive PATH] [--ini PATH]
       astravia-chart --export FILE [--format aaf|csv] [--chart NAME ...] [--archive PATH]
       astravia-chart (--date ... | --chart NAME) --transits FROM TO [--json] [...]
       astravia-chart --sky FROM TO [--city NAME | --zone HOURS] [--json] [...]

Computes the chart of a moment and place with the main window's own code: the same
ephemeris, the same orbs and aspect switches of quellantree.ini, the same three views.
Prints, in UTF-8 on standard output, the local and universal moment, the place and
zone, each body's longitude (two decimals), sign and degree in the sign, the aspects
found, in the model's order, and the tarot spread with the text of every laid card.
With a city it also prints the houses and angles, each body's house and motion, the
points (lunar nodes, Black Moon, Chiron, Part of Fortune) and their aspects.
The moment line names the offset from UT and where it comes from: "UTC+04:00,
Europe/Moscow, летнее время".

Options:
  --date YYYY-MM-DD   local date of the chart (required).
  --julian            --date is an old-style date (Julian calendar), as Russian records
                      before 14 February 1918 give it: 1918-02-01 is 14.02.1918.
  --time hh:mm[:ss]   local time of the chart (6:15 or 06:15); 12:00:00 when omitted.
  --city NAME         place as the city base lists it: "Country/City", with the region
                      when the base has one, e.g. "Россия/Троицк;Московская обл.".
                      The region may be left out when the city's name alone is unique
                      in its country. A name that matches nothing is an error that
                      names the closest entries. The zone is the city's. A name
                      without a country ("Самара") is looked for in every country: the
                      one city of that name, or the one whose name begins with it, is
                      taken and named on standard error; otherwise the closest places
                      of all countries are listed, names that begin with it first.
  --lat LAT, --lon LON
                      a place of one's own instead of a city: decimal degrees, north
                      and east positive (53.5, -0.1333), or degrees and minutes with
                      the hemisphere (53°30'N, 49°25'E, 49°25'W, 33°55'S).
  --tz ZONE           the own place's IANA zone (Europe/Samara): its offset at the
                      chart's date, summer time and every change included.
  --historic-zones    the offset is the one the tz database gives for the city's zone
                      at the chart's local date and time (summer time, decree time,
                      every historical change; local mean time of the city's longitude
                      before the zone's first standard time).
  --no-historic-zones the offset is the city base's whole hours. Without either option
                      the choice of quellantree.ini ([Options] HistoricZones) holds.
  --zone HOURS[:MM]   time zone in hours (and minutes: +5:30, -3:30) east of Greenwich
                      (-12 to +14), instead of a city (no place is printed), or the
                      fixed offset of an own place.
  --ini PATH          configuration file (orbs, aspect switches, names of the data
                      files); when omitted, the file the window uses: quellantree.ini
                      beside the program, or for an installed program the user's
                      ~/.config/astravia/quellantree.ini once the window has made it.
                      The file is only read.
  --out DIR           also write the Tree of Life report as report.txt (Windows-1251,
                      CR LF, exactly as "Сохранить как отчет" writes it) and the three
                      views' pictures as tree.jpg, tarot.jpg and cosmogram.jpg (as
                      "Сохранить как изображение" writes them). The folder is created
                      when missing.
  --png               write the pictures as PNG (tree.png, ...): the views' own pixels,
                      lossless.
  --json              print each chart as one line of JSON (moment, place, bodies,
                      aspects, tarot, houses, points) instead of the text.
  --houses SYSTEM     house system: a letter (P Placidus, K Koch, R Regiomontanus,
                      C Campanus, O Porphyry, E Equal, W Whole Sign, B Alcabitius,
                      M Morinus, T Topocentric) or its name; without it the choice of
                      quellantree.ini ([Options] HouseSystem), else Placidus. Inside the
                      polar circles Placidus, Koch and Topocentric have no cusps: then
                      Porphyry's houses are shown and the substitute is named.
  --wheel-houses      the cosmogram picture also shows the houses: cusps with their
                      numbers, the AC-DC and MC-IC axes, the lunar nodes, Black Moon,
                      Chiron and Part of Fortune, and bodies spread apart where they
                      would cover each other ("Вид" → "Дома и оси" in the window).
  --no-wheel-houses   the cosmogram picture without houses. Without either option
                      the choice of quellantree.ini ([Options] CosmogramHouses) holds.
  --pdf FILE          also write the chart sheet, one A4 page (wheel with houses and
                      points, positions, aspect grid, cusps, elements and modes, the
                      Sun and Moon of the day), as a PDF file. A FILE without a folder
                      goes into the --out folder when one is given. In a series each
                      step has its own numbered sheet: sheet-0001.pdf, ...
  --seed MS           milliseconds since midnight (UT) that every random draw of the
                      tarot spread is seeded with, so a spread can be reproduced; without
                      it the clock decides, as in the window.
  --until MOMENT      last local moment of a series: YYYY-MM-DD (through the end of that
                      day) or YYYY-MM-DDThh:mm[:ss]. Needs --step.
  --step STEP         minute, hour or day: one chart for every step of universal
                      time from the start through --until, each shown at the local
                      time it gives (no hour twice or skipped at a summer-time
                      change). With --out the files are numbered:
                      report-0001.txt, tree-0001.jpg, ...
  --max-steps N       the most charts a series with --out may write; 10000 when
                      omitted. A longer series is refused before anything is written,
                      with the number of files it would write.
  --archive PATH      the chart archive (an SQLite file); the one the window uses when
                      omitted: charts.sqlite in the user's data folder.
  --save-chart NAME   also store the chart in the archive under NAME (any text; a chart
                      of that name is replaced).
  --chart NAME        compute the stored chart NAME: its moment, place and zone replace
                      --date, --time, --city and --zone. A city no longer in the city
                      base is replaced by the stored coordinates and zone, with a warning.
  --list-charts       print the archive's charts, one per line, sorted by name: name,
                      date, time and place separated by tabs; an archive that does
                      not exist is an error.
  --import FILE       read the charts of an AAF or CSV file (told apart by content; text
                      in UTF-8, else Windows-1251 or Windows-1252) into the archive, in one
                      transaction. Records that cannot be read are refused with their line
                      numbers; charts already in the archive (same name, universal moment
                      and place) are skipped; a name held by a different chart gets a
                      number, as in Name (2). Places given by city only are looked up
                      in the city base named by the configuration file.
  --export FILE       write charts of the archive to FILE (replaced whole, atomically):
                      AAF records (#A93, #B93, #COM) or CSV (name, date, time, zone,
                      latitude, longitude, place, country, note).
  --format aaf|csv    the format of --export; by default CSV for a name ending in .csv,
                      else AAF.
  --chart NAME        with --export, a chart to write; repeat for several; every chart of
                      the archive when omitted.
  --transits FROM TO  instead of the chart, list the exact moments from FROM to TO (local
                      dates YYYY-MM-DD, TO through the end of its day, or
                      YYYY-MM-DDThh:mm[:ss]) at which the nine bodies other than the Moon
                      make an aspect switched on in quellantree.ini to a body, the
                      ascendant or the MC of the chart (from Swiss Ephemeris, to the
                      second), with the moments each transit enters and leaves its orb;
                      then the sky's own aspects, stations and sign ingresses. One event
                      per line, sorted by moment: local and universal moment and what
                      happens.
  --transit DATE      a second chart around the chart: the sky of that local date (at the
                      chart's place and zone), at 12:00 or at --transit-time hh:mm[:ss].
                      The text and --json add the second chart (moment, place, bodies,
                      houses) and the aspects between the two charts (second chart's
                      body or angle, aspect, natal body or angle, orb, applying or
                      separating), sorted by orb, under the same switches and orbs; the
                      cosmogram picture of --out becomes a bi-wheel.
  --with-chart NAME   the second chart is the archive's chart NAME (synastry).
  --solar-return YEAR the second chart is the solar return of YEAR: the moment the Sun
                      comes back to its natal longitude (Swiss Ephemeris, to the second),
                      at the chart's place.
  --lunar-return DATE the second chart is the first lunar return from that local date on.
  --progressed DATE   the second chart is the secondary progression to that local date
                      (noon): one day after birth for each tropical year of 365.24219
                      days; the angles and cusps are the natal ones moved by the solar arc.
  --sky FROM TO       the sky's own aspects, stations and ingresses alone, no chart;
                      local times of --city or --zone (universal time without either).
  -h, --help          show this text.

The ephemeris is base/efemerid.efm in the working folder, or else in the program's data
folder (beside the program, or ../share/astravia for an installed program).
Every moment, converted to universal time, must lie inside the ephemeris range.

Exit status of --import: 0 when every record was imported, 3 when some were refused or
skipped, 2 when none was imported (or on an error of the file or the archive).

Exit status: 0 on success; 2 on an error (malformed date or time, moment outside the
ephemeris range, unknown city, unreadable configuration or data file, output folder
that cannot be written, an archive that cannot be read or written, or is damaged or
locked; the archive file is then left as it was), with a message on standard error.
A missing optional file (such as the Tree of Life mask picture) is a warning on
standard error; everything else is still produced.
)";
}

} // namespace chart
