#include "map/mappainter.h"

#include "map/labelfilter.h"
#include "map/labelplan.h"
#include "map/labelrecorder.h"
#include "map/layers/layers.h"
#include "map/mapfonts.h"
#include "map/routedrawing.h"

namespace korvant {

namespace {

void drawTracksAndRouteSets(PaintContext& paint) {
  paint.canvas.selectFont(paint.printing ? paint.fonts.small : paint.fonts.medium);
  paint.canvas.setTextColor(colors::black);
  paint.canvas.setBackgroundTransparent(true);
  RouteDrawer routes(paint, paint.input.tracks.reference);
  routes.drawTrackRoutes(paint.input.tracks);
  routes.drawRouteSets();
}

// One run of a stage's layers: drawing, recording the labels for the plan
// (only the layers that write labels), or drawing through the plan.
struct LayerRun {
  LabelRecorder* recorder = nullptr;
  LabelFilter* filter = nullptr;
  bool declutter = false;

  bool recording() const { return recorder != nullptr; }

  template <typename Draw>
  void labelled(PaintContext& paint, LabelLayer layer, LabelClass cls, Draw&& draw) const {
    if (recorder) recorder->beginLayer(layer, cls);
    if (filter) filter->beginLayer(layer);
    draw(paint);
    if (filter) filter->endLayer();
  }
};

void runBelow(PaintContext& paint, const LayerRun& run, bool procedureMapEmpty) {
  const LayerSwitches& sw = paint.switches();
  if (sw.terrain && !run.recording()) drawTerrain(paint);
  if (!procedureMapEmpty) {
    if (!run.recording()) {
      if (sw.latLongGrid) drawGrid(paint);
      drawTicks(paint);
    }
    if (sw.latLongLabels) run.labelled(paint, LabelLayer::GridLabels, LabelClass::Grid, drawGridLabels);
    if (sw.facilityBoundaries && !run.recording()) drawFacilityBoundaries(paint);
  }
  run.labelled(paint, LabelLayer::Terminator, LabelClass::Grid, drawTerminatorLayers);
  run.labelled(paint, LabelLayer::DafifLines, LabelClass::Airway, drawDafifLines);
  if (!procedureMapEmpty) run.labelled(paint, LabelLayer::Tracks, LabelClass::Track, drawTracksAndRouteSets);
}

void runAbove(PaintContext& paint, const LayerRun& run) {
  const LayerSwitches& sw = paint.switches();
  // Decluttered, the title block comes last, on its own ground over everything.
  if (!run.declutter) run.labelled(paint, LabelLayer::TitleBlock, LabelClass::Always, drawTitleBlock);
  if (sw.variation) run.labelled(paint, LabelLayer::Variation, LabelClass::Grid, drawVariation);
  run.labelled(paint, LabelLayer::OwnFixes, LabelClass::Waypoint, drawOwnFixes);
  run.labelled(paint, LabelLayer::SimData, LabelClass::Waypoint, drawSimData);
  run.labelled(paint, LabelLayer::DafifPoints, LabelClass::Waypoint, drawDafifPoints);
  run.labelled(paint, LabelLayer::UserOverlay, LabelClass::Always, drawUserOverlay);
  const std::string_view airport = paint.input.runwaysAirport;
  if (!airport.empty())
    run.labelled(paint, LabelLayer::Runways, LabelClass::Always,
                 [&](PaintContext& p) { drawSimRunways(p, std::string(airport)); });
  if (paint.input.procedureMap) run.labelled(paint, LabelLayer::Procedure, LabelClass::Always, drawProcedure);
  if (run.declutter) run.labelled(paint, LabelLayer::TitleBlock, LabelClass::Always, drawTitleBlock);
}

PaintContext contextOn(const PaintContext& model, MapCanvas& canvas) {
  PaintContext paint{model.input, canvas, model.projection, model.farSide, model.fonts};
  paint.lineHeight = model.lineHeight;
  paint.charWidth = model.charWidth;
  paint.width = model.width;
  paint.height = model.height;
  paint.pixelsPerInch = model.pixelsPerInch;
  paint.color = model.color;
  paint.printing = model.printing;
  paint.procedureMap = model.procedureMap;
  return paint;
}

}  // namespace

PaintResult MapPainter::paint(const PaintOptions& options) {
  PaintResult result;
  for (PaintStage stage : {PaintStage::Below, PaintStage::Overlay, PaintStage::Above})
    result = paintStage(options, stage);
  return result;
}

PaintResult MapPainter::paintStage(const PaintOptions& options, PaintStage stage) {
  PaintResult result;
  const MapView& view = input_.view;
  const int pixelsPerInch = canvas_.logicalPixelsPerInchY();
  const MapFonts fonts = buildMapFonts(input_.fontSettings, options.printing, pixelsPerInch);

  if (stage == PaintStage::Below) canvas_.fillRect({0, 0, options.width, options.height}, colors::white);
  result.projection.setup(view.viewport(options.width, options.height));

  PaintContext paint{input_, canvas_, result.projection, FarSideRule(view.centre), fonts};
  paint.width = options.width;
  paint.height = options.height;
  paint.pixelsPerInch = pixelsPerInch;
  paint.printing = options.printing;
  paint.color = options.printing ? input_.switches.printerColor : input_.switches.videoColor;
  canvas_.selectFont(fonts.small);
  const TextMetrics metrics = canvas_.textMetrics();
  paint.lineHeight = metrics.height + metrics.externalLeading;
  paint.charWidth = metrics.averageCharWidth;

  const bool procedureMapEmpty = input_.procedureMap && !(input_.procedure && input_.procedure->shown());
  paint.procedureMap = input_.procedureMap;
  if (stage == PaintStage::Overlay) {
    drawToolOverlay(paint);
    return result;
  }
  if (!input_.switches.declutter || !options.overlay) {
    const LayerRun run;
    stage == PaintStage::Below ? runBelow(paint, run, procedureMapEmpty) : runAbove(paint, run);
    return result;
  }
  // Both stages plan from the whole map, so each agrees with the other
  // whichever is painted, and on whichever thread.
  LabelRecorder recorder(canvas_);
  PaintContext planning = contextOn(paint, recorder);
  const LayerRun record{&recorder, nullptr, true};
  runBelow(planning, record, procedureMapEmpty);
  runAbove(planning, record);
  const LabelPlan plan = planLabels(recorder.record(), options.width, options.height);
  LabelFilter filter(canvas_, plan);
  PaintContext drawing = contextOn(paint, filter);
  const LayerRun draw{nullptr, &filter, true};
  stage == PaintStage::Below ? runBelow(drawing, draw, procedureMapEmpty) : runAbove(drawing, draw);
  return result;
}

}  // namespace korvant
