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
