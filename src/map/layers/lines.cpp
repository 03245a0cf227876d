// The line layers of the fix file: terrain and facility boundaries.
#include "map/layers/layers.h"
#include "map/linedrawing.h"
#include "map/surfacecap.h"

namespace korvant {

LayerInputs takeFixes(const PaintInput& input) { return layerInputs(FixesInputs{input.fixes}); }

void drawTerrain(PaintContext& paint) {
  if (paint.currentColor)
    paint.canvas.selectPen(paint.printing ? colors::paleGrey : colors::screenCoast, paint.pixelsPerInch / 40,
                           PenStyle::Solid);
  else
    paint.canvas.selectPen(colors::grey, 1, PenStyle::Solid);
  LineDrawer lines(paint);
  const FixStore& fixes = *paint.in<FixesInputs>().fixes;
  LatLng previous = LatLng::unset();
  const auto draw = [&](const TerrainPoint& point) {
    if (point.pen == 0 && !previous.isUnset()) lines.drawLine(LineType::GreatCircle, previous, point.position, 10, 0);
    previous = point.position;
  };
  if (fixes.terrainRuns().empty()) {
    FixSection section = fixes.openSection(FixSectionId::TerrainPoints);
    for (TerrainPoint point; section.readTerrainPoint(point);) draw(point);
    return;
  }
  // Most of the world's coast lies away from an oceanic surface: its runs
  // are passed by their caps.
  const SphereCap surface = surfaceCap(paint.projection, 0);
  const std::vector<TerrainPoint>& points = fixes.terrainPoints();
  for (const FixStore::TerrainRun& run : fixes.terrainRuns()) {
    if (!run.cap.meets(surface)) continue;
    previous = run.first > 0 ? points[run.first - 1].position : LatLng::unset();
    for (std::uint32_t i = run.first; i < run.first + run.count; ++i) draw(points[i]);
  }
}

void drawFacilityBoundaries(PaintContext& paint) {
  if (paint.currentColor)
    paint.canvas.selectPen(colors::lightGrey, paint.pixelsPerInch / 24, PenStyle::Solid);
  else
    paint.canvas.selectPen(colors::black, 1, PenStyle::Dash);
  LineDrawer lines(paint);
  FixSection section = paint.in<FixesInputs>().fixes->openSection(FixSectionId::BoundaryLines);
  BoundaryLine line;
  while (section.readBoundaryLine(line))
    for (int i = 1; i < line.count; ++i)
      lines.drawLine(LineType::StraightOrParallel, line.points[i - 1], line.points[i], 10, 0);
}

}  // namespace korvant
