#include "app/switchtable.h"

#include "app/menutable.h"

namespace korvant {

namespace {

constexpr SwitchEntry top(std::string_view name, bool LayerSwitches::*member, int command, MenuPlace menu,
                          SheetPlace sheet) {
  return {name, member, nullptr, -1, command, true, menu, sheet};
}
constexpr SwitchEntry dafif(std::string_view name, bool DafifSwitches::*member, int command, MenuPlace menu,
                            SheetPlace sheet) {
  return {name, nullptr, member, -1, command, true, menu, sheet};
}
constexpr SwitchEntry specialUse(std::string_view name, bool DafifSwitches::*member, int command, MenuPlace menu,
                                 SheetPlace sheet) {
  return {name, nullptr, member, -1, command, false, menu, sheet};
}
constexpr std::string_view kGroupNames[8] = {"routeGroup1", "routeGroup2", "routeGroup3", "routeGroup4",
                                             "routeGroup5", "routeGroup6", "routeGroup7", "routeGroup8"};
constexpr SwitchEntry group(int index, int command, MenuPlace menu, SheetPlace sheet) {
  return {kGroupNames[index], nullptr, nullptr, index, command, true, menu, sheet};
}

constexpr SwitchEntry kSwitches[] = {
    top("autoRedraw", &LayerSwitches::autoRedraw, cmd::AutoRedraw, {"&Display", "", "&Auto Redraw"},
        {SheetPage::Misc, 5, 162, "Auto Redraw"}),
    top("videoColor", &LayerSwitches::videoColor, cmd::VideoColor, {"&Display", "", "&Video - use color"},
        {SheetPage::Misc, 4, 161, "Video - Use Color"}),
    top("printerColor", &LayerSwitches::printerColor, cmd::PrinterColor, {"&File", "", "Printer - &use color"},
        {SheetPage::Misc, 3, 156, "Printer - Use Color"}),
    top("kilometerDistances", &LayerSwitches::kilometerDistances, cmd::KilometerDistances,
        {"Dat&a", "", "Kilometer &Distances"}, {SheetPage::Misc, 0, 148, "Kilometer Distances"}),
    top("showUserTxt", &LayerSwitches::showUserTxt, cmd::ShowUserTxt, {"Dat&a", "", "Show &USER.TXT"}, {}),
    top("useCurrentTime", &LayerSwitches::useCurrentTime, cmd::UseCurrentTime,
        {"Dat&a", "&Terminator", "Use &Current Time"}, {SheetPage::Terminator, 3, 167, "Use Current Time"}),
    top("showParameters", &LayerSwitches::showParameters, cmd::ShowParameters, {"&Map", "", "Show &Parameters"}, {}),
    top("declutter", &LayerSwitches::declutter, cmd::Declutter, {"&Display", "", "Declutter Labels"},
        {SheetPage::Misc, 6, 177, "Declutter Labels"}),
    top("navDataAirways", &LayerSwitches::navDataAirways, cmd::NavDataAirways,
        {"Dat&a", "", "Airways (&Navigation Data)"}, {SheetPage::Fixes, 8, 179, "Airways (Navigation Data)"}),
    top("navDataNavaids", &LayerSwitches::navDataNavaids, cmd::NavDataNavaids,
        {"Dat&a", "", "Navaids (Navigation Data)"}, {SheetPage::Fixes, 9, 180, "Navaids (Navigation Data)"}),
    top("validTracksOnly", &LayerSwitches::validTracksOnly, cmd::ValidTracksOnly,
        {"&Display", "", "&Only Tracks Valid Now"}, {SheetPage::Misc, 7, 178, "Only Tracks Valid Now"}),
    top("facilityBoundaries", &LayerSwitches::facilityBoundaries, cmd::FacilityBoundaries,
        {"Dat&a", "&Lines", "&Facility Boundaries"}, {SheetPage::Lines, 0, 101, "Facility Boundaries"}),
    top("terrain", &LayerSwitches::terrain, cmd::Terrain, {"Dat&a", "&Lines", "&Terrain"},
        {SheetPage::Lines, 1, 151, "Terrain"}),
    top("latLongGrid", &LayerSwitches::latLongGrid, cmd::LatLongGrid, {"Dat&a", "&Lines", "Lat/Long &Grid"},
        {SheetPage::Lines, 2, 154, "Lat/Long Grid"}),
    top("latLongLabels", &LayerSwitches::latLongLabels, cmd::LatLongLabels, {"Dat&a", "&Lines", "Lat/Long &Labels"},
        {SheetPage::Lines, 3, 104, "Lat/Long Labels"}),
    top("ticks1", &LayerSwitches::ticks1, cmd::Ticks1, {"Dat&a", "&Lines", "Lat/Lng Ticks 1/&1"}, {}),
    top("ticks5", &LayerSwitches::ticks5, cmd::Ticks5, {"Dat&a", "&Lines", "Lat/Lng Ticks 1/&5"}, {}),
    top("symbolsNonDafif", &LayerSwitches::symbolsNonDafif, cmd::SymbolsNonDafif, {"Dat&a", "", "&Symbols (non-DAFIF)"},
        {SheetPage::Fixes, 0, 172, "Fix Symbols"}),
    top("ownWaypoints", &LayerSwitches::ownWaypoints, cmd::OwnWaypoints,
        {"Dat&a", "&Korvant Fixes", "Korvant &Waypoints"}, {SheetPage::Fixes, 4, 115, "Korvant Waypoints"}),
    top("ownStations", &LayerSwitches::ownStations, cmd::OwnStations, {"Dat&a", "&Korvant Fixes", "Korvant &Stations"},
        {SheetPage::Fixes, 5, 116, "Korvant Stations"}),
    top("ownAirports", &LayerSwitches::ownAirports, cmd::OwnAirports, {"Dat&a", "&Korvant Fixes", "Korvant &Airports"},
        {SheetPage::Fixes, 6, 117, "Korvant Airports"}),
    top("obsoleteWaypoints", &LayerSwitches::obsoleteWaypoints, cmd::ObsoleteWaypoints,
        {"Dat&a", "&Korvant Fixes", "&Obsolete Waypoints"}, {SheetPage::Fixes, 7, 118, "Obsolete Waypoints"}),
    top("waypointData", &LayerSwitches::waypointData, cmd::WaypointData, {"Dat&a", "", "&Waypoint Data"},
        {SheetPage::Misc, 2, 155, "Waypoint Data"}),
    top("routeDistances", &LayerSwitches::routeDistances, cmd::RouteDistances, {"Dat&a", "&Routes", "Route &Distances"},
        {SheetPage::Routes, 8, 109, "Route Distances"}),
    top("routeBearings", &LayerSwitches::routeBearings, cmd::RouteBearings, {"Dat&a", "&Routes", "Route &Bearings"},
        {SheetPage::Routes, 9, 170, "Route Bearings"}),
    top("ps1Procedure", &LayerSwitches::ps1Procedure, cmd::Ps1Procedure, {"Dat&a", "&Routes", "PS1 &Sid/Star/Approach"},
        {}),
    top("ps1Route", &LayerSwitches::ps1Route, cmd::Ps1Route, {"Dat&a", "&Routes", "PS1 &Route"}, {}),
    top("ps1Wpt", &LayerSwitches::ps1Wpt, cmd::Ps1Wpt, {"Dat&a", "&PS1 Data", "(1.2) &WPT.DAT"},
        {SheetPage::Fixes, 1, 173, "747WPT.DAT"}),
    top("ps1Sta", &LayerSwitches::ps1Sta, cmd::Ps1Sta, {"Dat&a", "&PS1 Data", "(1.2) 747*.&STA"},
        {SheetPage::Fixes, 2, 175, "747*.STA"}),
    top("ps1Apt", &LayerSwitches::ps1Apt, cmd::Ps1Apt, {"Dat&a", "&PS1 Data", "747*.&APT"},
        {SheetPage::Fixes, 3, 176, "747*.APT"}),
    top("showTerminator", &LayerSwitches::showTerminator, cmd::ShowTerminator,
        {"Dat&a", "&Terminator", "Show &Terminator"}, {SheetPage::Terminator, 0, 160, "Show Terminator"}),
    top("showCivilTwilight", &LayerSwitches::showCivilTwilight, cmd::ShowCivilTwilight,
        {"Dat&a", "&Terminator", "Show Civil T&wilight"}, {SheetPage::Terminator, 1, 163, "Show Civil Twilight"}),
    top("showNext6Hours", &LayerSwitches::showNext6Hours, cmd::ShowNext6Hours,
        {"Dat&a", "&Terminator", "Show Next &6 Hours"}, {SheetPage::Terminator, 2, 165, "Show Next 6 Hours"}),
    top("variation", &LayerSwitches::variation, cmd::Variation, {"Dat&a", "", "&Variation"},
        {SheetPage::Misc, 1, 152, "Variation"}),
    dafif("dafifSymbols", &DafifSwitches::symbolsDafifOnly, cmd::DafifSymbolsOnly,
          {"Daf&if", "", "&9 Symbols (DAFIF only)"}, {SheetPage::Dafif, 24, 172, "Symbols", WaypointsColumn}),
    dafif("dafifAirports7000", &DafifSwitches::airports7000, cmd::DafifAirports7000, {"Daf&if", "", "Airports &7000+"},
          {SheetPage::Dafif, 0, 144, "Airport 7000+", AirportsColumn}),
    dafif("dafifAirports5000", &DafifSwitches::airports5000, cmd::DafifAirports5000,
          {"Daf&if", "", "Airports &5000-6999"}, {SheetPage::Dafif, 1, 145, "Airport 5000-6999", AirportsColumn}),
    dafif("dafifAirports3000", &DafifSwitches::airports3000, cmd::DafifAirports3000,
          {"Daf&if", "", "Airports &3000-4999"}, {SheetPage::Dafif, 2, 146, "Airport 3000-4999", AirportsColumn}),
    dafif("dafifAirports0", &DafifSwitches::airports0, cmd::DafifAirports0, {"Daf&if", "", "Airports 0-&2999"},
          {SheetPage::Dafif, 3, 147, "Airport 0-2999", AirportsColumn}),
    dafif("dafifRunways", &DafifSwitches::runways, cmd::DafifRunways, {"Daf&if", "", "Show Runwa&ys"},
          {SheetPage::Dafif, 4, 215, "Runways", AirportsColumn}),
    dafif("dafifRunwayNumbers", &DafifSwitches::runwayNumbers, cmd::DafifRunwayNumbers,
          {"Daf&if", "", "Show Rwy &Numbers"}, {SheetPage::Dafif, 5, 214, "Rwy Numbers", AirportsColumn}),
    dafif("dafifFullName", &DafifSwitches::fullName, cmd::DafifFullName, {"Daf&if", "", "Show &Full Name"},
          {SheetPage::Dafif, 6, 213, "Full Name", AirportsColumn}),
    dafif("dafifAtsBoth", &DafifSwitches::atsBoth, cmd::DafifAtsBoth, {"Daf&if", "", "ATS B&oth"},
          {SheetPage::Dafif, 7, 105, "ATS B", AirwaysColumn}),
    dafif("dafifAtsHigh", &DafifSwitches::atsHigh, cmd::DafifAtsHigh, {"Daf&if", "", "ATS Hi&gh"},
          {SheetPage::Dafif, 8, 106, "ATS H", AirwaysColumn}),
    dafif("dafifAtsLow", &DafifSwitches::atsLow, cmd::DafifAtsLow, {"Daf&if", "", "ATS Lo&w"},
          {SheetPage::Dafif, 9, 153, "ATS L", AirwaysColumn}),
    dafif("dafifIds", &DafifSwitches::ids, cmd::DafifIds, {"Daf&if", "", "&IDs"},
          {SheetPage::Dafif, 10, 102, "IDs", AirwaysColumn}),
    dafif("dafifRadials", &DafifSwitches::radials, cmd::DafifRadials, {"Daf&if", "", "Ra&dials"},
          {SheetPage::Dafif, 11, 217, "Radials", AirwaysColumn}),
    dafif("dafifSegmentDistances", &DafifSwitches::segmentDistances, cmd::DafifSegmentDistances,
          {"Daf&if", "", "Segment Distanc&es"}, {SheetPage::Dafif, 12, 216, "Distances", AirwaysColumn}),
    dafif("dafifOrtca", &DafifSwitches::ortca, cmd::DafifOrtca, {"Daf&if", "", "ORT&CA"},
          {SheetPage::Dafif, 13, 189, "ORTCA", AirwaysColumn}),
    dafif("dafifVorHA", &DafifSwitches::vorHA, cmd::DafifVorHA, {"Daf&if", "", "VOR H&A"},
          {SheetPage::Dafif, 14, 158, "VOR HA", NavaidsColumn}),
    dafif("dafifVorL", &DafifSwitches::vorL, cmd::DafifVorL, {"Daf&if", "", "&VOR L"},
          {SheetPage::Dafif, 15, 166, "VOR L", NavaidsColumn}),
    dafif("dafifVorT", &DafifSwitches::vorT, cmd::DafifVorT, {"Daf&if", "", "VOR &T"},
          {SheetPage::Dafif, 16, 168, "VOR T", NavaidsColumn}),
    dafif("dafifNdbHHHU", &DafifSwitches::ndbHHHU, cmd::DafifNdbHHHU, {"Daf&if", "", "NDB H,HH,&U"},
          {SheetPage::Dafif, 17, 110, "NDB H", NavaidsColumn}),
    dafif("dafifNdbMHOther", &DafifSwitches::ndbMHOther, cmd::DafifNdbMHOther, {"Daf&if", "", "NDB &MH, Other"},
          {SheetPage::Dafif, 18, 169, "NDB MH", NavaidsColumn}),
    dafif("dafifWptB", &DafifSwitches::wptB, cmd::DafifWptB, {"Daf&if", "", "Wpt &B"},
          {SheetPage::Dafif, 19, 174, "WPT B", WaypointsColumn}),
    dafif("dafifWptH", &DafifSwitches::wptH, cmd::DafifWptH, {"Daf&if", "", "Wpt &H"},
          {SheetPage::Dafif, 20, 194, "WPT H", WaypointsColumn}),
    dafif("dafifWptL", &DafifSwitches::wptL, cmd::DafifWptL, {"Daf&if", "", "Wpt &L"},
          {SheetPage::Dafif, 21, 193, "WPT L", WaypointsColumn}),
    dafif("dafifWptR", &DafifSwitches::wptR, cmd::DafifWptR, {"Daf&if", "", "Wpt &R"},
          {SheetPage::Dafif, 22, 192, "WPT R", WaypointsColumn}),
    dafif("dafifWptT", &DafifSwitches::wptT, cmd::DafifWptT, {"Daf&if", "", "W&pt T"},
          {SheetPage::Dafif, 23, 191, "WPT T", WaypointsColumn}),
    specialUse("specialProhibited", &DafifSwitches::prohibited, cmd::SpecialProhibited,
               {"Daf&if", "&Special Use", "&Prohibited"}, {SheetPage::Dafif, 25, 202, "Prohibited", SpecialUseColumn}),
    specialUse("specialRestricted", &DafifSwitches::restricted, cmd::SpecialRestricted,
               {"Daf&if", "&Special Use", "&Restricted"}, {SheetPage::Dafif, 26, 203, "Restricted", SpecialUseColumn}),
    specialUse("specialMoa", &DafifSwitches::moa, cmd::SpecialMoa, {"Daf&if", "&Special Use", "&MOA"},
               {SheetPage::Dafif, 27, 204, "MOA", SpecialUseColumn}),
    specialUse("specialWarning", &DafifSwitches::warning, cmd::SpecialWarning, {"Daf&if", "&Special Use", "&Warning"},
               {SheetPage::Dafif, 28, 205, "Warning", SpecialUseColumn}),
    specialUse("specialAlert", &DafifSwitches::alert, cmd::SpecialAlert, {"Daf&if", "&Special Use", "&Alert"},
               {SheetPage::Dafif, 29, 206, "Alert", SpecialUseColumn}),
    specialUse("specialDanger", &DafifSwitches::danger, cmd::SpecialDanger, {"Daf&if", "&Special Use", "&Danger"},
               {SheetPage::Dafif, 30, 207, "Danger", SpecialUseColumn}),
    specialUse("specialTemp", &DafifSwitches::temp, cmd::SpecialTemp, {"Daf&if", "&Special Use", "&Temp"},
               {SheetPage::Dafif, 31, 208, "Temp", SpecialUseColumn}),
    specialUse("specialRefuel", &DafifSwitches::refuel, cmd::SpecialRefuel, {"Daf&if", "&Special Use", "Re&fuel"},
               {SheetPage::Dafif, 32, 209, "Refueling", SpecialUseColumn}),
    group(0, cmd::RouteGroup1, {"Dat&a", "&Routes", "&1 Nat/Pacots Eastbound Routes"},
          {SheetPage::Routes, 0, 149, "Nat/Pacots Eastbound"}),
    group(1, cmd::RouteGroup2, {"Dat&a", "&Routes", "&2 Nat/Pacots Westbound Routes"},
          {SheetPage::Routes, 1, 150, "Nat/Pacots Westbound"}),
    group(2, cmd::RouteGroup3, {"Dat&a", "&Routes", "&3 Atlantic Routes"}, {SheetPage::Routes, 2, 103, "Atlantic"}),
    group(3, cmd::RouteGroup4, {"Dat&a", "&Routes", "&4 Polar Routes"}, {SheetPage::Routes, 3, 157, "Polar"}),
    group(4, cmd::RouteGroup5, {"Dat&a", "&Routes", "&5 North Pacific Routes"},
          {SheetPage::Routes, 4, 159, "North Pacific"}),
    group(5, cmd::RouteGroup6, {"Dat&a", "&Routes", "&6 South Pacific Routes"},
          {SheetPage::Routes, 5, 164, "South Pacific"}),
    group(6, cmd::RouteGroup7, {"Dat&a", "&Routes", "&7 N/S America Routes"},
          {SheetPage::Routes, 6, 107, "North/South America"}),
    group(7, cmd::RouteGroup8, {"Dat&a", "&Routes", "&8 Eur/Asia/Afr Routes"},
          {SheetPage::Routes, 7, 108, "Europe/Asia/Africa"}),
};

}  // namespace

bool* SwitchEntry::in(LayerSwitches& switches) const {
  if (member) return &(switches.*member);
  if (dafif) return &(switches.dafif.*dafif);
  return &switches.routeGroup[routeGroup];
}

std::span<const SwitchEntry> switchTable() { return kSwitches; }

bool* switchByName(LayerSwitches& switches, std::string_view name) {
  for (const SwitchEntry& e : kSwitches)
    if (e.name == name) return e.in(switches);
  return nullptr;
}

std::vector<std::string> switchNames() {
  std::vector<std::string> names;
  for (const SwitchEntry& e : kSwitches) names.emplace_back(e.name);
  return names;
}

bool* switchOfCommand(LayerSwitches& switches, int id) {
  for (const SwitchEntry& e : kSwitches)
    if (e.command == id && e.handled) return e.in(switches);
  return nullptr;
}

bool* switchShownBy(LayerSwitches& switches, int id) {
  for (const SwitchEntry& e : kSwitches)
    if (e.command == id) return e.in(switches);
  return nullptr;
}

}  // namespace korvant
