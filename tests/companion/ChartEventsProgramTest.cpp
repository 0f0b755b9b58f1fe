// SPDX-License-Identifier: GPL-3.0-or-later
// astravia-chart --transits and --sky: one JSON event per line, sorted by moment, checked
// against Swiss Ephemeris itself.
#include "ChartProgram.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>
#include <gtest/gtest.h>
#include <swephexp.h>

using namespace companion_test;

namespace {

QList<QJsonObject> Events(const TRun& run) {
  QList<QJsonObject> events;
  for (const QString& line : QString::fromStdString(run.Out).split('\n', Qt::SkipEmptyParts))
    events << QJsonDocument::fromJson(line.toUtf8()).object();
  return events;
}

double JulianDay(const QJsonValue& iso) {
  const QDateTime t = QDateTime::fromString(iso.toString() + "Z", Qt::ISODate);
  return 2440587.5 + t.toSecsSinceEpoch() / 86400.0;
}

double Speed(int body, double jd) {
  double x[6];
  char error[AS_MAXCH];
  swe_calc_ut(jd, body, SEFLG_MOSEPH | SEFLG_SPEED, x, error);
  return x[3];
}

} // namespace

TEST(ChartEvents, TransitsAndSkyAreJsonLinesByMoment) {
  const TTestFolder folder("events");
  const TRun transits =
      RunChart({"--date", "1985-03-14", "--time", "07:30", "--zone", "3", "--ini", folder.Ini(),
                "--transits", "2027-01-01", "2027-01-31", "--json"});
  ASSERT_EQ(transits.Status, 0) << transits.Err;
  const auto events = Events(transits);
  ASSERT_GT(events.size(), 20);
  for (int i = 0; i < events.size(); ++i) {
    const QJsonObject& e = events[i];
    EXPECT_EQ(e.keys().size(), 11);
    EXPECT_LE(events[std::max(i - 1, 0)]["ut"].toString(), e["ut"].toString());
    EXPECT_EQ(QDateTime::fromString(e["ut"].toString(), Qt::ISODate).addSecs(3 * 3600),
              QDateTime::fromString(e["local"].toString(), Qt::ISODate));
    EXPECT_TRUE(e["event"] != "transit" || e["natal"].isDouble());
  }
  // Mercury's turns of 2027: its speed changes sign within an hour of each.
  const TRun sky = RunChart({"--sky", "2027-01-01", "2027-12-31", "--ini", folder.Ini(), "--json"});
  ASSERT_EQ(sky.Status, 0) << sky.Err;
  int stations = 0;
  for (const QJsonObject& e : Events(sky))
    if (e["event"] == "station" && e["body"].toInt() == 3) {
      ++stations;
      const double jd = JulianDay(e["ut"]);
      EXPECT_LT(Speed(SE_MERCURY, jd - 1 / 24.0) * Speed(SE_MERCURY, jd + 1 / 24.0), 0);
    }
  EXPECT_EQ(stations, 6);
  EXPECT_EQ(RunChart({"--sky", "2027-02-01", "2027-01-01"}).Status, 2);
}
