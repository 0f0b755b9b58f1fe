// SPDX-License-Identifier: GPL-3.0-or-later
// The open dialog over an archive of 10 000 charts (and its filter over 100 000): opening it (read,
// sort, first paint) and one keystroke in its filter box (narrowing and repainting the list). A
// pause becomes visible at about 100 ms; the figures are to be read against that.
#include "ChartArchive.h"
#include "ChartCollection.h"
#include "DateTime.h"
#include "OpenChartDialog.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

constexpr int kCharts = 10000;
constexpr int kManyCharts = 100000;

const char* const kFirstNames[] = {"Иван",  "Мария",  "Пётр",  "Анна",    "Олег",
                                   "Елена", "Сергей", "Ольга", "Дмитрий", "Наталья"};
const char* const kCities[] = {"Москва", "Новосибирск", "Омск", "Казань", "Самара"};

std::vector<archive::TStoredChart> MadeCharts(int count) {
  std::vector<archive::TStoredChart> charts;
  for (int i = 0; i < count; ++i) {
    archive::TStoredChart chart;
    chart.Name = QString("%1 %2 %3").arg(kFirstNames[i % 10]).arg(i * 7919 % count).arg(i);
    chart.Note = i % 3 ? QString() : QString("консультация %1").arg(i);
    chart.Local = astro::EncodeDate(1950 + i % 70, 1 + i % 12, 1 + i % 28) + (i % 1440) / 1440.0;
    chart.Country = "Россия";
    chart.City = kCities[i % 5];
    chart.Zone = 3 + i % 5;
    chart.LatitudeDeg = 40 + i % 30;
    chart.LongitudeMin = i % 60;
    charts.push_back(chart);
  }
  return charts;
}

QTemporaryDir& Folder() {
  static QTemporaryDir dir;
  return dir;
}

// One archive of each size for every benchmark, written once in a single transaction.
QString ArchivePath(int count = kCharts) {
  static std::map<int, QString> paths;
  QString& path = paths[count];
  if (path.isEmpty()) {
    path = Folder().filePath(QString("charts-%1.sqlite").arg(count));
    archive::TChartArchive(path).Save(MadeCharts(count));
  }
  return path;
}

void BM_OpenDialog(benchmark::State& state) {
  const QString path = ArchivePath();
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
void BM_FilterKeystroke(benchmark::State& state, const char* typed, const char* key,
                        int charts = kCharts) {
  archive::TChartArchive store(ArchivePath(charts));
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
// The same over 100 000 charts: a key must show within 50 ms.
BENCHMARK_CAPTURE(BM_FilterKeystroke, narrowing_100k, "Ива", "н", kManyCharts)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterKeystroke, from_empty_100k, "", "о", kManyCharts)
    ->Unit(benchmark::kMillisecond);

// 100 000 charts written to a collection file and read into an empty archive (one transaction).
void BM_ExportCollection(benchmark::State& state, archive::TCollectionFormat format) {
  const std::vector<archive::TStoredChart> charts = MadeCharts(kManyCharts);
  const QString file = Folder().filePath("export");
  for (auto _ : state)
    archive::ExportCollection(file, format, charts, nullptr);
}
BENCHMARK_CAPTURE(BM_ExportCollection, aaf, archive::TCollectionFormat::Aaf)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportCollection, csv, archive::TCollectionFormat::Csv)
    ->Unit(benchmark::kMillisecond);

void BM_ImportCollection(benchmark::State& state, archive::TCollectionFormat format) {
  const QString file = Folder().filePath("import");
  archive::ExportCollection(file, format, MadeCharts(kManyCharts), nullptr);
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const QString target = Folder().filePath(QString("import-%1.sqlite").arg(round++));
    state.ResumeTiming();
    archive::TChartArchive store(target);
    benchmark::DoNotOptimize(archive::ImportCollection(file, store, nullptr).Imported);
    state.PauseTiming();
    QFile::remove(target);
    state.ResumeTiming();
  }
}
BENCHMARK_CAPTURE(BM_ImportCollection, aaf, archive::TCollectionFormat::Aaf)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ImportCollection, csv, archive::TCollectionFormat::Csv)
    ->Unit(benchmark::kMillisecond);

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
