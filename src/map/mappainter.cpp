#include "map/mappainter.h"

#include "map/layers/layers.h"
#include "map/mapfonts.h"
#include "map/maprecorder.h"
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

// One run of a stage's layers: drawing, or recording them with their labels.
struct LayerRun {
  MapRecorder* recorder = nullptr;
  bool declutter = false;

  template <typename Draw>
  void labelled(PaintContext& paint, LabelLayer layer, LabelClass cls, Draw&& draw) const {
    if (recorder) recorder->beginLayer(layer, cls);
    draw(paint);
    if (recorder) recorder->endLayer();
  }
};

void runBelow(PaintContext& paint, const LayerRun& run, bool procedureMapEmpty) {
  const LayerSwitches& sw = paint.switches();
  if (sw.terrain) drawTerrain(paint);
  if (!procedureMapEmpty) {
    if (sw.latLongGrid) drawGrid(paint);
    drawTicks(paint);
    if (sw.latLongLabels) run.labelled(paint, LabelLayer::GridLabels, LabelClass::Grid, drawGridLabels);
    if (sw.facilityBoundaries) drawFacilityBoundaries(paint);
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
  run.labelled(paint, LabelLayer::PlottedRoute, LabelClass::Always, drawPlottedRoute);
  if (run.declutter) run.labelled(paint, LabelLayer::TitleBlock, LabelClass::Always, drawTitleBlock);
}

}  // namespace

bool MapPainter::declutters() const { return input_.switches.declutter; }

PaintContext MapPainter::setUp(const PaintOptions& options, Projection& projection, MapCanvas& canvas) const {
  const int pixelsPerInch = canvas_.logicalPixelsPerInchY();
  projection.setup(input_.view.viewport(options.width, options.height));
  PaintContext paint{input_, canvas, projection, FarSideRule(input_.view.centre),
                     buildMapFonts(input_.fontSettings, options.printing, pixelsPerInch)};
  paint.width = options.width;
  paint.height = options.height;
  paint.pixelsPerInch = pixelsPerInch;
  paint.printing = options.printing;
  paint.currentColor = options.printing ? input_.switches.printerColor : input_.switches.videoColor;
  canvas_.selectFont(paint.fonts.small);
  const TextMetrics metrics = canvas_.textMetrics();
  paint.lineHeight = metrics.height + metrics.externalLeading;
  paint.charWidth = metrics.averageCharWidth;
  paint.procedureMap = input_.procedureMap;
  return paint;
}

bool MapPainter::procedureMapEmpty() const {
  return input_.procedureMap && !(input_.procedure && input_.procedure->shown());
}

MapRecording MapPainter::recordStage(const PaintOptions& options, PaintStage stage) {
  MapRecorder recorder(canvas_);
  Projection projection;
  PaintContext paint = setUp(options, projection, recorder);
  const LayerRun run{&recorder, true};
  recorder.beginStage(stage);
  stage == PaintStage::Below ? runBelow(paint, run, procedureMapEmpty()) : runAbove(paint, run);
  return recorder.take();
}

MapRecording MapPainter::record(const PaintOptions& options) {
  MapRecording below = recordStage(options, PaintStage::Below);
  return combineRecordings(std::move(below), recordStage(options, PaintStage::Above), options.width, options.height);
}

PaintResult MapPainter::paint(const PaintOptions& options) {
  // One recording serves all three stages on one surface.
  std::optional<MapRecording> recording;
  if (declutters()) recording = record(options);
  PaintResult result;
  for (PaintStage stage : {PaintStage::Below, PaintStage::Overlay, PaintStage::Above})
    result = paintStage(options, stage, recording ? &*recording : nullptr);
  return result;
}

PaintResult MapPainter::paintStage(const PaintOptions& options, PaintStage stage) {
  if (stage == PaintStage::Overlay || !declutters()) return paintStage(options, stage, nullptr);
  const MapRecording recording = record(options);
  return paintStage(options, stage, &recording);
}

PaintResult MapPainter::paintStage(const PaintOptions& options, PaintStage stage, const MapRecording* recording) {
  PaintResult result;
  if (stage == PaintStage::Below) canvas_.fillRect({0, 0, options.width, options.height}, colors::white);
  PaintContext paint = setUp(options, result.projection, canvas_);
  if (stage == PaintStage::Overlay) {
    drawToolOverlay(paint);
  } else if (recording) {
    replayStage(*recording, stage, canvas_);
  } else {
    const LayerRun run;
    stage == PaintStage::Below ? runBelow(paint, run, procedureMapEmpty()) : runAbove(paint, run);
  }
  return result;
}

}  // namespace korvant
