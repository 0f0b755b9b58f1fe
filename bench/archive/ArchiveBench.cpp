// SPDX-License-Identifier: GPL-3.0-or-later
// The open dialog over an archive of 10 000 charts: opening it (read, sort, first paint) and
// one keystroke in its filter box (narrowing and repainting the list). A pause becomes visible
// at about 100 ms; the figures are to be read against that.
#include "ChartArchive.h"
#include "DateTime.h"
#include "OpenChartDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kCharts = 10000;

const char* const kFirstNames[] = {"Иван",  "Мария",  "Пётр",  "Анна",    "Олег",
                                   "Елена", "Сергей", "Ольга", "Дмитрий", "Наталья"};
const char* const kCities[] = {"Москва", "Новосибирск", "Омск", "Казань", "Самара"};

// One archive for every benchmark, written once in a single transaction.
const QString& ArchivePath() {
  static QTemporaryDir dir;
  static const QString path = [] {
    const QString file = dir.filePath("charts.sqlite");
    std::vector<archive::TStoredChart> charts;
    for (int i = 0; i < kCharts; ++i) {
      archive::TStoredChart chart;
      chart.Name = QString("%1 %2 %3").arg(kFirstNames[i % 10]).arg(i * 7919 % kCharts).arg(i);
      chart.Note = i % 3 ? QString() : QString("консультация %1").arg(i);
      chart.Local = astro::EncodeDate(1950 + i % 70, 1 + i % 12, 1 + i % 28) + (i % 1440) / 1440.0;
      chart.Country = "Россия";
      chart.City = kCities[i % 5];
      chart.Zone = 3 + i % 5;
      charts.push_back(chart);
    }
    archive::TChartArchive(file).Save(charts);
    return file;
  }();
  return path;
}

void BM_OpenDialog(benchmark::State& state) {
  const QString& path = ArchivePath();
  for (auto _ : state) {
    archive::TChartArchive store(path);
    TOpenChartDialog dialog(store);
    dialog.show();
    dialog.findChild<QTableView*>("ChartList")->viewport()->repaint();
    benchmark::DoNotOptimize(dialog.ShownCount());
  }
  state.counters["charts"] = kCharts;
}
BENCHMARK(BM_OpenDialog)->Unit(benchmark::kMillisecond);

// The parts of opening: reading the file, then sorting by name.
void BM_ReadArchive(benchmark::State& state) {
  for (auto _ : state) {
    archive::TChartArchive store(ArchivePath());
    benchmark::DoNotOptimize(store.List());
  }
}
BENCHMARK(BM_ReadArchive)->Unit(benchmark::kMillisecond);

void BM_SortByName(benchmark::State& state) {
  const std::vector<archive::TStoredChart> charts = archive::TChartArchive(ArchivePath()).List();
  for (auto _ : state) {
    std::vector<archive::TStoredChart> sorted = charts;
    archive::SortByName(sorted);
    benchmark::DoNotOptimize(sorted);
  }
}
BENCHMARK(BM_SortByName)->Unit(benchmark::kMillisecond);

// One key in the filter box after Typed: Key typed, then taken back with Backspace, and so on.
void BM_FilterKeystroke(benchmark::State& state, const char* typed, const char* key) {
  archive::TChartArchive store(ArchivePath());
  TOpenChartDialog dialog(store);
  dialog.show();
  auto* filter = dialog.findChild<QLineEdit*>("Filter");
  auto* list = dialog.findChild<QTableView*>("ChartList");
  filter->setText(QString::fromUtf8(typed));
  bool keyed = false;
  for (auto _ : state) {
    // What the line edit does with a typed key (the test keyboard knows only ASCII keys).
    if (keyed)
      filter->backspace();
    else
      filter->insert(QString::fromUtf8(key));
    keyed = !keyed;
    list->viewport()->repaint();
  }
  state.counters["shown"] = dialog.ShownCount();
}
// A name's letters: a few hundred rows stay.
BENCHMARK_CAPTURE(BM_FilterKeystroke, narrowing, "Ива", "н")->Unit(benchmark::kMillisecond);
// The widest step: all 10 000 rows to those holding "о" and back.
BENCHMARK_CAPTURE(BM_FilterKeystroke, from_empty, "", "о")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
