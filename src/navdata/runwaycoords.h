#pragma once
// Where a procedure's runway lies: its midpoint and magnetic heading from
// the airport files of PS13DIR, the runway named by number and suffix.
#include <string>

#include "geo/latlng.h"
#include "navdata/simfiles.h"

namespace korvant {

enum class RunwaySuffix { None = 0, Left = 1, Centre = 2, Right = 3 };

struct RunwayCoords {
  bool ok = false;
  LatLng position = LatLng::unset();  // unset: the airport was not found
  int elevation = 0;                  // feet
  int heading = 0;                    // magnetic, whole degrees in 1 ... 360
  // The message box to show when not ok.
  std::string caption, text;
};

// The runway number a record answers to in its own direction, from its
// magnetic heading and rounding flags.
int runwayNumber(int magneticHeading, const SimAirportRecord& record);
// A runway's magnetic heading in whole degrees, 1 to 360, as the reader
// and the builder both compute it: the true heading plus the variation, cut.
int magneticRunwayHeading(double trueHeading, double variation);

// Runway `number` (1 ... 36) with `suffix` at `airport`. When the airport has
// no such runway, its own position and heading number x 10 (also when the
// airport is the last of its file).
RunwayCoords getRunwayCoords(const SimFiles& files, const std::string& airport, int number, RunwaySuffix suffix);

}  // namespace korvant
