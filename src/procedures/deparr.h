#pragma once
// One leg of a departure, arrival, approach or company route, as the PS1
// simulator's procedure files hold it, and what its type code means.
#include <string>

#include "geo/latlng.h"

namespace korvant {

struct DepArr {
  int type = 0;  // leg type code, 0 ... 255
  std::string fix;
  LatLng position{0, 0};
  int speed = 0;          // indicated airspeed, knots
  unsigned altitude = 0;  // the file's value: formatAltitude gives its text
  char restriction = ' ';
  int heading = 0;  // degrees, 0 ... 360
};

// How a leg gets from the previous point to its end.
enum class LegGroup {
  Direct,
  HeadingUntilAltitude,
  TrackUntilAltitude,
  HeadingUntilDme,
  HeadingUntilRadial,
  HeadingToIntercept,
  TurnDirect,
};

struct LegKind {
  LegGroup group = LegGroup::Direct;
  bool right = false;    // the turn direction the code selects
  bool known = false;    // an unknown code flies as direct and has no leg text
  bool descent = false;  // 61 ... 64 reach their altitude by descending
};

LegKind legKind(int type);

// Legs whose end is a fixed point of the file (not a computed one): they
// count towards the procedure's bounding box.
bool legHasFixedEnd(int type);

// Code 89 on a name such as RW27 or MM09: a runway or marker point.
bool isRunwayOrMarkerPoint(const DepArr& leg);

// The altitude text back in feet: FL350 is 35000, "3500" is 3500, the
// unknown forms 0.
int altitudeFeet(const std::string& altitude);

}  // namespace korvant
