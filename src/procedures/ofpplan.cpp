// A planning service's operational flight plan saved as XML: the route is
// the navigation log's fixes (navlog/fix), without the climb and descent
// pseudo-points, between the origin and the destination airports. Its times
// are the planned take-off (times/est_off, else times/sched_off, seconds
// since 1970) and each fix's time from take-off (time_total, seconds); each
// fix has the wind component of the leg to it (wind_component, knots,
// tailwind positive); the ETOPS suitable airports are etops/suitable_airport.
#include <cmath>

#include "base/textops.h"
#include "procedures/planxml.h"
#include "procedures/routestring.h"

namespace korvant {

namespace {

// The node's position when it gives one; why it is none in `fault`.
std::optional<LatLng> positionOf(const pugi::xml_node& node, std::string& fault) {
  const std::string latText = childText(node, "pos_lat"), lngText = childText(node, "pos_long");
  const auto lat = readPlanNumber(latText), lng = readPlanNumber(lngText);
  fault = planPositionFault(latText, lngText, lat, lng);
  if (!fault.empty() || !lat || !lng) return std::nullopt;
  return LatLng{degreesToDegMin(*lat), degreesToDegMin(*lng)};
}

PlanPoint airport(const pugi::xml_node& node, std::string& fault) {
  PlanPoint p;
  p.ident = childText(node, "icao_code");
  p.kind = "A";
  p.position = positionOf(node, fault);
  if (!fault.empty()) fault = std::string(node.name()) + " " + p.ident.substr(0, 40) + ": " + fault;
  return p;
}

// A whole number from `low` to `high` in the node's child, else none: a time
// that is not one is left out rather than refusing a plan whose route is good.
std::optional<long long> timeIn(const pugi::xml_node& node, const char* name, double low, double high) {
  const std::optional<double> v = readPlanNumber(childText(node, name));
  if (!v || !(*v >= low && *v <= high)) return std::nullopt;
  return std::llround(*v);
}

// Take-offs from 2000 to 2100; a fix at most two days after it.
constexpr double kTakeoffLow = 946684800, kTakeoffHigh = 4102444800, kElapsedHigh = 2 * 86400;
constexpr double kWindHigh = 400;

// The fixes' times when they never go back; else none of them, since a log
// whose times run backwards cannot say which of them is wrong.
void keepTimesInOrder(std::vector<PlanPoint>& points) {
  int last = 0;
  for (const PlanPoint& p : points) {
    if (p.elapsedS < 0) continue;
    if (p.elapsedS < last) {
      for (PlanPoint& q : points) q.elapsedS = -1;
      return;
    }
    last = p.elapsedS;
  }
}

// The Mach flown in cruise: general/cruise_mach (0.82, or 82), else the
// first Mach of the speed and level groups of the filed route.
int cruiseMachOf(const pugi::xml_node& root) {
  if (const auto m = readPlanNumber(childText(root.child("general"), "cruise_mach"))) {
    const double hundredths = *m < 1 ? *m * 100 : *m;
    if (hundredths >= 30 && hundredths <= 99) return static_cast<int>(std::lround(hundredths));
  }
  for (const char* path : {"general/route", "atc/route"}) {
    const std::string route = root.first_element_by_path(path).text().as_string();
    std::size_t at = 0;
    while (at < route.size()) {
      const std::size_t end = std::min(route.find_first_of(" /.", at), route.size());
      const SpeedLevel group = readSpeedLevel(std::string_view(route).substr(at, end - at));
      if (group.machHundredths >= 30 && group.machHundredths <= 99) return group.machHundredths;
      at = end + 1;
    }
  }
  return 0;
}

}  // namespace

Result<FlightPlan> readOfpPlan(const pugi::xml_node& root, const FixStore* fixes) {
  FlightPlan plan;
  const pugi::xml_node general = root.child("general");
  plan.title = childText(general, "route");
  const std::string cruise = childText(general, "initial_altitude");
  if (std::string why = planAltitudeFault(cruise); !why.empty())
    return {std::nullopt, {planFault("initial_altitude " + cruise.substr(0, 40) + ": " + why)}};
  if (const auto feet = readPlanNumber(cruise)) plan.cruisingAltitude = std::to_string(std::lround(*feet));
  std::string fault;
  const PlanPoint origin = airport(root.child("origin"), fault);
  const PlanPoint destination = fault.empty() ? airport(root.child("destination"), fault) : PlanPoint{};
  if (!fault.empty()) return {std::nullopt, {planFault(fault)}};
  const pugi::xml_node times = root.child("times");
  plan.takeoffUtc = timeIn(times, "est_off", kTakeoffLow, kTakeoffHigh);
  if (!plan.takeoffUtc) plan.takeoffUtc = timeIn(times, "sched_off", kTakeoffLow, kTakeoffHigh);
  // A suitable airport without a good position is left out: the others still serve.
  for (const pugi::xml_node a : root.child("etops").children("suitable_airport")) {
    if (plan.etopsAirports.size() >= PLAN_WAYPOINT_LIMIT) break;
    std::string why;
    const PlanPoint p = airport(a, why);
    if (why.empty() && p.position && !p.ident.empty()) plan.etopsAirports.push_back({p.ident, *p.position});
  }
  plan.departureName = origin.ident;
  plan.destinationName = destination.ident;
  plan.destinationId = destination.ident;
  plan.cruiseMachHundredths = cruiseMachOf(root);
  std::vector<PlanPoint> points;
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
    p.position = positionOf(f, fault);
    if (!fault.empty()) return {std::nullopt, {planFault("fix " + p.ident.substr(0, 40) + ": " + fault)}};
    const std::string feet = childText(f, "altitude_feet");
    if (std::string why = planAltitudeFault(feet); !why.empty())
      return {std::nullopt,
              {planFault("fix " + p.ident.substr(0, 40) + ": altitude_feet " + feet.substr(0, 40) + ": " + why)}};
    if (const auto v = readPlanNumber(feet)) p.altitude = static_cast<int>(std::lround(*v));
    if (const auto t = timeIn(f, "time_total", 0, kElapsedHigh)) p.elapsedS = static_cast<int>(*t);
    // A component beyond any jet stream is no wind the plan means.
    if (const auto w = readPlanNumber(childText(f, "wind_component")); w && std::abs(*w) <= kWindHigh) p.windKt = *w;
    if (p.ident.empty() && !p.position) continue;
    points.push_back(std::move(p));
  }
  // The origin and destination when the log leaves them out.
  if (!origin.ident.empty() && (points.empty() || points.front().ident != origin.ident))
    points.insert(points.begin(), origin);
  if (!destination.ident.empty() && (points.empty() || points.back().ident != destination.ident))
    points.push_back(destination);
  if (points.empty()) return {std::nullopt, {planFault("no <navlog> fixes and no origin")}};
  keepTimesInOrder(points);
  return finishPlan(std::move(plan), points, fixes);
}

}  // namespace korvant
