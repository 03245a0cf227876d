#include "map/paintlayers.h"

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

using L = LabelLayer;
using C = LabelClass;
constexpr PaintStage kBelow = PaintStage::Below, kAbove = PaintStage::Above;

const PaintLayer kLayers[] = {
    {"terrain", kBelow, [](const PaintContext& p, const LayerConditions&) { return p.switches().terrain; },
     drawTerrain},
    {"grid", kBelow,
     [](const PaintContext& p, const LayerConditions& c) { return !c.procedureMapEmpty && p.switches().latLongGrid; },
     drawGrid},
    {"ticks", kBelow, onTheMap, drawTicks},
    {"gridLabels", kBelow,
     [](const PaintContext& p, const LayerConditions& c) { return !c.procedureMapEmpty && p.switches().latLongLabels; },
     drawGridLabels, true, L::GridLabels, C::Grid},
    {"facilityBoundaries", kBelow,
     [](const PaintContext& p, const LayerConditions& c) {
       return !c.procedureMapEmpty && p.switches().facilityBoundaries;
     },
     drawFacilityBoundaries},
    {"terminator", kBelow, always, drawTerminatorLayers, true, L::Terminator, C::Grid, terminatorKey},
    {"dafifLines", kBelow, always, drawDafifLines, true, L::DafifLines, C::Airway, dafifKey},
    {"navDataAirways", kBelow,
     [](const PaintContext& p, const LayerConditions& c) {
       return !c.procedureMapEmpty && p.switches().navDataAirways && p.input.fixes.navData();
     },
     drawNavDataAirways, true, L::NavDataAirways, C::Airway},
    {"tracks", kBelow, onTheMap, drawTracksAndRouteSets, true, L::Tracks, C::Track, tracksKey},
    // Drawn first above the tools' lines as the layers draw it; decluttered,
    // last, on its own ground over everything (the entry at the end).
    {"titleBlock", kAbove, [](const PaintContext&, const LayerConditions& c) { return !c.declutter; }, drawTitleBlock,
     true, L::TitleBlock, C::Always, titleBlockKey},
    {"variation", kAbove, [](const PaintContext& p, const LayerConditions&) { return p.switches().variation; },
     drawVariation, true, L::Variation, C::Grid},
    {"ownFixes", kAbove, always, drawOwnFixes, true, L::OwnFixes, C::Waypoint},
    {"simData", kAbove, always, drawSimData, true, L::SimData, C::Waypoint, simKey},
    {"dafifPoints", kAbove, always, drawDafifPoints, true, L::DafifPoints, C::Waypoint, dafifKey},
    {"navDataNavaids", kAbove,
     [](const PaintContext& p, const LayerConditions&) {
       return p.switches().navDataNavaids && p.input.fixes.navData();
     },
     drawNavDataNavaids, true, L::NavDataNavaids, C::Navaid},
    {"userOverlay", kAbove, always, drawUserOverlay, true, L::UserOverlay, C::Always, userOverlayKey},
    {"runways", kAbove, [](const PaintContext& p, const LayerConditions&) { return !p.input.runwaysAirport.empty(); },
     drawRunways, true, L::Runways, C::Always, runwaysKey},
    {"procedure", kAbove, [](const PaintContext& p, const LayerConditions&) { return p.input.procedureMap; },
     drawProcedure, true, L::Procedure, C::Always, procedureKey},
    {"plottedRoute", kAbove, always, drawPlottedRoute, true, L::PlottedRoute, C::Always, plottedRouteKey},
    {"titleBlockLast", kAbove, [](const PaintContext&, const LayerConditions& c) { return c.declutter; },
     drawTitleBlock, true, L::TitleBlock, C::Always, titleBlockKey},
};

}  // namespace

std::span<const PaintLayer> standardPaintLayers() { return kLayers; }

}  // namespace korvant
