// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's hottest paths over the shipped runtime folder: one full refresh
// (planet table and every existing view) and one animation tick end to end.
#include "Application.h"
#include "ChartSheet.h"
#include "DateTime.h"
#include "MainForm.h"
#include "PositionFrame.h"
#include "ScriptedPrompts.h"
#include "SunMoonPanels.h"

#include <QBuffer>
#include <QCheckBox>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<TForm1> MakeForm() {
  const QString run = ASTRAVIA_RUN_DIR;
  return std::make_unique<TForm1>(TFormPaths{run, (run + "/base/efemerid.efm").toStdString()});
}

void BM_PlanetPosition1Change(benchmark::State& state) {
  TScriptedPrompts prompts;
  auto form = MakeForm();
  for (auto _ : state) {
    form->PlanetPosition1Change();
  }
  state.counters["aspects"] = form->PlanetPosition1()->Aspects().Count;
}
BENCHMARK(BM_PlanetPosition1Change)->Unit(benchmark::kMicrosecond);

void BM_AnimationTick(benchmark::State& state) {
  TScriptedPrompts prompts;
  auto form = MakeForm();
  form->findChild<QCheckBox*>("CheckBox1")->setChecked(true);
  for (auto _ : state) {
    form->Timer1Timer(); // one minute forward: positions, aspects, table, views
  }
  form->findChild<QCheckBox*>("CheckBox1")->setChecked(false);
}
BENCHMARK(BM_AnimationTick)->Unit(benchmark::kMicrosecond);

// The same tick with transits shown around the chart: the second chart's moment moves, the
// chart, the transits, their cross aspects, the table and every view (the bi-wheel) follow.
void BM_AnimationTickWithTransits(benchmark::State& state) {
  TScriptedPrompts prompts;
  auto form = MakeForm();
  form->SecondKindClick(astro::TSecondKind::Transit);
  form->findChild<QCheckBox*>("CheckBox1")->setChecked(true);
  for (auto _ : state) {
    form->Timer1Timer();
  }
  form->findChild<QCheckBox*>("CheckBox1")->setChecked(false);
  state.counters["cross_aspects"] = double(form->CrossAspects().size());
  form->SecondKindClick(astro::TSecondKind::None); // the runtime folder's file keeps no choice
}
BENCHMARK(BM_AnimationTickWithTransits)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_CreateTree(benchmark::State& state) {
  TScriptedPrompts prompts;
  auto form = MakeForm();
  for (auto _ : state) {
    form->CreateTree();
  }
}
BENCHMARK(BM_CreateTree)->Unit(benchmark::kMicrosecond);

// One refresh through the position frame, alternating between two moments: within one local
// day the Sun and Moon panels keep what they show; across midnight they are recomputed.
void RefreshBetween(benchmark::State& state, astro::TDateTime first, astro::TDateTime second) {
  TScriptedPrompts prompts;
  auto form = MakeForm();
  TPositionFrame* frame = form->PositionFrame1();
  frame->SetDateTime(first);
  const int before = form->SunMoonPanels().ComputeCount();
  bool atFirst = true;
  for (auto _ : state) {
    frame->SetDateTime(atFirst ? second : first);
    atFirst = !atFirst;
  }
  state.counters["almanacs_per_refresh"] =
      double(form->SunMoonPanels().ComputeCount() - before) / double(state.iterations());
}

void BM_RefreshWithinTheDay(benchmark::State& state) {
  const astro::TDateTime day = astro::EncodeDate(2026, 12, 9);
  RefreshBetween(state, day + astro::EncodeTime(12, 0, 0), day + astro::EncodeTime(12, 1, 0));
}
BENCHMARK(BM_RefreshWithinTheDay)->Unit(benchmark::kMicrosecond);

void BM_RefreshAcrossMidnight(benchmark::State& state) {
  const astro::TDateTime day = astro::EncodeDate(2026, 12, 9);
  RefreshBetween(state, day + astro::EncodeTime(23, 59, 0), day + 1);
}
BENCHMARK(BM_RefreshAcrossMidnight)->Unit(benchmark::kMicrosecond);

// The chart sheet of the shown chart, from the running window to a PDF in memory: the chart
// value with houses and points, the almanac, the drawing and the font subsets.
void BM_ChartSheetPdf(benchmark::State& state) {
  TScriptedPrompts prompts;
  auto form = MakeForm();
  qint64 bytes = 0;
  for (auto _ : state) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    WriteSheetPdf(pdf, {form->CurrentSheet()});
    bytes = pdf.size();
  }
  state.counters["pdf_bytes"] = double(bytes);
}
BENCHMARK(BM_ChartSheetPdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TAstraviaApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
