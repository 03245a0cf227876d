#pragma once
// The far-side rule of the line drawing: a line whose ends both lie more than
// 5409.9 NM from the map centre, reached by courses on different sides of
// 180 degrees, runs across the far side of the earth and is not drawn.
#include "geo/latlng.h"

namespace korvant {

inline constexpr double FAR_SIDE_NM = 5409.9;

struct SideOfCentre {
  bool far = false;                 // more than 5409.9 NM from the centre
  bool courseAtOrAbove180 = false;  // the course from the centre; decided for far points only
};

class FarSideRule {
 public:
  explicit FarSideRule(const LatLng& centre);

  // Decided in double precision, and by the exact course and distance when
  // a value lies too close to a limit for that to be certain.
  SideOfCentre side(const LatLng& point) const;

  // The same, from terms of latitude and longitude worked out once per row
  // and column of a grid.
  struct LatTerm {
    double sinPhi = 0, cosPhi = 0, sinHalfDiff = 0;
  };
  struct LngTerm {
    double sinHalf = 0, sin = 0, cos = 0;
  };
  LatTerm latTerm(double lat) const;
  LngTerm lngTerm(double lng) const;
  SideOfCentre side(const LatTerm& lat, const LngTerm& lng, const LatLng& point) const;

  static bool skips(const SideOfCentre& a, const SideOfCentre& b) {
    return a.far && b.far && a.courseAtOrAbove180 != b.courseAtOrAbove180;
  }
  bool skips(const LatLng& a, const LatLng& b) const { return skips(side(a), side(b)); }

 private:
  LatLng centre_;
  bool pole_;
  double phi_, lambda_, sinPhi_, cosPhi_;
};

}  // namespace korvant
