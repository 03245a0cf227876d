#pragma once
// A cap of the sphere: every position within an angle of a centre. What a
// painted surface can reach is held as one, so that an index of positions
// visits only the cells that may lie on it.
#include <span>

#include "geo/latlng.h"

namespace korvant {

class SphereCap {
 public:
  // The whole sphere.
  SphereCap() = default;
  // `radiusDegrees` of 180 or more is the whole sphere.
  SphereCap(const LatLng& centre, double radiusDegrees);
  // The smallest cap about `centre` holding every position of `border`,
  // widened by `marginDegrees`; the whole sphere when a border position is
  // unset.
  static SphereCap holding(const LatLng& centre, std::span<const LatLng> border, double marginDegrees);

  // The same cap reaching `degrees` farther.
  SphereCap widened(double degrees) const;

  bool whole() const { return whole_; }
  // Decimal degrees.
  double radiusDegrees() const { return whole_ ? 180 : radius_; }
  bool contains(const LatLng& position) const;
  // Whether the two caps share a position.
  bool meets(const SphereCap& other) const;
  // Whether anything within `halfDiagonalDegrees` of the point at decimal
  // `latDeg`, `lngDeg` can lie in the cap: a cell's test.
  bool mayTouch(double latDeg, double lngDeg, double halfDiagonalDegrees) const;
  // The centre's decimal degrees.
  double centreLatDegrees() const { return centreLat_; }

 private:
  bool whole_ = true;
  double centreLat_ = 0, centreLng_ = 0;  // decimal degrees
  double sinLat_ = 0, cosLat_ = 1;
  double radius_ = 180;  // decimal degrees
};

}  // namespace korvant
