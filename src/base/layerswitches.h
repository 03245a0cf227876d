#pragma once
// The map window's switches: what is drawn and how. The menu check marks
// mirror these values.
#include <string>
#include <string_view>
#include <vector>

namespace korvant {

// One switch per item of the DAFIF menu, and the Special Use switches that
// only the property sheet edits.
struct DafifSwitches {
  bool symbolsDafifOnly = false;
  bool airports7000 = false, airports5000 = false, airports3000 = false, airports0 = false;
  bool runways = false, runwayNumbers = false, fullName = false;
  bool atsBoth = false, atsHigh = false, atsLow = false;
  bool ids = false, radials = false, segmentDistances = false, ortca = false;
  bool vorHA = false, vorL = false, vorT = false, ndbHHHU = false, ndbMHOther = false;
  bool wptB = false, wptH = false, wptL = false, wptR = false, wptT = false;
  bool prohibited = false, restricted = false, moa = false, warning = false;
  bool alert = false, danger = false, temp = false, refuel = false;

  bool operator==(const DafifSwitches&) const = default;

  // The switches that draw something (all but the Special Use items).
  std::vector<bool*> drawing() {
    return {&symbolsDafifOnly,
            &airports7000,
            &airports5000,
            &airports3000,
            &airports0,
            &runways,
            &runwayNumbers,
            &fullName,
            &atsBoth,
            &atsHigh,
            &atsLow,
            &ids,
            &radials,
            &segmentDistances,
            &ortca,
            &vorHA,
            &vorL,
            &vorT,
            &ndbHHHU,
            &ndbMHOther,
            &wptB,
            &wptH,
            &wptL,
            &wptR,
            &wptT};
  }
};

struct LayerSwitches {
  bool autoRedraw = false;
  bool videoColor = false;
  bool printerColor = false;
  bool kilometerDistances = false;
  bool showUserTxt = false;
  bool landscape = false;
  bool portrait = false;
  bool useCurrentTime = false;
  bool showParameters = false;

  bool facilityBoundaries = false;
  bool terrain = false;
  bool latLongGrid = false;
  bool latLongLabels = false;
  bool ticks1 = false;
  bool ticks5 = false;

  bool symbolsNonDafif = false;
  bool ownWaypoints = false;
  bool ownStations = false;
  bool ownAirports = false;
  bool obsoleteWaypoints = false;
  bool waypointData = false;

  bool etops = false;

  bool routeDistances = false;
  bool routeBearings = false;
  bool routeGroup[8] = {};  // routeGroup[0] is route group 1
  bool ps1Procedure = false;
  bool ps1Route = false;
  bool ps1Wpt = false;
  bool ps1Sta = false;
  bool ps1Apt = false;

  bool showTerminator = false;
  bool showCivilTwilight = false;
  bool showNext6Hours = false;
  bool variation = false;
  // Labels that would overlap are moved or left out, by priority.
  bool declutter = false;
  // Only the tracks valid at the terminator's time are drawn.
  bool validTracksOnly = false;
  // The airways and navaids of the pilot's navigation data (NavDataDir).
  bool navDataAirways = false;
  bool navDataNavaids = false;

  DafifSwitches dafif;

  bool operator==(const LayerSwitches&) const = default;
};

}  // namespace korvant
