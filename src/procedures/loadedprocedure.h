#pragma once
// The one procedure or route the program holds: what was read, where from,
// and the legs as flown. A new read replaces it whole, or not at all.
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "navdata/fixstore.h"
#include "procedures/deparr.h"
#include "procedures/flightplan.h"
#include "procedures/proceduregeometry.h"
#include "procedures/proceduresource.h"

namespace korvant {

struct LoadedProcedure {
  ProcedureSource source;
  std::vector<DepArr> legs;
  std::string title;  // the airport, or a route's "KJFK-EGLL"
  std::string fileDate;
  bool procedureShown = false;
  bool routeShown = false;
  ProcedureGeometry geometry;
  FlightPlan plan;  // a route file of kind 2

  bool shown() const { return procedureShown || routeShown; }
};

// A procedure file (route = false) or route file read as the menu's
// commands read it; nothing when the file was refused, the reason among the
// messages. The geometry is left for the caller to fly.
// A flight plan's points that give no position are found by name in `fixes`.
Result<LoadedProcedure> readLoadedProcedure(const std::string& path, bool route, const FixStore* fixes = nullptr);

}  // namespace korvant
