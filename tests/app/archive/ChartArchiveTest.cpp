// SPDX-License-Identifier: GPL-3.0-or-later
// The chart archive's file: round trip, replace, rename, delete, the list model's order and
// filter, and damaged, locked or unwritable files that must be reported and left as they were.
#include "ChartArchive.h"
#include "ChartListModel.h"

#include "DateTime.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using archive::TArchiveError;
using archive::TChartArchive;
using archive::TStoredChart;

namespace {

// The columns of the first schema as the program wrote it.
const char* const kFirstSchemaColumns =
    "name TEXT NOT NULL PRIMARY KEY, note TEXT NOT NULL DEFAULT '',"
    " local_moment TEXT NOT NULL, country TEXT NOT NULL DEFAULT '',"
    " city TEXT NOT NULL DEFAULT '', zone_hours INTEGER NOT NULL,"
    " historic_zones INTEGER NOT NULL DEFAULT 0,"
    " latitude_deg INTEGER NOT NULL DEFAULT 0, latitude_min INTEGER NOT NULL DEFAULT 0,"
    " longitude_deg INTEGER NOT NULL DEFAULT 0,"
    " longitude_min INTEGER NOT NULL DEFAULT 0, saved_utc TEXT NOT NULL DEFAULT"
    " (strftime('%Y-%m-%dT%H:%M:%S', 'now'))";

TStoredChart Chart(const QString& name, int hour = 12) {
  TStoredChart chart;
  chart.Name = name;
  chart.Note = "заметка";
  chart.Local = astro::EncodeDateTime({1985, 3, 21}, {hour, 34, 56, 789});
  chart.Country = "Россия";
  chart.City = "Троицк;Московская обл.";
  chart.Zone = 3;
  chart.HistoricZones = true;
  chart.LatitudeDeg = 55;
  chart.LatitudeMin = 29;
  chart.LongitudeDeg = -37;
  chart.LongitudeMin = 18;
  chart.Latitude = 55 + 29 / 60.0;
  chart.Longitude = -(37 + 18 / 60.0);
  return chart;
}

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs a call that must fail with a message naming the file.
template <typename Call> QString FailureOf(const QString& path, Call call) {
  try {
    call();
  } catch (const TArchiveError& error) {
    EXPECT_TRUE(error.Text().contains(QFileInfo(path).fileName())) << error.what();
    return error.Text();
  }
  ADD_FAILURE() << "no error for " << path.toStdString();
  return {};
}

// Runs one statement on the file through a connection of its own, as another program would.
void ExecOn(const QString& path, const QString& sql) {
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other");
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    ASSERT_TRUE(QSqlQuery(db).exec(sql));
  }
  QSqlDatabase::removeDatabase("other");
}

struct ArchiveTest : ::testing::Test {
  QTemporaryDir dir;
  QString path = dir.filePath("data/charts.sqlite");

  // An archive of n charts, written and closed.
  void Fill(int n) {
    std::vector<TStoredChart> charts;
    for (int i = 0; i < n; ++i)
      charts.push_back(Chart(QString("Карта %1").arg(i, 4, 10, QChar('0')), i % 24));
    TChartArchive(path).Save(charts);
  }
};

TEST_F(ArchiveTest, RoundTripKeepsEveryFieldOfAUnicodeName) {
  const TStoredChart saved = Chart("Иван \"Ваня\" Петров; 'второй'");
  {
    TChartArchive archive(path);
    EXPECT_TRUE(archive.List().empty());
    EXPECT_FALSE(QFile::exists(path)) << "reading an absent archive creates nothing";
    archive.Save(saved);
  }
  TChartArchive archive(path);
  TStoredChart loaded;
  ASSERT_TRUE(archive.Find(saved.Name, loaded));
  EXPECT_EQ(loaded, saved);
  EXPECT_FALSE(archive.Find("Иван", loaded));
  ASSERT_EQ(archive.List().size(), 1u);
  EXPECT_EQ(archive.List()[0], saved);
  QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "peek");
  db.setDatabaseName(path);
  ASSERT_TRUE(db.open());
  QSqlQuery q(db);
  ASSERT_TRUE(q.exec("PRAGMA user_version") && q.next());
  EXPECT_EQ(q.value(0).toInt(), TChartArchive::kSchemaVersion);
}

