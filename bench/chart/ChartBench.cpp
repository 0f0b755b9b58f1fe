// SPDX-License-Identifier: GPL-3.0-or-later
// Charts per second in a companion series (hourly steps from 2005-01-05 00:00, zone +7) with the
// runtime folder's data: the chart text alone; positions and report.txt; and with tree.jpg too.
// The figure is items_per_second (one item = one chart of the series).
#include "ChartPictures.h"
#include "ChartSession.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "astravia_chart_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

chart::TChartSetup Setup(bool treeFrame) {
  chart::TChartSetup setup;
  setup.IniPath = ASTRAVIA_RUN_DIR "/quellantree.ini";
  setup.EphemerisFile = ASTRAVIA_RUN_DIR "/base/efemerid.efm";
  setup.FontFile = ASTRAVIA_RUN_DIR "/font.fnt";
  setup.City = "Россия/Новосибирск";
  setup.TreeFrame = treeFrame;
  setup.TaroFrame = treeFrame;
  setup.Pictures = treeFrame;
  setup.Views = chart::MakeChartPictures;
  return setup;
}

enum class TOutput { Text, Report, ReportAndPicture };

void Series(benchmark::State& state, TOutput output) {
  App();
  chart::TConsoleMessages messages(stderr);
  chart::TChartSession session(Setup(output != TOutput::Text), messages);
  auto* pictures = dynamic_cast<chart::TChartPictures*>(session.Views());
  QTemporaryDir folder;
  const QString report = QDir(folder.path()).filePath("report.txt");
  const QString picturesFolder = folder.path();
  const chart::TSeconds start = chart::ToSeconds({2005, 1, 5}, {0, 0, 0});
  std::int64_t step = 0;
  std::size_t characters = 0;
  for (auto _ : state) {
    const chart::TChartFacts facts = session.Compute(start + 3600 * (step++ % (24 * 365)));
    characters += chart::ChartText(facts).size();
    if (output != TOutput::Text)
      pictures->SaveReport(report);
    if (output == TOutput::ReportAndPicture) {
      std::vector<std::pair<chart::TView, QString>> files;
      for (chart::TView view : {chart::TView::Tree, chart::TView::Tarot, chart::TView::Cosmogram})
        files.emplace_back(view, QDir(picturesFolder).filePath(chart::ViewFileStem(view)) + ".jpg");
      pictures->SaveImages(files);
    }
  }
  benchmark::DoNotOptimize(characters);
  state.SetItemsProcessed(state.iterations());
}

void BM_SeriesText(benchmark::State& state) {
  Series(state, TOutput::Text);
}
void BM_SeriesPositionsAndReport(benchmark::State& state) {
  Series(state, TOutput::Report);
}
void BM_SeriesWithPictures(benchmark::State& state) {
  Series(state, TOutput::ReportAndPicture);
}

} // namespace

BENCHMARK(BM_SeriesText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SeriesPositionsAndReport)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SeriesWithPictures)->Unit(benchmark::kMillisecond);
