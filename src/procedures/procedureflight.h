#pragma once
// The legs of a loaded procedure or route flown as an aircraft would: from
// the runway or the start airport, turning at 25 degrees of bank, climbing
// 400 ft a mile, to each fix, altitude, DME arc, radial or course.
#include <string>
#include <vector>

#include "base/diagnostics.h"
#include "navdata/simfiles.h"
#include "procedures/deparr.h"
#include "procedures/proceduregeometry.h"
#include "procedures/proceduresource.h"

namespace korvant {

// Climb and descent gradient: 400 ft a mile.
inline constexpr double NM_PER_FOOT_OF_CLIMB = 0.0025;

struct ProcedureFlightInput {
  const std::vector<DepArr>& legs;
  const ProcedureSource& source;
  const std::string& title;  // the airport, or a route's "KJFK-EGLL"
};

// Every failure is kept as a message in the result, never shown here.
ProcedureGeometry flyProcedure(const ProcedureFlightInput& input, const SimFiles& sim,
                               DiagnosticStream* dump = nullptr);

}  // namespace korvant
