// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built astravia-chart as a user does and checks what it prints and writes.
#include "ChartProgram.h"
#include "IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace companion_test;

TEST(ChartProgram, PrintsTheChartOfAMomentAndPlace) {
  const TTestFolder folder("prints");
  // The city base's whole hours: Novosibirsk's +7 of today.
  const TRun run = RunChart({"--date", "2005-01-05", "--time", "12:00", "--city",
                             "Россия/Новосибирск", "--ini", folder.Ini(), "--no-historic-zones"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_NE(run.Out.find("Moment: 05.01.2005 12:00:00 local, 05.01.2005 05:00:00 UT, UTC+07:00, "
                         "пояс базы городов\n"),
            std::string::npos)
      << run.Out;
  EXPECT_NE(run.Out.find("Place: Россия/Новосибирск;Новосибирская область, latitude 55°02’, "
                         "longitude 82°56’, zone +7"),
            std::string::npos)
      << run.Out;
  // The Sun on 5 January 2005 at 05:00 UT: 284.95, Capricorn 14°57’ (apparent longitude).
  EXPECT_NE(run.Out.find("\n  Солнце    284.95  Козерог   14°57’\n"), std::string::npos) << run.Out;
  // After the bodies: the Sun and Moon of the local day, the dignities, then the aspects.
  const std::size_t almanac = run.Out.find("\nSun: rise 09:52, set 17:16, culmination 13:34\n"
                                           "Moon: rise 03:17, set 13:15, illuminated 35%, waning\n"
                                           "Dignities (");
  EXPECT_GT(almanac, run.Out.find("\n  Плутон ")) << run.Out;
  EXPECT_NE(run.Out.find("\n  Сатурн    Рак       изгнание              -5\n"), std::string::npos);
  EXPECT_LT(run.Out.find("\n  Total: -14\n"), run.Out.find("\nAspects: ")) << run.Out;
  EXPECT_TRUE(run.Err.empty()) << run.Err;
  EXPECT_FALSE(QFileInfo::exists(
      QString::fromStdString(folder.Path("report.txt")))); // nothing written without --out

  // The shipped configuration asks for zones by date: in January 2005 the city kept +6.
  const TRun byDate = RunChart({"--date", "2005-01-05", "--time", "12:00", "--city",
                                "Россия/Новосибирск", "--ini", folder.Ini()});
  ASSERT_EQ(byDate.Status, 0) << byDate.Err;
  EXPECT_NE(byDate.Out.find("Moment: 05.01.2005 12:00:00 local, 05.01.2005 06:00:00 UT, "
                            "UTC+06:00, Asia/Novosibirsk, поясное время\n"),
            std::string::npos)
      << byDate.Out;
  // The option wins over a configuration that switches zones by date off.
  QFile shipped(QString::fromStdString(folder.Ini("off.ini")));
  ASSERT_TRUE(shipped.open(QIODevice::ReadWrite));
  const QByteArray switchedOff = shipped.readAll().replace("HistoricZones=1", "HistoricZones=0");
  ASSERT_TRUE(shipped.resize(0));
  shipped.write(switchedOff);
  shipped.close();
  const TRun summer = RunChart({"--date", "1995-07-01", "--city", "Россия/Москва", "--ini",
                                folder.Path("off.ini"), "--historic-zones"});
  EXPECT_NE(summer.Out.find("08:00:00 UT, UTC+04:00, Europe/Moscow, летнее время\n"),
            std::string::npos)
      << summer.Out;
  // Before Moscow's first standard time: the mean time of 37°37’ E, a fraction of a minute.
  const TRun mean = RunChart(
      {"--date", "1870-07-01", "--city", "Россия/Москва", "--ini", folder.Ini(), "--json"});
  const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(mean.Out));
  EXPECT_EQ(json["moment"]["ut"].toString(), "1870-07-01T09:29:32") << mean.Out;
  EXPECT_NEAR(json["moment"]["offset_minutes"].toDouble(), 150 + 28 / 60.0, 1e-6);
  EXPECT_EQ(json["moment"]["zone"].toString(), "Europe/Moscow");
}

TEST(ChartProgram, HelpDescribesTheOptions) {
  const TRun run = RunChart({"--help"});
  EXPECT_EQ(run.Status, 0);
  for (const char* option :
       {"--date", "--time", "--city", "--zone", "--ini", "--out", "--until", "--step", "cosmogram"})
    EXPECT_NE(run.Out.find(option), std::string::npos) << option;
}

TEST(ChartProgram, ErrorsExitWithStatusTwoAndNameTheProblem) {
  const TTestFolder folder("errors");
  const std::string ini = folder.Ini();
  struct TCase {
    std::vector<std::string> Args;
    std::string Message;
  };
  QFile plain(QString::fromStdString(folder.Path("plain-file")));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  const std::vector<TCase> cases = {
      {{"--date", "2005-02-30", "--zone", "7", "--ini", ini},
       "--date: malformed date \"2005-02-30\""},
      {{"--date", "2005-01-05", "--time", "12:61", "--zone", "7", "--ini", ini},
       "--time: malformed time \"12:61\""},
      {{"--date", "2205-01-05", "--zone", "7", "--ini", ini}, "outside the ephemeris range"},
      // 1800-01-01 05:00 local at zone +7 is still 1799 in UT.
      {{"--date", "1800-01-01", "--time", "05:00", "--zone", "7", "--ini", ini},
       "outside the ephemeris range"},
      {{"--date", "2005-01-05", "--city", "Россия/Новосибрск", "--ini", ini},
       "unknown city \"Россия/Новосибрск\"; closest entries:\n  Россия/Новосибирск;Новосибирская "
       "область"},
      {{"--date", "2005-01-05", "--city", "США/Виндзор", "--ini", ini},
       "city \"США/Виндзор\" is ambiguous; give one of:\n  США/Виндзор;Калифорния\n"
       "  США/Виндзор;Колорадо"},
      {{"--date", "2005-01-05", "--city", "Россия/Москва", "--historic-zones",
        "--no-historic-zones", "--ini", ini},
       "give --historic-zones or --no-historic-zones once"},
      {{"--date", "2005-01-05", "--zone", "7", "--ini", folder.Path("absent.ini")},
       "cannot read configuration file"},
      {{"--date", "2005-01-05", "--zone", "7", "--ini", folder.Path("")},
       "cannot read configuration file"},
      {{"--date", "2005-01-05", "--zone", "7", "--ini", ini, "--out",
        folder.Path("plain-file/sub")},
       "cannot create output folder"},
      {{"--date", "2005-01-05", "--zone", "7", "--ini", ini, "--out", folder.Path("plain-file")},
       "is not a folder"},
      {{"--date", "2005-01-05", "--zone", "7", "--bogus"}, "unknown option \"--bogus\""},
      {{"--date", "2005-01-05", "--zone", "7", "--ini", ini, "--until", "2005-01-04", "--step",
        "day"},
       "is before the start"},
  };
  for (const TCase& c : cases) {
    const TRun run = RunChart(c.Args);
    EXPECT_EQ(run.Status, 2) << c.Message << "\n" << run.Err;
    EXPECT_NE(run.Err.find("astravia-chart: error: "), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
  }
}

TEST(ChartProgram, MissingDataFilesAreErrorsAndAMissingMaskAWarning) {
  const TTestFolder folder("missing");
  // A city base the configuration names but that is not there.
  const std::string noCities = folder.Ini("noCities.ini", {{"CityBase", "no-such-cities.txt"}});
  TRun run = RunChart({"--date", "2005-01-05", "--city", "Россия/Омск", "--ini", noCities});
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(run.Err.find("no-such-cities.txt"), std::string::npos) << run.Err;
  EXPECT_NE(run.Err.find("is missing"), std::string::npos) << run.Err;

  // The program copied away from its runtime folder, started elsewhere: no ephemeris.
  const QString alone = QString::fromStdString(folder.Path("alone"));
  QDir().mkpath(alone);
  const QString copy = alone + "/astravia-chart";
  QFile::remove(copy);
  ASSERT_TRUE(QFile::copy(ASTRAVIA_CHART_PROGRAM, copy));
  run =
      RunProgram(copy.toStdString(), {"--date", "2005-01-05", "--zone", "7", "--ini", folder.Ini()},
                 alone.toStdString());
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(run.Err.find("cannot read ephemeris file"), std::string::npos) << run.Err;

  // An ephemeris too short to answer.
  QDir().mkpath(alone + "/base");
  QFile tiny(alone + "/base/efemerid.efm");
  ASSERT_TRUE(tiny.open(QIODevice::WriteOnly));
  tiny.write(QByteArray(30, '\x10')); // one whole record and a torn one
  tiny.close();
  run =
      RunProgram(copy.toStdString(), {"--date", "2005-01-05", "--zone", "7", "--ini", folder.Ini()},
                 alone.toStdString());
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(run.Err.find("holds fewer than two days"), std::string::npos) << run.Err;
  // Pictures asked for, and no picture program beside the copy.
  run = RunProgram(copy.toStdString(), {"--date", "2005-01-05", "--zone", "7", "--out", "x"},
                   alone.toStdString());
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(run.Err.find("astravia-chart: error: cannot start the picture program"),
            std::string::npos)
      << run.Err;

  // A mask picture that is no JPEG: an error, since the picture was asked for. The orbs are
  // written as the model would never write them, to see that the file is not written back.
  const std::string badMask = folder.Ini("badMask.ini", {{"TreeImage", "cities.txt"}});
  QFile badMaskFile(QString::fromStdString(badMask));
  ASSERT_TRUE(badMaskFile.open(QIODevice::ReadWrite));
  const QByteArray iniText = badMaskFile.readAll().replace("Con=8", "Con=8.00");
  ASSERT_TRUE(badMaskFile.resize(0));
  badMaskFile.write(iniText);
  badMaskFile.close();
  run = RunChart({"--date", "2005-01-05", "--zone", "7", "--ini", badMask, "--out",
                  folder.Path("out-badmask")});
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(run.Err.find("cities.txt"), std::string::npos) << run.Err;
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(folder.Path("out-badmask"))));
  ASSERT_TRUE(badMaskFile.open(QIODevice::ReadOnly));
  EXPECT_EQ(badMaskFile.readAll(), iniText);

  // No mask picture: a warning; the report is still written, the picture is not.
  const std::string noMask = folder.Ini("noMask.ini", {{"TreeImage", "no-such-mask.jpg"}});
  const std::string out = folder.Path("out-nomask");
  run = RunChart({"--date", "2005-01-05", "--zone", "7", "--ini", noMask, "--out", out});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_NE(run.Err.find("astravia-chart: warning: Отсутствует файл маски no-such-mask.jpg."),
            std::string::npos)
      << run.Err;
  EXPECT_GT(QFileInfo(QString::fromStdString(out + "/report.txt")).size(), 0);
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(out + "/tree.jpg")));
  EXPECT_NE(run.Out.find("Aspects: "), std::string::npos);
}

