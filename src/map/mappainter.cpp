#include "map/mappainter.h"

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

  const LayerSwitches& sw = input_.switches;
  const bool procedureMapEmpty = input_.procedureMap && !(input_.procedure && input_.procedure->shown());
  paint.procedureMap = input_.procedureMap;
  switch (stage) {
    case PaintStage::Below:
      if (sw.terrain) drawTerrain(paint);
      if (!procedureMapEmpty) {
        if (sw.latLongGrid) drawGrid(paint);
        drawTicks(paint);
        if (sw.latLongLabels) drawGridLabels(paint);
        if (sw.facilityBoundaries) drawFacilityBoundaries(paint);
      }
      drawTerminatorLayers(paint);
      drawDafifLines(paint);
      if (!procedureMapEmpty) drawTracksAndRouteSets(paint);
      break;
    case PaintStage::Overlay: drawToolOverlay(paint); break;
    case PaintStage::Above:
      drawTitleBlock(paint);
      if (sw.variation) drawVariation(paint);
      drawOwnFixes(paint);
      drawSimData(paint);
      drawDafifPoints(paint);
      drawUserOverlay(paint);
      if (!input_.runwaysAirport.empty()) drawSimRunways(paint, std::string(input_.runwaysAirport));
      if (input_.procedureMap) drawProcedure(paint);
      break;
  }
  return result;
}

}  // namespace korvant
