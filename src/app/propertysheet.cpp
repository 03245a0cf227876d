#include "app/propertysheet.h"

#include <algorithm>

#include "app/menutable.h"

namespace korvant {

namespace {

constexpr PropertyBox kFixes[] = {
    {172, "Fix Symbols", cmd::SymbolsNonDafif},
    {173, "747WPT.DAT", cmd::Ps1Wpt},
    {175, "747*.STA", cmd::Ps1Sta},
    {176, "747*.APT", cmd::Ps1Apt},
    {115, "Korvant Waypoints", cmd::OwnWaypoints},
    {116, "Korvant Stations", cmd::OwnStations},
    {117, "Korvant Airports", cmd::OwnAirports},
    {118, "Obsolete Waypoints", cmd::ObsoleteWaypoints},
};

constexpr PropertyBox kRoutes[] = {
    {149, "Nat/Pacots Eastbound", cmd::RouteGroup1},
    {150, "Nat/Pacots Westbound", cmd::RouteGroup2},
    {103, "Atlantic", cmd::RouteGroup3},
    {157, "Polar", cmd::RouteGroup4},
    {159, "North Pacific", cmd::RouteGroup5},
    {164, "South Pacific", cmd::RouteGroup6},
    {107, "North/South America", cmd::RouteGroup7},
    {108, "Europe/Asia/Africa", cmd::RouteGroup8},
    {109, "Route Distances", cmd::RouteDistances},
    {170, "Route Bearings", cmd::RouteBearings},
};
constexpr int kRouteGroupBoxes[] = {149, 150, 103, 157, 159, 164, 107, 108};
constexpr PropertyButton kRouteButtons[] = {
    {111, "All Routes ON", kRouteGroupBoxes, true},
    {112, "All Routes OFF", kRouteGroupBoxes, false},
};

constexpr PropertyBox kLines[] = {
    {101, "Facility Boundaries", cmd::FacilityBoundaries},
    {151, "Terrain", cmd::Terrain},
    {154, "Lat/Long Grid", cmd::LatLongGrid},
    {104, "Lat/Long Labels", cmd::LatLongLabels},
};

constexpr PropertyBox kMisc[] = {
    {148, "Kilometer Distances", cmd::KilometerDistances},
    {152, "Variation", cmd::Variation},
    {155, "Waypoint Data", cmd::WaypointData},
    {156, "Printer - Use Color", cmd::PrinterColor},
    {161, "Video - Use Color", cmd::VideoColor},
    {162, "Auto Redraw", cmd::AutoRedraw},
    {177, "Declutter Labels", cmd::Declutter},
};

constexpr PropertyBox kTerminator[] = {
    {160, "Show Terminator", cmd::ShowTerminator},
    {163, "Show Civil Twilight", cmd::ShowCivilTwilight},
    {165, "Show Next 6 Hours", cmd::ShowNext6Hours},
    {167, "Use Current Time", cmd::UseCurrentTime},
};
constexpr PropertyButton kTerminatorButtons[] = {{119, "Set Start Time ...", {}, false, true}};

enum Column { Airports, Airways, Navaids, Waypoints, SpecialUse };
constexpr PropertyBox kDafif[] = {
    {144, "Airport 7000+", cmd::DafifAirports7000, Airports},
    {145, "Airport 5000-6999", cmd::DafifAirports5000, Airports},
    {146, "Airport 3000-4999", cmd::DafifAirports3000, Airports},
    {147, "Airport 0-2999", cmd::DafifAirports0, Airports},
    {215, "Runways", cmd::DafifRunways, Airports},
    {214, "Rwy Numbers", cmd::DafifRunwayNumbers, Airports},
    {213, "Full Name", cmd::DafifFullName, Airports},
    {105, "ATS B", cmd::DafifAtsBoth, Airways},
    {106, "ATS H", cmd::DafifAtsHigh, Airways},
    {153, "ATS L", cmd::DafifAtsLow, Airways},
    {102, "IDs", cmd::DafifIds, Airways},
    {217, "Radials", cmd::DafifRadials, Airways},
    {216, "Distances", cmd::DafifSegmentDistances, Airways},
    {189, "ORTCA", cmd::DafifOrtca, Airways},
    {158, "VOR HA", cmd::DafifVorHA, Navaids},
    {166, "VOR L", cmd::DafifVorL, Navaids},
    {168, "VOR T", cmd::DafifVorT, Navaids},
    {110, "NDB H", cmd::DafifNdbHHHU, Navaids},
    {169, "NDB MH", cmd::DafifNdbMHOther, Navaids},
    {174, "WPT B", cmd::DafifWptB, Waypoints},
    {194, "WPT H", cmd::DafifWptH, Waypoints},
    {193, "WPT L", cmd::DafifWptL, Waypoints},
    {192, "WPT R", cmd::DafifWptR, Waypoints},
    {191, "WPT T", cmd::DafifWptT, Waypoints},
    {172, "Symbols", cmd::DafifSymbolsOnly, Waypoints},
    {202, "Prohibited", cmd::SpecialProhibited, SpecialUse},
    {203, "Restricted", cmd::SpecialRestricted, SpecialUse},
    {204, "MOA", cmd::SpecialMoa, SpecialUse},
    {205, "Warning", cmd::SpecialWarning, SpecialUse},
    {206, "Alert", cmd::SpecialAlert, SpecialUse},
    {207, "Danger", cmd::SpecialDanger, SpecialUse},
    {208, "Temp", cmd::SpecialTemp, SpecialUse},
    {209, "Refueling", cmd::SpecialRefuel, SpecialUse},
};
constexpr int kWptNavaidBoxes[] = {158, 166, 168, 110, 169, 174, 194, 193, 192, 191};
constexpr PropertyButton kDafifButtons[] = {
    {196, "Wpt/Navaid ON", kWptNavaidBoxes, true},
    {195, "Wpt/Navaid OFF", kWptNavaidBoxes, false},
};
constexpr std::string_view kDafifHeadings[] = {"AIRPORTS", "AIRWAYS", "NAVAIDS", "WAYPOINTS", "SPECIAL USE"};

constexpr PropertyPage kPages[PROPERTY_PAGE_COUNT] = {
    {"Prop_Page_1", " FIXES ", kFixes, {}, {}},
    {"Prop_Page_2", " ROUTES ", kRoutes, kRouteButtons, {}},
    {"Prop_Page_3", " LINES ", kLines, {}, {}},
    {"Prop_Page_4", " MISC ", kMisc, {}, {}},
    {"Prop_Page_5", "TERMINATOR", kTerminator, kTerminatorButtons, {}},
    {"Prop_Page_6", "DAFIF", kDafif, kDafifButtons, kDafifHeadings},
};

}  // namespace

std::span<const PropertyPage> propertyPages() { return kPages; }

bool isSpecialUseCommand(int command) {
  switch (command) {
    case cmd::SpecialProhibited:
    case cmd::SpecialRestricted:
    case cmd::SpecialMoa:
    case cmd::SpecialWarning:
    case cmd::SpecialAlert:
    case cmd::SpecialDanger:
    case cmd::SpecialTemp:
    case cmd::SpecialRefuel: return true;
    default: return false;
  }
}

PropertySheet::PropertySheet(const MapCommands& commands) {
  for (int page = 0; page < PROPERTY_PAGE_COUNT; ++page) {
    for (const PropertyBox& box : kPages[page].boxes) saved_[page].push_back(commands.isChecked(box.command) ? 1 : 0);
    buffers_[page] = saved_[page];
  }
}

void PropertySheet::press(int page, const PropertyButton& button) {
  const std::span<const PropertyBox> boxes = kPages[page].boxes;
  for (std::size_t row = 0; row < boxes.size(); ++row)
    if (std::ranges::find(button.boxes, boxes[row].id) != button.boxes.end())
      buffers_[page][row] = button.check ? 1 : 0;
}

void PropertySheet::refresh(int command, const MapCommands& commands) {
  for (int page = 0; page < PROPERTY_PAGE_COUNT; ++page) {
    const std::span<const PropertyBox> boxes = kPages[page].boxes;
    for (std::size_t row = 0; row < boxes.size(); ++row)
      if (boxes[row].command == command) buffers_[page][row] = saved_[page][row] = commands.isChecked(command) ? 1 : 0;
  }
}

CommandEffect PropertySheet::apply(MapCommands& commands) const {
  CommandEffect effect;
  for (int page = 0; page < PROPERTY_PAGE_COUNT; ++page) {
    const std::span<const PropertyBox> boxes = kPages[page].boxes;
    for (std::size_t row = 0; row < boxes.size(); ++row) {
      if (buffers_[page][row] == saved_[page][row] || isSpecialUseCommand(boxes[row].command)) continue;
      const CommandEffect ran = commands.execute(boxes[row].command);
      if (ran.request != UiRequest::None) effect = ran;
    }
  }
  effect.repaint = true;
  return effect;
}

}  // namespace korvant
