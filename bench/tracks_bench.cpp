// Reading and resolving a whole North Atlantic message against the sample fix file.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "tracks/trackreader.h"

namespace {

using namespace korvant;

class NullBoxes : public MessageBoxes {
 public:
  void show(std::string_view, std::string_view, MessageIcon) override {}
};

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void readMessage(benchmark::State& state, const char* file, const char* extension) {
  FixStore fixes;
  const std::string dat = slurp(KORVANT_SAMPLE_DAT);
  fixes.loadBytes({dat.begin(), dat.end()});
  NullBoxes boxes;
  const std::string message = slurp(std::string(KORVANT_TEST_DATA) + "/tracks/" + file);
  int tracks = 0;
  for (auto _ : state) {
    std::istringstream in(message);
    TrackModel model;
    readTrackMessage(in, extension, model, {fixes, boxes, false});
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

}  // namespace
