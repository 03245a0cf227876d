#include "map/farside.h"

#include "geo/angles.h"

#include <algorithm>
#include <cmath>

#include "geo/greatcircle.h"

namespace korvant {

FarSideRule::FarSideRule(const LatLng& centre)
    : centre_(centre),
      pole_(centre.lat == 9000 || centre.lat == -9000),
      phi_(degMinToRadians(centre.lat)),
      lambda_(degMinToRadians(centre.lng)),
      sinPhi_(std::sin(phi_)),
      cosPhi_(std::cos(phi_)) {}

FarSideRule::LatTerm FarSideRule::latTerm(double lat) const {
  const double phi = degMinToRadians(lat);
  return {std::sin(phi), std::cos(phi), std::sin((phi_ - phi) / 2)};
}

FarSideRule::LngTerm FarSideRule::lngTerm(double lng) const {
  const double dLambda = degMinToRadians(lng) - lambda_;
  return {std::sin(dLambda / 2), std::sin(dLambda), std::cos(dLambda)};
}

SideOfCentre FarSideRule::side(const LatLng& point) const {
  if (pole_) return side({}, {}, point);
  return side(latTerm(point.lat), lngTerm(point.lng), point);
}

SideOfCentre FarSideRule::side(const LatTerm& lat, const LngTerm& lng, const LatLng& point) const {
  if (!pole_) {
    const double h = lat.sinHalfDiff * lat.sinHalfDiff + cosPhi_ * lat.cosPhi * lng.sinHalf * lng.sinHalf;
    const double distance = EARTH_DIAMETER_NM * std::asin(std::sqrt(std::min(h, 1.0)));
    // The side of 180 degrees matters only for a far point.
    if (distance < FAR_SIDE_NM - 1e-7) return {false, false};
    const double y = lng.sin * lat.cosPhi, x = cosPhi_ * lat.sinPhi - sinPhi_ * lat.cosPhi * lng.cos;
    const double course = (y == 0 && x == 0) ? 0 : wrap360(std::atan2(y, x) * DEGREES_PER_RADIAN);
    // Far from every limit the double answer is the exact one.
    constexpr double margin = 1e-7;
    if (std::fabs(distance - FAR_SIDE_NM) > margin && std::fabs(course - 180) > margin && course > margin &&
        course < 360 - margin && std::isfinite(course))
      return {distance > FAR_SIDE_NM, course >= 180};
  }
  const CourseDistance exact = courseAndDistance(centre_, point);
  return {exact.distance > FAR_SIDE_NM, exact.course >= 180};
}

}  // namespace korvant
