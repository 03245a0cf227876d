// A planning service's operational flight plan saved as XML: the route is
// the navigation log's fixes (navlog/fix), without the climb and descent
// pseudo-points, between the origin and the destination airports.
#include <cmath>

#include "base/textops.h"
#include "procedures/planxml.h"

namespace korvant {

namespace {

std::optional<LatLng> positionOf(const pugi::xml_node& node) {
  const auto lat = readPlanNumber(childText(node, "pos_lat")), lng = readPlanNumber(childText(node, "pos_long"));
  if (!lat || !lng || std::fabs(*lat) > 90 || std::fabs(*lng) > 180) return std::nullopt;
  return LatLng{degreesToDegMin(*lat), degreesToDegMin(*lng)};
}

PlanPoint airport(const pugi::xml_node& node) {
  PlanPoint p;
  p.ident = childText(node, "icao_code");
  p.kind = "A";
  p.position = positionOf(node);
  return p;
}

}  // namespace

Result<FlightPlan> readOfpPlan(const pugi::xml_node& root, const FixStore* fixes) {
  FlightPlan plan;
  const pugi::xml_node general = root.child("general");
  plan.title = childText(general, "route");
  if (const auto feet = readPlanNumber(childText(general, "initial_altitude")))
    plan.cruisingAltitude = std::to_string(std::lround(*feet));
  const PlanPoint origin = airport(root.child("origin")), destination = airport(root.child("destination"));
  plan.departureName = origin.ident;
  plan.destinationName = destination.ident;
  std::vector<PlanPoint> points;
  Messages said;
  for (const pugi::xml_node f : root.child("navlog").children("fix")) {
    if (points.size() > PLAN_WAYPOINT_LIMIT) break;
    PlanPoint p;
    p.ident = childText(f, "ident");
    const std::string type = toUpper(childText(f, "type"));
    // Top of climb and top of descent are points of the profile, not of the route.
    if (p.ident == "TOC" || p.ident == "TOD") continue;
    p.kind = planKindOf(type);
    p.airway = childText(f, "via_airway");
    if (p.airway == "DCT" || p.airway == "DIRECT") p.airway.clear();
    p.position = positionOf(f);
    if (!p.position && (!childText(f, "pos_lat").empty() || !childText(f, "pos_long").empty()))
      said.push_back({"", "fix " + p.ident.substr(0, 40) + ": position out of range", MessageIcon::None});
    if (const auto feet = readPlanNumber(childText(f, "altitude_feet")); feet && *feet > -2000 && *feet < 100000)
      p.altitude = static_cast<int>(*feet);
    if (p.ident.empty() && !p.position) continue;
    points.push_back(std::move(p));
  }
  // The origin and destination when the log leaves them out.
  if (!origin.ident.empty() && (points.empty() || points.front().ident != origin.ident))
    points.insert(points.begin(), origin);
  if (!destination.ident.empty() && (points.empty() || points.back().ident != destination.ident))
    points.push_back(destination);
  if (points.empty()) return {std::nullopt, {{"", "no <navlog> fixes and no origin", MessageIcon::None}}};
  Result<FlightPlan> result = finishPlan(std::move(plan), points, fixes);
  result.messages.insert(result.messages.begin(), said.begin(), said.end());
  return result;
}

}  // namespace korvant
