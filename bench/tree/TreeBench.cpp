// SPDX-License-Identifier: GPL-3.0-or-later
// One full redraw of the tree view (letters, 45 routes with their legend, date box) and the
// JPEG encoding of its 553 x 800 picture.
#include "FontStream.h"
#include "Jpeg.h"
#include "ScriptedPrompts.h"
#include "TreeImage.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "astravia_tree_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// A full list of 45 aspects, one per pair, with varied kinds; `shift` changes the kinds.
astro::TAspectList FullList(int shift) {
  astro::TAspectList list;
  for (int a = 1; a <= 9; ++a) {
    for (int b = a + 1; b <= 10; ++b) {
      list.Items[list.Count] = {a, (list.Count + shift) % 18 + 1, b};
      ++list.Count;
    }
  }
  return list;
}

TImageFrame& Frame() {
  static TScriptedPrompts* prompts = new TScriptedPrompts;
  static TImageFrame* frame = [] {
    App();
    LoadSymbolFont(QStringLiteral(ASTRAVIA_RUN_DIR "/font.fnt"));
    auto* f = new TImageFrame(nullptr);
    f->LoadFiles(QStringLiteral(ASTRAVIA_RUN_DIR "/quellantree.ini"));
    return f;
  }();
  (void)prompts;
  return *frame;
}

void BM_ShowFullChart(benchmark::State& state) {
  TImageFrame& frame = Frame();
  if (frame.Picture().isNull()) {
    state.SkipWithError("no mask picture in the runtime folder");
    return;
  }
  const astro::TAspectList lists[2] = {FullList(0), FullList(5)};
  astro::TLongitudes longitudes{};
  int step = 0;
  for (auto _ : state) {
    for (int b = 0; b < 10; ++b) {
      longitudes[b] = (step * 7 + b * 33) % 360;
    }
    frame.ShowPlanets(longitudes);
    frame.ShowAspects(lists[step & 1]);
    frame.ShowMoment(38357.5 + step / 1440.0);
    ++step;
  }
}
BENCHMARK(BM_ShowFullChart)->Unit(benchmark::kMicrosecond);

void BM_EncodeTreePicture(benchmark::State& state) {
  TImageFrame& frame = Frame();
  if (frame.Picture().isNull()) {
    state.SkipWithError("no mask picture in the runtime folder");
    return;
  }
  frame.ShowAspects(FullList(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(EncodeJpeg(frame.Picture()));
  }
}
BENCHMARK(BM_EncodeTreePicture)->Unit(benchmark::kMillisecond);

void BM_DecodeTreeMask(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(LoadJpeg(QStringLiteral(ASTRAVIA_RUN_DIR "/tree.jpg")));
  }
}
BENCHMARK(BM_DecodeTreeMask)->Unit(benchmark::kMillisecond);

} // namespace
