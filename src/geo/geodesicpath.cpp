#include "geo/geodesicpath.h"

#include <GeographicLib/Geodesic.hpp>
#include <algorithm>
#include <cmath>

#include "geo/greatcircle.h"

namespace korvant {

namespace {

constexpr double kMetresPerNm = 1852;

const GeographicLib::Geodesic& wgs84() { return GeographicLib::Geodesic::WGS84(); }

LatLng packed(double lat, double lng) {
  // GeographicLib answers longitudes in [-180, 180]; the packed unit's limits are the same.
  return {degreesToDegMin(lat), degreesToDegMin(lng)};
}

}  // namespace

double geodesicNm(const LatLng& from, const LatLng& to) {
  double metres = 0;
  wgs84().Inverse(degMinToDegrees(from.lat), degMinToDegrees(from.lng), degMinToDegrees(to.lat),
                  degMinToDegrees(to.lng), metres);
  return metres / kMetresPerNm;
}

GeodesicPath::GeodesicPath(const std::vector<LatLng>& points) : points_(points) {
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i == 0) {
      along_.push_back(0);
      continue;
    }
    const double lat1 = degMinToDegrees(points[i - 1].lat), lng1 = degMinToDegrees(points[i - 1].lng);
    double metres = 0, azimuth1 = 0, azimuth2 = 0;
    wgs84().Inverse(lat1, lng1, degMinToDegrees(points[i].lat), degMinToDegrees(points[i].lng), metres, azimuth1,
                    azimuth2);
    legs_.push_back({lat1, lng1, azimuth1});
    along_.push_back(along_.back() + metres / kMetresPerNm);
  }
}

std::size_t GeodesicPath::legAt(double nm) const {
  if (legs_.empty()) return 0;
  const auto after = std::upper_bound(along_.begin(), along_.end(), nm);
  const auto leg = static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - along_.begin() - 1, 0));
  return std::min(leg, legs_.size() - 1);
}

LatLng GeodesicPath::at(double nm) const {
  if (points_.empty()) return {};
  if (legs_.empty() || !(nm > 0)) return points_.front();
  if (nm >= lengthNm()) return points_.back();
  const std::size_t i = legAt(nm);
  if (nm <= along_[i]) return points_[i];
  const Leg& leg = legs_[i];
  double lat = 0, lng = 0;
  wgs84().Direct(leg.lat, leg.lng, leg.azimuth, (nm - along_[i]) * kMetresPerNm, lat, lng);
  return packed(lat, lng);
}

std::vector<LatLng> geodesicCircle(const LatLng& centre, double radiusNm, int count) {
  count = std::max(count, 3);
  std::vector<LatLng> ring;
  ring.reserve(static_cast<std::size_t>(count) + 1);
  const double lat0 = degMinToDegrees(centre.lat), lng0 = degMinToDegrees(centre.lng);
  for (int i = 0; i < count; ++i) {
    double lat = 0, lng = 0;
    wgs84().Direct(lat0, lng0, 360.0 * i / count, radiusNm * kMetresPerNm, lat, lng);
    ring.push_back(packed(lat, lng));
  }
  ring.push_back(ring.front());
  return ring;
}

SphereVector sphereVector(const LatLng& p) {
  const double lat = degMinToDegrees(p.lat) * PI / 180, lng = degMinToDegrees(p.lng) * PI / 180;
  return {std::cos(lat) * std::cos(lng), std::cos(lat) * std::sin(lng), std::sin(lat)};
}

double sphereNmOfDot(double dot) { return std::acos(std::clamp(dot, -1.0, 1.0)) * 180 / PI * NM_PER_DEGREE; }

double sphereDotOfNm(double nm) { return std::cos(std::min(nm / NM_PER_DEGREE, 180.0) * PI / 180); }

}  // namespace korvant
