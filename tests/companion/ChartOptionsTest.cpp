// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartOptions.h"

#include "DateTime.h"

#include <gtest/gtest.h>

using namespace chart;

namespace {

TChartOptions Parse(std::vector<std::string> args) {
  return ParseChartOptions(args);
}

// The message of the TChartError the arguments raise ("" when they parse).
std::string ErrorOf(std::vector<std::string> args) {
  try {
    ParseChartOptions(args);
  } catch (const TChartError& error) {
    return error.what();
  }
  return "";
}

} // namespace

TEST(ChartMoment, DaysAndDateTimesFollowTheTDateTimeEpoch) {
  EXPECT_EQ(DaysSinceEpoch({1899, 12, 30}), 0);
  EXPECT_EQ(DaysSinceEpoch({2005, 1, 5}), 38357);
  EXPECT_EQ(DaysSinceEpoch({1800, 1, 1}), -36522);
  EXPECT_DOUBLE_EQ(ToDateTime(ToSeconds({2005, 1, 5}, {18, 0, 0})), 38357.75);
  // The program's own decoding gives back the date and time, also before 1899-12-30.
  for (TSeconds moment :
       {ToSeconds({1899, 12, 29}, {6, 0, 0}), ToSeconds({1800, 1, 1}, {0, 0, 1}),
        ToSeconds({2200, 12, 30}, {23, 59, 59}), ToSeconds({2005, 1, 5}, {9, 5, 0})}) {
    const astro::TDateTime value = ToDateTime(moment);
    EXPECT_EQ(astro::DateToText(value) + " " + astro::TimeToText(value), MomentText(moment));
  }
  for (std::int64_t day : {-36522, -1, 0, 1, 38357, 109572}) {
    const TCivilDate date = DateOfDay(day);
    EXPECT_EQ(DaysSinceEpoch(date), day);
  }
  const TSeconds moment = ToSeconds({1900, 2, 28}, {23, 59, 59}) + 1;
  EXPECT_EQ(MomentText(moment), "01.03.1900 00:00:00"); // 1900 is not a leap year
  EXPECT_EQ(MomentText(ToSeconds({1800, 1, 1}, {0, 0, 5}) - 10), "31.12.1799 23:59:55");
}

TEST(ChartMoment, OnlyRealDatesAndTimesParse) {
  EXPECT_TRUE(ParseIsoDate("2004-02-29"));
  EXPECT_TRUE(ParseIsoDate("2000-02-29"));
  for (const char* bad :
       {"2005-02-29", "1900-02-29", "2005-13-01", "2005-00-10", "2005-04-31", "2005-1-5",
        "05-01-2005", "2005/01/05", "2005-01-05x", "", "abcd-ef-gh", "0000-01-01", "+005-01-05"})
    EXPECT_FALSE(ParseIsoDate(bad)) << bad;
  const auto time = ParseClockTime("09:05");
  ASSERT_TRUE(time);
  EXPECT_EQ(time->Hour * 3600 + time->Minute * 60 + time->Second, 9 * 3600 + 300);
  EXPECT_TRUE(ParseClockTime("23:59:59"));
  for (const char* bad :
       {"24:00", "12:60", "12:00:60", "9:05", "12:00:", "12-00", "1200", "", "ab:cd"})
    EXPECT_FALSE(ParseClockTime(bad)) << bad;
}

TEST(ChartOptions, ReadsAChartAndASeries) {
  const TChartOptions one = Parse({"--date", "2005-01-05", "--city", "Россия/Новосибирск"});
  EXPECT_EQ(one.Start, ToSeconds({2005, 1, 5}, {12, 0, 0})); // noon when no time is given
  EXPECT_EQ(one.City, "Россия/Новосибирск");
  EXPECT_FALSE(one.Zone);
  EXPECT_EQ(one.Step, TStep::None);
  EXPECT_FALSE(one.Until);

  const TChartOptions series =
      Parse({"--zone=+7", "--date", "2005-01-05", "--time", "00:00", "--until", "2005-01-05",
             "--step", "hour", "--out", "x", "--ini", "a.ini"});
  EXPECT_EQ(series.Zone, 7);
  EXPECT_EQ(series.Until, ToSeconds({2005, 1, 5}, {23, 59, 59})); // a date alone: whole day
  EXPECT_EQ(StepSeconds(series.Step), 3600);
  EXPECT_EQ(series.OutDir, "x");
  EXPECT_EQ(series.IniPath, "a.ini");

  const TChartOptions until = Parse(
      {"--date", "2005-01-05", "--zone", "-3", "--until", "2005-01-06T06:30", "--step", "minute"});
  EXPECT_EQ(until.Zone, -3);
  EXPECT_EQ(until.Until, ToSeconds({2005, 1, 6}, {6, 30, 0}));
  EXPECT_EQ(StepSeconds(until.Step), 60);
  EXPECT_TRUE(Parse({"--help"}).Help);
  EXPECT_TRUE(Parse({"--date", "bad", "-h"}).Help); // help wins over everything else
}

