// SPDX-License-Identifier: GPL-3.0-or-later
#include "CityBase.h"

#include "BoundedRun.h"

#include "Cp1251.h"

#include <QCollator>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace {

// Writes UTF-8 lines as a Windows-1251 file with the given line end and returns its path.
QString WriteBase(const char* name, const QStringList& lines, const QString& end = "\r\n") {
  const QString path = QString(ASTRAVIA_TEST_OUTPUT_DIR) + "/" + name;
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  const std::string bytes = astro::Utf8ToCp1251((lines.join(end) + end).toStdString());
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  return path;
}

struct TFound {
  QString Latitude = "untouched", Longitude = "untouched", Zone = "untouched";
};

} // namespace

TEST(CityBase, ExtractFieldTakesFiveSeparatorsAndTheTextAfterTheLast) {
  const QString line = "a; b ;;c;d;e;f;g";
  EXPECT_EQ(TCityBase::ExtractField(1, line), "a");
  EXPECT_EQ(TCityBase::ExtractField(2, line), " b "); // blanks belong to the field
  EXPECT_EQ(TCityBase::ExtractField(3, line), "");
  EXPECT_EQ(TCityBase::ExtractField(5, line), "d");
  EXPECT_EQ(TCityBase::ExtractField(6, line), "g"); // "e;f" in between is ignored
  EXPECT_EQ(TCityBase::ExtractField(4, "x;y;z"), "");
  EXPECT_EQ(TCityBase::ExtractField(7, line), "");
  EXPECT_EQ(TCityBase::ExtractField(0, line), "");
  // The atlas's zone name rides between the fifth and the last separator.
  EXPECT_EQ(TCityBase::ExtractZoneName(line), "e;f");
  EXPECT_EQ(TCityBase::ExtractZoneName("Тольятти;Россия;;53°32’;49°21’; Europe/Samara ;4"),
            "Europe/Samara");
  EXPECT_EQ(TCityBase::ExtractZoneName("Омск;Россия;;54°59’;73°22’;6"), "");
  EXPECT_EQ(TCityBase::ExtractZoneName("a;b;c"), "");
}

TEST(CityBase, ListsAreSortedDeduplicatedAndCaseSensitive) {
  TCityBase base(WriteBase("cities-lists.txt", {
                                                   "Омск;Россия;;54°59’;73°22’;6",
                                                   "Москва;Россия;;55°45’;37°37’;3",
                                                   "Москва;Россия;;55°45’;37°37’;3",
                                                   "Ёлкино;россия;;1°00’;2°00’;4",
                                                   "Троицк;Россия;Московская обл.;55°29’;37°18’;3",
                                                   "Троицк;Россия;Челябинская обл.;54°05’;61°34’;5",
                                                   "Айова;США;;41°00’;-93°00’;-6",
                                               }));
  EXPECT_EQ(base.GetCountryList(), QStringList({"россия", "Россия", "США"}));
  EXPECT_EQ(base.GetCityList("Россия"),
            QStringList({"Москва", "Омск", "Троицк;Московская обл.", "Троицк;Челябинская обл."}));
  EXPECT_EQ(base.GetCityList("россия"), QStringList({"Ёлкино"}));
  EXPECT_TRUE(base.GetCityList("Росси").isEmpty());
}

TEST(CityBase, FindCityReturnsTheFirstMatchAndLeavesOutTextsOnFailure) {
  TCityBase base(WriteBase("cities-find.txt",
                           {
                               "Троицк;Россия;Московская обл.;55°29’;37°18’;3",
                               "Город;Страна;;10°00’;20°00’;",
                               "Город;Страна;;11°00’;21°00’;9",
                           },
                           "\n"));
  TFound f;
  ASSERT_TRUE(base.FindCity("Россия", "Троицк;Московская обл.", f.Latitude, f.Longitude, f.Zone));
  EXPECT_EQ(f.Latitude, "55°29’");
  EXPECT_EQ(f.Longitude, "37°18’");
  EXPECT_EQ(f.Zone, "3");
  ASSERT_TRUE(base.FindCity("Страна", "Город", f.Latitude, f.Longitude, f.Zone));
  EXPECT_EQ(f.Latitude, "10°00’"); // the earlier of two identical entries
  EXPECT_EQ(f.Zone, "");

  TFound g;
  EXPECT_FALSE(base.FindCity("Россия", "Троицк", g.Latitude, g.Longitude, g.Zone));
  EXPECT_FALSE(base.FindCity("россия", "Троицк;Московская обл.", g.Latitude, g.Longitude, g.Zone));
  EXPECT_EQ(g.Latitude, "untouched");
  EXPECT_EQ(g.Zone, "untouched");
}

