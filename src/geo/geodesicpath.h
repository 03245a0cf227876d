#pragma once
// Distances and positions on the WGS-84 ellipsoid, for the planning that is
// asked on it (diversion distances): a route as a chain of geodesics,
// walked by distance along it; the distance between two points; a circle of
// points a distance round a centre. GeographicLib's solutions, accurate to
// nanometres, stay inside geo/.
#include <cstddef>
#include <vector>

#include "geo/latlng.h"

namespace korvant {

// The WGS-84 geodesic distance, NM.
double geodesicNm(const LatLng& from, const LatLng& to);

class GeodesicPath {
 public:
  explicit GeodesicPath(const std::vector<LatLng>& points);

  double lengthNm() const { return along_.empty() ? 0 : along_.back(); }
  // The distance along the path to its point `i`.
  double alongNm(std::size_t i) const { return along_[i]; }
  std::size_t size() const { return along_.size(); }
  // The leg that holds the distance `nm` (the last leg at the end).
  std::size_t legAt(double nm) const;
  // The position `nm` along the path, clamped to its ends.
  LatLng at(double nm) const;

 private:
  struct Leg {
    double lat, lng, azimuth;  // the leg's start, decimal degrees, and its initial azimuth
  };
  std::vector<LatLng> points_;
  std::vector<Leg> legs_;
  std::vector<double> along_;
};

// `count` points (at least 3) round `centre` at `radiusNm`, the first repeated
// at the end to close the ring; clockwise from north.
std::vector<LatLng> geodesicCircle(const LatLng& centre, double radiusNm, int count);

// A point as a unit vector of the sphere: the nearest of many points by
// angle is the one of the greatest dot product, without trigonometry.
struct SphereVector {
  double x = 0, y = 0, z = 0;
  double dot(const SphereVector& o) const { return x * o.x + y * o.y + z * o.z; }
};
SphereVector sphereVector(const LatLng& p);
// The great-circle distance on the 60.11 NM a degree sphere that a dot product
// of two unit vectors stands for.
double sphereNmOfDot(double dot);
// The dot product of two unit vectors `nm` apart on that sphere.
double sphereDotOfNm(double nm);

}  // namespace korvant
