#include "map/surfacecap.h"

#include <cmath>
#include <vector>

#include "geo/greatcircle.h"

namespace korvant {

namespace {

// Samples along each side of the widened surface, and across its inside: the
// distance from the centre has no maximum inside but at the antipode, which
// the inner samples catch.
constexpr int kSideSamples = 48;
constexpr int kInnerSamples = 8;
// Beyond this the cap is all but the whole sphere: take the whole.
constexpr double kWholeBeyondDegrees = 150;

}  // namespace

SphereCap surfaceCap(const Projection& projection, double reach) {
  if (!projection.isSetUp() || projection.width() <= 0 || projection.height() <= 0) return {};
  const double w = projection.width(), h = projection.height();
  const double left = projection.left() - reach * w, top = projection.top() - reach * h;
  const double spanX = w * (1 + 2 * reach), spanY = h * (1 + 2 * reach);
  const auto at = [&](double fx, double fy) {
    const double x = left + fx * spanX, y = top + fy * spanY;
    if (std::fabs(x) > 1e9 || std::fabs(y) > 1e9) return LatLng::unset();
    return projection.fromDevice(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
  };
  std::vector<LatLng> samples;
  samples.reserve(4 * kSideSamples + (kInnerSamples + 1) * (kInnerSamples + 1));
  for (int i = 0; i < kSideSamples; ++i) {
    const double f = double(i) / kSideSamples;
    samples.push_back(at(f, 0));
    samples.push_back(at(1, f));
    samples.push_back(at(1 - f, 1));
    samples.push_back(at(0, 1 - f));
  }
  for (int i = 0; i <= kInnerSamples; ++i)
    for (int j = 0; j <= kInnerSamples; ++j)
      samples.push_back(at(double(i) / kInnerSamples, double(j) / kInnerSamples));
  const LatLng centre =
      projection.fromDevice(projection.left() + projection.width() / 2, projection.top() + projection.height() / 2);
  // A point between two neighbouring border samples lies no farther from
  // the centre than the farther of them plus the step between them.
  double step = 0;
  for (int i = 0; i + 4 < 4 * kSideSamples; ++i) {
    if (samples[i].isUnset() || samples[i + 4].isUnset()) continue;
    step = std::max(step, distanceNmFast(samples[i], samples[i + 4]) / 60);
  }
  const SphereCap cap = SphereCap::holding(centre, samples, step + 0.5);
  if (cap.whole() || cap.radiusDegrees() > kWholeBeyondDegrees) {
    // Off the orthographic disc nothing shows: the near hemisphere is all.
    if (projection.kind() == ProjectionKind::Orthographic) return {projection.centre(), 90.5};
    return {};
  }
  return cap;
}

SphereCap areaCap(const Projection& projection, const Rect& area) {
  if (!projection.isSetUp() || area.left <= projection.left() || area.top <= projection.top() ||
      area.right >= projection.left() + projection.width() || area.bottom >= projection.top() + projection.height())
    return {};
  std::vector<LatLng> border;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      border.push_back(projection.fromDevice(area.left + (area.right - area.left) * i / 2,
                                             area.top + (area.bottom - area.top) * j / 2));
  const LatLng centre = border[4];
  if (centre.lat == NO_POSITION || centre.lng == NO_POSITION) return {};
  for (const LatLng& p : border)
    if (p.lat == NO_POSITION || p.lng == NO_POSITION) return {};
  // Widened by a quarter: a small area's sides are all but straight on the sphere.
  const SphereCap tight = SphereCap::holding(centre, border, 0);
  return tight.whole() ? tight : tight.widened(tight.radiusDegrees() / 4 + 0.01);
}

}  // namespace korvant
