// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's second chart run as a user runs it: a transit is the sky of its own moment at
// the natal place, a solar return brings the Sun back to its natal degree, a synastry is the
// stored chart itself; cross aspects agree with their own longitudes; mistakes are refused.
#include "ChartProgram.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <gtest/gtest.h>

using namespace companion_test;

namespace {

const std::vector<std::string> kNatal = {"--date", "1985-03-14",    "--time", "04:30",
                                         "--city", "Россия/Москва", "--json"};

QJsonObject Json(const std::vector<std::string>& extra, const TTestFolder& folder) {
  std::vector<std::string> args = kNatal;
  args.insert(args.end(), extra.begin(), extra.end());
  args.insert(args.end(), {"--ini", folder.Ini()});
  const TRun run = RunChart(args);
  EXPECT_EQ(run.Status, 0) << run.Err;
  return QJsonDocument::fromJson(QByteArray::fromStdString(run.Out)).object();
}

double Longitude(const QJsonObject& chart, int body) {
  return chart["bodies"].toArray()[body - 1].toObject()["longitude"].toDouble();
}

} // namespace

TEST(ChartSecondProgram, TransitsReturnsAndSynastryAroundTheNatalChart) {
  const TTestFolder folder("second-chart");
  const QJsonObject natal = Json({}, folder);
  EXPECT_TRUE(natal["second"].isNull());

  // The transit is the plain chart of its own moment at the natal place.
  const QJsonObject transit = Json({"--transit", "2025-06-01", "--transit-time", "10:00"}, folder);
  const QJsonObject second = transit["second"].toObject();
  EXPECT_EQ(transit["bodies"], natal["bodies"]);
  EXPECT_EQ(second["kind"].toString(), "transit");
  EXPECT_EQ(second["moment"].toObject()["local"].toString(), "2025-06-01T10:00:00");
  const TRun sky = RunChart({"--date", "2025-06-01", "--time", "10:00", "--city", "Россия/Москва",
                             "--json", "--ini", folder.Ini()});
  const QJsonObject skyChart = QJsonDocument::fromJson(QByteArray::fromStdString(sky.Out)).object();
  for (int b = 1; b <= 10; ++b)
    EXPECT_DOUBLE_EQ(Longitude(second, b), Longitude(skyChart, b)) << b;
  EXPECT_EQ(second["houses"].toObject()["asc"], skyChart["houses"].toObject()["asc"]);

  // Every cross aspect between bodies has the orb its two longitudes give; sorted by orb.
  const QJsonArray cross = transit["cross_aspects"].toArray();
  ASSERT_FALSE(cross.isEmpty());
  const double angles[] = {0,  0,      30,  36,  40,  45,  51.43,  60,  72, 80,
                           90, 102.86, 120, 135, 144, 150, 154.29, 160, 180};
  double last = 0;
  for (const QJsonValue& value : cross) {
    const QJsonObject item = value.toObject();
    EXPECT_GE(item["orb"].toDouble(), last);
    last = item["orb"].toDouble();
    if (!item["second"].isDouble() || !item["natal"].isDouble())
      continue;
    const double d = std::fabs(std::remainder(
        Longitude(second, item["second"].toInt()) - Longitude(natal, item["natal"].toInt()), 360));
    EXPECT_NEAR(std::fabs(d - angles[item["aspect"].toInt()]), item["orb"].toDouble(), 0.006);
  }

  // The solar return: the Sun back on its natal degree, in the year asked for.
  const QJsonObject solar = Json({"--solar-return", "2020"}, folder)["second"].toObject();
  EXPECT_EQ(solar["kind"].toString(), "solar_return");
  EXPECT_TRUE(solar["moment"].toObject()["ut"].toString().startsWith("2020-03-1"));
  EXPECT_NEAR(Longitude(solar, 1), Longitude(natal, 1), 0.01);

  // A synastry is the stored chart, computed as the archive keeps it.
  const std::string archive = folder.Path("charts.sqlite");
  ASSERT_EQ(RunChart({"--date", "1990-07-20", "--time", "18:15", "--city", "Россия/Новосибирск",
                      "--ini", folder.Ini(), "--archive", archive, "--save-chart", "Анна"})
                .Status,
            0);
  const QJsonObject partner =
      Json({"--with-chart", "Анна", "--archive", archive}, folder)["second"].toObject();
  EXPECT_EQ(partner["name"].toString(), "Анна");
  const TRun anna =
      RunChart({"--chart", "Анна", "--archive", archive, "--json", "--ini", folder.Ini()});
  const QJsonObject stored = QJsonDocument::fromJson(QByteArray::fromStdString(anna.Out)).object();
  EXPECT_EQ(partner["bodies"], stored["bodies"]);
  EXPECT_EQ(partner["place"], stored["place"]);
  // With pictures too: the report and the bi-wheel are written.
  const std::string out = folder.Path("synastry-out");
  std::vector<std::string> args = kNatal;
  args.insert(args.end(),
              {"--with-chart", "Анна", "--archive", archive, "--ini", folder.Ini(), "--out", out});
  const TRun pictures = RunChart(args);
  EXPECT_EQ(pictures.Status, 0) << pictures.Err;
  EXPECT_TRUE(QFileInfo(QString::fromStdString(out + "/report.txt")).isFile());
  EXPECT_TRUE(QFileInfo(QString::fromStdString(out + "/cosmogram.jpg")).isFile());

  // Two second charts at once, a year that is no year, a chart the archive has not: status 2.
  for (const auto& wrong : std::vector<std::vector<std::string>>{
           {"--transit", "2025-06-01", "--progressed", "2025-06-01"},
           {"--solar-return", "20x0"},
           {"--transit-time", "10:00"},
           {"--with-chart", "Нет такой", "--archive", archive}}) {
    std::vector<std::string> args = kNatal;
    args.insert(args.end(), wrong.begin(), wrong.end());
    args.insert(args.end(), {"--ini", folder.Ini()});
    const TRun run = RunChart(args);
    EXPECT_EQ(run.Status, 2) << wrong[0];
    EXPECT_FALSE(run.Err.empty());
  }
}
