#pragma once
// Courses, distances and destinations on a sphere of 60.11 NM per degree of arc.
#include "geo/latlng.h"

namespace korvant {

inline constexpr double NM_PER_DEGREE = 60.11;
inline constexpr double EARTH_RADIUS_NM = 3444.0493065313782757;
inline constexpr double EARTH_DIAMETER_NM = 6888.0986130627565514;
inline constexpr double DEGREES_PER_NM = 0.016636167027116952412;
inline constexpr double KM_PER_NM = 1.852;

struct CourseDistance {
  double course = 0;    // degrees true, [0, 360) except from a pole
  double distance = 0;  // NM
};

struct Destination {
  LatLng position;
  double finalCourse = 0;  // degrees true, (0, 360]
};

CourseDistance courseAndDistance(const LatLng& from, const LatLng& to);
double distanceNm(const LatLng& from, const LatLng& to);
// The same haversine in double precision: for decisions that lie clear of
// their limit, where the extended-precision answer cannot differ.
double distanceNmFast(const LatLng& from, const LatLng& to);
Destination destination(const LatLng& from, double course, double distance);
// The initial course of the WGS-84 inverse solution, degrees true in [0, 360).
double ellipsoidInitialCourse(const LatLng& from, const LatLng& to);
// The same position; the final course from the WGS-84 inverse solution.
Destination destinationWithEllipsoidCourse(const LatLng& from, double course, double distance);

}  // namespace korvant
