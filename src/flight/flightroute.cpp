#include "flight/flightroute.h"

#include "procedures/flightplan.h"
#include "procedures/plottedroute.h"
#include "tracks/resolvedtrack.h"

namespace korvant {

FlightRoute flightRouteOf(const FlightPlan& plan) {
  FlightRoute route{plan.title, {}};
  if (plan.takeoffUtc) route.takeoffUtc = static_cast<double>(*plan.takeoffUtc);
  for (const UW_Wpt& w : plan.waypoints)
    if (!w.isUserItem() && !w.position.isUnset())
      route.points.push_back({w.identifier, w.position, w.altitude, w.elapsedS, w.windKt});
  return route;
}

FlightRoute flightRouteOf(const PlottedRoute& plotted) {
  FlightRoute route{plotted.label, {}};
  for (const PlottedPoint& p : plotted.points)
    if (!p.position.isUnset()) route.points.push_back({p.name, p.position, 0});
  return route;
}

FlightRoute flightRouteOf(const ResolvedTrack& track) {
  FlightRoute route{"TRACK " + track.name, {}};
  for (const TrackFix& f : track.fixes)
    if (!f.position.isUnset()) route.points.push_back({f.name, f.position, 0});
  return route;
}

}  // namespace korvant
