// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's hottest paths over the shipped runtime folder: one full refresh
// (planet table and every existing view) and one animation tick end to end.
#include "Application.h"
#include "MainForm.h"
#include "ScriptedPrompts.h"

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

void BM_CreateTree(benchmark::State& state) {
  TScriptedPrompts prompts;
  auto form = MakeForm();
  for (auto _ : state) {
    form->CreateTree();
  }
}
BENCHMARK(BM_CreateTree)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TAstraviaApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
