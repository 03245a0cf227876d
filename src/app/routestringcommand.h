#pragma once
// A route string pasted in: read against the day's tracks, drawn over them
// as a flight plan is drawn, the view fitted to it.
#include <string>
#include <string_view>

#include "app/context.h"
#include "procedures/routestring.h"
#include "tracks/trackplan.h"

namespace korvant {

struct RouteStringOutcome {
  RouteStringRead route;
  bool drawn = false;
  std::string error;  // why nothing was drawn: a track not stored, no two known points
  std::string notes;  // the words not resolved or not expanded, or empty
};

// A blank text takes the route off the map. The text is kept for the next
// time the dialog opens.
RouteStringOutcome showRouteString(AppContext& app, std::string_view text);

// The route string drawn on the map written as a flight plan by the
// extension of `path` (see planFormatFor); on failure `error` says why and an
// existing file is left as it was.
bool saveRouteStringPlan(const AppContext& app, const std::string& path, bool fs2004, std::string& error);

// A drawn route as a flight plan: its first and last points the airports,
// the points between them its waypoints. `holder` keeps the waypoints for the plan.
TrackPlan routeStringPlan(const PlottedRoute& route, ResolvedTrack& holder);
// A flight plan read in any format, as the writers take it: its first and
// last points the ends, the rest in `holder` (named by the plan's title), so
// it is written in any of the formats the program writes.
TrackPlan flightPlanAsTrackPlan(const FlightPlan& flightPlan, ResolvedTrack& holder);

}  // namespace korvant