TEST(ChartProgram, ASeriesOfTwentyFourHoursGivesTwentyFourNumberedSets) {
  const TTestFolder folder("series");
  const std::string out = folder.Path("out");
  const TRun run =
      RunChart({"--date", "2005-01-05", "--time", "00:00", "--zone", "3", "--ini", folder.Ini(),
                "--out", out, "--until", "2005-01-05", "--step", "hour"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  QStringList names = QDir(QString::fromStdString(out)).entryList(QDir::Files, QDir::Name);
  ASSERT_EQ(names.size(), 96) << names.join(' ').toStdString();
  for (int n = 1; n <= 24; ++n) {
    const QString number = QString::number(n).rightJustified(4, '0');
    EXPECT_TRUE(names.contains("report-" + number + ".txt")) << n;
    for (const char* stem : {"tree-", "tarot-", "cosmogram-"})
      EXPECT_TRUE(names.contains(stem + number + ".jpg")) << stem << n;
  }
  EXPECT_NE(run.Out.find("Chart 0024\nMoment: 05.01.2005 23:00:00 local, 05.01.2005 20:00:00 UT"),
            std::string::npos);
  EXPECT_EQ(run.Out.find("Chart 0025"), std::string::npos);
  // The Moon moves about half a degree an hour: the first and the last picture differ.
  QFile first(QString::fromStdString(out + "/tree-0001.jpg")),
      last(QString::fromStdString(out + "/tree-0024.jpg"));
  ASSERT_TRUE(first.open(QIODevice::ReadOnly) && last.open(QIODevice::ReadOnly));
  EXPECT_NE(first.readAll(), last.readAll());
}

TEST(ChartProgram, ASeriesStepsUniversalTimeThroughTheAutumnChange) {
  const TTestFolder folder("series-summer-time");
  const TRun run = RunChart({"--date", "2021-10-31", "--time", "00:00", "--city", "Германия/Берлин",
                             "--historic-zones", "--ini", folder.Ini(), "--until",
                             "2021-10-31T03:00", "--step", "hour"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  for (const char* moment : {"31.10.2021 01:00:00 local, 30.10.2021 23:00:00 UT",
                             "31.10.2021 02:00:00 local, 31.10.2021 00:00:00 UT",
                             "31.10.2021 02:00:00 local, 31.10.2021 01:00:00 UT",
                             "31.10.2021 03:00:00 local, 31.10.2021 02:00:00 UT"})
    EXPECT_NE(run.Out.find(moment), std::string::npos) << moment << "\n" << run.Out;
  EXPECT_NE(run.Out.find("Chart 0005"), std::string::npos);
  EXPECT_EQ(run.Out.find("Chart 0006"), std::string::npos);
}

TEST(ChartProgram, ASeriesLongerThanAllowedIsRefusedBeforeWritingAnything) {
  const TTestFolder folder("series-limit");
  const std::string out = folder.Path("out");
  const auto series = [&](const char* until, const char* step, std::vector<std::string> more) {
    std::vector<std::string> args = {"--date",  "2005-01-05", "--time",     "00:00", "--zone",
                                     "3",       "--ini",      folder.Ini(), "--out", out,
                                     "--until", until,        "--step",     step};
    args.insert(args.end(), more.begin(), more.end());
    return RunChart(args);
  };
  const TRun week = series("2005-01-11", "minute", {}); // 10 080 charts
  EXPECT_EQ(week.Status, 2);
  EXPECT_NE(week.Err.find("10080 charts would write 40320 files"), std::string::npos) << week.Err;
  const TRun day = series("2005-01-05", "hour", {"--max-steps", "23"});
  EXPECT_EQ(day.Status, 2);
  EXPECT_NE(day.Err.find("--max-steps 24"), std::string::npos) << day.Err;
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(out)));
  EXPECT_EQ(series("2005-01-05", "day", {"--max-steps", "0"}).Status, 2);
  // The configuration file's folder holds the Tree's mask as tree.jpg: not an output folder.
  QFile::copy(QString(ASTRAVIA_RUN_DIR) + "/tree.jpg",
              QString::fromStdString(folder.Path("tree.jpg")));
  const std::string ini = folder.Ini("own.ini", {{"TreeImage", "./tree.jpg"}});
  const TRun over =
      RunChart({"--date", "2005-01-05", "--zone", "3", "--ini", ini, "--out", folder.Path("")});
  EXPECT_EQ(over.Status, 2);
  EXPECT_NE(over.Err.find("tree.jpg\" is a file the program reads"), std::string::npos) << over.Err;
  EXPECT_EQ(series("2005-01-06", "day", {"--max-steps", "2"}).Status, 0);
}

TEST(ChartProgram, PngJsonAndSeedReproduceTheChartExactly) {
  const TTestFolder folder("png-json");
  auto run = [&](const std::string& out) {
    return RunChart({"--date", "2005-01-05", "--time", "12:00", "--zone", "7", "--ini",
                     folder.Ini(), "--out", folder.Path(out), "--png", "--json", "--seed",
                     "43201000"});
  };
  const TRun first = run("a"), second = run("b");
  ASSERT_EQ(first.Status, 0) << first.Err;
  EXPECT_EQ(first.Out, second.Out);
  const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(first.Out));
  ASSERT_TRUE(json.isObject()) << first.Out;
  EXPECT_EQ(std::count(first.Out.begin(), first.Out.end(), '\n'), 1);
  EXPECT_EQ(json["moment"]["local"].toString(), "2005-01-05T12:00:00");
  EXPECT_EQ(json["moment"]["ut"].toString(), "2005-01-05T05:00:00");
  EXPECT_EQ(json["moment"]["offset_minutes"].toInt(), 420);
  EXPECT_TRUE(json["moment"]["zone"].isNull()); // whole hours, no zone by date
  EXPECT_TRUE(json["place"].isNull());
  EXPECT_EQ(json["bodies"].toArray().size(), 10);
  EXPECT_EQ(json["bodies"][0]["sign_name"].toString(), "Козерог");
  EXPECT_EQ(json["tarot"].toArray().size(), 22);
  EXPECT_TRUE(json["almanac"].isNull()); // no place, no Sun and Moon times
  ASSERT_EQ(json["dignities"].toArray().size(), 10);
  EXPECT_EQ(json["dignities"][6]["dignity"].toString(), "изгнание"); // Saturn in Cancer
  EXPECT_TRUE(json["dignities"][0]["dignity"].isNull());
  EXPECT_EQ(json["dignity_total"].toInt(), -14);
  EXPECT_EQ(json["aspects_omitted"], QJsonValue(0));
  // Without a place the sect is the clock's; Jupiter at Libra 18° holds his own term.
  EXPECT_EQ(json["dignity_totals"]["sect_from"].toString(), "clock");
  EXPECT_EQ(json["dignities"][5]["term"].toInt(), 6);
  EXPECT_EQ(json["dignities"][5]["essential_points"].toInt(), 2);
  EXPECT_TRUE(json["dignities"][5]["accidental_points"].isNull());
  // Without --out no widget is made, and the spread laid without its frame is the same.
  const TRun bare = RunChart({"--date", "2005-01-05", "--time", "12:00", "--zone", "7", "--ini",
                              folder.Ini(), "--json", "--seed", "43201000"});
  ASSERT_EQ(bare.Status, 0) << bare.Err;
  EXPECT_EQ(bare.Out, first.Out);
  for (const char* name : {"tree.png", "tarot.png", "cosmogram.png"}) {
    const QImage a(QString::fromStdString(folder.Path("a/") + name));
    ASSERT_FALSE(a.isNull()) << name;
    EXPECT_EQ(a, QImage(QString::fromStdString(folder.Path("b/") + name))) << name;
  }
  EXPECT_EQ(QImage(QString::fromStdString(folder.Path("a/cosmogram.png"))).size(), QSize(800, 600));
}

TEST(ChartProgram, WideOrbsKeepTheFortyFiveClosestAndSayHowManyWereLeftOut) {
  const TTestFolder folder("wide-orbs");
  const std::string path = folder.Ini();
  QFile ini(QString::fromStdString(path));
  ASSERT_TRUE(ini.open(QIODevice::ReadWrite));
  QList<QByteArray> lines = ini.readAll().split('\n');
  for (QByteArray& line : lines) // every orb 9, every aspect switched on
    if (line.size() > 4 && line[3] == '=' && QChar(line[0]).isUpper())
      line = line.left(4) + "9\r";
  ini.resize(0);
  ini.write(lines.join('\n'));
  ini.close();
  const auto args = std::vector<std::string>{"--date", "2005-01-05", "--zone", "3", "--ini", path};
  auto withJson = args;
  withJson.push_back("--json");
  const TRun run = RunChart(withJson);
  ASSERT_EQ(run.Status, 0) << run.Err;
  const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(run.Out));
  EXPECT_EQ(json["aspects"].toArray().size(), 45);
  const int omitted = json["aspects_omitted"].toInt();
  EXPECT_GT(omitted, 0);
  EXPECT_NE(RunChart(args).Out.find("Aspects: 45 (the closest to exact; " +
                                    std::to_string(omitted) + " more left out)\n"),
            std::string::npos);
}

