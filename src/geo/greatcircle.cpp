#include "geo/greatcircle.h"

#include "geo/angles.h"

#include <GeographicLib/Geodesic.hpp>
#include <algorithm>
#include <cmath>
#include <optional>

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

double normalizeFinalCourse(double course) { return wrapCourse360(course); }

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

CourseDistance courseAndDistanceExtended(const LatLng& from, const LatLng& to) {
  const Real phi1 = toRadians(from.lat), lam1 = toRadians(from.lng);
  const Real phi2 = toRadians(to.lat), lam2 = toRadians(to.lng);
  if (from.lat == 9000.0)
    return {static_cast<double>(-lam2 * 180 / kPi), static_cast<double>((phi1 - phi2) * EARTH_RADIUS_NM)};
  if (from.lat == -9000.0)
    return {static_cast<double>(lam2 * 180 / kPi), static_cast<double>((phi2 - phi1) * EARTH_RADIUS_NM)};

  const Real y = std::sin(lam2 - lam1) * std::cos(phi2);
  const Real x = std::cos(phi1) * std::sin(phi2) - std::sin(phi1) * std::cos(phi2) * std::cos(lam2 - lam1);
  Real course = (y == 0 && x == 0) ? 0 : std::atan2(y, x) * 180 / kPi;
  if (course < 0) course += 360;  // extended precision: wrap360 would round to double first
  return {static_cast<double>(course), static_cast<double>(haversineDistance(phi1, lam1, phi2, lam2))};
}

namespace {

// Every printed course and distance has at most two decimals, and every limit
// a caller compares against is a multiple of 0.005 too: a double result that
// lies further than its error bound from such a step prints and decides as
// the extended one does.
constexpr double kPrintStep = 0.005;

bool nearPrintStep(double value, double tolerance) {
  const double steps = value / kPrintStep;
  return std::fabs(steps - std::nearbyint(steps)) * kPrintStep <= tolerance;
}

// `distanceUsed`: the caller uses the distance too, so it must be as sure as the course.
CourseDistance courseAndDistanceChecked(const LatLng& from, const LatLng& to, double printedOffset, bool distanceUsed) {
  if (from.lat == 9000.0 || from.lat == -9000.0) return courseAndDistanceExtended(from, to);
  const double phi1 = degMinToRadians(from.lat), phi2 = degMinToRadians(to.lat);
  const double dLam = degMinToRadians(to.lng) - degMinToRadians(from.lng);
  double s1, c1, s2, c2, sh, ch;
  ::sincos(phi1, &s1, &c1);
  ::sincos(phi2, &s2, &c2);
  ::sincos(dLam / 2, &sh, &ch);
  const double y = 2 * sh * ch * c2;
  const double x = c1 * s2 - s1 * c2 * (1 - 2 * sh * sh);
  const double r = std::hypot(x, y);
  const double sLat = std::sin((phi1 - phi2) / 2);
  const double h = std::min(sLat * sLat + c1 * c2 * sh * sh, 1.0);
  // Error bounds of the double forms: the course's grows as the two points
  // come together or stand opposite, the distance's near the antipode.
  if (r < 1e-9 || h > 1 - 1e-12) return courseAndDistanceExtended(from, to);
  const double courseTolerance = 1e-13 / r + 1e-11;
  const double distanceTolerance = 1e-10 / std::sqrt(1 - h) + 1e-10;
  const double course = wrap360(std::atan2(y, x) * DEGREES_PER_RADIAN);
  const double distance = EARTH_DIAMETER_NM * std::asin(std::sqrt(h));
  if (nearPrintStep(course, courseTolerance) || nearPrintStep(course + printedOffset, courseTolerance) ||
      (distanceUsed &&
       (nearPrintStep(distance, distanceTolerance) || nearPrintStep(distance * KM_PER_NM, 2 * distanceTolerance))))
    return courseAndDistanceExtended(from, to);
  return {course, distance};
}

}  // namespace

CourseDistance courseAndDistance(const LatLng& from, const LatLng& to, double printedOffset) {
  return courseAndDistanceChecked(from, to, printedOffset, true);
}

double printableCourse(double course) { return wrap360(course); }

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

bool surelyWithinNm(const LatLng& from, const LatLng& to, double nm) {
  const double across = std::fabs(degMinToRadians(from.lat) - degMinToRadians(to.lat)) +
                        std::fabs(degMinToRadians(from.lng) - degMinToRadians(to.lng));
  return across * EARTH_RADIUS_NM < nm;
}

