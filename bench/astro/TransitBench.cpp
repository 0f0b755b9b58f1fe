// SPDX-License-Identifier: GPL-3.0-or-later
// The transit search: a year and a century of nine bodies (Moon apart) to ten natal bodies and
// four angles under all eighteen aspects with stations and ingresses; a year with the Moon too.
#include "DateTime.h"
#include "TransitSearch.h"

#include <cmath>

#include <benchmark/benchmark.h>

using namespace astro;
using namespace astro::search;

namespace {

TSearchRequest Request(int Years, bool Moon) {
  const TDateTime from = EncodeDate(2027, 1, 1);
  TSearchRequest request = DefaultRequest(from, EncodeDate(2027 + Years, 1, 1));
  request.Moving[2] = Moon;
  request.Natal = ComputeNatalPoints(JulianDayOf(EncodeDate(1985, 3, 14) + 0.19), 55.75, 37.62,
                                     TNatalChoice{true, false, false});
  // Descendant and IC: the angles' opposite points, as the window offers them.
  request.Natal.push_back(TNatalPoint{"dsc", 0, std::fmod(request.Natal[10].Longitude + 180, 360)});
  request.Natal.push_back(TNatalPoint{"ic", 0, std::fmod(request.Natal[11].Longitude + 180, 360)});
  request.Orbs.fill(1.0);
  return request;
}

void Search(benchmark::State& State, int Years, bool Moon) {
  const TSearchRequest request = Request(Years, Moon);
  std::size_t events = 0;
  for (auto _ : State)
    events = FindEvents(request).Events.size();
  State.counters["events"] = static_cast<double>(events);
}

void BM_TransitsYear(benchmark::State& State) {
  Search(State, 1, false);
}
void BM_TransitsYearWithMoon(benchmark::State& State) {
  Search(State, 1, true);
}
void BM_TransitsCentury(benchmark::State& State) {
  Search(State, 100, false);
}

} // namespace

BENCHMARK(BM_TransitsYear)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_TransitsYearWithMoon)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_TransitsCentury)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