TEST_F(ArchiveTest, ReplaceRenameAndDelete) {
  TChartArchive archive(path);
  archive.Save(Chart("А"));
  archive.Save(Chart("Б", 3));
  TStoredChart newer = Chart("А", 20);
  newer.Note.clear();
  newer.HistoricZones = false;
  archive.Save(newer); // same name: replaced, not added
  TStoredChart found;
  ASSERT_EQ(archive.List().size(), 2u);
  ASSERT_TRUE(archive.Find("А", found));
  EXPECT_EQ(found, newer);

  EXPECT_TRUE(archive.Rename("Б", "В"));
  EXPECT_FALSE(archive.Contains("Б"));
  ASSERT_TRUE(archive.Find("В", found));
  EXPECT_EQ(astro::DecodeTime(found.Local).Hour, 3);
  EXPECT_TRUE(archive.Rename("В", "А")); // over an existing name: that chart is replaced
  ASSERT_EQ(archive.List().size(), 1u);
  ASSERT_TRUE(archive.Find("А", found));
  EXPECT_EQ(astro::DecodeTime(found.Local).Hour, 3);
  EXPECT_FALSE(archive.Rename("нет такой", "Г"));
  FailureOf(path, [&] { archive.Rename("А", "  "); });
  FailureOf(path, [&] { archive.Save(Chart("\t")); });
  FailureOf(path, [&] { archive.Save(Chart(QString("Б") + QChar(0xFFFF))); });
  FailureOf(path, [&] { archive.Rename("А", QString(QChar(0xD800)) + "Б"); });
  EXPECT_TRUE(archive.Contains("А"));

  EXPECT_TRUE(archive.Delete("А"));
  EXPECT_FALSE(archive.Delete("А"));
  EXPECT_TRUE(archive.List().empty());
}

TEST_F(ArchiveTest, ListIsSortedByNameAndFilteredByNamePlaceOrNote) {
  TChartArchive archive(path);
  TStoredChart other = Chart("борис");
  other.Country = "Германия";
  other.City = "Берлин";
  other.Note = "Клиент с ВЫСТАВКИ";
  archive.Save(other);
  archive.Save(Chart("Алла"));
  archive.Save(Chart("Яна"));
  archive.Save(Chart("Вера"));
  TChartListModel model;
  model.SetCharts(archive.List());
  QStringList names;
  for (int r = 0; r < model.rowCount(); ++r)
    names << model.data(model.index(r, TChartListModel::NameColumn), Qt::DisplayRole).toString();
  EXPECT_EQ(names, QStringList({"Алла", "борис", "Вера", "Яна"}));
  EXPECT_EQ(model.data(model.index(1, TChartListModel::DateColumn), Qt::DisplayRole), "21.03.1985");
  EXPECT_EQ(model.data(model.index(1, TChartListModel::PlaceColumn), Qt::DisplayRole),
            "Германия, Берлин");

  TChartFilterModel filter(&model);
  const auto shown = [&](const QString& text) {
    filter.SetFilterText(text);
    return filter.rowCount();
  };
  EXPECT_EQ(shown("БОР"), 1);      // name, any letter case
  EXPECT_EQ(shown("берл"), 1);     // place
  EXPECT_EQ(shown("выставки"), 1); // note
  EXPECT_EQ(shown("троицк"), 3);
  EXPECT_EQ(shown("xyz"), 0);
  EXPECT_EQ(shown(""), 4);
}

TEST_F(ArchiveTest, DamagedFilesAreReportedAndLeftByteForByte) {
  Fill(300);
  const QByteArray good = Bytes(path);
  ASSERT_GT(good.size(), 8192);
  const auto expectUntouched = [&](const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    FailureOf(path, [&] { TChartArchive(path).Save(Chart("новая")); });
    EXPECT_EQ(Bytes(path), content);
    EXPECT_FALSE(QFile::exists(path + "-journal"));
  };
  QByteArray noise(4096, '\0');
  quint32 seed = 17;
  for (char& c : noise)
    c = static_cast<char>((seed = seed * 1664525u + 1013904223u) >> 24);
  expectUntouched(noise);
  expectUntouched(good.left(good.size() / 2)); // a truncated database
  QByteArray scrambled = good;
  for (int i = 4096; i < 4096 + 200; ++i)
    scrambled[i] = static_cast<char>(0xA5);
  expectUntouched(scrambled);
}