TEST(ChartOptions, MistakesNameTheOption) {
  EXPECT_NE(ErrorOf({"--zone", "7"}).find("--date is required"), std::string::npos);
  EXPECT_NE(ErrorOf({"--date", "2005-02-30", "--zone", "7"}).find("--date: malformed date"),
            std::string::npos);
  EXPECT_NE(ErrorOf({"--date", "2005-01-05", "--time", "25:00", "--zone", "7"})
                .find("--time: malformed time \"25:00\""),
            std::string::npos);
  EXPECT_NE(ErrorOf({"--date", "2005-01-05"}).find("exactly one of --city and --zone"),
            std::string::npos);
  EXPECT_NE(ErrorOf({"--date", "2005-01-05", "--zone", "7", "--city", "A/B"})
                .find("exactly one of --city and --zone"),
            std::string::npos);
  for (const char* zone : {"15", "-13", "7.5", "", "seven", "7h", "-66666666", "2147483647:00"})
    EXPECT_NE(ErrorOf({"--date", "2005-01-05", "--zone", zone}).find("--zone: malformed"),
              std::string::npos)
        << zone;
  EXPECT_NE(ErrorOf({"--date", "2005-01-05", "--zone", "7", "--until", "2005-01-06"})
                .find("--until and --step go together"),
            std::string::npos);
  EXPECT_NE(
      ErrorOf({"--date", "2005-01-05", "--zone", "7", "--until", "2005-01-06", "--step", "week"})
          .find("--step: unknown step \"week\""),
      std::string::npos);
  EXPECT_NE(
      ErrorOf({"--date", "2005-01-05", "--zone", "7", "--until", "2005-01-04", "--step", "day"})
          .find("is before the start"),
      std::string::npos);
  EXPECT_NE(ErrorOf({"--date", "2005-01-05", "--zone", "7", "--until", "2005-01-06T6:00", "--step",
                     "day"})
                .find("--until: malformed time"),
            std::string::npos);
  EXPECT_NE(ErrorOf({"--date", "2005-01-05", "--zone", "7", "--frobnicate"})
                .find("unknown option \"--frobnicate\""),
            std::string::npos);
  EXPECT_NE(ErrorOf({"--zone", "7", "--date"}).find("--date: missing value"), std::string::npos);
  EXPECT_NE(ErrorOf({"--date", "2005-01-05", "--date", "2005-01-06", "--zone", "7"})
                .find("--date: given more than once"),
            std::string::npos);
  EXPECT_NE(ErrorOf({"--date", "2005-01-05", "--zone", "7", "--out="}).find("--out: empty path"),
            std::string::npos);
}

TEST(ChartOptions, ASeriesRunsFromTheStartThroughTheEnd) {
  const TChartOptions day = Parse({"--date", "2005-01-05", "--time", "00:00", "--zone", "7",
                                   "--until", "2005-01-05", "--step", "hour"});
  ASSERT_EQ(SeriesLength(day), 24);
  EXPECT_EQ(MomentText(SeriesMoment(day, 23)), "05.01.2005 23:00:00");
  // An end that falls between two steps is not passed; an end on a step is included.
  const TChartOptions odd = Parse({"--date", "2005-01-05", "--time", "10:00", "--zone", "7",
                                   "--until", "2005-01-05T10:59:59", "--step", "minute"});
  EXPECT_EQ(SeriesLength(odd), 60);
  const TChartOptions exact = Parse({"--date", "2005-01-05", "--time", "10:00", "--zone", "7",
                                     "--until", "2005-01-08T10:00", "--step", "day"});
  EXPECT_EQ(SeriesLength(exact), 4);
  EXPECT_EQ(MomentText(SeriesMoment(exact, 3)), "08.01.2005 10:00:00");
  // Across a month end and a leap day, by whole days.
  const TChartOptions leap =
      Parse({"--date", "2004-02-28", "--zone", "0", "--until", "2004-03-01", "--step", "day"});
  ASSERT_EQ(SeriesLength(leap), 3);
  EXPECT_EQ(MomentText(SeriesMoment(leap, 1)), "29.02.2004 12:00:00");
  EXPECT_EQ(SeriesLength(Parse({"--date", "2005-01-05", "--zone", "7"})), 1);
}

