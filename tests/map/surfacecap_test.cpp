// The cells a paint visits hold every position the surface can show: the
// index may leave out only what the old whole-world walk would not draw.
#include <gtest/gtest.h>

#include <algorithm>

#include "geo/gridindex.h"
#include "map/mapview.h"
#include "map/surfacecap.h"

namespace korvant {
namespace {

TEST(SurfaceCapTest, TheVisitedCellsHoldEveryPositionNearTheSurface) {
  struct Case {
    const char* what;
    LatLng centre;
    double range;
    ProjectionKind kind;
    int band;                  // Lambert band, -1 for the automatic one
    double mostCellsFraction;  // the share of the world's cells visited at most
  };
  const Case cases[] = {
      {"NAT preset", {5000, -3500}, 1000, ProjectionKind::Lambert, -1, 0.35},
      {"an airport at 300 NM", {5128, -28}, 300, ProjectionKind::Lambert, -1, 0.02},
      {"a departure at 50 NM", {4038, -7347}, 50, ProjectionKind::Lambert, -1, 0.002},
      {"the antimeridian", {5200, 17950}, 300, ProjectionKind::Lambert, -1, 0.02},
      {"near the pole", {8800, 4500}, 400, ProjectionKind::Lambert, 0, 0.2},
      {"the southern cone", {-4000, 17400}, 500, ProjectionKind::Lambert, 7, 0.05},
      {"Mercator", {1000, -16000}, 600, ProjectionKind::Mercator, -1, 0.1},
      {"Mercator at 70N", {7000, 2000}, 200, ProjectionKind::Mercator, -1, 0.05},
      {"orthographic, whole disc", {4000, -3000}, 5000, ProjectionKind::Orthographic, -1, 0.55},
      {"orthographic, close", {-3300, 15100}, 200, ProjectionKind::Orthographic, -1, 0.01},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MapView view;
    view.setCentre(c.centre, c.range);
    if (c.kind == ProjectionKind::Mercator) view.selectMercator();
    if (c.kind == ProjectionKind::Orthographic) view.selectOrthographic();
    if (c.band >= 0) view.selectLambertBand(c.band);
    Projection projection;
    projection.setup(view.viewport(1600, 900));
    for (const double reach : {0.0, 1.0}) {
      const std::vector<int> cells = GridIndex::cellsTouching(surfaceCap(projection, reach));
      if (reach == 0) {
        EXPECT_LE(cells.size(), c.mostCellsFraction * GridIndex::CELLS);
      }
      int near = 0, missed = 0;
      for (double lat = -89.75; lat < 90; lat += 0.5)
        for (double lng = -179.75; lng < 180; lng += 0.5) {
          const LatLng p{degreesToDegMin(lat), degreesToDegMin(lng)};
          const DevicePoint d = projection.toDevice(p);
          if (!d.visible || !projection.nearSurface(d.x, d.y, reach)) continue;
          ++near;
          if (!std::binary_search(cells.begin(), cells.end(), GridIndex::cellOf(p))) ++missed;
        }
      EXPECT_GT(near, 0);
      EXPECT_EQ(missed, 0) << "reach " << reach;
    }
  }
}

TEST(SurfaceCapTest, ItemsAreFiledOnceByTheirCell) {
  const LatLng at[] = {{5000, -3500}, LatLng::unset(), {-9000, 18000}, {9000, -18000}, {5000, -3459}, {0, 17959}};
  const GridIndex index(at);
  EXPECT_EQ(index.size(), 5u);
  const auto items = index.items(GridIndex::cellOf({5000, -3500}));
  EXPECT_EQ(std::vector<std::uint32_t>(items.begin(), items.end()), (std::vector<std::uint32_t>{0, 4}));
  std::vector<std::uint32_t> all;
  index.visit(SphereCap(), [&](std::uint32_t i) { all.push_back(i); });
  std::sort(all.begin(), all.end());
  EXPECT_EQ(all, (std::vector<std::uint32_t>{0, 2, 3, 4, 5}));
  std::vector<std::uint32_t> near;
  index.visit(SphereCap({5030, -3530}, 2), [&](std::uint32_t i) { near.push_back(i); });
  EXPECT_EQ(near, (std::vector<std::uint32_t>{0, 4}));
}

}  // namespace
}  // namespace korvant
