// SPDX-License-Identifier: GPL-3.0-or-later
// One cosmogram redraw (done three times per chart change) and one laying of the tarot spread,
// on the shipped pictures and a chart of 30 aspects.
#include "FontStream.h"
#include "KosmoImage.h"
#include "ScriptedPrompts.h"
#include "TaroImage.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "astravia_views_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

const QString Ini = ASTRAVIA_RUN_DIR "/quellantree.ini";

// Thirty aspects over every pair of bodies, trines and squares in turn.
astro::TAspectList Aspects() {
  astro::TAspectList list;
  for (int a = 1; a <= 9; ++a)
    for (int b = a + 1; b <= 10 && list.Count < 30; ++b)
      list.Items[list.Count++] = {a, list.Count % 2 ? 12 : 10, b};
  return list;
}

void BM_KosmoDrawChart(benchmark::State& state) {
  App();
  TScriptedPrompts prompts;
  LoadSymbolFont(ASTRAVIA_RUN_DIR "/font.fnt");
  TKosmoFrame* frame = CreateKosmoFrame(nullptr, nullptr, Ini);
  frame->Longitudes = {285.1, 44.3, 268.0, 262.4, 248.8, 196.7, 113.2, 335.1, 314.0, 262.9};
  frame->Aspects = Aspects();
  frame->Moment = 38357.5;
  for (auto _ : state)
    frame->DrawChart();
  delete frame;
}
BENCHMARK(BM_KosmoDrawChart)->Unit(benchmark::kMicrosecond);

void BM_TaroSetAspects(benchmark::State& state) {
  App();
  TScriptedPrompts prompts;
  TTaroFrame* frame = CreateTaroFrame(nullptr, nullptr, Ini);
  const astro::TAspectList list = Aspects();
  for (auto _ : state)
    frame->SetAspects(list);
  delete frame;
}
BENCHMARK(BM_TaroSetAspects)->Unit(benchmark::kMicrosecond);

} // namespace
