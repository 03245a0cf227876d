// The line layers of the fix file: terrain and facility boundaries.
#include "map/layers/layers.h"
#include "map/linedrawing.h"

namespace korvant {

void drawTerrain(PaintContext& paint) {
  if (paint.currentColor)
    paint.canvas.selectPen(paint.printing ? colors::paleGrey : colors::screenCoast, paint.pixelsPerInch / 40,
                           PenStyle::Solid);
  else
    paint.canvas.selectPen(colors::grey, 1, PenStyle::Solid);
  LineDrawer lines(paint);
  FixSection section = paint.input.fixes.openSection(FixSectionId::TerrainPoints);
  TerrainPoint point;
  LatLng previous = LatLng::unset();
  while (section.readTerrainPoint(point)) {
    if (point.pen == 0 && !previous.isUnset()) lines.drawLine(LineType::GreatCircle, previous, point.position, 10, 0);
    previous = point.position;
  }
}

void drawFacilityBoundaries(PaintContext& paint) {
  if (paint.currentColor)
    paint.canvas.selectPen(colors::lightGrey, paint.pixelsPerInch / 24, PenStyle::Solid);
  else
    paint.canvas.selectPen(colors::black, 1, PenStyle::Dash);
  LineDrawer lines(paint);
  FixSection section = paint.input.fixes.openSection(FixSectionId::BoundaryLines);
  BoundaryLine line;
  while (section.readBoundaryLine(line))
    for (int i = 1; i < line.count; ++i)
      lines.drawLine(LineType::StraightOrParallel, line.points[i - 1], line.points[i], 10, 0);
}

}  // namespace korvant
