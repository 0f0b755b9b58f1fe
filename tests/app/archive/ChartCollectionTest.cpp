// SPDX-License-Identifier: GPL-3.0-or-later
// Chart collections: real-looking AAF and CSV files import to the universal moments the Swiss
// Ephemeris' calendar and the tz database give, bad records are named by line, duplicates and
// name collisions are handled, export and import give the same charts back, and an archive that
// cannot take the import keeps nothing of it.
#include "ChartCollection.h"
#include "ArchiveRecord.h"
#include "CityBase.h"
#include "Cp1251.h"
#include "PlaceAtlas.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <swephexp.h>

using namespace archive;

namespace {

// Seconds since 1899-12-30 of a UT moment, through the tz database's calendar.
TMomentSeconds Utc(const QDateTime& moment) {
  return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC).secsTo(moment);
}

TMomentSeconds LocalToUtc(QDate date, QTime time, const char* zone) {
  return Utc(QDateTime(date, time, QTimeZone(zone)));
}

struct CollectionTest : ::testing::Test {
  QTemporaryDir dir;
  QString archivePath = dir.filePath("charts.sqlite");
  TCityBase cities{ASTRAVIA_SOURCE_DIR "/data/cities.txt"};
  TPlaceAtlas atlas{&cities};

  QString Write(const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }
  TImportSummary Import(const QString& file) {
    TChartArchive store(archivePath, 200);
    return ImportCollection(file, store, &cities);
  }
  TChartRecord Stored(const QString& name) {
    TStoredChart chart;
    EXPECT_TRUE(TChartArchive(archivePath).Find(name, chart)) << name.toStdString();
    return RecordFromStored(chart, atlas);
  }
  std::vector<TStoredChart> All(const QString& path) {
    std::vector<TStoredChart> charts = TChartArchive(path).List();
    SortByName(charts);
    return charts;
  }
};

TEST_F(CollectionTest, AafRecordsTakeTheirJulianDayZoneOrAtlasPlace) {
  const QString file = Write("people.aaf", "#: exported 2024\n"
                                           "#A93:Cezanne,Paul,m,19.1.1839,1:00,Aix-En-Provence,F\n"
                                           "#B93:2392758.526528,43n31,5e27,0e21:48,m\n"
                                           "#ZNAM:LMT\n"
                                           "#COM:painter, Aix\n"
                                           " # second line of a note\n"
                                           "\n"
                                           "#A93:Гагарин,Юрий,m,12.4.1961,9:07,Самара,SU\n"
                                           "#COM:по атласу\n"
                                           "\n"
                                           "#A93:Ferber,Tobias,m,27.9.1970,11:04,Kandel,D\n"
                                           "#B93:*,49n05,8w11,1he00,1\n"
                                           "#A93:Broken,*,m,31.2.1970,11:04,Kandel,D\n"
                                           "#A93:Nowhere,*,m,1.2.1970,11:04,Atlantis,*\n");
  const TImportSummary summary = Import(file);
  EXPECT_EQ(summary.Imported, 3);
  ASSERT_EQ(summary.Refused.size(), 2u);
  EXPECT_EQ(summary.Refused[0].Line, 13);
  EXPECT_TRUE(summary.Refused[0].Reason.contains("31.2.1970"));
  EXPECT_EQ(summary.Refused[1].Line, 14);
  EXPECT_EQ(ImportExitStatus(summary), 3);
  EXPECT_TRUE(SummaryText(summary).contains("Строка 13:"));

  int year, month, day;
  double hour;
  swe_revjul(2392758.526528, SE_GREG_CAL, &year, &month, &day, &hour);
  const TChartRecord cezanne = Stored("Cezanne Paul");
  EXPECT_EQ(cezanne.Universal, Utc(QDateTime(QDate(year, month, day), QTime(0, 0), Qt::UTC)) +
                                   std::llround(hour * 3600));
  EXPECT_NEAR(cezanne.Latitude, 43 + 31 / 60.0, 1e-9);
  EXPECT_NEAR(cezanne.Longitude, 5 + 27 / 60.0, 1e-9);
  EXPECT_EQ(cezanne.Note, "painter, Aix\n# second line of a note");

  const TChartRecord gagarin = Stored("Гагарин Юрий");
  EXPECT_EQ(gagarin.Universal, LocalToUtc({1961, 4, 12}, {9, 7}, "Europe/Samara"));
  EXPECT_EQ(gagarin.Place, "Самара;Самарская область");
  EXPECT_EQ(gagarin.Note, "по атласу");

  const TChartRecord ferber = Stored("Ferber Tobias"); // zone and summer time: UT+2
  EXPECT_EQ(ferber.Universal, Utc(QDateTime(QDate(1970, 9, 27), QTime(9, 4), Qt::UTC)));
  EXPECT_NEAR(ferber.Longitude, -(8 + 11 / 60.0), 1e-9);
}

