#include "map/farside.h"

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

SideOfCentre FarSideRule::side(const LatLng& point) const {
  if (!pole_) {
    const double phi = degMinToRadians(point.lat), dLambda = degMinToRadians(point.lng) - lambda_;
    const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const double sLat = std::sin((phi_ - phi) / 2), sLng = std::sin(dLambda / 2);
    const double h = sLat * sLat + cosPhi_ * cosPhi * sLng * sLng;
    const double distance = EARTH_DIAMETER_NM * std::asin(std::sqrt(std::min(h, 1.0)));
    const double y = std::sin(dLambda) * cosPhi, x = cosPhi_ * sinPhi - sinPhi_ * cosPhi * std::cos(dLambda);
    double course = (y == 0 && x == 0) ? 0 : std::atan2(y, x) * DEGREES_PER_RADIAN;
    if (course < 0) course += 360;
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
