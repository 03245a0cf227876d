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

// The initial great-circle course and the haversine distance. Computed in
// double, and in extended precision wherever the double result could print
// differently at two decimals or fall on the other side of a limit that is a
// multiple of 0.005: `printedOffset` is what the caller adds to the course
// before printing it (the variation of a magnetic course). About 80 ns; the
// extended form alone about 500 ns.
CourseDistance courseAndDistance(const LatLng& from, const LatLng& to, double printedOffset = 0);
// A course as it is printed: in [0, 360), never -0. Courses from a pole stay
// unnormalised inside the program (the meridian's longitude, negated).
double printableCourse(double course);
// The same throughout in extended precision: the reference of the fast form.
CourseDistance courseAndDistanceExtended(const LatLng& from, const LatLng& to);
double distanceNm(const LatLng& from, const LatLng& to);
// The same haversine in double precision: for decisions that lie clear of
// their limit, where the extended-precision answer cannot differ.
double distanceNmFast(const LatLng& from, const LatLng& to);
// True when the two lie surely less than `nm` apart, from the degrees alone:
// along the meridian and then the parallel is never shorter than the great
// circle. No trigonometry, for the many short lines of a coast.
bool surelyWithinNm(const LatLng& from, const LatLng& to, double nm);
// The position reached on `course` after `distance` NM, and the final course.
// In double where the position's two printed decimals of minutes and the
// course are sure to match the extended computation, else extended.
Destination destination(const LatLng& from, double course, double distance);
Destination destinationExtended(const LatLng& from, double course, double distance);
// The initial course of the WGS-84 inverse solution, degrees true in [0, 360).
double ellipsoidInitialCourse(const LatLng& from, const LatLng& to);
// The same position; the final course from the WGS-84 inverse solution.
Destination destinationWithEllipsoidCourse(const LatLng& from, double course, double distance);

// How far, NM, `point` lies off the great-circle leg `from`-`to`: off its
// great circle, and where it is not abreast of the leg at least as far as
// from the nearer end.
double distanceFromLegNm(const LatLng& from, const LatLng& to, const LatLng& point);

// How far, NM, the foot of the perpendicular from `point` to the great circle
// through `from` and `to` lies from `from`, toward `to` positive: at the
// leg's length or beyond, `point` is abeam `to` or past it.
double alongTrackNm(const LatLng& from, const LatLng& to, const LatLng& point);

// The latitude, decimal degrees, at which the great circle through two points
// given in decimal degrees (longitude, latitude) meets the meridian `lng`.
// The two points must not lie on one meridian.
double greatCircleLatitudeAt(double lng1, double lat1, double lng2, double lat2, double lng);

}  // namespace korvant