TEST(ChartProgram, SmallCoordinatesWestAndSouthKeepTheirSigns) {
  const TTestFolder folder("signs");
  for (const char* city : {"Великобритания/Лондон", "Эквадор/Кито"}) {
    const TRun text = RunChart({"--date", "2005-01-05", "--city", city, "--ini", folder.Ini()});
    ASSERT_EQ(text.Status, 0) << text.Err;
    const TRun run =
        RunChart({"--date", "2005-01-05", "--city", city, "--ini", folder.Ini(), "--json"});
    const QJsonObject place =
        QJsonDocument::fromJson(QByteArray::fromStdString(run.Out))["place"].toObject();
    EXPECT_FALSE(place["own"].toBool());
    if (std::string(city).ends_with("Лондон")) {
      EXPECT_NE(text.Out.find("latitude 51°31’, longitude -0°08’"), std::string::npos) << text.Out;
      EXPECT_NEAR(place["lon"].toDouble(), -8 / 60.0, 1e-6);
      EXPECT_EQ(place["longitude"].toString(), "-0°08’");
    } else {
      EXPECT_NE(text.Out.find("latitude -0°14’, longitude -78°31’"), std::string::npos) << text.Out;
      EXPECT_NEAR(place["lat"].toDouble(), -14 / 60.0, 1e-6);
    }
  }
}