TEST(CityBase, ReadsEveryLineEndAndSkipsLinesThatAreNotPlaces) {
  const QString path = QString(ASTRAVIA_TEST_OUTPUT_DIR) + "/cities-ends.txt";
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(QByteArray::fromStdString(astro::Utf8ToCp1251(
      "A;X;;1°00’;2°00’;1\r\n\r\nB;X;;1°00’;2°00’;2\nshort;line\rC;X;;1°00’;2°00’;3\r"
      "D;X;;1°00’;2°00’;4")));
  file.close();
  TCityBase base(path);
  EXPECT_EQ(base.GetCityList("X"), QStringList({"A", "B", "C", "D"}));
  EXPECT_EQ(base.PlaceCount(), 4);
  EXPECT_EQ(base.SkippedLineCount(), 2);
  TFound f;
  ASSERT_TRUE(base.FindCity("X", "D", f.Latitude, f.Longitude, f.Zone));
  EXPECT_EQ(f.Zone, "4"); // last line without an end
  // The Windows-1251 bytes of the signs come back as "°" and "’".
  EXPECT_EQ(f.Latitude, QString::fromUtf8("1\u00b000\u2019"));
}

TEST(CityBase, GarbageBytesDoNotDisturbWellFormedLines) {
  QByteArray bytes;
  QRandomGenerator random(1251);
  for (int i = 0; i < 1 << 20; ++i)
    bytes.append(static_cast<char>(random.bounded(256)));
  bytes.append("\r\n");
  bytes.append(QByteArray::fromStdString(astro::Utf8ToCp1251("Омск;Россия;;54°59’;73°22’;6\n")));
  bytes.append(bytes.left(1000)); // truncated garbage at the end
  const QString path = QString(ASTRAVIA_TEST_OUTPUT_DIR) + "/cities-garbage.txt";
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
  file.close();

  TCityBase base(path);
  EXPECT_TRUE(base.GetCountryList().contains("Россия"));
  EXPECT_TRUE(base.GetCityList("Россия").contains("Омск"));
  TFound f;
  ASSERT_TRUE(base.FindCity("Россия", "Омск", f.Latitude, f.Longitude, f.Zone));
  EXPECT_EQ(f.Longitude, "73°22’");
}

// Countries are compared on the file's own bytes; a name the code page cannot hold matches
// nothing, and the undefined byte 0x98 is found by the character it decodes to.
TEST(CityBase, CountriesMatchByTheirDecodedText) {
  const QString path = QString(ASTRAVIA_TEST_OUTPUT_DIR) + "/cities-bytes.txt";
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write("A;X\x98Y;;1\xb0"
             "00\x92;2\xb0"
             "00\x92;3\r\nB;Z;;1\xb0"
             "00\x92;2\xb0"
             "00\x92;4\r\n");
  file.close();
  const TCityBase base(path);
  const QString odd = QStringLiteral("X\uFFFDY");
  EXPECT_EQ(base.GetCountryList(), QStringList({odd, "Z"}));
  EXPECT_EQ(base.GetCityList(odd), QStringList({"A"}));
  TFound found;
  EXPECT_TRUE(base.FindCity(odd, "A", found.Latitude, found.Longitude, found.Zone));
  EXPECT_EQ(found.Zone, "3");
  EXPECT_TRUE(base.GetCityList(QStringLiteral("Ζ")).isEmpty()); // Greek, not in the code page
  EXPECT_FALSE(base.FindPlace(QStringLiteral("Ζ"), "B"));
}

