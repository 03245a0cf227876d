// Projections per point (with PROJ's forward for the same points), and the
// magnetic variation per call and per Variation layer.
#include <benchmark/benchmark.h>
#include <proj.h>

#include <memory>
#include <vector>

#include "map/projection.h"
#include "sky/magvar.h"

namespace {

using korvant::LatLng;
using korvant::Projection;

std::vector<LatLng> natGrid() {
  std::vector<LatLng> points;
  for (int lat = 3000; lat <= 7000; lat += 100)
    for (int lng = -7000; lng <= 0; lng += 100) points.push_back({double(lat), double(lng)});
  return points;
}

// The benchmark argument: 1 Lambert, 2 Mercator, 3 orthographic.
Projection natProjection(std::int64_t arg) {
  using korvant::ProjectionKind;
  const ProjectionKind kind = arg == 1   ? ProjectionKind::Lambert
                              : arg == 2 ? ProjectionKind::Mercator
                                         : ProjectionKind::Orthographic;
  Projection p;
  p.setup({{5000, -3500}, 4500, 6000, {0, 0, 1920, 1080}, Projection::scaleForRange(1920, 1080, 1000), kind});
  return p;
}

void BM_toDevice(benchmark::State& state) {
  const Projection p = natProjection(state.range(0));
  const auto points = natGrid();
  std::size_t i = 0;
  for (auto _ : state) {
    const LatLng& q = points[i++ % points.size()];
    benchmark::DoNotOptimize(p.toDevice(q));
  }
}
BENCHMARK(BM_toDevice)->Arg(1)->Arg(2)->Arg(3)->ArgName("kind");

void BM_fromDevice(benchmark::State& state) {
  const Projection p = natProjection(state.range(0));
  int x = 0, y = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p.fromDevice(x, y));
    x = (x + 37) % 1920;
    y = (y + 23) % 1080;
  }
}
BENCHMARK(BM_fromDevice)->Arg(1)->Arg(2)->Arg(3)->ArgName("kind");

void BM_projForward(benchmark::State& state) {
  const char* definitions[] = {"", "+proj=lcc +lat_1=45 +lat_2=60 +lat_0=50 +lon_0=-35 +R=1",
                               "+proj=merc +lon_0=-35 +R=1", "+proj=ortho +lat_0=50 +lon_0=-35 +R=1"};
  std::unique_ptr<PJ, decltype(&proj_destroy)> pj(proj_create(PJ_DEFAULT_CTX, definitions[state.range(0)]),
                                                  proj_destroy);
  const auto points = natGrid();
  std::vector<PJ_COORD> coords;
  for (const LatLng& q : points)
    coords.push_back(
        proj_coord(proj_torad(korvant::degMinToDegrees(q.lng)), proj_torad(korvant::degMinToDegrees(q.lat)), 0, 0));
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(proj_trans(pj.get(), PJ_FWD, coords[i++ % coords.size()]));
}
BENCHMARK(BM_projForward)->Arg(1)->Arg(2)->Arg(3)->ArgName("kind");

// One evaluation: WMM-2000 at its epoch (0), WMM2025 carried to 2026-12-07 (1).
void BM_magneticVariation(benchmark::State& state) {
  const auto points = natGrid();
  const korvant::MagneticModel model =
      state.range(0) ? korvant::MagneticModel(korvant::MagneticModelId::Wmm2025, 2026.93) : korvant::MagneticModel();
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(model.variation(points[i++ % points.size()]));
}
BENCHMARK(BM_magneticVariation)->Arg(0)->Arg(1)->ArgName("wmm2025");

// Making a model ready for a date, as each paint and mouse move does.
void BM_magneticModelForADate(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(korvant::MagneticModel(korvant::MagneticModelId::Wmm2025, 2026.93));
}
BENCHMARK(BM_magneticModelForADate);

// Every evaluation of a Variation layer on a 1920x1080 surface at 96 dpi.
void BM_variationLayerEvaluations(benchmark::State& state) {
  const Projection p = natProjection(1);
  const korvant::MagneticModel model =
      state.range(0) ? korvant::MagneticModel(korvant::MagneticModelId::Wmm2025, 2026.93) : korvant::MagneticModel();
  const int step = 96 / 3;
  std::size_t evaluations = 0;
  std::vector<LatLng> positions;
  std::vector<double> values;
  for (auto _ : state) {
    positions.clear();
    for (int x = step; x < 1920; x += step)
      for (int y = step; y < 1080; y += step) {
        const LatLng q = p.fromDevice(x, y);
        if (!q.isUnset()) positions.push_back(q);
      }
    values.resize(positions.size());
    model.variations(positions, values);
    for (const double v : values) benchmark::DoNotOptimize(korvant::variationText(v));
    evaluations = positions.size();
  }
  state.counters["evaluations"] = static_cast<double>(evaluations);
}
BENCHMARK(BM_variationLayerEvaluations)->Arg(0)->Arg(1)->ArgName("wmm2025")->Unit(benchmark::kMillisecond);

}  // namespace
