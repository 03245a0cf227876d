#pragma once
// A procedure or route flown leg by leg, as positions: what the map draws
// of it, so that it can be tested, fitted and reported without a canvas.
#include <string>
#include <vector>

#include "base/problem.h"
#include "geo/latlng.h"

namespace korvant {

struct ProcedureShape {
  enum class Kind {
    Line,         // a leg, straight on the map
    GreatCircle,  // a route's leg, or the line between its airports
    Arc,          // a turn from `a` to `b` round `centre`
    CourseLine,   // a course through a station, dotted
  };
  Kind kind = Kind::Line;
  LatLng a, b, centre;
  bool right = false;  // arcs: a right turn
  int width = 1;
};

struct FixMarker {
  LatLng position;
  std::string label;                       // "NAME [11]"
  std::vector<std::string> waypointLines;  // shown with the waypoint data switch
};

struct ProcedureGeometry {
  std::vector<ProcedureShape> shapes;  // in drawing order
  std::vector<FixMarker> markers;
  std::vector<std::string> runwayAirports;  // whose runways are drawn
  std::vector<LatLng> legEnds;              // where each leg ended, in file order
  Problems problems;                        // said once, when the file is loaded
  // The runway of a procedure, for the title block.
  bool runwayFound = false;
  LatLng runway = LatLng::unset();
  int elevation = 0;
  double variation = 0;  // at the last leg's start, degrees, west positive

  // Packed degrees and minutes: the extent of everything drawn.
  struct Bounds {
    double south = 10000, north = -10000, west = 20000, east = -20000;
    bool empty() const { return south > north; }
    void add(const LatLng& p);  // unset positions are left out
  };
  Bounds bounds() const;
};

}  // namespace korvant
