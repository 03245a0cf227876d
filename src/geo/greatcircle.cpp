#include "geo/greatcircle.h"

#include <GeographicLib/Geodesic.hpp>
#include <algorithm>
#include <cmath>

namespace korvant {

namespace {

using Real = long double;  // extended precision for the intermediates

constexpr Real kPi = 3.141592653589793238462643383279502884L;

Real toRadians(double packed) { return degMinToRadians(packed); }

Real haversineDistance(Real phi1, Real lam1, Real phi2, Real lam2) {
  const Real sLat = std::sin((phi1 - phi2) / 2);
  const Real sLng = std::sin((lam1 - lam2) / 2);
  const Real h = sLat * sLat + std::cos(phi1) * std::cos(phi2) * sLng * sLng;
  return EARTH_DIAMETER_NM * std::asin(std::sqrt(std::min<Real>(h, 1)));
}

double normalizeFinalCourse(double course) {
  if (course <= 0) return course + 360;
  if (course > 360) return course - 360;
  return course;
}

// Steps shared by both destination forms: the position reached.
LatLng reachedPosition(const LatLng& from, double course, double distance) {
  const Real phi1 = toRadians(from.lat), lam1 = toRadians(from.lng);
  const Real theta = course * kPi / 180;
  const Real delta = distance / NM_PER_DEGREE * kPi / 180;
  const Real s =
      std::clamp<Real>(std::sin(phi1) * std::cos(delta) + std::cos(phi1) * std::sin(delta) * std::cos(theta), -1, 1);
  const Real phi2 = std::asin(s);
  const Real y = std::sin(theta) * std::sin(delta);
  const Real x = std::cos(phi1) * std::cos(delta) - std::sin(phi1) * std::sin(delta) * std::cos(theta);
  const Real dLam = (y == 0 && x == 0) ? 0 : std::atan2(y, x);
  Real lam2 = lam1 + dLam;
  if (lam2 > kPi)
    lam2 -= 2 * kPi;
  else if (lam2 < -kPi)
    lam2 += 2 * kPi;
  return {radiansToDegMin(static_cast<double>(phi2)), radiansToDegMin(static_cast<double>(lam2))};
}

}  // namespace

CourseDistance courseAndDistance(const LatLng& from, const LatLng& to) {
  const Real phi1 = toRadians(from.lat), lam1 = toRadians(from.lng);
  const Real phi2 = toRadians(to.lat), lam2 = toRadians(to.lng);
  if (from.lat == 9000.0)
    return {static_cast<double>(-lam2 * 180 / kPi), static_cast<double>((phi1 - phi2) * EARTH_RADIUS_NM)};
  if (from.lat == -9000.0)
    return {static_cast<double>(lam2 * 180 / kPi), static_cast<double>((phi2 - phi1) * EARTH_RADIUS_NM)};

  const Real y = std::sin(lam2 - lam1) * std::cos(phi2);
  const Real x = std::cos(phi1) * std::sin(phi2) - std::sin(phi1) * std::cos(phi2) * std::cos(lam2 - lam1);
  Real course = (y == 0 && x == 0) ? 0 : std::atan2(y, x) * 180 / kPi;
  if (course < 0) course += 360;
  return {static_cast<double>(course), static_cast<double>(haversineDistance(phi1, lam1, phi2, lam2))};
}

double distanceNm(const LatLng& from, const LatLng& to) {
  return static_cast<double>(
      haversineDistance(toRadians(from.lat), toRadians(from.lng), toRadians(to.lat), toRadians(to.lng)));
}

double distanceNmFast(const LatLng& from, const LatLng& to) {
  const double phi1 = degMinToRadians(from.lat), phi2 = degMinToRadians(to.lat);
  const double sLat = std::sin((phi1 - phi2) / 2);
  const double sLng = std::sin((degMinToRadians(from.lng) - degMinToRadians(to.lng)) / 2);
  const double h = sLat * sLat + std::cos(phi1) * std::cos(phi2) * sLng * sLng;
  return EARTH_DIAMETER_NM * std::asin(std::sqrt(std::min(h, 1.0)));
}

Destination destination(const LatLng& from, double course, double distance) {
  const LatLng reached = reachedPosition(from, course, distance);
  return {reached, normalizeFinalCourse(courseAndDistance(reached, from).course + 180)};
}

double ellipsoidInitialCourse(const LatLng& from, const LatLng& to) {
  // The ellipsoid as the program has always used it (flattening 1/298.257222101),
  // which differs from GeographicLib's own WGS84() in the tenth digit.
  static const GeographicLib::Geodesic ellipsoid(6378137.0, 0.0033528106811836675);
  double azimuthAtFrom = 0, azimuthAtTo = 0;
  ellipsoid.Inverse(degMinToDegrees(from.lat), degMinToDegrees(from.lng), degMinToDegrees(to.lat),
                    degMinToDegrees(to.lng), azimuthAtFrom, azimuthAtTo);
  return azimuthAtFrom < 0 ? azimuthAtFrom + 360 : azimuthAtFrom;
}

Destination destinationWithEllipsoidCourse(const LatLng& from, double course, double distance) {
  const LatLng reached = reachedPosition(from, course, distance);
  return {reached, normalizeFinalCourse(ellipsoidInitialCourse(reached, from) + 180)};
}

}  // namespace korvant
