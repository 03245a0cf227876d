// Fix lookup against the shipped sample fix file, and ETOPS along a NAT
// track among its airports.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <GeographicLib/Geodesic.hpp>
#include <algorithm>

#include "flight/etops.h"
#include "geo/geodesicpath.h"
#include "navdata/fixrecords.h"
#include "navdata/fixstore.h"

namespace {

// 26 North Atlantic tracks as today's messages write them.
const char* const kTracks[26] = {
    "SUNOT 58/20 60/30 62/40 63/50 EMBOK",           "PIKIL 57/20 59/30 61/40 62/50 KETLA",
    "RESNO 56/20 58/30 60/40 61/50 MAXAR",           "LIMRI 52/20 50/30 48/40 46/50 SUPRY",
    "DINIM 51/20 49/30 47/40 45/50 RAFIN",           "SOMAX 50/20 48/30 46/40 44/50 42/60 DOVEY",
    "BEDRA 49/20 47/30 45/40 43/50 41/60 JOBOC",     "ETIKI 48/15 48/20 46/30 44/40 42/50 40/60 SLATN",
    "SEPAL 47/15 47/20 45/30 43/40 41/50 SOORY",     "ALLRY 51/50 53/40 54/30 55/20 RESNO NETKI",
    "ELSIR 50/50 52/40 54/30 54/20 DOGAL BEXET",     "TUDEP 52/50 55/40 56/30 57/20 SUNOT KESIX",
    "BUDAR 50/50 53/40 54/30 55/20 ETARI MOGLO",     "RIKAL 53/50 55/40 57/30 57/20 SUNOT KESIX",
    "TUDEP 52/50 54/40 56/30 56/20 PIKIL SOVED",     "JOOPY 49/50 51/40 53/30 53/20 MALOT GISTI",
    "BALIX 60/20 62/30 63/40 62/50 PIDSO",           "GOMUP 59/20 61/30 62/40 61/50 SAVRY",
    "SUNOT 58/20 60/30 61/40 60/50 URTAK",           "BEDRA 49/20 48/30 48/40 47/50 PORTI",
    "OMOKO 48/15 48/20 47/30 47/40 46/50 SUPRY",     "ETIKI 47/15 47/20 46/30 46/40 45/50 RAFIN",
    "SEPAL 46/15 46/20 45/30 45/40 44/50 JEBBY",     "YQX KOBEV 50/50 50/40 51/30 53/20 MALOT BURAK",
    "YYT NOVEP 49/50 49/40 50/30 52/20 LIMRI XETBO", "ELTIN 38/60 42/50 44/40 46/30 48/20 48/15 ETIKI",
};

std::vector<std::string> trackWords() {
  std::vector<std::string> words;
  for (const char* track : kTracks) {
    std::istringstream in(track);
    for (std::string w; in >> w;) words.push_back(w);
  }
  return words;
}

korvant::FixStore sampleStore() {
  std::ifstream in(KORVANT_SAMPLE_DAT, std::ios::binary);
  korvant::FixStore store;
  store.loadBytes({std::istreambuf_iterator<char>(in), {}});
  return store;
}

void BM_resolveFull26TrackMessage(benchmark::State& state) {
  korvant::FixStore store = sampleStore();
  const std::vector<std::string> words = trackWords();
  const korvant::LatLng reference{5000, -3000};
  int resolved = 0;
  for (auto _ : state) {
    resolved = 0;
    for (const std::string& w : words) {
      korvant::LatLng p;
      resolved += store.resolvePositionWithAlias(w, reference, p);
      benchmark::DoNotOptimize(p);
    }
  }
  state.counters["fixes"] = static_cast<double>(words.size());
  state.counters["resolved"] = resolved;
}
BENCHMARK(BM_resolveFull26TrackMessage)->Unit(benchmark::kMicrosecond);

void BM_findFixByName(benchmark::State& state) {
  korvant::FixStore store = sampleStore();
  for (auto _ : state) {
    korvant::LatLng p;
    benchmark::DoNotOptimize(store.findFix("MALOT", {5000, -3000}, p));
  }
}
BENCHMARK(BM_findFixByName);

void BM_enumerateFixSection(benchmark::State& state) {
  korvant::FixStore store = sampleStore();
  for (auto _ : state) {
    korvant::FixSection s = store.openSection(korvant::FixSectionId::Fixes);
    korvant::Fix f;
    int n = 0;
    while (s.readFix(f)) ++n;
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_enumerateFixSection)->Unit(benchmark::kMicrosecond);

void BM_loadSampleFixFile(benchmark::State& state) {
  std::ifstream in(KORVANT_SAMPLE_DAT, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  for (auto _ : state) {
    korvant::FixStore store;
    store.loadBytes(bytes);
    benchmark::DoNotOptimize(store);
  }
}
BENCHMARK(BM_loadSampleFixFile)->Unit(benchmark::kMicrosecond);

std::vector<korvant::EtopsAirport> sampleAirports() {
  const korvant::FixStore store = sampleStore();
  korvant::FixSection s = store.openSection(korvant::FixSectionId::Fixes);
  std::vector<korvant::EtopsAirport> airports;
  for (korvant::Fix f; s.readFix(f);)
    if (f.kind == korvant::FIX_KIND_AIRPORT) airports.push_back({f.name, f.position});
  return airports;
}

korvant::FlightRoute trackC() {
  korvant::FlightRoute route;
  for (const korvant::LatLng p :
       {korvant::LatLng{5300, -1500}, {5530, -2000}, {5530, -3000}, {5530, -4000}, {5430, -5000}, {5244, -5621}})
    route.points.push_back({"P", p, 0});
  return route;
}

// The whole plan with every airport of the fix file adequate (some 5,000).
void BM_etopsAlongATrackAmongTheFixFileAirports(benchmark::State& state) {
  const std::vector<korvant::EtopsAirport> airports = sampleAirports();
  const korvant::FlightRoute route = trackC();
  korvant::EtopsSettings settings;
  settings.minutes = 120;
  for (auto _ : state) benchmark::DoNotOptimize(korvant::planEtops(route, airports, settings));
  state.counters["airports"] = static_cast<double>(airports.size());
}
BENCHMARK(BM_etopsAlongATrackAmongTheFixFileAirports)->Unit(benchmark::kMillisecond);

// The peer: GeographicLib's inverse to every airport from each sample, the
// nearest airport found as plainly as it can be, for the samples alone.
void BM_geographicLibNearestAirportAtEverySample(benchmark::State& state) {
  const std::vector<korvant::EtopsAirport> airports = sampleAirports();
  const korvant::FlightRoute route = trackC();
  std::vector<korvant::LatLng> points;
  for (const korvant::FlightPoint& p : route.points) points.push_back(p.position);
  const korvant::GeodesicPath path(points);
  const GeographicLib::Geodesic& wgs84 = GeographicLib::Geodesic::WGS84();
  for (auto _ : state) {
    double total = 0;
    for (double along = 0; along <= path.lengthNm(); along += 2) {
      const korvant::LatLng::Degrees at = path.at(along).decimalDegrees();
      double best = 1e300;
      for (const korvant::EtopsAirport& a : airports) {
        const korvant::LatLng::Degrees d = a.position.decimalDegrees();
        double metres = 0;
        wgs84.Inverse(at.lat, at.lng, d.lat, d.lng, metres);
        best = std::min(best, metres);
      }
      total += best;
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_geographicLibNearestAirportAtEverySample)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

// A strong wind (419 kt at 420 kt) among 500 airports along a 40-point
// route: the equal-time points of many pairs of diversion airports. Budget:
// a second, the work per plan bounded.
void BM_etopsStrongWindAmongManyAirports(benchmark::State& state) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> lat(35, 70), lng(-80, 10);
  std::vector<korvant::EtopsAirport> airports;
  for (int i = 0; i < 500; ++i)
    airports.push_back(
        {"A" + std::to_string(i), {korvant::degreesToDegMin(lat(random)), korvant::degreesToDegMin(lng(random))}});
  korvant::FlightRoute route;
  for (int i = 0; i < 40; ++i)
    route.points.push_back(
        {"P", {korvant::degreesToDegMin(40 + (i % 2) * 15.0), korvant::degreesToDegMin(-75 + i * 2.0)}, 0});
  korvant::EtopsSettings settings;
  settings.minutes = 120;
  settings.windKt = 419;
  for (auto _ : state) benchmark::DoNotOptimize(korvant::planEtops(route, airports, settings));
}
BENCHMARK(BM_etopsStrongWindAmongManyAirports)->Unit(benchmark::kMillisecond)->Iterations(1);