TEST_F(ArchiveTest, ForeignOrNewerDatabasesAreNotWrittenTo) {
  QDir().mkpath(QFileInfo(path).path());
  ExecOn(path, "CREATE TABLE other (x)");
  const QByteArray foreign = Bytes(path);
  EXPECT_TRUE(FailureOf(path, [&] { TChartArchive archive(path); }).contains("не является"));
  EXPECT_EQ(Bytes(path), foreign);

  QFile::remove(path);
  Fill(1);
  ExecOn(path, "PRAGMA user_version = 99");
  const QByteArray newer = Bytes(path);
  EXPECT_TRUE(FailureOf(path, [&] { TChartArchive archive(path); }).contains("99"));
  EXPECT_EQ(Bytes(path), newer);
}

TEST_F(ArchiveTest, ALockHeldByAnotherConnectionIsReportedAfterAShortWait) {
  Fill(2);
  const QByteArray before = Bytes(path);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "holder");
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    ASSERT_TRUE(QSqlQuery(db).exec("BEGIN EXCLUSIVE"));
    const QString text = FailureOf(path, [&] { TChartArchive(path, 100).Save(Chart("x")); });
    EXPECT_TRUE(text.contains("занят")) << text.toStdString();
    QSqlQuery(db).exec("ROLLBACK");
    db.close();
  }
  QSqlDatabase::removeDatabase("holder");
  EXPECT_EQ(Bytes(path), before);
  TChartArchive archive(path); // usable again once the other program lets go
  EXPECT_EQ(archive.List().size(), 2u);
}

TEST_F(ArchiveTest, AReadOnlyFolderIsReportedAndNothingIsWritten) {
  Fill(1);
  const QByteArray before = Bytes(path);
  const QString folder = QFileInfo(path).path();
  const auto all = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
  QFile::setPermissions(folder, all);
  QFile probe(folder + "/probe");
  if (probe.open(QIODevice::WriteOnly)) {
    probe.remove();
    QFile::setPermissions(folder, all | QFileDevice::WriteOwner);
    GTEST_SKIP() << "this user writes into read-only folders (root)";
  }
  FailureOf(path, [&] { TChartArchive(path).Save(Chart("новая")); });
  const QString absent = folder + "/other.sqlite";
  FailureOf(absent, [&] { TChartArchive(absent).Save(Chart("новая")); });
  QFile::setPermissions(folder, all | QFileDevice::WriteOwner);
  EXPECT_EQ(Bytes(path), before);
  EXPECT_FALSE(QFile::exists(absent));
}

TEST_F(ArchiveTest, AFolderWhereTheFileShouldBeIsReported) {
  QDir().mkpath(path);
  FailureOf(path, [&] { TChartArchive archive(path); });
  const QString underFile = dir.filePath("plain/charts.sqlite");
  QFile(dir.filePath("plain")).open(QIODevice::WriteOnly);
  FailureOf(QFileInfo(underFile).path(), [&] { TChartArchive(underFile).Save(Chart("x")); });
  EXPECT_THROW(TChartArchive(""), TArchiveError);
}

} // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

TEST_F(ArchiveTest, ARowWhoseNameCannotBeFoundByItsTextIsDamagedNotListed) {
  // Found by fuzzing: such rows were listed but could never be found, renamed or deleted.
  Fill(3);
  ExecOn(path, "UPDATE charts SET name = CAST(name AS BLOB) WHERE rowid = 1");
  ExecOn(path, "UPDATE charts SET name = name || char(65535) WHERE rowid = 2"); // noncharacter
  TChartArchive archive(path);
  const std::vector<TStoredChart> listed = archive.List();
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(archive.SkippedRows(), 2);
  TStoredChart found;
  EXPECT_TRUE(archive.Find(listed[0].Name, found));
}

