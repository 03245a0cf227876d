#pragma once
// The route the aircraft flies, as the progress follows it: the points of a
// flight plan, a route string or a stored track, in order, legs great circles.
#include <optional>
#include <string>
#include <vector>

#include "geo/latlng.h"

namespace korvant {

struct FlightPlan;
struct PlottedRoute;
struct ResolvedTrack;

struct FlightPoint {
  std::string ident;
  LatLng position;
  int levelFt = 0;                              // the plan's altitude at the point, 0 for none given
  int elapsedS = -1;                            // the plan's time from take-off, -1 for none given
  std::optional<double> windKt = std::nullopt;  // the plan's wind component on the leg to it
  // The speed filed from this point on (a route's speed and level groups):
  // Mach in hundredths or true airspeed in knots, 0 for none.
  int machHundredths = 0;
  int tasKt = 0;
};

struct FlightRoute {
  std::string name;  // "TRACK C", the plan's title, or the route string's label
  std::vector<FlightPoint> points;
  std::optional<double> takeoffUtc = std::nullopt;  // the plan's own

  bool empty() const { return points.empty(); }
};

// The plan's waypoints (not its user items).
FlightRoute flightRouteOf(const FlightPlan& plan);
FlightRoute flightRouteOf(const PlottedRoute& route);
FlightRoute flightRouteOf(const ResolvedTrack& track);

}  // namespace korvant
