#pragma once
// What the XML plan readers share: the parsed root they read, and the
// finishing of a plan whose points may lack positions.
#include <pugixml.hpp>
#include <string>

#include "procedures/planreaders.h"

namespace korvant {

// A point as a reader found it: a position when the file gives one.
struct PlanPoint {
  std::string ident, kind, airway;
  std::optional<LatLng> position;
  int altitude = 0;
  int elapsedS = -1;
  std::optional<double> windKt;
};

// The points into the plan: a point without a position is found by name
// nearest the point before (the first nearest the next one that has a
// position), else left out and said. Refused past PLAN_WAYPOINT_LIMIT.
Result<FlightPlan> finishPlan(FlightPlan plan, const std::vector<PlanPoint>& points, const FixStore* fixes);

// A point's type as the plan formats spell it ("Airport", "AIRPORT", "apt",
// "VOR", "NDB", "Intersection", "INT", "wpt", ...) as the INI plan's letter:
// A, V, N, I, or U for anything else (a user point, a position).
std::string planKindOf(const std::string& type);

// An element's text, trimmed; "" when it is missing.
std::string childText(const pugi::xml_node& node, const char* name);
// A number written with a decimal point or a decimal comma.
std::optional<double> readPlanNumber(std::string text);

// Why a decimal position given as two texts (read into `lat` and `lng`) is no
// position on the Earth; empty when it is one or when neither text is given.
std::string planPositionFault(const std::string& latText, const std::string& lngText, std::optional<double> lat,
                              std::optional<double> lng);
// Why an altitude element's text is none (see altitudeFault); empty when it is one.
std::string planAltitudeFault(const std::string& text);

Result<FlightPlan> readSimXmlPlan(const pugi::xml_node& root, const FixStore* fixes);
Result<FlightPlan> readGarminPlan(const pugi::xml_node& root, const FixStore* fixes);
Result<FlightPlan> readOfpPlan(const pugi::xml_node& root, const FixStore* fixes);

}  // namespace korvant