TEST_F(CollectionTest, CsvInWindows1251WithSemicolonsQuotesAndZones) {
  const QString text =
      "Имя;Дата;Время;Город;Страна;Широта;Долгота;Пояс;Заметка\r\n"
      "Иван Петров;21.03.1985;14:30;Омск;Россия;;;;\"первая; вторая\"\r\n"
      "\"Анна \"\"Звезда\"\"\";1990-07-01;06:15:30;;;55.75;37.62;Europe/Moscow;\r\n"
      "Ошибка;1990-07-01;25:00;Омск;Россия;;;;\r\n"
      "Смещение;1990-07-01;06:15;;;-33.9;18.4;+02:00;\"строка\nи ещё\"\r\n"
      "Без места;1990-07-01;06:15;;;;;+03:00;\r\n";
  const TImportSummary summary =
      Import(Write("list.csv", QByteArray::fromStdString(astro::Utf8ToCp1251(text.toStdString()))));
  EXPECT_EQ(summary.Encoding, TTextEncoding::Windows1251);
  EXPECT_EQ(summary.Format, TCollectionFormat::Csv);
  EXPECT_EQ(summary.Imported, 3);
  ASSERT_EQ(summary.Refused.size(), 2u);
  EXPECT_EQ(summary.Refused[0].Line, 4);
  EXPECT_EQ(summary.Refused[1].Line, 7); // the quoted line break counts
  EXPECT_EQ(Stored("Иван Петров").Universal, LocalToUtc({1985, 3, 21}, {14, 30}, "Asia/Omsk"));
  EXPECT_EQ(Stored("Иван Петров").Note, "первая; вторая");
  EXPECT_EQ(Stored("Анна \"Звезда\"").Universal,
            LocalToUtc({1990, 7, 1}, {6, 15, 30}, "Europe/Moscow"));
  EXPECT_EQ(Stored("Смещение").Universal, Utc(QDateTime(QDate(1990, 7, 1), QTime(4, 15), Qt::UTC)));
  EXPECT_NEAR(Stored("Смещение").Latitude, -33.9, 1 / 60.0);
}

TEST(CollectionText, EncodingIsUtf8Else1251Or1252) {
  EXPECT_EQ(DecodeCollection("Zo\xC3\xAB").Encoding, TTextEncoding::Utf8);
  const TDecodedText western = DecodeCollection("Ren\xE9 M\xFCller \x80");
  EXPECT_EQ(western.Encoding, TTextEncoding::Windows1252);
  EXPECT_EQ(western.Text, QString::fromUtf8("René Müller €"));
  const TDecodedText cyrillic = DecodeCollection("\xC8\xE2\xE0\xED \xC8.");
  EXPECT_EQ(cyrillic.Encoding, TTextEncoding::Windows1251);
  EXPECT_EQ(cyrillic.Text, QString::fromUtf8("Иван И."));
}

TEST_F(CollectionTest, DuplicatesAreSkippedAndCollidingNamesNumbered) {
  const QString first = Write("a.aaf", "#A93:Мария,*,f,1.5.1980,10:00,*,*\n"
                                       "#B93:*,55n45,37e37,3he00,0\n");
  EXPECT_EQ(ImportExitStatus(Import(first)), 0);
  const TImportSummary again = Import(first);
  EXPECT_EQ(again.Skipped, 1);
  EXPECT_EQ(ImportExitStatus(again), 2);
  const QString other = Write("b.aaf", "#A93:Мария,*,f,2.5.1980,10:00,*,*\n"
                                       "#B93:*,55n45,37e37,3he00,0\n");
  EXPECT_EQ(Import(other).Renamed, 1);
  EXPECT_EQ(Import(other).Skipped, 1); // found again under its numbered name
  EXPECT_EQ(All(archivePath).size(), 2u);
  EXPECT_EQ(Stored("Мария (2)").Universal, Utc(QDateTime(QDate(1980, 5, 2), QTime(7, 0), Qt::UTC)));
}

TEST_F(CollectionTest, ExportThenImportGivesTheSameCharts) {
  std::vector<TStoredChart> charts;
  for (int i = 0; i < 6; ++i) {
    TChartRecord record;
    record.Name = QString("Карта %1").arg(i);
    record.Note = i % 2 ? QString("заметка, \"кавычки\"\n#не блок\nконец") : QString();
    record.Universal = 3'000'000'000LL + i * 987'654'321LL + i;
    record.OffsetSeconds = (i - 3) * 3600;
    record.Latitude = (i % 2 ? -1 : 1) * (i * 13 + 7 / 60.0);
    record.Longitude = (i % 3 ? -1 : 1) * (i * 29 + 41 / 60.0);
    record.Place = i ? "Омск" : "";
    record.Country = i ? "Россия" : "";
    charts.push_back(StoredFromRecord(record));
  }
  TChartArchive(archivePath).Save(charts);
  for (TCollectionFormat format : {TCollectionFormat::Aaf, TCollectionFormat::Csv}) {
    const QString file = dir.filePath(format == TCollectionFormat::Aaf ? "out.aaf" : "out.csv");
    ExportCollection(file, format, charts, &cities);
    const QString copy = file + ".sqlite";
    TChartArchive target(copy);
    EXPECT_EQ(ImportExitStatus(ImportCollection(file, target, &cities)), 0);
    EXPECT_EQ(All(copy), All(archivePath));
  }
}

TEST_F(CollectionTest, ALockedArchiveTakesNothingAndTheFileStays) {
  TChartRecord present;
  present.Name = "Уже есть";
  TChartArchive(archivePath).Save(StoredFromRecord(present));
  const QString file = Write("c.aaf", "#A93:Новая,*,f,1.5.1980,10:00,*,*\n"
                                      "#B93:*,55n45,37e37,3he00,0\n");
  const QByteArray before = [&] {
    QFile f(archivePath);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }();
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other");
    db.setDatabaseName(archivePath);
    ASSERT_TRUE(db.open());
    ASSERT_TRUE(QSqlQuery(db).exec("BEGIN EXCLUSIVE"));
    EXPECT_THROW(Import(file), TArchiveError);
    QSqlQuery(db).exec("ROLLBACK");
  }
  QSqlDatabase::removeDatabase("other");
  QFile after(archivePath);
  ASSERT_TRUE(after.open(QIODevice::ReadOnly));
  EXPECT_EQ(after.readAll(), before);
  EXPECT_EQ(All(archivePath).size(), 1u);
}

} // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
