// Small crosses at whole degrees: every degree of latitude on every meridian
// (1/1) or on every fifth one (1/5).
#include <vector>

#include "map/layers/gridterms.h"
#include "map/layers/layers.h"

namespace korvant {

TickArm tickArm(double v, double e) {
  if (v > 0) return {v - (e + 40), v + e};
  if (v < 0) return {v - e, v + e + 40};
  return {-e, e};
}

namespace {

// The rows and columns of the tick grid with the arm ends on either side:
// entry 3k is the grid value, 3k + 1 and 3k + 2 the arm's lower and upper end.
std::vector<double> withArms(const std::vector<double>& values, double e) {
  std::vector<double> out;
  for (double v : values) {
    const TickArm arm = tickArm(v, e);
    out.insert(out.end(), {v, arm.lower, arm.upper});
  }
  return out;
}

// An arm whose first end lies off the surface draws nothing; the far-side
// test, the costly part, is left for the arms that would draw.
void arm(PaintContext& paint, const GridTerms& terms, const DevicePoint& p, int row2, int col2) {
  paint.canvas.moveTo(p.x, p.y);
  const DevicePoint q = terms.device(row2, col2);
  if (terms.qualifies(q)) paint.canvas.lineTo(q.x, q.y);
}

}  // namespace

void drawTicks(PaintContext& paint) {
  const bool ones = paint.switches().ticks1;
  if (!ones && !paint.switches().ticks5) return;
  const double lngStep = ones ? 100 : 500;
  const double e = ones ? 5 : 10;
  // One row and one column beyond each edge: the skip rule is measured to
  // the next grid point along each arm.
  const std::vector<double> lats = steps(-9000, 9100, 100), lngs = steps(-18000, 18000 + lngStep, lngStep);
  const int rows = static_cast<int>(lats.size()) - 1, columns = static_cast<int>(lngs.size()) - 1;
  const GridTerms terms(paint, withArms(lats, e), withArms(lngs, e));

  paint.canvas.selectPen(colors::green, 1, PenStyle::Solid);
  for (int i = 0; i < rows; ++i) {
    const double lat = lats[i];
    for (int j = 0; j < columns; ++j) {
      const DevicePoint alongParallel = terms.device(3 * i, 3 * j + 1);
      const bool parallelArm = terms.qualifies(alongParallel);
      const bool meridian = lat > -9000 && lat < 9000;
      const DevicePoint alongMeridian = meridian ? terms.device(3 * i + 1, 3 * j) : DevicePoint{};
      const bool meridianArm = meridian && terms.qualifies(alongMeridian);
      if (!parallelArm && !meridianArm) continue;
      const SideOfCentre here = terms.side(3 * i, 3 * j);
      if (parallelArm && !FarSideRule::skips(here, terms.side(3 * i, 3 * (j + 1))))
        arm(paint, terms, alongParallel, 3 * i, 3 * j + 2);
      if (meridianArm && !FarSideRule::skips(here, terms.side(3 * (i + 1), 3 * j)))
        arm(paint, terms, alongMeridian, 3 * i + 2, 3 * j);
    }
  }
}

}  // namespace korvant