TEST(ChartOptions, ImportAndExportTakeTheirOwnOptions) {
  const TChartOptions out = Parse({"--export", "a.CSV", "--chart", "x", "--chart", "y"});
  EXPECT_EQ(out.ExportFormat, "csv");
  EXPECT_EQ(out.ExportCharts, (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(Parse({"--import", "a.aaf"}).ImportFile, "a.aaf");
  EXPECT_EQ(ErrorOf({"--export", "a", "--format", "xml"}),
            "--format: \"xml\" is neither aaf nor csv");
  EXPECT_EQ(ErrorOf({"--chart", "x", "--chart", "y"}), "--chart: given more than once");
  EXPECT_NE(ErrorOf({"--import", "a", "--list-charts"}), "");
}

TEST(ChartOptions, AnOwnPlaceAnOldStyleDateAndHalfHourZonesAreRead) {
  const TChartOptions own = Parse({"--date", "1918-02-01", "--julian", "--time", "6:15", "--lat",
                                   "53°30'N", "--lon", "49°25'E", "--tz", "Europe/Samara"});
  EXPECT_EQ(own.Start, ToSeconds({1918, 2, 14}, {6, 15, 0}));
  EXPECT_DOUBLE_EQ(*own.Latitude, 53.5);
  EXPECT_DOUBLE_EQ(*own.Longitude, 49 + 25 / 60.0);
  EXPECT_EQ(own.TimeZoneName, "Europe/Samara");
  EXPECT_FALSE(own.City || own.Zone);
  const TChartOptions delhi = Parse({"--date", "1985-03-21", "--zone", "+5:30"});
  EXPECT_EQ(delhi.Zone, 5);
  EXPECT_EQ(delhi.ZoneSeconds, 5 * 3600 + 1800);
  EXPECT_EQ(Parse({"--date", "1985-03-21", "--zone", "-3:30"}).ZoneSeconds, -(3 * 3600 + 1800));
  EXPECT_FALSE(Parse({"--date", "1985-03-21", "--zone", "-3"}).ZoneSeconds);

  const std::pair<std::vector<std::string>, std::string> wrong[] = {
      {{"--lat", "95", "--lon", "0", "--zone", "3"}, "--lat: malformed latitude \"95\""},
      {{"--lat", "53", "--lon", "49N", "--zone", "3"}, "--lon: malformed longitude"},
      {{"--lat", "53", "--zone", "3"}, "--lat and --lon go together"},
      {{"--lat", "53", "--lon", "49"}, "exactly one of --tz ZONE and --zone"},
      {{"--lat", "53", "--lon", "49", "--city", "Россия/Самара", "--tz", "Europe/Samara"},
       "either --city or --lat"},
      {{"--city", "Россия/Самара", "--tz", "Europe/Samara"}, "--tz goes with --lat and --lon"},
      {{"--zone", "5:75"}, "--zone: malformed time zone"},
      {{"--zone", "+14:30"}, "--zone: malformed time zone \"+14:30\" (beyond"},
      {{"--zone", "0", "--time", "24:00"}, "--time: malformed time"}};
  for (const auto& [args, message] : wrong) {
    std::vector<std::string> all = {"--date", "2000-01-01"};
    all.insert(all.end(), args.begin(), args.end());
    EXPECT_NE(ErrorOf(all).find(message), std::string::npos) << ErrorOf(all);
  }
  EXPECT_NE(ErrorOf({"--date", "1900-02-30", "--julian", "--zone", "3"}).find("Julian calendar"),
            std::string::npos);
  EXPECT_EQ(Parse({"--date", "1900-02-29", "--julian", "--zone", "3"}).Start,
            ToSeconds({1900, 3, 13}, {12, 0, 0}));
}
