// Latitude labels along the label meridian, longitude labels along the label
// parallel.
#include <cmath>
#include <string>

#include "map/layers/layers.h"

namespace korvant {

void drawGridLabels(PaintContext& paint) {
  MapCanvas& canvas = paint.canvas;
  const MapView& view = paint.view();
  canvas.selectFont(paint.fonts.large);
  canvas.setTextColor(paint.pick(colors::lightGrey, colors::black));
  canvas.setBackgroundTransparent(true);
  const auto degrees = [](double packed) { return std::to_string(static_cast<int>(std::fabs(packed) / 100)); };
  if (view.labelMeridian != NO_POSITION) {
    canvas.setTextAlign({HAlign::Center, VAlign::Bottom});
    for (int lat = -8500; lat <= 8500; lat += 500) {
      const DevicePoint d = paint.projection.toDevice({double(lat), view.labelMeridian});
      if (d.visible) canvas.textOut(d.x, d.y, degrees(lat) + (lat >= 0 ? "N" : "S"));
    }
  }
  if (view.labelParallel != NO_POSITION) {
    canvas.setTextAlign({HAlign::Center, VAlign::Top});
    for (int lng = -17000; lng <= 18000; lng += 1000) {
      const DevicePoint d = paint.projection.toDevice({view.labelParallel, double(lng)});
      if (d.visible) canvas.textOut(d.x, d.y, degrees(lng) + (lng >= 0 ? "E" : "W"));
    }
  }
}

}  // namespace korvant
