#include "base/layerswitches.h"

#include <utility>

namespace korvant {

namespace {

using Member = bool LayerSwitches::*;

const std::pair<std::string_view, Member> kSwitches[] = {
    {"autoRedraw", &LayerSwitches::autoRedraw},
    {"videoColor", &LayerSwitches::videoColor},
    {"printerColor", &LayerSwitches::printerColor},
    {"kilometerDistances", &LayerSwitches::kilometerDistances},
    {"showUserTxt", &LayerSwitches::showUserTxt},
    {"useCurrentTime", &LayerSwitches::useCurrentTime},
    {"showParameters", &LayerSwitches::showParameters},
    {"declutter", &LayerSwitches::declutter},
    {"facilityBoundaries", &LayerSwitches::facilityBoundaries},
    {"terrain", &LayerSwitches::terrain},
    {"latLongGrid", &LayerSwitches::latLongGrid},
    {"latLongLabels", &LayerSwitches::latLongLabels},
    {"ticks1", &LayerSwitches::ticks1},
    {"ticks5", &LayerSwitches::ticks5},
    {"symbolsNonDafif", &LayerSwitches::symbolsNonDafif},
    {"ownWaypoints", &LayerSwitches::ownWaypoints},
    {"ownStations", &LayerSwitches::ownStations},
    {"ownAirports", &LayerSwitches::ownAirports},
    {"obsoleteWaypoints", &LayerSwitches::obsoleteWaypoints},
    {"waypointData", &LayerSwitches::waypointData},
    {"routeDistances", &LayerSwitches::routeDistances},
    {"routeBearings", &LayerSwitches::routeBearings},
    {"ps1Procedure", &LayerSwitches::ps1Procedure},
    {"ps1Route", &LayerSwitches::ps1Route},
    {"ps1Wpt", &LayerSwitches::ps1Wpt},
    {"ps1Sta", &LayerSwitches::ps1Sta},
    {"ps1Apt", &LayerSwitches::ps1Apt},
    {"showTerminator", &LayerSwitches::showTerminator},
    {"showCivilTwilight", &LayerSwitches::showCivilTwilight},
    {"showNext6Hours", &LayerSwitches::showNext6Hours},
    {"variation", &LayerSwitches::variation},
};

using DafifMember = bool DafifSwitches::*;

const std::pair<std::string_view, DafifMember> kDafifSwitches[] = {
    {"dafifSymbols", &DafifSwitches::symbolsDafifOnly},
    {"dafifAirports7000", &DafifSwitches::airports7000},
    {"dafifAirports5000", &DafifSwitches::airports5000},
    {"dafifAirports3000", &DafifSwitches::airports3000},
    {"dafifAirports0", &DafifSwitches::airports0},
    {"dafifRunways", &DafifSwitches::runways},
    {"dafifRunwayNumbers", &DafifSwitches::runwayNumbers},
    {"dafifFullName", &DafifSwitches::fullName},
    {"dafifAtsBoth", &DafifSwitches::atsBoth},
    {"dafifAtsHigh", &DafifSwitches::atsHigh},
    {"dafifAtsLow", &DafifSwitches::atsLow},
    {"dafifIds", &DafifSwitches::ids},
    {"dafifRadials", &DafifSwitches::radials},
    {"dafifSegmentDistances", &DafifSwitches::segmentDistances},
    {"dafifOrtca", &DafifSwitches::ortca},
    {"dafifVorHA", &DafifSwitches::vorHA},
    {"dafifVorL", &DafifSwitches::vorL},
    {"dafifVorT", &DafifSwitches::vorT},
    {"dafifNdbHHHU", &DafifSwitches::ndbHHHU},
    {"dafifNdbMHOther", &DafifSwitches::ndbMHOther},
    {"dafifWptB", &DafifSwitches::wptB},
    {"dafifWptH", &DafifSwitches::wptH},
    {"dafifWptL", &DafifSwitches::wptL},
    {"dafifWptR", &DafifSwitches::wptR},
    {"dafifWptT", &DafifSwitches::wptT},
    {"specialProhibited", &DafifSwitches::prohibited},
    {"specialRestricted", &DafifSwitches::restricted},
    {"specialMoa", &DafifSwitches::moa},
    {"specialWarning", &DafifSwitches::warning},
    {"specialAlert", &DafifSwitches::alert},
    {"specialDanger", &DafifSwitches::danger},
    {"specialTemp", &DafifSwitches::temp},
    {"specialRefuel", &DafifSwitches::refuel},
};

constexpr std::string_view kRouteGroup = "routeGroup";

}  // namespace

bool* switchByName(LayerSwitches& switches, std::string_view name) {
  for (const auto& [switchName, member] : kSwitches)
    if (switchName == name) return &(switches.*member);
  for (const auto& [switchName, member] : kDafifSwitches)
    if (switchName == name) return &(switches.dafif.*member);
  if (name.size() == kRouteGroup.size() + 1 && name.starts_with(kRouteGroup)) {
    const char digit = name.back();
    if (digit >= '1' && digit <= '8') return &switches.routeGroup[digit - '1'];
  }
  return nullptr;
}

std::vector<std::string> switchNames() {
  std::vector<std::string> names;
  for (const auto& entry : kSwitches) names.emplace_back(entry.first);
  for (const auto& entry : kDafifSwitches) names.emplace_back(entry.first);
  for (char d = '1'; d <= '8'; ++d) names.push_back(std::string(kRouteGroup) + d);
  return names;
}

}  // namespace korvant
