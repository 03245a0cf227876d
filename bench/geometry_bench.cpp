// The intersection search for a typical oceanic crossing.
#include <benchmark/benchmark.h>

#include "geo/fixgeometry.h"

namespace {

// A track from 50N 50W to 52N 20W crossed by the 30W meridian between 48N and 56N.
void BM_intersectLines(benchmark::State& state) {
  int rounds = 0;
  for (auto _ : state) {
    const korvant::Intersection x = korvant::intersectLines({5000, -5000}, {5200, -2000}, {5600, -3000}, {4800, -3000});
    rounds = x.rounds;
    benchmark::DoNotOptimize(x);
  }
  state.counters["rounds"] = rounds;
}
BENCHMARK(BM_intersectLines)->Unit(benchmark::kMicrosecond);

void BM_courseMeetsArc(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(korvant::courseMeetsArc({5000, -3100}, 95, 0, {5000, -3000}, 10));
}
BENCHMARK(BM_courseMeetsArc);

}  // namespace
