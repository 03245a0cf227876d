#pragma once
// A route drawn over the day's tracks: a route string read, or the legs that
// join a city pair to its best track. Its legs are great circles.
#include <string>
#include <vector>

#include "geo/latlng.h"

namespace korvant {

enum class LegStyle : unsigned char {
  Solid,
  Dashed,  // a connection the track itself does not fly
  Hidden,  // drawn already by another layer, as a track's own legs
};

struct PlottedPoint {
  std::string name;
  LatLng position;
  bool marked = true;  // a labelled triangle
  int kind = -1;       // the fix file's kind, for the flight plans written from it
};

// A speed and level group filed at a point (ETARI/M082F300): from it on.
struct FiledSpeedLevel {
  std::size_t point = 0;
  std::string group;
};

struct PlottedRoute {
  std::vector<PlottedPoint> points;
  std::vector<LegStyle> legs;          // legs[i] joins points[i] and points[i + 1]
  bool directLine = false;             // the thin great circle from the first point to the last
  bool routeString = false;            // a route string's points, as flown: it can be saved as a flight plan
  std::string label;                   // written beside the first leg drawn ("TRACK C"), or empty
  std::vector<FiledSpeedLevel> filed;  // in the order of their points

  bool empty() const { return points.empty(); }
  LegStyle leg(std::size_t i) const { return i < legs.size() ? legs[i] : LegStyle::Solid; }
};

}  // namespace korvant
