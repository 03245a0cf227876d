#include "map/mappainter.h"

#include "map/layers/layers.h"
#include "map/mapfonts.h"
#include "map/maprecorder.h"

namespace korvant {

bool MapPainter::declutters() const { return frame_.switches.declutter; }

PaintContext MapPainter::setUp(const PaintOptions& options, Projection& projection, MapCanvas& canvas) const {
  const int pixelsPerInch = canvas_.logicalPixelsPerInchY();
  projection.setup(frame_.view.viewport(options.width, options.height));
  PaintContext paint{frame_, canvas, projection, FarSideRule(frame_.view.centre),
                     buildMapFonts(frame_.fontSettings, options.printing, pixelsPerInch)};
  paint.width = options.width;
  paint.height = options.height;
  paint.pixelsPerInch = pixelsPerInch;
  paint.printing = options.printing;
  paint.currentColor = options.printing ? frame_.switches.printerColor : frame_.switches.videoColor;
  canvas_.selectFont(paint.fonts.small);
  const TextMetrics metrics = canvas_.textMetrics();
  paint.lineHeight = metrics.height + metrics.externalLeading;
  paint.charWidth = metrics.averageCharWidth;
  paint.procedureMap = frame_.procedureMap;
  if (options.area) paint.area = *options.area;
  return paint;
}

void MapPainter::runStage(PaintContext& paint, PaintStage stage, MapRecorder* recorder) const {
  // Recorded, the labels are planned: the title block then comes last.
  const LayerConditions conditions{recorder != nullptr, frame_.procedureMapEmpty};
  const std::span<const PaintLayer> layers = frame_.layers;
  for (std::size_t row = 0; row < layers.size(); ++row) {
    const PaintLayer& layer = layers[row];
    if (frame_.stopped()) return;
    if (layer.stage != stage) continue;
    paint.inputs = frame_.inputs[row].get();
    if (!layer.shown(paint, conditions)) continue;
    // A layer's labels are told apart by its row.
    if (recorder && layer.labelled) recorder->beginLayer(static_cast<int>(row), layer.labelClass);
    layer.draw(paint);
    if (recorder && layer.labelled) recorder->endLayer();
  }
}

MapRecording MapPainter::recordStage(const PaintOptions& options, PaintStage stage) {
  MapRecorder recorder(canvas_);
  Projection projection;
  PaintContext paint = setUp(options, projection, recorder);
  recorder.beginStage(stage);
  runStage(paint, stage, &recorder);
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
  for (PaintStage stage : {PaintStage::Below, PaintStage::Overlay, PaintStage::Above, PaintStage::Moving})
    result = paintStage(options, stage, recording ? &*recording : nullptr);
  return result;
}

PaintResult MapPainter::paintStage(const PaintOptions& options, PaintStage stage) {
  if (!keptStage(stage) || !declutters()) return paintStage(options, stage, nullptr);
  const MapRecording recording = record(options);
  return paintStage(options, stage, &recording);
}

PaintResult MapPainter::paintStage(const PaintOptions& options, PaintStage stage, const MapRecording* recording) {
  PaintResult result;
  if (stage == PaintStage::Below) canvas_.fillRect({0, 0, options.width, options.height}, colors::white);
  PaintContext paint = setUp(options, result.projection, canvas_);
  if (recording && keptStage(stage)) {
    replayStage(*recording, stage, canvas_);
  } else {
    runStage(paint, stage, nullptr);
  }
  return result;
}

}  // namespace korvant
