// Reading and resolving a whole North Atlantic message against the sample fix file.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "procedures/routestring.h"
#include "tracks/trackreader.h"

namespace {

using namespace korvant;

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void readMessage(benchmark::State& state, const char* file, const char* extension) {
  FixStore fixes;
  const std::string dat = slurp(KORVANT_SAMPLE_DAT);
  fixes.loadBytes({dat.begin(), dat.end()});
  const std::string message = slurp(std::string(KORVANT_TEST_DATA) + "/tracks/" + file);
  int tracks = 0;
  for (auto _ : state) {
    std::istringstream in(message);
    const TrackModel model = *readTrackMessage(in, extension, TrackStore{fixes});
    tracks = 0;
    for (const std::string& s : model.slotTexts) tracks += !s.empty();
    benchmark::DoNotOptimize(model);
  }
  state.counters["tracks"] = tracks;
  state.counters["bytes"] = static_cast<double>(message.size());
}

// Both directions of one day, 14 tracks, in a saved web page.
void BM_readNatMessageHtml(benchmark::State& state) { readMessage(state, "nat-20160210-qsimplanner.html", ".html"); }
BENCHMARK(BM_readNatMessageHtml)->Unit(benchmark::kMicrosecond);

void BM_readNatMessageText(benchmark::State& state) { readMessage(state, "nat-20151122-qsimplanner.txt", ".txt"); }
BENCHMARK(BM_readNatMessageText)->Unit(benchmark::kMicrosecond);

// A route string with a NAT track in it, against that day's message; and the
// longest string read (every word an unknown name looked up).
void readRoute(benchmark::State& state, const std::string& route) {
  FixStore fixes;
  const std::string dat = slurp(KORVANT_SAMPLE_DAT);
  fixes.loadBytes({dat.begin(), dat.end()});
  std::istringstream in(slurp(std::string(KORVANT_TEST_DATA) + "/tracks/nat-20160210-qsimplanner.html"));
  const TrackSets tracks(*readTrackMessage(in, ".html", TrackStore{fixes}));
  std::size_t points = 0;
  for (auto _ : state) {
    const RouteStringRead read = readRouteString(route, tracks, fixes);
    points = read.points.size();
    benchmark::DoNotOptimize(read);
  }
  state.counters["points"] = static_cast<double>(points);
}

void BM_readRouteString(benchmark::State& state) {
  readRoute(state, "KJFK/31L N0480F350 DCT MERIT HFD PUT BOS KANNI DCT NICSO NATS LIMRI DCT GISTI UL9 EGLL");
}
BENCHMARK(BM_readRouteString)->Unit(benchmark::kMicrosecond);

void BM_readLongestRouteString(benchmark::State& state) {
  std::string route;
  for (std::size_t i = 0; i < ROUTE_STRING_WORDS; ++i) route += "ZZQ" + std::to_string(i % 100) + "X ";
  readRoute(state, route);
}
BENCHMARK(BM_readLongestRouteString)->Unit(benchmark::kMicrosecond);

}  // namespace
