#include "flight/flightroute.h"

#include "procedures/flightplan.h"
#include "procedures/plottedroute.h"
#include "procedures/routestring.h"
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

// A group filed at a point holds from it on, until the next says otherwise.
FlightRoute flightRouteOf(const PlottedRoute& plotted) {
  FlightRoute route{plotted.label, {}};
  FlightPoint filed;
  auto change = plotted.filed.begin();
  for (std::size_t i = 0; i < plotted.points.size(); ++i) {
    const PlottedPoint& p = plotted.points[i];
    SpeedLevel group;
    for (; change != plotted.filed.end() && change->point <= i; ++change)
      if (change->point == i) group = readSpeedLevel(change->group);
    if (p.position.isUnset()) continue;
    if (group.levelFt > 0) filed.levelFt = group.levelFt;
    if (group.machHundredths > 0 || group.tasKt > 0) {
      filed.machHundredths = group.machHundredths;
      filed.tasKt = group.tasKt;
    }
    FlightPoint point = filed;
    point.ident = p.name;
    point.position = p.position;
    route.points.push_back(std::move(point));
  }
  return route;
}

FlightRoute flightRouteOf(const ResolvedTrack& track) {
  FlightRoute route{"TRACK " + track.name, {}};
  for (const TrackFix& f : track.fixes)
    if (!f.position.isUnset()) route.points.push_back({f.name, f.position, 0});
  return route;
}

}  // namespace korvant
