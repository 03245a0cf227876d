#pragma once
// The course and distance of a leg as the map labels them: magnetic, or true
// near the poles where magnetic courses mean little.
#include <string>

#include "geo/latlng.h"
#include "sky/magvar.h"

namespace korvant {

struct LegCourse {
  double trueCourse = 0;  // initial great-circle course, degrees true
  double distance = 0;    // NM, to the nearest 0.05
  LatLng midpoint;
  int courseTenths = 0;  // the labelled course in tenths of a degree
  bool isTrue = false;   // the label gives the true course
};

LegCourse legCourse(const LatLng& from, const LatLng& to);
// The same with the variation of `model`.
LegCourse legCourse(const LatLng& from, const LatLng& to, const MagneticModel& model);

// "086" from a course in tenths: whole degrees, three digits.
std::string courseDegreesText(int courseTenths);
// The map's label: " 086° " for a magnetic course, " 086°T " for a true one.
std::string courseLabelText(int courseTenths, bool isTrue);

}  // namespace korvant
