// Great-circle navigation and position parsing, per call.
#include <benchmark/benchmark.h>
#include <GeographicLib/Geodesic.hpp>

#include <vector>

#include "geo/greatcircle.h"
#include "geo/positiontext.h"

namespace {

using korvant::LatLng;

// Track legs across the North Atlantic and Pacific, ten degrees of longitude apart.
std::vector<std::pair<LatLng, LatLng>> oceanicLegs() {
  std::vector<std::pair<LatLng, LatLng>> legs;
  for (int lat = 4000; lat <= 6500; lat += 100)
    for (int lng = -6000; lng < -1000; lng += 1000)
      legs.push_back({{double(lat), double(lng)}, {double(lat + 100), double(lng + 1000)}});
  return legs;
}

void BM_courseAndDistance(benchmark::State& state) {
  const auto legs = oceanicLegs();
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& leg = legs[i++ % legs.size()];
    benchmark::DoNotOptimize(korvant::courseAndDistance(leg.first, leg.second));
  }
}
BENCHMARK(BM_courseAndDistance);

void BM_distanceNm(benchmark::State& state) {
  const auto legs = oceanicLegs();
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& leg = legs[i++ % legs.size()];
    benchmark::DoNotOptimize(korvant::distanceNm(leg.first, leg.second));
  }
}
BENCHMARK(BM_distanceNm);

// GeographicLib's inverse on a sphere (flattening 0) for the same pairs, as the yardstick.
void BM_geographicLibInverseSphere(benchmark::State& state) {
  const auto legs = oceanicLegs();
  const GeographicLib::Geodesic sphere(korvant::EARTH_RADIUS_NM * 1852.0, 0.0);
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& leg = legs[i++ % legs.size()];
    double s12 = 0, azi1 = 0, azi2 = 0;
    sphere.Inverse(korvant::degMinToDegrees(leg.first.lat), korvant::degMinToDegrees(leg.first.lng),
                   korvant::degMinToDegrees(leg.second.lat), korvant::degMinToDegrees(leg.second.lng), s12, azi1, azi2);
    benchmark::DoNotOptimize(s12);
    benchmark::DoNotOptimize(azi1);
  }
}
BENCHMARK(BM_geographicLibInverseSphere);

void BM_destination(benchmark::State& state) {
  double course = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(korvant::destination({5030, -3000}, course, 310));
    course = course >= 359 ? 0 : course + 1;
  }
}
BENCHMARK(BM_destination);

void BM_destinationWithEllipsoidCourse(benchmark::State& state) {
  double course = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(korvant::destinationWithEllipsoidCourse({5030, -3000}, course, 310));
    course = course >= 359 ? 0 : course + 1;
  }
}
BENCHMARK(BM_destinationWithEllipsoidCourse);

void BM_parsePositionText(benchmark::State& state) {
  const std::vector<std::string> texts = {"50/30", "5030N", "50N035W", "5030N03500W", "N5030.50/W03500.00", "MALOT"};
  std::size_t i = 0;
  for (auto _ : state) {
    korvant::LatLng position;
    benchmark::DoNotOptimize(korvant::parsePositionText(texts[i++ % texts.size()], position));
    benchmark::DoNotOptimize(position);
  }
}
BENCHMARK(BM_parsePositionText);

}  // namespace
