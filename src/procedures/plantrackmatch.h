#pragma once
// Which of the stored tracks a flight plan flies: a run of three or more plan
// points, each within 1 NM of consecutive points of one track, flies that
// track between the run's ends. A plan that names a track in its route text
// but leaves it is said too: the day's tracks changed after it was made.
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "navdata/fixstore.h"
#include "procedures/flightplan.h"
#include "procedures/plottedroute.h"
#include "tracks/tracksets.h"

namespace korvant {

inline constexpr double TRACK_MATCH_NM = 1.0;
inline constexpr std::size_t TRACK_MATCH_POINTS = 3;

struct PlanTrackRun {
  char letter = 0;
  std::string name;                           // "NAT S", "PACOTS 1", "AUSOTS SY16"
  std::size_t first = 0, last = 0;            // plan waypoint indexes of the run
  std::size_t trackFirst = 0, trackLast = 0;  // the track's fixes it flies
  std::string from, to;  // the track's fixes at its ends: their names, or positions as "5330N/05000W"
  TrackFamily family = TrackFamily::NorthAtlantic;
};

std::vector<PlanTrackRun> planTrackRuns(const FlightPlan& plan, const TrackSets& tracks);

// The report's lines: "FLIES NAT S FROM 5330N/05000W TO 5420N/02000W" (the
// track's fixes by name where they have one; with "  VALID", "  EXPIRED ..."
// at `at` when the set has a validity) or "FOLLOWS NO STORED TRACK"; "THE
// PLAN'S NAT S DIFFERS FROM TODAY'S NAT S AT ..." for a track the plan's
// title or points name but do not fly, and "THE PLAN LEAVES NAT S AT ...,
// BEFORE ..." for one it names and flies only a part of.
std::vector<std::string> planTrackLines(const FlightPlan& plan, const TrackSets& tracks, std::optional<std::time_t> at);

// "5330N/05000W": whole minutes, as the track messages write positions.
std::string minutePosition(const LatLng& position);

// A route's points as a plan's, for the same lines and labels as a plan's.
FlightPlan routeAsPlan(const std::vector<TrackFix>& points);

// The stored tracks the plan shown and the route string fly, as the map
// names them: worked out when one of the three changes, not at each paint.
struct PlannedTrackRuns {
  std::vector<PlanTrackRun> plan, route;
  FlightPlan routePlan;  // a route string's points as a plan, whose legs the route's runs index
};
PlannedTrackRuns plannedTrackRuns(const FlightPlan& plan, const PlottedRoute& route, const TrackSets& tracks);

}  // namespace korvant
