// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's archive options run as a user runs them: store, list and compute a chart,
// a stored city gone from the city base, and archives that cannot be read or written.
#include "ChartProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace companion_test;

namespace {

const std::string kName = "Иван \"Ваня\"; Петров";

QByteArray Bytes(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const std::string& path, const QByteArray& bytes) {
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

// The chart's text from the line "Moment:" on (the same for a stored and a given chart).
std::string ChartPart(const std::string& out) {
  return out.substr(std::min(out.find("Moment:"), out.size()));
}

TRun SaveNovosibirsk(const TTestFolder& folder, const std::string& archive) {
  return RunChart({"--date", "2005-01-05", "--time", "12:00", "--city", "Россия/Новосибирск",
                   "--ini", folder.Ini(), "--archive", archive, "--save-chart", kName});
}

} // namespace

TEST(ChartArchiveProgram, AStoredChartIsListedAndComputedAsGiven) {
  const TTestFolder folder("archive-roundtrip");
  const std::string archive = folder.Path("user/charts.sqlite");
  const TRun saved = SaveNovosibirsk(folder, archive);
  ASSERT_EQ(saved.Status, 0) << saved.Err;

  const TRun list = RunChart({"--list-charts", "--archive", archive});
  ASSERT_EQ(list.Status, 0) << list.Err;
  EXPECT_EQ(list.Out,
            kName + "\t05.01.2005\t12:00:00\tРоссия, Новосибирск;Новосибирская область\n");

  const TRun stored = RunChart({"--chart", kName, "--ini", folder.Ini(), "--archive", archive,
                                "--date", "2020-01-01", "--zone", "0"}); // replaced by the chart
  ASSERT_EQ(stored.Status, 0) << stored.Err;
  EXPECT_EQ(ChartPart(stored.Out), ChartPart(saved.Out));
  EXPECT_TRUE(stored.Err.empty()) << stored.Err;

  const TRun missing =
      RunChart({"--chart", "нет такой", "--ini", folder.Ini(), "--archive", archive});
  EXPECT_EQ(missing.Status, 2);
  EXPECT_NE(missing.Err.find("нет такой"), std::string::npos) << missing.Err;

  const std::string absent = folder.Path("absent.sqlite");
  const TRun noArchive = RunChart({"--list-charts", "--archive", absent});
  EXPECT_EQ(noArchive.Status, 2);
  EXPECT_NE(noArchive.Err.find("no archive \"" + absent), std::string::npos) << noArchive.Err;
  EXPECT_FALSE(QFile::exists(QString::fromStdString(absent)));
}

TEST(ChartArchiveProgram, ACityGoneFromTheBaseUsesTheStoredPlace) {
  const TTestFolder folder("archive-city-gone");
  const std::string archive = folder.Path("charts.sqlite");
  ASSERT_EQ(SaveNovosibirsk(folder, archive).Status, 0);
  Write(folder.Path("cities.txt"), "Omsk;Russia;;54\xB0"
                                   "59\x92;73\xB0"
                                   "22\x92;6\r\n");
  const std::string ini = folder.Ini("other.ini", {{"CityBase", "./cities.txt"}});
  const TRun run = RunChart({"--chart", kName, "--ini", ini, "--archive", archive});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_NE(run.Err.find("stored coordinates"), std::string::npos) << run.Err;
  EXPECT_NE(run.Out.find("latitude 55°02’, longitude 82°56’, zone +7"), std::string::npos)
      << run.Out;
}

TEST(ChartArchiveProgram, AnArchiveThatCannotBeUsedIsStatusTwoAndLeftAsItWas) {
  const TTestFolder folder("archive-damaged");
  const std::string archive = folder.Path("charts.sqlite");
  ASSERT_EQ(SaveNovosibirsk(folder, archive).Status, 0);
  const QByteArray good = Bytes(archive);
  const auto refused = [&](const QByteArray& content, const char* what) {
    Write(archive, content);
    for (const TRun& run :
         {RunChart({"--list-charts", "--archive", archive}),
          RunChart({"--chart", kName, "--ini", folder.Ini(), "--archive", archive}),
          SaveNovosibirsk(folder, archive)}) {
      EXPECT_EQ(run.Status, 2) << what;
      EXPECT_NE(run.Err.find(archive), std::string::npos) << what << ": " << run.Err;
    }
    EXPECT_EQ(Bytes(archive), content) << what;
  };
  QByteArray noise(3000, '\0');
  for (int i = 0; i < noise.size(); ++i)
    noise[i] = static_cast<char>(i * 131 + 7);
  refused(noise, "random bytes");
  refused(good.left(good.size() - 1024), "truncated");

  Write(archive, good);
  static int argc = 1;
  static char name[] = "companion_program_test";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance())
    new QCoreApplication(argc, argv); // the SQL driver is a plugin: it needs the application
  QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "holder");
  db.setDatabaseName(QString::fromStdString(archive));
  ASSERT_TRUE(db.open());
  ASSERT_TRUE(QSqlQuery(db).exec("BEGIN EXCLUSIVE"));
  const TRun locked = SaveNovosibirsk(folder, archive);
  EXPECT_EQ(locked.Status, 2);
  EXPECT_NE(locked.Err.find(archive), std::string::npos) << locked.Err;
  QSqlQuery(db).exec("ROLLBACK");
  db.close();
  EXPECT_EQ(Bytes(archive), good);
}

