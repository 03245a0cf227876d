#include "app/routestringcommand.h"

#include <algorithm>

#include "app/citypair.h"
#include "app/problemwords.h"
#include "base/textops.h"
#include "geo/positiontext.h"

namespace korvant {

namespace {

// Packed longitudes one after the other, each within 180 degrees of the one
// before, so that a route over the antimeridian has one west and one east end.
void fitToRoute(MapView& view, const std::vector<TrackFix>& points) {
  double south = 9000, north = -9000, west = 0, east = 0, previous = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const LatLng& p = points[i].position;
    const double lng = i > 0 ? packedLongitudeNear(p.lng, previous) : p.lng;
    previous = lng;
    south = std::min(south, p.lat);
    north = std::max(north, p.lat);
    west = i == 0 ? lng : std::min(west, lng);
    east = i == 0 ? lng : std::max(east, lng);
  }
  view.kind = ProjectionKind::Lambert;
  view.fitToExtent(south, north, wrapPackedLongitude(west), wrapPackedLongitude(east));
}

std::string joined(const char* title, const std::vector<std::string>& words) {
  if (words.empty()) return {};
  std::string text = title;
  for (const std::string& w : words) text += " " + w;
  return text + "\n";
}

}  // namespace

RouteStringOutcome showRouteString(AppContext& app, std::string_view text) {
  RouteStringOutcome outcome;
  app.routeString = std::string(text);
  outcome.route = readRouteString(text, app.tracks, app.fixes, &*app.sim);
  const RouteStringRead& route = outcome.route;
  const bool blank = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
  if (blank) {
    clearPlottedRoute(app);
    return outcome;
  }
  for (const std::string& missing : route.missingTracks) outcome.error += missing + "\n";
  if (outcome.error.empty() && route.points.size() < 2)
    outcome.error = "THE ROUTE STRING NAMES FEWER THAN TWO KNOWN POINTS\n";
  outcome.notes = joined("NOT RESOLVED:", route.unresolved) + joined("NOT EXPANDED, FLOWN DIRECT:", route.notExpanded);
  for (const std::string& note : route.notes) outcome.notes += note + "\n";
  if (route.cut) outcome.notes += "ONLY THE FIRST " + std::to_string(ROUTE_STRING_WORDS) + " WORDS WERE READ\n";
  if (!outcome.error.empty()) return outcome;

  closeRoutePlan(app);
  PlottedRoute plotted;
  for (const TrackFix& p : route.points) plotted.points.push_back({p.name, p.position, true, p.kind});
  for (const SpeedLevelChange& c : route.changes) plotted.filed.push_back({c.point, c.group});
  plotted.directLine = true;
  plotted.routeString = true;
  app.plottedRoute = std::move(plotted);
  fitToRoute(app.view, route.points);
  // Shown with the tracks, not on the procedure map.
  app.procedureMap = false;
  app.checkedPreset.clear();
  outcome.drawn = true;
  return outcome;
}

bool saveRouteStringPlan(const AppContext& app, const std::string& path, bool fs2004, std::string& error) {
  const std::optional<PlanFormat> format = planFormatFor(path, fs2004);
  if (!format) {
    error = fs2004 ? "the 2004 simulator's plan ends in .pln" : "a flight plan ends in .pln or .fms";
    return false;
  }
  // What the map shows is what is saved.
  if (!app.plottedRoute->routeString || app.plottedRoute->points.size() < 2) {
    error = "no route string is drawn: read one first";
    return false;
  }
  ResolvedTrack waypoints;
  TrackPlan plan = routeStringPlan(app.plottedRoute, waypoints);
  plan.cycle = airacCycle(app.clock.now());
  const Problems problems = saveTrackPlan(path, plan, *format);
  if (!problems.empty()) error = wordProblem(problems.front()).text;
  return problems.empty();
}

TrackPlan flightPlanAsTrackPlan(const FlightPlan& flightPlan, ResolvedTrack& holder) {
  holder = {};
  holder.name = flightPlan.title;
  TrackPlan plan;
  plan.track = &holder;
  // The plan's kinds as the fix file's: A airport, V VOR, N NDB, I fix, else
  // a user point or position, written back as one.
  const auto kindOf = [](const std::string& type) {
    return type == "A"   ? FIX_KIND_AIRPORT
           : type == "V" ? FIX_KIND_VOR
           : type == "N" ? FIX_KIND_NDB
           : type == "I" ? FIX_KIND_WAYPOINT
                         : FIX_KIND_USER;
  };
  std::vector<const UW_Wpt*> points;
  for (const UW_Wpt& w : flightPlan.waypoints)
    if (!w.isUserItem()) points.push_back(&w);
  if (points.empty()) return plan;
  // Each point's airway and altitude go along, so that a plan converted to
  // another format says what the plan said.
  const auto end = [&](const UW_Wpt& w) { return PlanAirport{w.identifier, w.position, kindOf(w.type), w.altitude}; };
  plan.departure = end(*points.front());
  plan.destination = end(*points.back());
  for (std::size_t i = 1; i + 1 < points.size(); ++i)
    holder.fixes.push_back(
        {points[i]->identifier, points[i]->position, kindOf(points[i]->type), points[i]->text, points[i]->altitude});
  if (const int feet = static_cast<int>(readLeadingInt(flightPlan.cruisingAltitude)); feet > 0)
    plan.cruisingFeet = feet;
  return plan;
}

TrackPlan routeStringPlan(const PlottedRoute& route, ResolvedTrack& holder) {
  holder = {};
  TrackPlan plan;
  plan.track = &holder;
  const std::vector<PlottedPoint>& points = route.points;
  if (points.empty()) return plan;
  // An end that is no airport is written as what it is, a position as a user
  // point; an unknown name stays an airport.
  const auto end = [](const PlottedPoint& p) {
    LatLng read;
    const int kind = parsePositionText(p.name, read) ? FIX_KIND_USER : p.kind < 0 ? FIX_KIND_AIRPORT : p.kind;
    return PlanAirport{p.name, p.position, kind};
  };
  plan.departure = end(points.front());
  plan.destination = end(points.back());
  for (std::size_t i = 1; i + 1 < points.size(); ++i)
    holder.fixes.push_back({points[i].name, points[i].position, points[i].kind});
  return plan;
}

}  // namespace korvant
