// Garmin's .fpl: a waypoint table (identifier, type, country, decimal
// position) and a route naming table rows in flying order.
#include <cmath>
#include <map>
#include <tuple>

#include "base/textops.h"
#include "procedures/planxml.h"

namespace korvant {

Result<FlightPlan> readGarminPlan(const pugi::xml_node& root, const FixStore* fixes) {
  using Key = std::tuple<std::string, std::string, std::string>;  // identifier, type, country
  std::map<Key, PlanPoint> table;
  for (const pugi::xml_node w : root.child("waypoint-table").children("waypoint")) {
    if (table.size() > PLAN_WAYPOINT_LIMIT) break;
    PlanPoint p;
    p.ident = childText(w, "identifier");
    p.kind = planKindOf(childText(w, "type"));
    const auto lat = readPlanNumber(childText(w, "lat")), lng = readPlanNumber(childText(w, "lon"));
    if (std::string fault = planPositionFault(childText(w, "lat"), childText(w, "lon"), lat, lng); !fault.empty())
      return {std::nullopt, {planFault("waypoint " + p.ident.substr(0, 40) + ": " + fault)}};
    if (lat && lng) p.position = LatLng{degreesToDegMin(*lat), degreesToDegMin(*lng)};
    // A duplicate row: the first one stands.
    table.emplace(Key{p.ident, childText(w, "type"), childText(w, "country-code")}, std::move(p));
  }
  FlightPlan plan;
  const pugi::xml_node route = root.child("route");
  plan.title = childText(route, "route-name");
  std::vector<PlanPoint> points;
  for (const pugi::xml_node r : route.children("route-point")) {
    if (points.size() > PLAN_WAYPOINT_LIMIT) break;
    const Key key{childText(r, "waypoint-identifier"), childText(r, "waypoint-type"),
                  childText(r, "waypoint-country-code")};
    const auto it = table.find(key);
    if (it != table.end()) {
      points.push_back(it->second);
    } else {
      // Not in the table: found by name as a plan without positions is.
      PlanPoint p;
      p.ident = std::get<0>(key);
      p.kind = planKindOf(std::get<1>(key));
      points.push_back(std::move(p));
    }
  }
  if (points.empty()) return {std::nullopt, {planFault("no <route-point> in the route")}};
  return finishPlan(std::move(plan), points, fixes);
}

}  // namespace korvant