TEST(CityBase, UnreadableFileIsAnErrorNamingIt) {
  try {
    TCityBase base(QString(ASTRAVIA_TEST_OUTPUT_DIR) + "/no-such-cities.txt");
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), (std::string("Cannot open file ") + ASTRAVIA_TEST_OUTPUT_DIR +
                            "/no-such-cities.txt")
                               .c_str());
  }
}

TEST(ShippedCityBase, HoldsTheAtlasWithRussianNamesAndKnownZones) {
  const QString path = QString(ASTRAVIA_SOURCE_DIR) + "/data/cities.txt";
  TCityBase base(path);
  EXPECT_GT(base.PlaceCount(), 25000);
  EXPECT_EQ(base.SkippedLineCount(), 0);
  const QStringList countries = base.GetCountryList();
  EXPECT_GT(countries.size(), 200);

  const QStringList russia = base.GetCityList("Россия");
  // The lists are sorted by collation keys: every neighbour pair must be in the collator's order
  // (ties by code units), with no text twice.
  QCollator collator{QLocale(QLocale::Russian, QLocale::Russia)};
  collator.setCaseSensitivity(Qt::CaseSensitive);
  for (const QStringList* list : {&countries, &russia})
    for (qsizetype i = 1; i < list->size(); ++i) {
      const QString &a = list->at(i - 1), &b = list->at(i);
      const int order = collator.compare(a, b);
      ASSERT_TRUE(order < 0 || (order == 0 && a < b))
          << a.toStdString() << " | " << b.toStdString();
    }
  for (const char* town :
       {"Тольятти;Самарская область", "Ярославль;Ярославская область",
        "Ульяновск;Ульяновская область", "Сургут;Ханты-Мансийский автономный округ"})
    EXPECT_TRUE(russia.contains(town)) << town;
  const auto novosibirsk = base.FindPlace("Россия", "Новосибирск;Новосибирская область");
  ASSERT_TRUE(novosibirsk);
  EXPECT_EQ(novosibirsk->Latitude, "55°02’");
  EXPECT_EQ(novosibirsk->Longitude, "82°56’");
  EXPECT_EQ(novosibirsk->ZoneName, "Asia/Novosibirsk");
  EXPECT_EQ(novosibirsk->Zone, "7"); // +7 since 2016, not the +6 of older databases

  // Every line: six fields by the reader's rule, coordinates [-]degrees "°" minutes "’", a zone
  // name the tz database knows and an integer hour.
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  const QStringList lines =
      QString::fromStdString(astro::Cp1251ToUtf8({bytes.constData(), size_t(bytes.size())}))
          .split("\r\n", Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), base.PlaceCount());
  QSet<QByteArray> known;
  for (const QByteArray& id : QTimeZone::availableTimeZoneIds())
    known.insert(id);
  const QRegularExpression angle("^-?\\d{1,3}°[0-5]\\d’$");
  const QRegularExpression zone("^-?\\d{1,2}$");
  for (const QString& line : lines) {
    ASSERT_EQ(line.count(u';'), 6) << line.toStdString();
    EXPECT_FALSE(TCityBase::ExtractField(1, line).isEmpty()) << line.toStdString();
    EXPECT_TRUE(angle.match(TCityBase::ExtractField(4, line)).hasMatch()) << line.toStdString();
    EXPECT_TRUE(angle.match(TCityBase::ExtractField(5, line)).hasMatch()) << line.toStdString();
    EXPECT_TRUE(known.contains(TCityBase::ExtractZoneName(line).toLatin1())) << line.toStdString();
    EXPECT_TRUE(zone.match(TCityBase::ExtractField(6, line)).hasMatch()) << line.toStdString();
    EXPECT_LE(std::abs(TCityBase::ExtractField(6, line).toInt()), 14) << line.toStdString();
  }
}

TEST(CityBase, ATenMegabyteLineIsOnePlaceAmongOthers) {
  const QString longCity(10 << 20, u'ж');
  const QString path = WriteBase(
      "huge-line.txt", {"Омск;Россия;;54°59’;73°22’;6", longCity + ";Россия;;1°00’;2°00’;3"});
  EXPECT_TRUE(bounded::Run(512, [&] {
    const TCityBase base(path);
    QString latitude, longitude, zone;
    return base.PlaceCount() == 2 && base.GetCityList("Россия").size() == 2 &&
           base.FindCity("Россия", longCity, latitude, longitude, zone) && zone == "3";
  }));
}