TEST(ChartProgram, HousesAnglesAndPointsWithACity) {
  const TTestFolder folder("houses");
  const TRun run = RunChart({"--date", "2005-01-05", "--city", "Россия/Москва", "--ini",
                             folder.Ini(), "--houses", "koch", "--json"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(run.Out));
  const QJsonValue houses = json["houses"];
  EXPECT_EQ(houses["system"].toString(), "K");
  EXPECT_TRUE(houses["fallback"].isNull());
  ASSERT_EQ(houses["cusps"].toArray().size(), 12);
  EXPECT_EQ(houses["cusps"][0].toDouble(), houses["asc"].toDouble());
  EXPECT_EQ(houses["cusps"][9].toDouble(), houses["mc"].toDouble());
  for (const QJsonValue body : json["bodies"].toArray()) {
    EXPECT_GE(body["house"].toInt(), 1);
    EXPECT_TRUE(body["retrograde"].isBool());
  }
  EXPECT_TRUE(json["bodies"][6]["retrograde"].toBool()); // Saturn, retrograde all January 2005
  EXPECT_EQ(json["points"].toArray().size(), 5) << run.Out;
  EXPECT_TRUE(json["point_aspects"].isArray());

  // Inside the polar circle Placidus has no cusps: Porphyry's, named in the text.
  const TRun polar = RunChart({"--date", "2005-01-05", "--city", "Россия/Норильск", "--ini",
                               folder.Ini(), "--houses", "P"});
  EXPECT_NE(polar.Out.find("Дома Плацидуса на широте 69° не определены; показаны дома Порфирия"),
            std::string::npos)
      << polar.Out;
  EXPECT_EQ(RunChart({"--date", "2005-01-05", "--zone", "3", "--houses", "X"}).Status, 2);
}

TEST(ChartProgram, TheCosmogramShowsHousesByOptionOrAsTheWindowLeftIt) {
  const TTestFolder folder("wheel-houses");
  const std::string ini = folder.Ini();
  auto picture = [&](const std::string& out, const std::vector<std::string>& extra) {
    std::vector<std::string> args = {"--date", "1962-02-04", "--city", "Россия/Москва", "--ini",
                                     ini,      "--png",      "--out",  folder.Path(out)};
    args.insert(args.end(), extra.begin(), extra.end());
    EXPECT_EQ(RunChart(args).Status, 0) << out;
    return QImage(QString::fromStdString(folder.Path(out + "/cosmogram.png")));
  };
  const QImage plain = picture("plain", {});
  const QImage houses = picture("houses", {"--wheel-houses"});
  EXPECT_NE(plain, houses);
  config::TIniFile(ini).WriteString("Options", "CosmogramHouses", "1");
  EXPECT_EQ(picture("ini", {}), houses);
  EXPECT_EQ(picture("off", {"--no-wheel-houses"}), plain);
  EXPECT_EQ(RunChart({"--date", "2005-01-05", "--zone", "3", "--wheel-houses", "--no-wheel-houses"})
                .Status,
            2);
}