namespace {

// The destination in double, or nothing where its printed position (two
// decimals of the packed minutes) could differ from the extended one.
std::optional<LatLng> reachedPositionFast(const LatLng& from, double course, double distance) {
  const double phi1 = degMinToRadians(from.lat), lam1 = degMinToRadians(from.lng);
  const double theta = course * (PI / 180);
  const double delta = distance / NM_PER_DEGREE * (PI / 180);
  double sp, cp, st, ct, sd, cd;
  ::sincos(phi1, &sp, &cp);
  ::sincos(theta, &st, &ct);
  ::sincos(delta, &sd, &cd);
  const double s = sp * cd + cp * sd * ct;
  const double y = st * sd;
  const double x = cp * cd - sp * sd * ct;
  // Near a pole or with the bearing undefined the longitude is ill-conditioned;
  // so is the latitude's asin near +-1.
  if (std::fabs(s) > 1 - 1e-9 || std::hypot(x, y) < 1e-6 || !std::isfinite(x + y + s)) return std::nullopt;
  double lam2 = lam1 + std::atan2(y, x);
  if (lam2 > PI)
    lam2 -= 2 * PI;
  else if (lam2 < -PI)
    lam2 += 2 * PI;
  const LatLng reached{radiansToDegMin(std::asin(s)), radiansToDegMin(lam2)};
  // Positions print to 0.01 minute with the 60 minutes carried, so the steps
  // lie on whole multiples of 0.005 minute; the double error is below 1e-11.
  constexpr double tolerance = 1e-9;
  if (nearPrintStep(degMinToDegrees(reached.lat) * 60, tolerance) ||
      nearPrintStep(degMinToDegrees(reached.lng) * 60, tolerance))
    return std::nullopt;
  return reached;
}

LatLng reachedPositionSure(const LatLng& from, double course, double distance) {
  const std::optional<LatLng> fast = reachedPositionFast(from, course, distance);
  return fast ? *fast : reachedPosition(from, course, distance);
}

}  // namespace

Destination destination(const LatLng& from, double course, double distance) {
  const LatLng reached = reachedPositionSure(from, course, distance);
  return {reached, normalizeFinalCourse(courseAndDistanceChecked(reached, from, 0, false).course + 180)};
}

Destination destinationExtended(const LatLng& from, double course, double distance) {
  const LatLng reached = reachedPosition(from, course, distance);
  return {reached, normalizeFinalCourse(courseAndDistanceExtended(reached, from).course + 180)};
}

double ellipsoidInitialCourse(const LatLng& from, const LatLng& to) {
  // The ellipsoid as the program has always used it (flattening 1/298.257222101),
  // which differs from GeographicLib's own WGS84() in the tenth digit.
  static const GeographicLib::Geodesic ellipsoid(6378137.0, 0.0033528106811836675);
  double azimuthAtFrom = 0, azimuthAtTo = 0;
  ellipsoid.Inverse(degMinToDegrees(from.lat), degMinToDegrees(from.lng), degMinToDegrees(to.lat),
                    degMinToDegrees(to.lng), azimuthAtFrom, azimuthAtTo);
  return wrap360(azimuthAtFrom);
}

Destination destinationWithEllipsoidCourse(const LatLng& from, double course, double distance) {
  const LatLng reached = reachedPositionSure(from, course, distance);
  return {reached, normalizeFinalCourse(ellipsoidInitialCourse(reached, from) + 180)};
}

double greatCircleLatitudeAt(double lng1, double lat1, double lng2, double lat2, double lng) {
  constexpr double rad = M_PI / 180;
  const double l1 = lng1 * rad, l2 = lng2 * rad, l = lng * rad;
  const double y = std::tan(lat1 * rad) * std::sin(l - l2) - std::tan(lat2 * rad) * std::sin(l - l1);
  return std::atan(y / std::sin(l1 - l2)) / rad;
}

double distanceFromLegNm(const LatLng& from, const LatLng& to, const LatLng& point) {
  const double toPoint = distanceNmFast(from, point), length = distanceNmFast(from, to);
  const double nearerEnd = std::min(toPoint, distanceNmFast(to, point));
  if (length < 1e-9) return toPoint;
  const double angle = (courseAndDistance(from, point).course - courseAndDistance(from, to).course) * M_PI / 180;
  const double d = toPoint / EARTH_RADIUS_NM;
  const double across = std::asin(std::clamp(std::sin(d) * std::sin(angle), -1.0, 1.0));
  const double along = std::acos(std::clamp(std::cos(d) / std::cos(across), -1.0, 1.0)) * EARTH_RADIUS_NM;
  const bool abreast = std::cos(angle) >= 0 && along <= length;
  return abreast ? std::fabs(across) * EARTH_RADIUS_NM : std::max(std::fabs(across) * EARTH_RADIUS_NM, nearerEnd);
}

double alongTrackNm(const LatLng& from, const LatLng& to, const LatLng& point) {
  const double d = distanceNmFast(from, point) / EARTH_RADIUS_NM;
  if (d < 1e-12) return 0;
  const double angle = (courseAndDistance(from, point).course - courseAndDistance(from, to).course) * M_PI / 180;
  // Napier's rule in the right triangle: tan(along) = tan(d) cos(angle),
  // signed and whole beyond a quarter of the globe.
  return std::atan2(std::sin(d) * std::cos(angle), std::cos(d)) * EARTH_RADIUS_NM;
}

}  // namespace korvant
