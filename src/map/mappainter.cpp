#include "map/mappainter.h"

#include "map/layers/layers.h"
#include "map/mapfonts.h"
#include "map/routedrawing.h"

namespace korvant {

namespace {

int projectionKind(ProjectionKind kind) {
  switch (kind) {
    case ProjectionKind::Lambert: return 1;
    case ProjectionKind::Orthographic: return 3;
    case ProjectionKind::Mercator: break;
  }
  return 2;
}

void drawTracksAndRouteSets(PaintContext& paint) {
  paint.canvas.selectFont(paint.printing ? paint.fonts.small : paint.fonts.medium);
  paint.canvas.setTextColor(colors::black);
  paint.canvas.setBackgroundTransparent(true);
  RouteDrawer routes(paint, paint.app.tracks.reference);
  routes.drawTrackRoutes(paint.app.tracks);
  routes.drawRouteSets();
}

}  // namespace

PaintResult MapPainter::paint(const PaintOptions& options) {
  PaintResult result;
  const MapView& view = app_.view;
  const int pixelsPerInch = canvas_.logicalPixelsPerInchY();
  const MapFonts fonts = buildMapFonts(app_.settings, options.printing, pixelsPerInch);

  canvas_.fillRect({0, 0, options.width, options.height}, colors::white);
  result.projection.setup(view.centre.lat, view.centre.lng, 1.0, view.stdParallel1, view.stdParallel2, 0, 0,
                          options.width, options.height,
                          Projection::scaleForRange(options.width, options.height, view.range),
                          projectionKind(view.kind));

  PaintContext paint{app_, canvas_, result.projection, FarSideRule(view.centre), fonts};
  paint.width = options.width;
  paint.height = options.height;
  paint.pixelsPerInch = pixelsPerInch;
  paint.printing = options.printing;
  paint.color = options.printing ? app_.switches.printerColor : app_.switches.videoColor;
  canvas_.selectFont(fonts.small);
  const TextMetrics metrics = canvas_.textMetrics();
  paint.lineHeight = metrics.height + metrics.externalLeading;
  paint.charWidth = metrics.averageCharWidth;

  const LayerSwitches& sw = app_.switches;
  // No procedure can be loaded yet, so the procedure map shows only what
  // stands behind it.
  const bool procedureMapEmpty = app_.procedureMap;
  paint.procedureMap = app_.procedureMap;
  if (sw.terrain) drawTerrain(paint);
  if (!procedureMapEmpty) {
    if (sw.latLongGrid) drawGrid(paint);
    drawTicks(paint);
    if (sw.latLongLabels) drawGridLabels(paint);
    if (sw.facilityBoundaries) drawFacilityBoundaries(paint);
    drawTracksAndRouteSets(paint);
  }
  drawToolOverlay(paint);
  drawTitleBlock(paint);
  if (sw.variation) drawVariation(paint);
  drawOwnFixes(paint);
  return result;
}

}  // namespace korvant
