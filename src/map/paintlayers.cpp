#include "map/paintlayers.h"

#include "base/commandids.h"
#include "map/layers/layers.h"
#include "map/paintkey.h"
#include "map/routedrawing.h"

namespace korvant {

namespace {

void drawTracksAndRouteSets(PaintContext& paint) {
  paint.canvas.selectFont(paint.printing ? paint.fonts.small : paint.fonts.medium);
  paint.canvas.setTextColor(colors::black);
  paint.canvas.setBackgroundTransparent(true);
  for (const TrackModel* set : paint.input.tracks.held()) {
    RouteDrawer routes(paint, set->reference);
    routes.drawTrackRoutes(*set);
  }
  RouteDrawer(paint, paint.input.tracks.reference()).drawRouteSets();
}

void drawRunways(PaintContext& paint) { drawSimRunways(paint, std::string(paint.input.runwaysAirport)); }

bool always(const PaintContext&, const LayerConditions&) { return true; }
bool onTheMap(const PaintContext&, const LayerConditions& c) { return !c.procedureMapEmpty; }

void terminatorKey(const PaintInput& input, PaintKey& key) {
  const LayerSwitches& sw = input.switches;
  if (input.terminator && (sw.showTerminator || sw.showCivilTwilight || sw.showNext6Hours))
    key.terminatorTime = effectiveTerminatorTime(*input.terminator, input.clock);
}
void dafifKey(const PaintInput& input, PaintKey& key) {
  if (input.dafif && !(input.switches.dafif == DafifSwitches{})) key.dafifSignature = input.dafif->signature();
}
void simKey(const PaintInput& input, PaintKey& key) {
  const LayerSwitches& sw = input.switches;
  if (sw.ps1Wpt || sw.ps1Sta || sw.ps1Apt) key.simSignature = input.sim.signature();
}
void runwaysKey(const PaintInput& input, PaintKey& key) {
  key.runwaysAirport = std::string(input.runwaysAirport);
  if (!key.runwaysAirport.empty()) key.simSignature = input.sim.signature();
}
void procedureKey(const PaintInput& input, PaintKey& key) {
  // A procedure's runways come from the simulator's files.
  if (input.procedure && input.procedure->shown()) key.simSignature = input.sim.signature();
}
void userOverlayKey(const PaintInput& input, PaintKey& key) {
  if (input.userOverlay && input.switches.showUserTxt) key.userOverlaySignature = input.userOverlay->signature();
}
void plottedRouteKey(const PaintInput& input, PaintKey& key) {
  if (input.plottedRoute) key.plottedRouteRevision = input.plottedRoute->revision;
}
void etopsKey(const PaintInput& input, PaintKey& key) {
  if (input.etops) key.otherInputs += "etops " + std::to_string(input.etops->serial) + ";";
}
void navDataKey(const PaintInput& input, PaintKey& key) {
  // Farther out the layers show what the route and the plan fly.
  if (navDetailAt(input.view.range, input.detail) == NavDetail::All) return;
  if (input.plottedRoute) key.plottedRouteRevision = input.plottedRoute->revision;
  if (input.procedure) key.procedureRevision = input.procedure->revision;
}
void tracksKey(const PaintInput& input, PaintKey& key) {
  if (input.switches.validTracksOnly) key.validityTime = input.validityTime();
}
void titleBlockKey(const PaintInput& input, PaintKey& key) {
  // The title block prints the message's file, the time to the minute, and
  // whether the tracks are valid then.
  for (const TrackModel* set : input.tracks.held())
    if (!set->eastValidity.empty() || !set->westValidity.empty()) key.validityTime = input.validityTime();
  const std::time_t now = input.clock.now();
  key.trackFile = std::string(input.trackFile);
  key.printedMinute = static_cast<long>(now / 60);
  key.utcOffset = input.clock.utcOffsetSeconds(now);
}

using C = LabelClass;
constexpr PaintStage kBelow = PaintStage::Below, kAbove = PaintStage::Above;

constexpr SwitchEntry kUserOverlaySwitches[] = {
    topSwitch("showUserTxt", &LayerSwitches::showUserTxt, cmd::ShowUserTxt, {"Dat&a", "", "Show &USER.TXT"}, {}),
};
constexpr SwitchEntry kTerminatorSwitches[] = {
    topSwitch("useCurrentTime", &LayerSwitches::useCurrentTime, cmd::UseCurrentTime,
              {"Dat&a", "&Terminator", "Use &Current Time"}, {SheetPage::Terminator, 3, 167, "Use Current Time"}),
    topSwitch("showTerminator", &LayerSwitches::showTerminator, cmd::ShowTerminator,
              {"Dat&a", "&Terminator", "Show &Terminator"}, {SheetPage::Terminator, 0, 160, "Show Terminator"}),
    topSwitch("showCivilTwilight", &LayerSwitches::showCivilTwilight, cmd::ShowCivilTwilight,
              {"Dat&a", "&Terminator", "Show Civil T&wilight"}, {SheetPage::Terminator, 1, 163, "Show Civil Twilight"}),
    topSwitch("showNext6Hours", &LayerSwitches::showNext6Hours, cmd::ShowNext6Hours,
              {"Dat&a", "&Terminator", "Show Next &6 Hours"}, {SheetPage::Terminator, 2, 165, "Show Next 6 Hours"}),
};
constexpr SwitchEntry kEtopsSwitches[] = {
    topSwitch("etops", &LayerSwitches::etops, switchCommandOf("etops"), {"F&light", "", "&ETOPS"},
              {SheetPage::Misc, 8, 182, "ETOPS"}),
};
constexpr SwitchEntry kTitleBlockSwitches[] = {
    topSwitch("showParameters", &LayerSwitches::showParameters, cmd::ShowParameters, {"&Map", "", "Show &Parameters"},
              {}),
};
constexpr SwitchEntry kNavDataAirwaysSwitches[] = {
    topSwitch("navDataAirways", &LayerSwitches::navDataAirways, cmd::NavDataAirways,
              {"Dat&a", "", "Airways (&Navigation Data)"}, {SheetPage::Fixes, 8, 179, "Airways (Navigation Data)"}),
};
constexpr SwitchEntry kNavDataNavaidsSwitches[] = {
    topSwitch("navDataNavaids", &LayerSwitches::navDataNavaids, cmd::NavDataNavaids,
              {"Dat&a", "", "Nava&ids (Navigation Data)"}, {SheetPage::Fixes, 9, 180, "Navaids (Navigation Data)"}),
};
constexpr SwitchEntry kTracksSwitches[] = {
    topSwitch("validTracksOnly", &LayerSwitches::validTracksOnly, cmd::ValidTracksOnly,
              {"&Display", "", "&Only Tracks Valid Now"}, {SheetPage::Misc, 7, 178, "Only Tracks Valid Now"}),
    topSwitch("routeDistances", &LayerSwitches::routeDistances, cmd::RouteDistances,
              {"Dat&a", "&Routes", "Route &Distances"}, {SheetPage::Routes, 8, 109, "Route Distances"}),
    topSwitch("routeBearings", &LayerSwitches::routeBearings, cmd::RouteBearings,
              {"Dat&a", "&Routes", "Route &Bearings"}, {SheetPage::Routes, 9, 170, "Route Bearings"}),
    routeGroupSwitch(0, cmd::RouteGroup1, {"Dat&a", "&Routes", "&1 Nat/Pacots Eastbound Routes"},
                     {SheetPage::Routes, 0, 149, "Nat/Pacots Eastbound"}),
    routeGroupSwitch(1, cmd::RouteGroup2, {"Dat&a", "&Routes", "&2 Nat/Pacots Westbound Routes"},
                     {SheetPage::Routes, 1, 150, "Nat/Pacots Westbound"}),
    routeGroupSwitch(2, cmd::RouteGroup3, {"Dat&a", "&Routes", "&3 Atlantic Routes"},
                     {SheetPage::Routes, 2, 103, "Atlantic"}),
    routeGroupSwitch(3, cmd::RouteGroup4, {"Dat&a", "&Routes", "&4 Polar Routes"},
                     {SheetPage::Routes, 3, 157, "Polar"}),
    routeGroupSwitch(4, cmd::RouteGroup5, {"Dat&a", "&Routes", "&5 North Pacific Routes"},
                     {SheetPage::Routes, 4, 159, "North Pacific"}),
    routeGroupSwitch(5, cmd::RouteGroup6, {"Dat&a", "&Routes", "&6 South Pacific Routes"},
                     {SheetPage::Routes, 5, 164, "South Pacific"}),
    routeGroupSwitch(6, cmd::RouteGroup7, {"Dat&a", "&Routes", "&7 N/S America Routes"},
                     {SheetPage::Routes, 6, 107, "North/South America"}),
    routeGroupSwitch(7, cmd::RouteGroup8, {"Dat&a", "&Routes", "&8 Eur/Asia/Afr Routes"},
                     {SheetPage::Routes, 7, 108, "Europe/Asia/Africa"}),
};
constexpr SwitchEntry kFacilityBoundariesSwitches[] = {
    topSwitch("facilityBoundaries", &LayerSwitches::facilityBoundaries, cmd::FacilityBoundaries,
              {"Dat&a", "&Lines", "&Facility Boundaries"}, {SheetPage::Lines, 0, 101, "Facility Boundaries"}),
};
constexpr SwitchEntry kTerrainSwitches[] = {
    topSwitch("terrain", &LayerSwitches::terrain, cmd::Terrain, {"Dat&a", "&Lines", "&Terrain"},
              {SheetPage::Lines, 1, 151, "Terrain"}),
};
constexpr SwitchEntry kGridSwitches[] = {
    topSwitch("latLongGrid", &LayerSwitches::latLongGrid, cmd::LatLongGrid, {"Dat&a", "&Lines", "Lat/Long &Grid"},
              {SheetPage::Lines, 2, 154, "Lat/Long Grid"}),
};
constexpr SwitchEntry kGridLabelsSwitches[] = {
    topSwitch("latLongLabels", &LayerSwitches::latLongLabels, cmd::LatLongLabels,
              {"Dat&a", "&Lines", "Lat/Long &Labels"}, {SheetPage::Lines, 3, 104, "Lat/Long Labels"}),
};
constexpr SwitchEntry kTicksSwitches[] = {
    topSwitch("ticks1", &LayerSwitches::ticks1, cmd::Ticks1, {"Dat&a", "&Lines", "Lat/Lng Ticks 1/&1"}, {}),
    topSwitch("ticks5", &LayerSwitches::ticks5, cmd::Ticks5, {"Dat&a", "&Lines", "Lat/Lng Ticks 1/&5"}, {}),
};
constexpr SwitchEntry kOwnFixesSwitches[] = {
    topSwitch("ownWaypoints", &LayerSwitches::ownWaypoints, cmd::OwnWaypoints,
              {"Dat&a", "&Korvant Fixes", "Korvant &Waypoints"}, {SheetPage::Fixes, 4, 115, "Korvant Waypoints"}),
    topSwitch("ownStations", &LayerSwitches::ownStations, cmd::OwnStations,
              {"Dat&a", "&Korvant Fixes", "Korvant &Stations"}, {SheetPage::Fixes, 5, 116, "Korvant Stations"}),
    topSwitch("ownAirports", &LayerSwitches::ownAirports, cmd::OwnAirports,
              {"Dat&a", "&Korvant Fixes", "Korvant &Airports"}, {SheetPage::Fixes, 6, 117, "Korvant Airports"}),
    topSwitch("obsoleteWaypoints", &LayerSwitches::obsoleteWaypoints, cmd::ObsoleteWaypoints,
              {"Dat&a", "&Korvant Fixes", "&Obsolete Waypoints"}, {SheetPage::Fixes, 7, 118, "Obsolete Waypoints"}),
};
constexpr SwitchEntry kProcedureSwitches[] = {
    topSwitch("ps1Procedure", &LayerSwitches::ps1Procedure, cmd::Ps1Procedure,
              {"Dat&a", "&Routes", "PS1 &Sid/Star/Approach"}, {}),
    topSwitch("ps1Route", &LayerSwitches::ps1Route, cmd::Ps1Route, {"Dat&a", "&Routes", "PS1 &Route"}, {}),
};
constexpr SwitchEntry kSimDataSwitches[] = {
    topSwitch("ps1Wpt", &LayerSwitches::ps1Wpt, cmd::Ps1Wpt, {"Dat&a", "&PS1 Data", "(1.2) &WPT.DAT"},
              {SheetPage::Fixes, 1, 173, "747WPT.DAT"}),
    topSwitch("ps1Sta", &LayerSwitches::ps1Sta, cmd::Ps1Sta, {"Dat&a", "&PS1 Data", "(1.2) 747*.&STA"},
              {SheetPage::Fixes, 2, 175, "747*.STA"}),
    topSwitch("ps1Apt", &LayerSwitches::ps1Apt, cmd::Ps1Apt, {"Dat&a", "&PS1 Data", "747*.&APT"},
              {SheetPage::Fixes, 3, 176, "747*.APT"}),
};
constexpr SwitchEntry kVariationSwitches[] = {
    topSwitch("variation", &LayerSwitches::variation, cmd::Variation, {"Dat&a", "", "&Variation"},
              {SheetPage::Misc, 1, 152, "Variation"}),
};
constexpr SwitchEntry kDafifPointsSwitches[] = {
    dafifSwitch("dafifSymbols", &DafifSwitches::symbolsDafifOnly, cmd::DafifSymbolsOnly,
                {"Daf&if", "", "&9 Symbols (DAFIF only)"}, {SheetPage::Dafif, 24, 172, "Symbols", WaypointsColumn}),
    dafifSwitch("dafifAirports7000", &DafifSwitches::airports7000, cmd::DafifAirports7000,
                {"Daf&if", "", "Airports &7000+"}, {SheetPage::Dafif, 0, 144, "Airport 7000+", AirportsColumn}),
    dafifSwitch("dafifAirports5000", &DafifSwitches::airports5000, cmd::DafifAirports5000,
                {"Daf&if", "", "Airports &5000-6999"}, {SheetPage::Dafif, 1, 145, "Airport 5000-6999", AirportsColumn}),
    dafifSwitch("dafifAirports3000", &DafifSwitches::airports3000, cmd::DafifAirports3000,
                {"Daf&if", "", "Airports &3000-4999"}, {SheetPage::Dafif, 2, 146, "Airport 3000-4999", AirportsColumn}),
    dafifSwitch("dafifAirports0", &DafifSwitches::airports0, cmd::DafifAirports0, {"Daf&if", "", "Airports 0-&2999"},
                {SheetPage::Dafif, 3, 147, "Airport 0-2999", AirportsColumn}),
    dafifSwitch("dafifRunways", &DafifSwitches::runways, cmd::DafifRunways, {"Daf&if", "", "Show Runwa&ys"},
                {SheetPage::Dafif, 4, 215, "Runways", AirportsColumn}),
    dafifSwitch("dafifRunwayNumbers", &DafifSwitches::runwayNumbers, cmd::DafifRunwayNumbers,
                {"Daf&if", "", "Show Rwy &Numbers"}, {SheetPage::Dafif, 5, 214, "Rwy Numbers", AirportsColumn}),
    dafifSwitch("dafifFullName", &DafifSwitches::fullName, cmd::DafifFullName, {"Daf&if", "", "Show &Full Name"},
                {SheetPage::Dafif, 6, 213, "Full Name", AirportsColumn}),
    dafifSwitch("dafifVorHA", &DafifSwitches::vorHA, cmd::DafifVorHA, {"Daf&if", "", "VOR H&A"},
                {SheetPage::Dafif, 14, 158, "VOR HA", NavaidsColumn}),
    dafifSwitch("dafifVorL", &DafifSwitches::vorL, cmd::DafifVorL, {"Daf&if", "", "&VOR L"},
                {SheetPage::Dafif, 15, 166, "VOR L", NavaidsColumn}),
    dafifSwitch("dafifVorT", &DafifSwitches::vorT, cmd::DafifVorT, {"Daf&if", "", "VOR &T"},
                {SheetPage::Dafif, 16, 168, "VOR T", NavaidsColumn}),
    dafifSwitch("dafifNdbHHHU", &DafifSwitches::ndbHHHU, cmd::DafifNdbHHHU, {"Daf&if", "", "NDB H,HH,&U"},
                {SheetPage::Dafif, 17, 110, "NDB H", NavaidsColumn}),
    dafifSwitch("dafifNdbMHOther", &DafifSwitches::ndbMHOther, cmd::DafifNdbMHOther, {"Daf&if", "", "NDB &MH, Other"},
                {SheetPage::Dafif, 18, 169, "NDB MH", NavaidsColumn}),
    dafifSwitch("dafifWptB", &DafifSwitches::wptB, cmd::DafifWptB, {"Daf&if", "", "Wpt &B"},
                {SheetPage::Dafif, 19, 174, "WPT B", WaypointsColumn}),
    dafifSwitch("dafifWptH", &DafifSwitches::wptH, cmd::DafifWptH, {"Daf&if", "", "Wpt &H"},
                {SheetPage::Dafif, 20, 194, "WPT H", WaypointsColumn}),
    dafifSwitch("dafifWptL", &DafifSwitches::wptL, cmd::DafifWptL, {"Daf&if", "", "Wpt &L"},
                {SheetPage::Dafif, 21, 193, "WPT L", WaypointsColumn}),
    dafifSwitch("dafifWptR", &DafifSwitches::wptR, cmd::DafifWptR, {"Daf&if", "", "Wpt &R"},
                {SheetPage::Dafif, 22, 192, "WPT R", WaypointsColumn}),
    dafifSwitch("dafifWptT", &DafifSwitches::wptT, cmd::DafifWptT, {"Daf&if", "", "W&pt T"},
                {SheetPage::Dafif, 23, 191, "WPT T", WaypointsColumn}),
};
constexpr SwitchEntry kDafifLinesSwitches[] = {
    dafifSwitch("dafifAtsBoth", &DafifSwitches::atsBoth, cmd::DafifAtsBoth, {"Daf&if", "", "ATS B&oth"},
                {SheetPage::Dafif, 7, 105, "ATS B", AirwaysColumn}),
    dafifSwitch("dafifAtsHigh", &DafifSwitches::atsHigh, cmd::DafifAtsHigh, {"Daf&if", "", "ATS Hi&gh"},
                {SheetPage::Dafif, 8, 106, "ATS H", AirwaysColumn}),
    dafifSwitch("dafifAtsLow", &DafifSwitches::atsLow, cmd::DafifAtsLow, {"Daf&if", "", "ATS Lo&w"},
                {SheetPage::Dafif, 9, 153, "ATS L", AirwaysColumn}),
    dafifSwitch("dafifIds", &DafifSwitches::ids, cmd::DafifIds, {"Daf&if", "", "&IDs"},
                {SheetPage::Dafif, 10, 102, "IDs", AirwaysColumn}),
    dafifSwitch("dafifRadials", &DafifSwitches::radials, cmd::DafifRadials, {"Daf&if", "", "Ra&dials"},
                {SheetPage::Dafif, 11, 217, "Radials", AirwaysColumn}),
    dafifSwitch("dafifSegmentDistances", &DafifSwitches::segmentDistances, cmd::DafifSegmentDistances,
                {"Daf&if", "", "Segment Distanc&es"}, {SheetPage::Dafif, 12, 216, "Distances", AirwaysColumn}),
    dafifSwitch("dafifOrtca", &DafifSwitches::ortca, cmd::DafifOrtca, {"Daf&if", "", "ORT&CA"},
                {SheetPage::Dafif, 13, 189, "ORTCA", AirwaysColumn}),
    specialUseSwitch("specialProhibited", &DafifSwitches::prohibited, cmd::SpecialProhibited,
                     {"Daf&if", "&Special Use", "&Prohibited"},
                     {SheetPage::Dafif, 25, 202, "Prohibited", SpecialUseColumn}),
    specialUseSwitch("specialRestricted", &DafifSwitches::restricted, cmd::SpecialRestricted,
                     {"Daf&if", "&Special Use", "&Restricted"},
                     {SheetPage::Dafif, 26, 203, "Restricted", SpecialUseColumn}),
    specialUseSwitch("specialMoa", &DafifSwitches::moa, cmd::SpecialMoa, {"Daf&if", "&Special Use", "&MOA"},
                     {SheetPage::Dafif, 27, 204, "MOA", SpecialUseColumn}),
    specialUseSwitch("specialWarning", &DafifSwitches::warning, cmd::SpecialWarning,
                     {"Daf&if", "&Special Use", "&Warning"}, {SheetPage::Dafif, 28, 205, "Warning", SpecialUseColumn}),
    specialUseSwitch("specialAlert", &DafifSwitches::alert, cmd::SpecialAlert, {"Daf&if", "&Special Use", "&Alert"},
                     {SheetPage::Dafif, 29, 206, "Alert", SpecialUseColumn}),
    specialUseSwitch("specialDanger", &DafifSwitches::danger, cmd::SpecialDanger, {"Daf&if", "&Special Use", "&Danger"},
                     {SheetPage::Dafif, 30, 207, "Danger", SpecialUseColumn}),
    specialUseSwitch("specialTemp", &DafifSwitches::temp, cmd::SpecialTemp, {"Daf&if", "&Special Use", "&Temp"},
                     {SheetPage::Dafif, 31, 208, "Temp", SpecialUseColumn}),
    specialUseSwitch("specialRefuel", &DafifSwitches::refuel, cmd::SpecialRefuel, {"Daf&if", "&Special Use", "Re&fuel"},
                     {SheetPage::Dafif, 32, 209, "Refueling", SpecialUseColumn}),
};

const PaintLayer kLayers[] = {
    {"terrain", kBelow,
     [](const PaintContext& p, const LayerConditions&) { return p.switches().terrain && !fineCoastShown(p.input); },
     drawTerrain, kTerrainSwitches},
    {"fineCoast", kBelow,
     [](const PaintContext& p, const LayerConditions&) { return p.switches().terrain && fineCoastShown(p.input); },
     drawFineCoast},
    {"grid", kBelow,
     [](const PaintContext& p, const LayerConditions& c) { return !c.procedureMapEmpty && p.switches().latLongGrid; },
     drawGrid, kGridSwitches},
    {"ticks", kBelow, onTheMap, drawTicks, kTicksSwitches},
    {"gridLabels", kBelow,
     [](const PaintContext& p, const LayerConditions& c) { return !c.procedureMapEmpty && p.switches().latLongLabels; },
     drawGridLabels, kGridLabelsSwitches, true, C::Grid},
    {"facilityBoundaries", kBelow,
     [](const PaintContext& p, const LayerConditions& c) {
       return !c.procedureMapEmpty && p.switches().facilityBoundaries;
     },
     drawFacilityBoundaries, kFacilityBoundariesSwitches},
    {"terminator", kBelow, always, drawTerminatorLayers, kTerminatorSwitches, true, C::Grid, terminatorKey},
    {"dafifLines", kBelow, always, drawDafifLines, kDafifLinesSwitches, true, C::Airway, dafifKey},
    {"navDataAirways", kBelow,
     [](const PaintContext& p, const LayerConditions& c) {
       return !c.procedureMapEmpty && p.switches().navDataAirways && p.input.fixes.navData();
     },
     drawNavDataAirways, kNavDataAirwaysSwitches, true, C::Airway, navDataKey},
    // Under the tracks, so that the one flown keeps its own line and labels.
    {"etopsRoute",
     kBelow,
     [](const PaintContext& p, const LayerConditions&) { return p.input.etops != nullptr; },
     drawEtopsRoute,
     {},
     true,
     C::Always,
     etopsKey},
    {"tracks", kBelow, onTheMap, drawTracksAndRouteSets, kTracksSwitches, true, C::Track, tracksKey},
    // Drawn first above the tools' lines as the layers draw it; decluttered,
    // last, on its own ground over everything (the entry at the end).
    {"titleBlock", kAbove, [](const PaintContext&, const LayerConditions& c) { return !c.declutter; }, drawTitleBlock,
     kTitleBlockSwitches, true, C::Always, titleBlockKey},
    {"variation", kAbove, [](const PaintContext& p, const LayerConditions&) { return p.switches().variation; },
     drawVariation, kVariationSwitches, true, C::Grid},
    {"ownFixes", kAbove, always, drawOwnFixes, kOwnFixesSwitches, true, C::Waypoint},
    {"simData", kAbove, always, drawSimData, kSimDataSwitches, true, C::Waypoint, simKey},
    {"dafifPoints", kAbove, always, drawDafifPoints, kDafifPointsSwitches, true, C::Waypoint, dafifKey},
    {"navDataNavaids", kAbove,
     [](const PaintContext& p, const LayerConditions&) {
       return p.switches().navDataNavaids && p.input.fixes.navData();
     },
     drawNavDataNavaids, kNavDataNavaidsSwitches, true, C::Navaid, navDataKey},
    {"userOverlay", kAbove, always, drawUserOverlay, kUserOverlaySwitches, true, C::Always, userOverlayKey},
    {"runways",
     kAbove,
     [](const PaintContext& p, const LayerConditions&) { return !p.input.runwaysAirport.empty(); },
     drawRunways,
     {},
     true,
     C::Always,
     runwaysKey},
    {"procedure", kAbove, [](const PaintContext& p, const LayerConditions&) { return p.input.procedureMap; },
     drawProcedure, kProcedureSwitches, true, C::Always, procedureKey},
    {"etops", kAbove, [](const PaintContext& p, const LayerConditions&) { return p.input.etops != nullptr; }, drawEtops,
     kEtopsSwitches, true, C::Always, etopsKey},
    {"plottedRoute", kAbove, always, drawPlottedRoute, {}, true, C::Always, plottedRouteKey},
    {"titleBlockLast",
     kAbove,
     [](const PaintContext&, const LayerConditions& c) { return c.declutter; },
     drawTitleBlock,
     {},
     true,
     C::Always,
     titleBlockKey},
};

}  // namespace

std::span<const PaintLayer> standardPaintLayers() { return kLayers; }

}  // namespace korvant
