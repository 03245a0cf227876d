#include "geo/spherecap.h"

#include <algorithm>
#include <cmath>

namespace korvant {

namespace {

constexpr double kRadiansPerDegree = PI / 180;

// The angle between two positions in decimal degrees, by the spherical law
// of cosines: exact enough for a bound that carries a margin.
double angleDegrees(double sinLat0, double cosLat0, double lng0, double latDeg, double lngDeg) {
  const double lat = latDeg * kRadiansPerDegree;
  const double c = sinLat0 * std::sin(lat) + cosLat0 * std::cos(lat) * std::cos((lngDeg - lng0) * kRadiansPerDegree);
  return std::acos(std::clamp(c, -1.0, 1.0)) / kRadiansPerDegree;
}

}  // namespace

SphereCap::SphereCap(const LatLng& centre, double radiusDegrees) {
  if (centre.isUnset() || !(radiusDegrees < 180)) return;
  const LatLng::Degrees d = centre.decimalDegrees();
  whole_ = false;
  centreLat_ = d.lat;
  centreLng_ = d.lng;
  sinLat_ = std::sin(d.lat * kRadiansPerDegree);
  cosLat_ = std::cos(d.lat * kRadiansPerDegree);
  radius_ = std::max(0.0, radiusDegrees);
}

SphereCap SphereCap::holding(const LatLng& centre, std::span<const LatLng> border, double marginDegrees) {
  const SphereCap around(centre, 0);
  if (around.whole()) return {};
  double farthest = 0;
  for (const LatLng& p : border) {
    if (p.isUnset()) return {};
    const LatLng::Degrees d = p.decimalDegrees();
    farthest = std::max(farthest, angleDegrees(around.sinLat_, around.cosLat_, around.centreLng_, d.lat, d.lng));
  }
  return {centre, farthest + marginDegrees};
}

SphereCap SphereCap::widened(double degrees) const {
  if (whole_) return *this;
  SphereCap wider = *this;
  wider.radius_ = std::max(0.0, radius_ + degrees);
  if (!(wider.radius_ < 180)) return {};
  return wider;
}

bool SphereCap::contains(const LatLng& position) const {
  if (whole_) return true;
  if (position.isUnset()) return false;
  const LatLng::Degrees d = position.decimalDegrees();
  return angleDegrees(sinLat_, cosLat_, centreLng_, d.lat, d.lng) <= radius_;
}

bool SphereCap::meets(const SphereCap& other) const {
  if (whole_ || other.whole_) return true;
  return angleDegrees(sinLat_, cosLat_, centreLng_, other.centreLat_, other.centreLng_) <= radius_ + other.radius_;
}

bool SphereCap::mayTouch(double latDeg, double lngDeg, double halfDiagonalDegrees) const {
  if (whole_) return true;
  if (std::fabs(latDeg - centreLat_) > radius_ + halfDiagonalDegrees) return false;
  return angleDegrees(sinLat_, cosLat_, centreLng_, latDeg, lngDeg) <= radius_ + halfDiagonalDegrees;
}

}  // namespace korvant
