#include "map/paintlayers.h"

#include "base/commandids.h"
#include "map/layers/layers.h"
#include "map/routedrawing.h"

namespace korvant {

namespace {

// The message's sets, drawn against the fix file with their magnetic courses.
struct TracksInputs {
  std::shared_ptr<const TrackSets> tracks;
  std::shared_ptr<const FixStore> fixes;
  MagneticModel magnetic;
  std::optional<std::time_t> validAt;  // while only the valid tracks are drawn
  bool operator==(const TracksInputs&) const = default;
};

LayerInputs takeTracks(const PaintInput& input) {
  TracksInputs in{input.tracks, input.fixes, input.magnetic, std::nullopt};
  if (input.switches.validTracksOnly) in.validAt = input.validityTime();
  return layerInputs(std::move(in));
}

void drawTracksAndRouteSets(PaintContext& paint) {
  const TracksInputs& in = paint.in<TracksInputs>();
  paint.canvas.selectFont(paint.printing ? paint.fonts.small : paint.fonts.medium);
  paint.canvas.setTextColor(colors::black);
  paint.canvas.setBackgroundTransparent(true);
  const RouteSources sources{*in.fixes, in.magnetic, in.validAt};
  for (const TrackModel* set : in.tracks->held()) {
    RouteDrawer routes(paint, sources, set->reference);
    routes.drawTrackRoutes(*set);
  }
  RouteDrawer(paint, sources, in.tracks->reference()).drawRouteSets();
}

bool always(const PaintContext&, const LayerConditions&) { return true; }
bool onTheMap(const PaintContext&, const LayerConditions& c) { return !c.procedureMapEmpty; }
// A layer whose row took nothing has nothing to draw.
bool taken(const PaintContext& p, const LayerConditions&) { return p.inputs != nullptr; }

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
     [](const PaintContext& p, const LayerConditions&) { return p.switches().terrain && !fineCoastShown(p); },
     drawTerrain, kTerrainSwitches, false, C::Always, takeFixes},
    {"fineCoast",
     kBelow,
     [](const PaintContext& p, const LayerConditions&) { return p.switches().terrain && fineCoastShown(p); },
     drawFineCoast,
     {},
     false,
     C::Always,
     takeFixes},
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
     drawFacilityBoundaries, kFacilityBoundariesSwitches, false, C::Always, takeFixes},
    {"terminator", kBelow, taken, drawTerminatorLayers, kTerminatorSwitches, true, C::Grid, takeTerminator},
    {"dafifLines", kBelow, always, drawDafifLines, kDafifLinesSwitches, true, C::Airway, takeDafif},
    {"navDataAirways", kBelow,
     [](const PaintContext& p, const LayerConditions& c) {
       return !c.procedureMapEmpty && p.switches().navDataAirways && navDataLoaded(p);
     },
     drawNavDataAirways, kNavDataAirwaysSwitches, true, C::Airway, takeNavData},
    // Under the tracks, so that the one flown keeps its own line and labels.
    {"etopsRoute", kBelow, taken, drawEtopsRoute, {}, true, C::Always, takeEtops},
    {"tracks", kBelow, onTheMap, drawTracksAndRouteSets, kTracksSwitches, true, C::Track, takeTracks},
    // Drawn first above the tools' lines as the layers draw it; decluttered,
    // last, on its own ground over everything (the entry at the end).
    {"titleBlock", kAbove, [](const PaintContext&, const LayerConditions& c) { return !c.declutter; }, drawTitleBlock,
     kTitleBlockSwitches, true, C::Always, takeTitleBlock},
    {"variation", kAbove, [](const PaintContext& p, const LayerConditions&) { return p.switches().variation; },
     drawVariation, kVariationSwitches, true, C::Grid, takeMagnetic},
    {"ownFixes", kAbove, always, drawOwnFixes, kOwnFixesSwitches, true, C::Waypoint, takeFixes},
    {"simData", kAbove, always, drawSimData, kSimDataSwitches, true, C::Waypoint, takeSimData},
    {"dafifPoints", kAbove, always, drawDafifPoints, kDafifPointsSwitches, true, C::Waypoint, takeDafif},
    {"navDataNavaids", kAbove,
     [](const PaintContext& p, const LayerConditions&) { return p.switches().navDataNavaids && navDataLoaded(p); },
     drawNavDataNavaids, kNavDataNavaidsSwitches, true, C::Navaid, takeNavData},
    {"userOverlay", kAbove, always, drawUserOverlay, kUserOverlaySwitches, true, C::Always, takeUserOverlay},
    {"runways", kAbove, taken, drawRunways, {}, true, C::Always, takeRunways},
    {"procedure", kAbove, [](const PaintContext& p, const LayerConditions&) { return p.procedureMap; }, drawProcedure,
     kProcedureSwitches, true, C::Always, takeProcedure},
    {"etops", kAbove, taken, drawEtops, kEtopsSwitches, true, C::Always, takeEtops},
    {"plottedRoute", kAbove, always, drawPlottedRoute, {}, true, C::Always, takePlottedRoute},
    {"titleBlockLast",
     kAbove,
     [](const PaintContext&, const LayerConditions& c) { return c.declutter; },
     drawTitleBlock,
     {},
     true,
     C::Always,
     takeTitleBlock},
    // The map tools' lines, between the two kept stages.
    {"toolLines", PaintStage::Overlay, always, drawToolOverlay, {}, false, C::Always, takeTools},
    // What moves, over everything.
    {"trail", PaintStage::Moving, taken, drawFlightTrail, {}, false, C::Always, takeTrail},
    {"aircraft", PaintStage::Moving, taken, drawOwnAircraft, {}, false, C::Always, takeAircraft},
};

}  // namespace

std::span<const PaintLayer> standardPaintLayers() { return kLayers; }

}  // namespace korvant
