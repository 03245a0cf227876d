// Small crosses at whole degrees: every degree of latitude on every meridian
// (1/1) or on every fifth one (1/5).
#include <vector>

#include "map/layers/layers.h"

namespace korvant {

TickArm tickArm(double v, double e) {
  if (v > 0) return {v - (e + 40), v + e};
  if (v < 0) return {v - e, v + e + 40};
  return {-e, e};
}

namespace {

struct Tick {
  PaintContext& paint;

  bool qualifies(const DevicePoint& d) const {
    return d.visible && paint.projection.nearSurface(d.x, d.y, 100);
  }

  void arm(const LatLng& a, const LatLng& b) {
    const DevicePoint p = paint.projection.toDevice(a.lat, a.lng);
    if (!qualifies(p)) return;
    paint.canvas.moveTo(p.x, p.y);
    const DevicePoint q = paint.projection.toDevice(b.lat, b.lng);
    if (qualifies(q)) paint.canvas.lineTo(q.x, q.y);
  }
};

}  // namespace

void drawTicks(PaintContext& paint) {
  const bool ones = paint.switches().ticks1;
  if (!ones && !paint.switches().ticks5) return;
  const int lngStep = ones ? 100 : 500;
  const double e = ones ? 5 : 10;
  const int lats = 181, lngs = 36000 / lngStep + 1;

  // The skip rule is measured to the next grid point along each arm, so the
  // sides of the centre are kept for one row beyond each edge.
  std::vector<SideOfCentre> sides((lats + 1) * (lngs + 1));
  const auto side = [&](int i, int j) -> SideOfCentre& { return sides[i * (lngs + 1) + j]; };
  for (int i = 0; i <= lats; ++i)
    for (int j = 0; j <= lngs; ++j)
      side(i, j) = paint.farSide.side({-9000.0 + 100 * i, -18000.0 + lngStep * j});

  paint.canvas.selectPen(colors::green, 1, PenStyle::Solid);
  Tick tick{paint};
  for (int i = 0; i < lats; ++i) {
    const double lat = -9000.0 + 100 * i;
    for (int j = 0; j < lngs; ++j) {
      const double lng = -18000.0 + lngStep * j;
      if (!FarSideRule::skips(side(i, j), side(i, j + 1))) {
        const TickArm ew = tickArm(lng, e);
        tick.arm({lat, ew.lower}, {lat, ew.upper});
      }
      if (lat > -9000 && lat < 9000 && !FarSideRule::skips(side(i, j), side(i + 1, j))) {
        const TickArm ns = tickArm(lat, e);
        tick.arm({ns.lower, lng}, {ns.upper, lng});
      }
    }
  }
}

}  // namespace korvant