TEST(CityBase, APrefetchedBaseHasTheSameListsAndAReplacedFileIsReadAgain) {
  const QString path = WriteBase("cities-prefetch.txt", {
                                                            "Омск;Россия;;54°59’;73°22’;6",
                                                            "Айова;США;;41°00’;-93°00’;-6",
                                                            "Абакан;Россия;;53°43’;91°25’;7",
                                                        });
  PrefetchCityBase(path, {QString(), "Россия"});
  const std::unique_ptr<TCityBase> early = TakePrefetchedCityBase(path);
  ASSERT_TRUE(early);
  const TCityBase fresh(path);
  EXPECT_EQ(early->GetCountryList(), fresh.GetCountryList());
  for (const QString& country : fresh.GetCountryList())
    EXPECT_EQ(early->GetCityList(country), fresh.GetCityList(country));
  EXPECT_EQ(early->GetCityList("Россия"), QStringList({"Абакан", "Омск"}));
  EXPECT_FALSE(TakePrefetchedCityBase(path));

  PrefetchCityBase(path, {});
  WriteBase("cities-prefetch.txt", {"Омск;Россия;;54°59’;73°22’;6"});
  EXPECT_FALSE(TakePrefetchedCityBase(path));
}

namespace {

// Every country's entries, in the order of the lists, whose city name begins with Prefix in
// any letter case: what a lookup of the name can find.
QStringList EntriesStarting(const TCityBase& base, const QString& prefix) {
  QStringList found;
  for (const QString& country : base.GetCountryList())
    for (const QString& entry : base.UnsortedCityList(country))
      if (entry.section(u';', 0, 0).toCaseFolded().startsWith(prefix.toCaseFolded()))
        found << country + "/" + entry;
  return found;
}

} // namespace

// The narrowed base holds exactly the places whose city names begin with the prefix, in their
// order, also where lines of every ending cross the pieces it is read in.
TEST(CityBase, NarrowedHoldsThePlacesOfTheNameAsTheWholeBaseHasThem) {
  QStringList lines;
  for (int i = 0; i < 6000; ++i)
    lines << QString("%1%2;Страна %3;;1°00’;2°00’;%4")
                 .arg(i % 3 ? "Ёлкино" : "ёЛКИНО")
                 .arg(i % 7)
                 .arg(i % 5)
                 .arg(i % 12);
  QString file;
  for (const char* end : {"\r\n", "\n", "\r"}) {
    file = WriteBase("narrowed.txt", lines, end);
    const TCityBase whole(file);
    for (const char* prefix : {"ёлкино3", "ЁЛКИНО", "Ёлкино9", "Ёлк"}) {
      const TCityBase narrowed = TCityBase::Narrowed(file, prefix);
      EXPECT_EQ(EntriesStarting(narrowed, ""), EntriesStarting(whole, prefix)) << prefix << end;
    }
  }
  EXPECT_THROW(TCityBase::Narrowed(file + ".missing", "a"), std::runtime_error);
  const QString atlas = QString(ASTRAVIA_SOURCE_DIR) + "/data/cities.txt";
  const TCityBase whole(atlas);
  const QStringList countries = whole.GetCountryList();
  for (qsizetype c = 0; c < countries.size(); c += 17) {
    const QString city = whole.UnsortedCityList(countries[c]).first().section(u';', 0, 0);
    for (const QString& prefix : {city.toUpper(), city.left(2)}) {
      const TCityBase narrowed = TCityBase::Narrowed(atlas, prefix);
      const QStringList expected = EntriesStarting(whole, prefix);
      ASSERT_EQ(EntriesStarting(narrowed, ""), expected) << prefix.toStdString();
      const QString country = expected.first().section(u'/', 0, 0);
      const QString entry = expected.first().section(u'/', 1);
      EXPECT_EQ(narrowed.FindPlace(country, entry)->Latitude,
                whole.FindPlace(country, entry)->Latitude);
    }
  }
}
