// Today's simulators' XML .pln: SimBase.Document > FlightPlan.FlightPlan with
// its ATCWaypoint elements, each with a WorldPosition, or (the newest
// simulator) only an identifier and a region.
#include <cmath>

#include "base/textops.h"
#include "procedures/planxml.h"

namespace korvant {

namespace {

// "N51° 28' 38.00",W0° 27' 41.00",+000083.00": latitude, longitude, feet.
// A decimal comma in the altitude makes a fourth field.
bool readWorldPosition(const std::string& text, PlanPoint& point, std::string& fault) {
  std::vector<std::string> fields;
  std::size_t at = 0;
  while (fields.size() < 5) {
    const std::size_t comma = text.find(',', at);
    fields.push_back(text.substr(at, comma == std::string::npos ? std::string::npos : comma - at));
    if (comma == std::string::npos) break;
    at = comma + 1;
  }
  if (fields.size() < 2) {
    fault = "no longitude";
    return false;
  }
  const auto lat = readWorldCoordinate(fields[0], true, &fault);
  const auto lng = lat ? readWorldCoordinate(fields[1], false, &fault) : std::nullopt;
  if (!lat || !lng) return false;
  point.position = LatLng{*lat, *lng};
  if (fields.size() >= 3) {
    const std::string feet = fields.size() == 4 ? fields[2] + "." + fields[3] : fields[2];
    if (fault = planAltitudeFault(feet); !fault.empty()) return false;
    if (const auto v = readPlanNumber(feet)) point.altitude = static_cast<int>(std::lround(*v));
  }
  return true;
}

}  // namespace

Result<FlightPlan> readSimXmlPlan(const pugi::xml_node& root, const FixStore* fixes) {
  const pugi::xml_node fp = root.child("FlightPlan.FlightPlan");
  if (!fp) return {std::nullopt, {planFault("no <FlightPlan.FlightPlan> element")}};
  FlightPlan plan;
  plan.title = childText(fp, "Title");
  const std::string cruise = childText(fp, "CruisingAlt");
  if (std::string why = planAltitudeFault(cruise); !why.empty())
    return {std::nullopt, {planFault("CruisingAlt " + cruise.substr(0, 40) + ": " + why)}};
  if (const auto feet = readPlanNumber(cruise)) plan.cruisingAltitude = std::to_string(std::lround(*feet));
  plan.departureName = childText(fp, "DepartureName");
  plan.destinationName = childText(fp, "DestinationName");
  plan.destinationId = childText(fp, "DestinationID");
  std::vector<PlanPoint> points;
  for (const pugi::xml_node w : fp.children("ATCWaypoint")) {
    if (points.size() > PLAN_WAYPOINT_LIMIT) break;
    PlanPoint p;
    p.ident = childText(w.child("ICAO"), "ICAOIdent");
    if (p.ident.empty()) p.ident = w.attribute("id").as_string();
    p.kind = planKindOf(childText(w, "ATCWaypointType"));
    p.airway = childText(w, "ATCAirway");
    const std::string where = childText(w, "WorldPosition");
    // A position that is given and is none is a damaged file: no route is
    // drawn or written from it.
    if (std::string fault; !where.empty() && !readWorldPosition(where, p, fault))
      return {std::nullopt,
              {planFault("ATCWaypoint " + p.ident.substr(0, 40) + ": WorldPosition " + where.substr(0, 60) + ": " +
                         fault)}};
    if (p.ident.empty() && !p.position) continue;
    points.push_back(std::move(p));
  }
  return finishPlan(std::move(plan), points, fixes);
}

}  // namespace korvant
