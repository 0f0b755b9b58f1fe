// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the shipped atlas as a user meets it: load the file, fill the country list and the
// city list of the country with the most places (target: under 30 ms in all); and the cost of
// one zone by date.
#include "CityBase.h"
#include "PositionFrame.h"
#include "ZoneOffset.h"

#include <QApplication>
#include <QComboBox>
#include <QMap>
#include <benchmark/benchmark.h>

namespace {

const QString kAtlas = ASTRAVIA_ATLAS;

QString LargestCountry() {
  const TCityBase base(kAtlas);
  QString largest;
  qsizetype most = 0;
  for (const QString& country : base.GetCountryList()) {
    const qsizetype count = base.GetCityList(country).size();
    if (count > most) {
      most = count;
      largest = country;
    }
  }
  return largest;
}

void BM_LoadAtlasAndLists(benchmark::State& state) {
  const QString country = LargestCountry();
  for (auto _ : state) {
    const TCityBase base(kAtlas);
    benchmark::DoNotOptimize(base.GetCountryList());
    benchmark::DoNotOptimize(base.GetCityList(country));
  }
  state.counters["places"] = TCityBase(kAtlas).PlaceCount();
}
BENCHMARK(BM_LoadAtlasAndLists)->Unit(benchmark::kMillisecond);

void BM_LoadAtlas(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(TCityBase(kAtlas).PlaceCount());
}
BENCHMARK(BM_LoadAtlas)->Unit(benchmark::kMillisecond);

// The same through the position frame: its combo boxes filled, the largest country chosen.
void BM_FrameOpensAtlasAndChoosesLargestCountry(benchmark::State& state) {
  const QString country = LargestCountry();
  TPositionFrame frame;
  auto* countries = frame.findChild<QComboBox*>(QStringLiteral("Country"));
  auto* cities = frame.findChild<QComboBox*>(QStringLiteral("City"));
  for (auto _ : state) {
    frame.OpenCityBase(kAtlas);
    countries->setCurrentIndex(countries->findText(country));
    frame.CountrySelect();
  }
  state.counters["cities"] = cities->count();
}
BENCHMARK(BM_FrameOpensAtlasAndChoosesLargestCountry)->Unit(benchmark::kMillisecond);

// One zone by date, as every step of the animation asks for it.
void BM_HistoricOffset(benchmark::State& state) {
  astro::TDateTime moment = 35000.5; // 1995-10-28 12:00, near a change of summer time
  for (auto _ : state) {
    benchmark::DoNotOptimize(HistoricOffset("Europe/Moscow", 37.6, moment));
    moment += 1.0 / 24;
  }
}
BENCHMARK(BM_HistoricOffset)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
