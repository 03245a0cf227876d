#include "sky/legcourse.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geo/greatcircle.h"
#include "sky/magvar.h"

namespace korvant {

LegCourse legCourse(const LatLng& from, const LatLng& to) { return legCourse(from, to, MagneticModel()); }

LegCourse legCourse(const LatLng& from, const LatLng& to, const MagneticModel& model) {
  LegCourse leg;
  leg.isTrue = from.lat < -6500 || from.lat >= 7300;
  const double variation = leg.isTrue ? 0 : model.variation(from);
  const CourseDistance cd = courseAndDistance(from, to, variation);
  leg.trueCourse = cd.course;
  leg.midpoint = destination(from, cd.course, cd.distance / 2).position;
  leg.distance = std::round(cd.distance * 20) / 20;
  double course;
  if (leg.isTrue) {
    course = std::max(printableCourse(cd.course), 0.1);
  } else {
    course = magneticCourse(cd.course, variation);
  }
  leg.courseTenths = static_cast<int>(std::lround(course * 10));
  return leg;
}

std::string courseDegreesText(int courseTenths) {
  char text[16];
  std::snprintf(text, sizeof text, "%03d", (courseTenths + 5) / 10);
  return text;
}

std::string courseLabelText(int courseTenths, bool isTrue) {
  return " " + courseDegreesText(courseTenths) + "\xC2\xB0" + (isTrue ? "T " : " ");
}

}  // namespace korvant
