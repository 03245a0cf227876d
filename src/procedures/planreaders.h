#pragma once
// The flight plans pilots have today, each read into the one FlightPlan the
// map, the report and the writers use: today's simulators' XML .pln,
// X-Plane's .fms, Garmin's .fpl, a planning service's OFP saved as XML, and
// the 2004 simulator's INI .PLN. The format is told from the content, so a
// misnamed file still reads.
#include <string_view>

#include "base/problem.h"
#include "base/result.h"
#include "navdata/fixstore.h"
#include "procedures/flightplan.h"

namespace korvant {

enum class PlanFileFormat { None, Ini, SimXml, XPlaneFms, GarminFpl, PlannerOfp };

PlanFileFormat planFileFormatOf(std::string_view text);

// Reads any of the formats. A point that gives no position (the newest
// simulator writes only names) is found by name in `fixes`, the one nearest
// the point before; one that is not found is left out and said.
// What is wrong in a plan file that refuses it: where and what, in the
// file's own terms ("fix DINIM: altitude_feet X: not a number").
inline Problem planFault(std::string what, Reason reason = Reason::PlanFault) {
  Problem p{reason, {}, 0, std::move(what)};
  p.refused = true;
  return p;
}

inline Problem tooManyPlanPoints() {
  Problem p = planFault({}, Reason::PlanTooManyPoints);
  p.count = static_cast<long long>(PLAN_WAYPOINT_LIMIT);
  return p;
}
// A point off the Earth or at no altitude, on a line of the file.
inline Problem planLineFault(int line, std::string fault) {
  Problem p = planFault(std::move(fault), Reason::PlanPointOutOfRange);
  p.line = line;
  return p;
}

Result<FlightPlan> readAnyFlightPlan(std::string_view text, const FixStore* fixes);

// The readers behind it, for text known to be of their format.
Result<FlightPlan> readFmsPlan(std::string_view text);
Result<FlightPlan> readXmlPlan(std::string_view text, const FixStore* fixes);  // .pln, .fpl or OFP

// "N51° 28' 38.00"" (the degree sign in UTF-8 or Latin-1, or '*'), "W0° 27'
// 41.00"", in the packed unit; nothing when it is no such text or off the
// Earth, with why in `fault`.
std::optional<double> readWorldCoordinate(std::string_view text, bool latitude, std::string* fault = nullptr);

}  // namespace korvant
