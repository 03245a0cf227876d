#pragma once
// One painter per map layer, each turning its data into drawing on the
// paint's canvas. The map paint calls them in its fixed order.
#include <ctime>
#include <memory>
#include <string>
#include <string_view>

#include "map/layerinput.h"
#include "map/paintcontext.h"
#include "navdata/simfiles.h"
#include "procedures/flightplan.h"

namespace korvant {

// Each row's step that takes what its painter reads (map/paintlayers.h):
// the layers of the fix file's lines and points read the fix file alone.
struct FixesInputs {
  std::shared_ptr<const FixStore> fixes;
  bool operator==(const FixesInputs&) const = default;
};
LayerInputs takeFixes(const PaintInput& input);
LayerInputs takeTerminator(const PaintInput& input);
LayerInputs takeDafif(const PaintInput& input);
LayerInputs takeNavData(const PaintInput& input);
LayerInputs takeEtops(const PaintInput& input);  // none while the layer is off
LayerInputs takeTitleBlock(const PaintInput& input);
LayerInputs takeMagnetic(const PaintInput& input);
LayerInputs takeSimData(const PaintInput& input);
LayerInputs takeUserOverlay(const PaintInput& input);
LayerInputs takeRunways(const PaintInput& input);  // none without an airport
LayerInputs takeProcedure(const PaintInput& input);
LayerInputs takePlottedRoute(const PaintInput& input);
LayerInputs takeTools(const PaintInput& input);
LayerInputs takeTrail(const PaintInput& input);     // none without a trail
LayerInputs takeAircraft(const PaintInput& input);  // none without the aircraft

void drawTerrain(PaintContext& paint);
// The finer coastline of COAST.DAT, which takes the terrain's place at
// regional ranges when it is loaded.
bool fineCoastShown(const PaintContext& paint);
void drawFineCoast(PaintContext& paint);
void drawGrid(PaintContext& paint);
void drawTicks(PaintContext& paint);
void drawGridLabels(PaintContext& paint);
void drawFacilityBoundaries(PaintContext& paint);
void drawToolOverlay(PaintContext& paint);
void drawTitleBlock(PaintContext& paint);
void drawVariation(PaintContext& paint);
void drawOwnFixes(PaintContext& paint);
// The PS1 waypoint, station and airport files, by their switches.
void drawSimData(PaintContext& paint);
// One airport's runways as the PS13DIR files give them.
void drawSimRunways(PaintContext& paint, const SimAirport& airport);
// The runways of the airport korvant-plot's --runways names.
void drawRunways(PaintContext& paint);
// The DAFIF layers: ATS segments with their labels and ORTCA (lines, under
// the tracks), then waypoints, airports with runways and navaids (points,
// after the simulator's layers).
void drawDafifLines(PaintContext& paint);
// The terminator, civil twilight and the next six hours' terminators.
void drawTerminatorLayers(PaintContext& paint);
void drawDafifPoints(PaintContext& paint);
// The navigation data is loaded.
bool navDataLoaded(const PaintContext& paint);
void drawNavDataAirways(PaintContext& paint);
void drawNavDataNavaids(PaintContext& paint);
// USER.TXT, when its switch is on.
void drawUserOverlay(PaintContext& paint);
// The loaded procedure or route, its runways and its title block.
void drawProcedure(PaintContext& paint);
// A twin's diversion circles, entry, exit, equal-time points and gaps.
void drawEtops(PaintContext& paint);
void drawEtopsRoute(PaintContext& paint);
// The route string read or a city pair's way onto its best track, over the tracks.
void drawPlottedRoute(PaintContext& paint);
// A route's waypoint: a triangle, the name below right of it.
// The name of each stored track a plan flies a stretch of ("NAT C"), over
// the middle of that stretch, never left out by the placer.
void drawTrackRunNames(PaintContext& paint, const FlightPlan& plan, const std::vector<PlanTrackRun>& runs, Color color);
void drawRouteMark(PaintContext& paint, const LatLng& position, std::string_view name);
// The aircraft's trail, the lines that cross the area painted.
void drawFlightTrail(PaintContext& paint);
// The aircraft, nose along its track, with its tag.
void drawOwnAircraft(PaintContext& paint);

// The packed ends of a tick arm of half-length e minutes round v, borrowing
// 40 where the arm crosses a whole degree (1000 gives 955 ... 1005).
struct TickArm {
  double lower, upper;
};
TickArm tickArm(double v, double e);

// "PRINTED dd/hhmm  dd MMM yyyy/hhmmZ": local day and time, then UTC.
std::string printedLine(std::time_t now, long utcOffsetSeconds);

}  // namespace korvant
