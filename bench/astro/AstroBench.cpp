// SPDX-License-Identifier: GPL-3.0-or-later
// Speed and memory of the chart core on the shipped ephemeris (run folder base/efemerid.efm):
// loading the store, one ComputePositions + FindAspects (all aspects on, the shipped orbs), the
// same ten longitudes from Swiss Ephemeris (Moshier theory) as a peer, and the store's resident
// memory.
#include "DateTime.h"
#include "EfemerisClass.h"
#include "PlanetPosition.h"

#include <swephexp.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

using namespace astro;

namespace {

const std::string kEphemerisPath = std::string(ASTRAVIA_RUN_DIR) + "/base/efemerid.efm";

bool EphemerisPresent() {
  return std::filesystem::exists(kEphemerisPath);
}

const TEfemerisClass& SharedStore() {
  static const TEfemerisClass store(kEphemerisPath);
  return store;
}

// The orbs of the shipped configuration file, every aspect switched on.
void SetRealisticOrbs(TPlanetPosition& model) {
  const char* orbs[kAspectCount + 1] = {"",  "8", "1.5", "1", "1",   "2", "1", "5", "1.5", "1",
                                        "7", "1", "7",   "2", "1.5", "3", "1", "1", "8"};
  for (int a = 1; a <= kAspectCount; ++a) {
    model.SetAspectEnabled(a, true);
    model.SetOrbText(a, orbs[a]);
  }
}

// Moments spread over the range, so lookups do not hit one cached day.
std::vector<TDateTime> Moments() {
  std::vector<TDateTime> moments;
  const TDateTime first = EncodeDate(1850, 3, 7) + 0.37;
  for (int i = 0; i < 4096; ++i)
    moments.push_back(first + i * 31.77);
  return moments;
}

double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

void SwissTenBodies(TDateTime ut, double* out) {
  const double jd = ut + 2415018.5; // TDateTime 0 = JD 2415018.5
  char error[AS_MAXCH];
  double xx[6];
  for (int body = SE_SUN; body <= SE_PLUTO; ++body) {
    swe_calc_ut(jd, body, SEFLG_MOSEPH, xx, error);
    out[body] = xx[0];
  }
}

// Process CPU time in nanoseconds: on a shared machine wall time counts other programs too.
double CpuNanoseconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

// Median over seven rounds of the CPU time per call.
template <class F> double MedianNanoseconds(F&& work, int calls) {
  std::vector<double> samples;
  for (int round = 0; round < 7; ++round) {
    const double start = CpuNanoseconds();
    for (int i = 0; i < calls; ++i)
      work(i);
    samples.push_back((CpuNanoseconds() - start) / calls);
  }
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

// Growth of the resident set by the loaded store, measured once in a fresh process (later
// loads reuse memory the allocator kept, which would hide it). Runs first.
void BM_StoreResidentMemory(benchmark::State& state) {
  if (!EphemerisPresent()) {
    state.SkipWithError("base/efemerid.efm has not been generated");
    return;
  }
  static const double grown = [] {
    const double before = ResidentMegabytes();
    SharedStore();
    return ResidentMegabytes() - before;
  }();
  for (auto _ : state)
    benchmark::DoNotOptimize(SharedStore().LineCount());
  state.counters["resident_MB"] = grown;
}
BENCHMARK(BM_StoreResidentMemory)->Iterations(1);

void BM_LoadShippedEphemeris(benchmark::State& state) {
  if (!EphemerisPresent()) {
    state.SkipWithError("base/efemerid.efm has not been generated");
    return;
  }
  for (auto _ : state) {
    TEfemerisClass store(kEphemerisPath);
    benchmark::DoNotOptimize(store.LineCount());
  }
  state.SetLabel(std::to_string(TEfemerisClass(kEphemerisPath).LineCount()) + " days");
}
BENCHMARK(BM_LoadShippedEphemeris)->Unit(benchmark::kMillisecond);

void BM_ComputePositionsAndAspects(benchmark::State& state) {
  if (!EphemerisPresent()) {
    state.SkipWithError("base/efemerid.efm has not been generated");
    return;
  }
  const TEfemerisClass& store = SharedStore();
  TPlanetPosition model;
  SetRealisticOrbs(model);
  long aspects = 0;
  model.OnChange = [&](TPlanetPosition& m) { aspects += m.Aspects().Count; };
  const std::vector<TDateTime> moments = Moments();
  std::size_t i = 0;
  for (auto _ : state) {
    store.ComputePositions(model, moments[i++ & 4095]);
    benchmark::DoNotOptimize(model.Aspects().Count);
  }
  state.counters["aspects_per_chart"] =
      static_cast<double>(aspects) / static_cast<double>(state.iterations());

  // The peer, measured in the same run on the same moments: ten swe_calc_ut calls.
  double longitudes[10];
  const double ours =
      MedianNanoseconds([&](int k) { store.ComputePositions(model, moments[k & 4095]); }, 20000);
  const double swiss = MedianNanoseconds(
      [&](int k) {
        SwissTenBodies(moments[k & 4095], longitudes);
        benchmark::DoNotOptimize(longitudes[0]);
      },
      2000);
  state.counters["ours_cpu_ns"] = ours;
  state.counters["swe_calc_ut_cpu_ns"] = swiss;
  state.counters["swe_over_ours"] = swiss / ours;
}
BENCHMARK(BM_ComputePositionsAndAspects)->Unit(benchmark::kNanosecond);

void BM_SwissEphemerisTenBodies(benchmark::State& state) {
  const std::vector<TDateTime> moments = Moments();
  double longitudes[10];
  std::size_t i = 0;
  for (auto _ : state) {
    SwissTenBodies(moments[i++ & 4095], longitudes);
    benchmark::DoNotOptimize(longitudes[0]);
  }
}
BENCHMARK(BM_SwissEphemerisTenBodies)->Unit(benchmark::kMicrosecond);

} // namespace
