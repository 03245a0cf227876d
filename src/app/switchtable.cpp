#include "app/switchtable.h"

#include "app/menutable.h"

namespace korvant {

namespace {

constexpr SwitchEntry top(std::string_view name, bool LayerSwitches::*member, int command) {
  return {name, member, nullptr, -1, command, true};
}
constexpr SwitchEntry dafif(std::string_view name, bool DafifSwitches::*member, int command) {
  return {name, nullptr, member, -1, command, true};
}
constexpr SwitchEntry specialUse(std::string_view name, bool DafifSwitches::*member, int command) {
  return {name, nullptr, member, -1, command, false};
}
constexpr std::string_view kGroupNames[8] = {"routeGroup1", "routeGroup2", "routeGroup3", "routeGroup4",
                                             "routeGroup5", "routeGroup6", "routeGroup7", "routeGroup8"};
constexpr SwitchEntry group(int index, int command) {
  return {kGroupNames[index], nullptr, nullptr, index, command, true};
}

constexpr SwitchEntry kSwitches[] = {
    top("autoRedraw", &LayerSwitches::autoRedraw, cmd::AutoRedraw),
    top("videoColor", &LayerSwitches::videoColor, cmd::VideoColor),
    top("printerColor", &LayerSwitches::printerColor, cmd::PrinterColor),
    top("kilometerDistances", &LayerSwitches::kilometerDistances, cmd::KilometerDistances),
    top("showUserTxt", &LayerSwitches::showUserTxt, cmd::ShowUserTxt),
    top("useCurrentTime", &LayerSwitches::useCurrentTime, cmd::UseCurrentTime),
    top("showParameters", &LayerSwitches::showParameters, cmd::ShowParameters),
    top("declutter", &LayerSwitches::declutter, cmd::Declutter),
    top("facilityBoundaries", &LayerSwitches::facilityBoundaries, cmd::FacilityBoundaries),
    top("terrain", &LayerSwitches::terrain, cmd::Terrain),
    top("latLongGrid", &LayerSwitches::latLongGrid, cmd::LatLongGrid),
    top("latLongLabels", &LayerSwitches::latLongLabels, cmd::LatLongLabels),
    top("ticks1", &LayerSwitches::ticks1, cmd::Ticks1),
    top("ticks5", &LayerSwitches::ticks5, cmd::Ticks5),
    top("symbolsNonDafif", &LayerSwitches::symbolsNonDafif, cmd::SymbolsNonDafif),
    top("ownWaypoints", &LayerSwitches::ownWaypoints, cmd::OwnWaypoints),
    top("ownStations", &LayerSwitches::ownStations, cmd::OwnStations),
    top("ownAirports", &LayerSwitches::ownAirports, cmd::OwnAirports),
    top("obsoleteWaypoints", &LayerSwitches::obsoleteWaypoints, cmd::ObsoleteWaypoints),
    top("waypointData", &LayerSwitches::waypointData, cmd::WaypointData),
    top("routeDistances", &LayerSwitches::routeDistances, cmd::RouteDistances),
    top("routeBearings", &LayerSwitches::routeBearings, cmd::RouteBearings),
    top("ps1Procedure", &LayerSwitches::ps1Procedure, cmd::Ps1Procedure),
    top("ps1Route", &LayerSwitches::ps1Route, cmd::Ps1Route),
    top("ps1Wpt", &LayerSwitches::ps1Wpt, cmd::Ps1Wpt),
    top("ps1Sta", &LayerSwitches::ps1Sta, cmd::Ps1Sta),
    top("ps1Apt", &LayerSwitches::ps1Apt, cmd::Ps1Apt),
    top("showTerminator", &LayerSwitches::showTerminator, cmd::ShowTerminator),
    top("showCivilTwilight", &LayerSwitches::showCivilTwilight, cmd::ShowCivilTwilight),
    top("showNext6Hours", &LayerSwitches::showNext6Hours, cmd::ShowNext6Hours),
    top("variation", &LayerSwitches::variation, cmd::Variation),
    dafif("dafifSymbols", &DafifSwitches::symbolsDafifOnly, cmd::DafifSymbolsOnly),
    dafif("dafifAirports7000", &DafifSwitches::airports7000, cmd::DafifAirports7000),
    dafif("dafifAirports5000", &DafifSwitches::airports5000, cmd::DafifAirports5000),
    dafif("dafifAirports3000", &DafifSwitches::airports3000, cmd::DafifAirports3000),
    dafif("dafifAirports0", &DafifSwitches::airports0, cmd::DafifAirports0),
    dafif("dafifRunways", &DafifSwitches::runways, cmd::DafifRunways),
    dafif("dafifRunwayNumbers", &DafifSwitches::runwayNumbers, cmd::DafifRunwayNumbers),
    dafif("dafifFullName", &DafifSwitches::fullName, cmd::DafifFullName),
    dafif("dafifAtsBoth", &DafifSwitches::atsBoth, cmd::DafifAtsBoth),
    dafif("dafifAtsHigh", &DafifSwitches::atsHigh, cmd::DafifAtsHigh),
    dafif("dafifAtsLow", &DafifSwitches::atsLow, cmd::DafifAtsLow),
    dafif("dafifIds", &DafifSwitches::ids, cmd::DafifIds),
    dafif("dafifRadials", &DafifSwitches::radials, cmd::DafifRadials),
    dafif("dafifSegmentDistances", &DafifSwitches::segmentDistances, cmd::DafifSegmentDistances),
    dafif("dafifOrtca", &DafifSwitches::ortca, cmd::DafifOrtca),
    dafif("dafifVorHA", &DafifSwitches::vorHA, cmd::DafifVorHA),
    dafif("dafifVorL", &DafifSwitches::vorL, cmd::DafifVorL),
    dafif("dafifVorT", &DafifSwitches::vorT, cmd::DafifVorT),
    dafif("dafifNdbHHHU", &DafifSwitches::ndbHHHU, cmd::DafifNdbHHHU),
    dafif("dafifNdbMHOther", &DafifSwitches::ndbMHOther, cmd::DafifNdbMHOther),
    dafif("dafifWptB", &DafifSwitches::wptB, cmd::DafifWptB),
    dafif("dafifWptH", &DafifSwitches::wptH, cmd::DafifWptH),
    dafif("dafifWptL", &DafifSwitches::wptL, cmd::DafifWptL),
    dafif("dafifWptR", &DafifSwitches::wptR, cmd::DafifWptR),
    dafif("dafifWptT", &DafifSwitches::wptT, cmd::DafifWptT),
    specialUse("specialProhibited", &DafifSwitches::prohibited, cmd::SpecialProhibited),
    specialUse("specialRestricted", &DafifSwitches::restricted, cmd::SpecialRestricted),
    specialUse("specialMoa", &DafifSwitches::moa, cmd::SpecialMoa),
    specialUse("specialWarning", &DafifSwitches::warning, cmd::SpecialWarning),
    specialUse("specialAlert", &DafifSwitches::alert, cmd::SpecialAlert),
    specialUse("specialDanger", &DafifSwitches::danger, cmd::SpecialDanger),
    specialUse("specialTemp", &DafifSwitches::temp, cmd::SpecialTemp),
    specialUse("specialRefuel", &DafifSwitches::refuel, cmd::SpecialRefuel),
    group(0, cmd::RouteGroup1),
    group(1, cmd::RouteGroup2),
    group(2, cmd::RouteGroup3),
    group(3, cmd::RouteGroup4),
    group(4, cmd::RouteGroup5),
    group(5, cmd::RouteGroup6),
    group(6, cmd::RouteGroup7),
    group(7, cmd::RouteGroup8),
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