TEST(ChartArchiveProgram, ImportAndExportCollections) {
  const TTestFolder folder("archive-collections");
  const std::string archive = folder.Path("charts.sqlite"), file = folder.Path("in.csv");
  Write(file, "name,date,time,place,country,note\n"
              "Анна,1990-07-01,06:15,Омск,Россия,\"a, b\"\n"
              "Борис,1990-07-02,25:00,Омск,Россия,\n"
              "Вера,1991-01-01,00:30,Омск,Россия,\n");
  const TRun partly = RunChart({"--import", file, "--archive", archive, "--ini", folder.Ini()});
  EXPECT_EQ(partly.Status, 3) << partly.Err;
  EXPECT_NE(partly.Out.find("Строка 3: время «25:00» не распознано"), std::string::npos)
      << partly.Out;
  EXPECT_EQ(RunChart({"--import", file, "--archive", archive}).Status, 2); // all there already

  const std::string out = folder.Path("out.aaf");
  const TRun exported =
      RunChart({"--export", out, "--chart", "Вера", "--chart", "Анна", "--archive", archive});
  ASSERT_EQ(exported.Status, 0) << exported.Err;
  const QByteArray aaf = Bytes(out);
  EXPECT_TRUE(aaf.contains("#A93:Вера,*,*,1.1.1991,0:30,Омск;Омская область,Россия\n"))
      << aaf.constData();
  EXPECT_TRUE(aaf.contains("#COM:a, b\n"));
  const std::string other = folder.Path("other.sqlite");
  EXPECT_EQ(RunChart({"--import", out, "--archive", other}).Status, 0);
  EXPECT_EQ(RunChart({"--list-charts", "--archive", other}).Out,
            RunChart({"--list-charts", "--archive", archive}).Out);
  EXPECT_EQ(RunChart({"--export", out, "--chart", "нет", "--archive", archive}).Status, 2);
}

TEST(ChartArchiveProgram, AnOwnPlaceIsSavedAndComputedAgainAtTheSameMoment) {
  const TTestFolder folder("archive-own-place");
  const std::string archive = folder.Path("user/charts.sqlite");
  // 02:30 of Samara's doubled hour of 31 October 2010, old style (18 October).
  const TRun saved =
      RunChart({"--date", "2010-10-18", "--julian", "--time", "2:30", "--lat", "53°30'N", "--lon",
                "49°25'E", "--tz", "Europe/Samara", "--json", "--ini", folder.Ini(), "--archive",
                archive, "--save-chart", "Своё"});
  ASSERT_EQ(saved.Status, 0) << saved.Err;
  EXPECT_NE(saved.Out.find("\"ut\":\"2010-10-30T22:30:00\""), std::string::npos) << saved.Out;
  EXPECT_NE(saved.Out.find("\"own\":true"), std::string::npos);
  const TRun stored =
      RunChart({"--chart", "Своё", "--json", "--ini", folder.Ini(), "--archive", archive});
  ASSERT_EQ(stored.Status, 0) << stored.Err;
  EXPECT_EQ(stored.Out.substr(0, stored.Out.find("\"tarot\"")),
            saved.Out.substr(0, saved.Out.find("\"tarot\"")));

  const TRun samara = RunChart({"--date", "2010-10-31", "--city", "Самара", "--json", "--ini",
                                folder.Ini(), "--archive", archive});
  ASSERT_EQ(samara.Status, 0) << samara.Err;
  EXPECT_NE(samara.Err.find("taken as \"Россия/Самара;Самарская область\""), std::string::npos)
      << samara.Err;
  EXPECT_EQ(samara.Out.front(), '{'); // JSON alone on standard output
  const TRun badZone = RunChart({"--date", "2010-10-31", "--lat", "53", "--lon", "49", "--tz",
                                 "Europe/Nowhere", "--ini", folder.Ini(), "--archive", archive});
  EXPECT_EQ(badZone.Status, 2);
  EXPECT_NE(badZone.Err.find("unknown time zone"), std::string::npos) << badZone.Err;
}
