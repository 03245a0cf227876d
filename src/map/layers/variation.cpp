// The magnetic variation written across the map, about nine values a square inch.
#include "map/layers/layers.h"
#include "sky/magvar.h"

namespace korvant {

void drawVariation(PaintContext& paint) {
  MapCanvas& canvas = paint.canvas;
  const int step = canvas.logicalPixelsPerInchX() / 3;
  if (step <= 0) return;
  canvas.selectFont(paint.fonts.small);
  canvas.setTextColor(paint.pick(colors::cyan, colors::black));
  canvas.setBackgroundTransparent(true);
  canvas.setTextAlign({HAlign::Center, VAlign::Bottom});
  for (int x = step; x < paint.width; x += step)
    for (int y = step; y < paint.height; y += step) {
      const LatLng p = paint.projection.fromDevice(x, y);
      if (p.lat == NO_POSITION || p.lng == NO_POSITION) continue;
      canvas.textOut(x, y, variationText(paint.input.magnetic.variation(p)));
    }
  canvas.setTextAlign({HAlign::Left, VAlign::Bottom});
}

}  // namespace korvant
