#include "map/framemotion.h"

#include <cmath>

namespace korvant {

FrameMotion frameMotion(const Projection& from, const Projection& to, double anchorX, double anchorY) {
  if (!from.isSetUp() || !to.isSetUp()) return {};
  const auto seen = [&](double x, double y, DevicePoint& at) {
    const LatLng position = to.fromDevice(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    if (position.isUnset()) return false;
    at = from.toDevice(position);
    return at.visible;
  };
  // Off the map (beyond a globe's rim) the centre serves as the anchor.
  DevicePoint a;
  if (!seen(anchorX, anchorY, a)) {
    anchorX = to.width() / 2.0, anchorY = to.height() / 2.0;
    if (!seen(anchorX, anchorY, a)) return {};
  }
  // Forty pixels either way: long enough for whole pixels to measure a scale.
  constexpr double step = 40;
  DevicePoint right, down;
  double across = 0;
  int sides = 0;
  if (seen(anchorX + step, anchorY, right)) across += std::hypot(right.x - a.x, right.y - a.y), ++sides;
  if (seen(anchorX, anchorY + step, down)) across += std::hypot(down.x - a.x, down.y - a.y), ++sides;
  const double scale = sides > 0 && across > 0 ? step * sides / across : 1;
  return {scale, anchorX - scale * a.x, anchorY - scale * a.y};
}

}  // namespace korvant