TEST_F(ArchiveTest, AnArchiveOfTheFirstSchemaOpensWithEveryChartAndSignedPlacesAfter) {
  // The first schema as the program wrote it, with two charts: south-west and north-east.
  QDir().mkpath(dir.filePath("data"));
  ExecOn(path, QString("CREATE TABLE charts (%1)").arg(kFirstSchemaColumns));
  ExecOn(path, "INSERT INTO charts VALUES ('Буэнос-Айрес', 'н', '1985-03-21T12:34:56.789',"
               " 'Аргентина', 'Буэнос-Айрес', -3, 1, -34, 36, -58, 27, '2026-01-01T00:00:00'),"
               " ('Москва', '', '2000-01-01T00:00:00.000', 'Россия', 'Москва', 3, 0,"
               " 55, 45, 37, 37, '2026-01-01T00:00:00')");
  ExecOn(path, "PRAGMA user_version = 1");
  TChartArchive archive(path);
  ASSERT_EQ(archive.List().size(), 2u);
  TStoredChart south;
  ASSERT_TRUE(archive.Find("Буэнос-Айрес", south));
  EXPECT_EQ(south.Note, "н");
  EXPECT_EQ(south.Zone, -3);
  EXPECT_EQ(south.LongitudeDeg, -58);
  EXPECT_DOUBLE_EQ(*south.Latitude, -(34 + 36 / 60.0));
  EXPECT_DOUBLE_EQ(*south.Longitude, -(58 + 27 / 60.0));

  // London's -0°08' and Quito's -0°14' keep their signs from now on.
  TStoredChart london = south;
  london.Name = "Лондон";
  london.LongitudeDeg = 0;
  london.Latitude = -(14 / 60.0);
  london.Longitude = -(8 / 60.0);
  archive.Save(london);
  TStoredChart loaded;
  ASSERT_TRUE(TChartArchive(path).Find("Лондон", loaded));
  EXPECT_EQ(loaded, london);
  EXPECT_EQ(archive::LongitudeOf(loaded), -(8 / 60.0));
}

TEST_F(ArchiveTest, AnArchiveOfTheSecondSchemaOpensAndKeepsExactOffsetsAfter) {
  // The second schema as the program wrote it: whole-hour zones and signed decimal places.
  QDir().mkpath(dir.filePath("data"));
  ExecOn(
      path,
      QString("CREATE TABLE charts (%1, latitude REAL, longitude REAL)").arg(kFirstSchemaColumns));
  ExecOn(path, "INSERT INTO charts VALUES ('Лондон', '', '1985-03-21T12:34:56.000', 'Англия',"
               " 'Лондон', 0, 1, 51, 30, 0, 8, '2026-01-01T00:00:00', 51.5, -0.1333)");
  ExecOn(path, "PRAGMA user_version = 2");
  TStoredChart london;
  ASSERT_TRUE(TChartArchive(path).Find("Лондон", london));
  EXPECT_EQ(*london.Longitude, -0.1333);
  EXPECT_TRUE(london.HistoricZones);
  EXPECT_FALSE(london.OffsetSeconds); // an older chart: its zone's whole hours
  EXPECT_FALSE(london.OwnPlace || london.Julian || london.LaterOccurrence);

  // Delhi's +5:30 and an own place with its zone, old-style date and second hour come back whole.
  TStoredChart own = Chart("Своё");
  own.OwnPlace = true;
  own.ZoneName = "Europe/Samara";
  own.OffsetSeconds = 3 * 3600;
  own.Julian = own.LaterOccurrence = true;
  TStoredChart delhi = Chart("Дели");
  delhi.OffsetSeconds = 5 * 3600 + 1800;
  delhi.FixedOffset = true;
  TChartArchive(path).Save({own, delhi});
  TStoredChart loaded;
  ASSERT_TRUE(TChartArchive(path).Find("Своё", loaded));
  EXPECT_EQ(loaded, own);
  ASSERT_TRUE(TChartArchive(path).Find("Дели", loaded));
  EXPECT_EQ(loaded, delhi);
  ExecOn(path, "UPDATE charts SET offset_seconds = 99999 WHERE name = 'Дели'");
  EXPECT_EQ(TChartArchive(path).List().size(), 2u) << "a damaged offset is a damaged row";
}
