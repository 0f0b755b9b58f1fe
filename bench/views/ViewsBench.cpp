// SPDX-License-Identifier: GPL-3.0-or-later
// One cosmogram redraw (done three times per chart change) and one laying of the tarot spread,
// on the shipped pictures and a chart of 30 aspects.
#include "Chart.h"
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

// Argument 1: with the house display (Moscow's Placidus houses, the points, bodies spread apart).
void BM_KosmoDrawChart(benchmark::State& state) {
  App();
  TScriptedPrompts prompts;
  LoadSymbolFont(ASTRAVIA_RUN_DIR "/font.fnt");
  TKosmoFrame* frame = CreateKosmoFrame(nullptr, nullptr, Ini);
  frame->Longitudes = {285.1, 44.3, 268.0, 262.4, 248.8, 196.7, 113.2, 335.1, 314.0, 262.9};
  frame->Aspects = Aspects();
  frame->Moment = 38357.5;
  const double jd = astro::JulianDayUT(38357.375);
  const astro::THouses houses = astro::ComputeHouses(jd, 55.75, 37.62, 'P');
  frame->SetHouses(houses, astro::ComputePoints(jd, houses, 285.1, 44.3, astro::AsteroidFolder()));
  frame->HousesShown = state.range(0) != 0;
  for (auto _ : state)
    frame->DrawChart();
  delete frame;
}
BENCHMARK(BM_KosmoDrawChart)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

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
