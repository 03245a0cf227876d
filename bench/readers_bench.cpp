// The readers of large user files at their limits: time, and the peak of the
// heap while one file is read against the file's size (budget 4).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <random>
#include <string>

#include "navdata/dafifrecords.h"
#include "navdata/fixstore.h"
#include "navdata/xpnavdata.h"
#include "procedures/procedurefile.h"
#include "procedures/routestring.h"
#include "procedures/useroverlayfile.h"
#include "worldnavset.h"

namespace {

// Every allocation of the program counted, so that a reader's peak is known.
std::atomic<long long> gInUse{0}, gPeak{0};

void noteAllocated(std::size_t size) {
  const long long now = gInUse += static_cast<long long>(size);
  long long peak = gPeak.load();
  while (now > peak && !gPeak.compare_exchange_weak(peak, now)) {
  }
}

}  // namespace

void* operator new(std::size_t size) {
  void* p = std::malloc(size + 16);
  if (!p) throw std::bad_alloc();
  *static_cast<std::size_t*>(p) = size;
  noteAllocated(size);
  return static_cast<char*>(p) + 16;
}
// The block came from malloc in operator new above.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
  if (!p) return;
  char* base = static_cast<char*>(p) - 16;
  gInUse -= static_cast<long long>(*reinterpret_cast<std::size_t*>(base));
  std::free(base);
}
#pragma GCC diagnostic pop
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }

namespace {

// Runs `read` over `text` and reports the heap's peak above where it started
// as a multiple of the text's size.
template <typename Read>
void measure(benchmark::State& state, const std::string& text, Read read) {
  double ratio = 0;
  for (auto _ : state) {
    const long long before = gInUse.load();
    gPeak = before;
    auto result = read(text);
    benchmark::DoNotOptimize(result);
    ratio = static_cast<double>(gPeak.load() - before) / static_cast<double>(text.size());
  }
  state.counters["fileMB"] = static_cast<double>(text.size()) / (1 << 20);
  state.counters["peakPerByte"] = ratio;
  state.SetBytesProcessed(static_cast<long long>(state.iterations() * text.size()));
}

std::string hemisphere(char plus, char minus, int value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%c%0*d30.00", value >= 0 ? plus : minus, digits, std::abs(value));
  return text;
}

const std::string& ortcaFile() {
  static const std::string text = [] {
    std::mt19937 random(7);
    std::string t = "QUADRANGLE_SIZE 1\n";
    while (t.size() < (64u << 20) - 64)
      t += hemisphere('N', 'S', static_cast<int>(random() % 179) - 89, 2) + " " +
           hemisphere('E', 'W', static_cast<int>(random() % 359) - 179, 3) + " " + std::to_string(random() % 200) +
           "\n";
    return t;
  }();
  return text;
}

const std::string& waypointFile() {
  static const std::string text = [] {
    std::mt19937 random(11);
    std::string t;
    while (t.size() < (64u << 20) - 128) {
      std::string name;
      for (int i = 0; i < 5; ++i) name += static_cast<char>('A' + random() % 26);
      t += name + " " + hemisphere('N', 'S', static_cast<int>(random() % 179) - 89, 2) + " " +
           hemisphere('E', 'W', static_cast<int>(random() % 359) - 179, 3) + " N ICAO R X Y Z\n";
    }
    return t;
  }();
  return text;
}

const std::string& overlayFile() {
  static const std::string text = [] {
    std::string t;
    for (int i = 0; t.size() < (16u << 20) - 64; ++i)
      t += i % 3 == 0 ? "LINE 5030N 5130N\n" : i % 3 == 1 ? "TEXT 5030N OVERLAY\n" : "COLOR 255 0 0\n";
    return t;
  }();
  return text;
}

const std::string& procedureFile() {
  static const std::string text = [] {
    std::string t;
    korvant::ProcedureRecord r{};
    while (t.size() + korvant::PROCEDURE_RECORD_BYTES <= korvant::PROCEDURE_FILE_LIMIT) {
      unsigned char bytes[korvant::PROCEDURE_RECORD_BYTES];
      korvant::encodeProcedureRecord(r, bytes);
      t.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
    }
    return t;
  }();
  return text;
}

void BM_readOrtcaAtItsLimit(benchmark::State& state) {
  measure(state, ortcaFile(), [](const std::string& t) { return korvant::readDafifOrtca(t); });
}
BENCHMARK(BM_readOrtcaAtItsLimit)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_readDafifWaypointsAtItsLimit(benchmark::State& state) {
  measure(state, waypointFile(), [](const std::string& t) { return korvant::readDafifWaypoints(t); });
}
BENCHMARK(BM_readDafifWaypointsAtItsLimit)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_readUserOverlayAtItsLimit(benchmark::State& state) {
  // As the program holds it: the text once, and where each command stands.
  measure(state, overlayFile(),
          [](const std::string& t) { return korvant::readUserOverlay(std::make_shared<const std::string>(t)); });
}
BENCHMARK(BM_readUserOverlayAtItsLimit)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_readProcedureFileAtItsLimit(benchmark::State& state) {
  measure(state, procedureFile(),
          [](const std::string& t) { return korvant::readProcedureBytes(t, korvant::RouteFileKind::Plain, "X.ARR"); });
}
BENCHMARK(BM_readProcedureFileAtItsLimit)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

namespace {

// An earth_fix.dat of the size a real one has (about 30 MB, 700,000 fixes).
const std::string& xplaneFixFile() {
  static const std::string text = [] {
    std::mt19937 random(13);
    std::string t = "I\n1101 Version - generated for the benchmark, NOT FOR NAVIGATION\n\n";
    char line[96];
    while (t.size() < (30u << 20)) {
      char name[6];
      for (int i = 0; i < 5; ++i) name[i] = static_cast<char>('A' + random() % 26);
      name[5] = '\0';
      std::snprintf(line, sizeof line, " %11.6f %12.6f %s ENRT %c%c 2105430\n",
                    static_cast<double>(random() % 1800000) / 10000 - 90,
                    static_cast<double>(random() % 3600000) / 10000 - 180, name, 'A' + static_cast<char>(random() % 26),
                    'A' + static_cast<char>(random() % 26));
      t += line;
    }
    return t + "99\n";
  }();
  return text;
}

}  // namespace

// Budget: 1.5 s and 150 MB for the whole file.
void BM_readXPlaneFixes30MB(benchmark::State& state) {
  measure(state, xplaneFixFile(), [](const std::string& text) {
    korvant::XpNavData data;
    (void)data.readFixes(text);
    data.finish();
    return data.pointCount();
  });
}
BENCHMARK(BM_readXPlaneFixes30MB)->Unit(benchmark::kMillisecond)->Iterations(2);

// Budget: 1 us a lookup, among 700,000 fixes.
void BM_lookUpXPlaneFixByName(benchmark::State& state) {
  static const korvant::XpNavData data = [] {
    korvant::XpNavData d;
    (void)d.readFixes(xplaneFixFile());
    d.finish();
    return d;
  }();
  std::vector<std::string> names;
  for (std::size_t i = 0; i < data.pointCount(); i += data.pointCount() / 1000)
    names.push_back(data.nameOf(data.points()[i]));
  std::size_t i = 0, found = 0;
  for (auto _ : state) {
    found += data.nearest(names[i++ % names.size()], {5000, -3000}) != nullptr;
    benchmark::DoNotOptimize(found);
  }
  state.counters["fixes"] = static_cast<double>(data.pointCount());
}
BENCHMARK(BM_lookUpXPlaneFixByName);

// Budgets: the 10 MB world set (scale 1) read in 0.3 s and 60 MB, four times
// it (40 MB) in 1 s and 120 MB: the time per iteration, the peak in peakMB.
void BM_readWorldNavData(benchmark::State& state) {
  const korvant::bench::WorldSet& set = korvant::bench::worldSet(static_cast<int>(state.range(0)));
  long long peak = 0;
  for (auto _ : state) {
    const long long before = gInUse.load();
    gPeak = before;
    korvant::XpNavData data;
    (void)data.readFixes(set.fixes, "fix.dat");
    (void)data.readNavaids(set.navaids, "nav.dat");
    (void)data.readAirways(set.airways, "awy.dat");
    data.finish();
    benchmark::DoNotOptimize(data.segments().size());
    peak = gPeak.load() - before;
  }
  state.counters["fileMB"] = static_cast<double>(set.bytes()) / (1 << 20);
  state.counters["peakMB"] = static_cast<double>(peak) / (1 << 20);
}
BENCHMARK(BM_readWorldNavData)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(2);

// The shapes that grew with the square of their size: an older-layout
// airway file alone whose ends are all new points (160,000 segments), and
// 100,000 fixes of one name in one region named by airways of another.
// Budget: each read in under a second, in time linear in the file.
void BM_readOldLayoutAirwaysOfNewEnds(benchmark::State& state) {
  std::string text = "I\n640 Version - made up for the benchmark\n";
  const int segments = static_cast<int>(state.range(0));
  char line[160];
  for (int i = 0; i < segments; ++i) {
    std::snprintf(line, sizeof line, "P%05d %.6f %.6f P%05d %.6f %.6f 2 180 450 J%d\n", i, 40 + (i % 400) * 0.05,
                  -70 + (i / 400) * 0.05, i + 1, 40 + ((i + 1) % 400) * 0.05, -70 + ((i + 1) / 400) * 0.05, i % 97);
    text += line;
  }
  text += "99\n";
  for (auto _ : state) {
    korvant::XpNavData data;
    (void)data.readAirways(text, "awy.dat");
    data.finish();
    benchmark::DoNotOptimize(data.segments().size());
  }
  state.SetComplexityN(segments);
}
BENCHMARK(BM_readOldLayoutAirwaysOfNewEnds)->Arg(40000)->Arg(160000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_readAirwaysAmongManyFixesOfOneName(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  std::string fixes = "I\n1101 Version - made up for the benchmark\n\n", airways = "I\n1100 Version - made up\n";
  char line[160];
  for (int i = 0; i < count; ++i) {
    std::snprintf(line, sizeof line, "  %.6f %.6f SAME ENRT K6 2105430\n", 30 + (i % 300) * 0.1,
                  -100 + (i / 300) * 0.1);
    fixes += line;
    std::snprintf(line, sizeof line, "SAME EG 11 SAME EG 11 N 2 180 450 J%d\n", i % 50);
    airways += line;
  }
  fixes += "  51.0 -1.0 SAME ENRT EG 2105430\n99\n";
  airways += "99\n";
  for (auto _ : state) {
    korvant::XpNavData data;
    (void)data.readFixes(fixes, "fix.dat");
    (void)data.readAirways(airways, "awy.dat");
    data.finish();
    benchmark::DoNotOptimize(data.segments().size());
  }
}
BENCHMARK(BM_readAirwaysAmongManyFixesOfOneName)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// A route string of a thousand words flying a 9,999-segment airway back and
// forth. Budget: a second.
void BM_routeStringAlongALongAirwayBackAndForth(benchmark::State& state) {
  std::string airways = "I\n640 Version - made up for the benchmark\n";
  char line[160];
  for (int i = 0; i < 9999; ++i) {
    std::snprintf(line, sizeof line, "W%04d %.6f %.6f W%04d %.6f %.6f 2 180 450 J9\n", i, 30 + i * 0.002, -60.0, i + 1,
                  30 + (i + 1) * 0.002, -60.0);
    airways += line;
  }
  airways += "99\n";
  korvant::XpNavData data;
  (void)data.readAirways(airways, "awy.dat");
  data.finish();
  korvant::FixStore fixes;
  fixes.setNavData(std::make_shared<const korvant::XpNavData>(std::move(data)));
  std::string route = "W0000";
  for (int i = 0; i < 499; ++i) route += i % 2 ? " J9 W0000" : " J9 W9999";
  for (auto _ : state) {
    const korvant::RouteStringRead read = korvant::readRouteString(route, korvant::TrackModel{}, fixes);
    benchmark::DoNotOptimize(read.points.size());
  }
}
BENCHMARK(BM_routeStringAlongALongAirwayBackAndForth)->Unit(benchmark::kMillisecond)->Iterations(1);
