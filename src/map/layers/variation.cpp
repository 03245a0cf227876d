// The magnetic variation written across the map, about nine values a square inch.
#include "map/layers/layers.h"
#include "sky/magvar.h"

#include <vector>

namespace korvant {

namespace {

struct MagneticInputs {
  MagneticModel model;
  bool operator==(const MagneticInputs&) const = default;
};

}  // namespace

LayerInputs takeMagnetic(const PaintInput& input) { return layerInputs(MagneticInputs{input.magnetic}); }

void drawVariation(PaintContext& paint) {
  MapCanvas& canvas = paint.canvas;
  const int step = canvas.logicalPixelsPerInchX() / 3;
  if (step <= 0) return;
  canvas.selectFont(paint.fonts.small);
  canvas.setTextColor(paint.pick(colors::cyan, colors::black));
  canvas.setBackgroundTransparent(true);
  canvas.setTextAlign({HAlign::Center, VAlign::Bottom});
  // The positions first, then all their values at once: the model computes
  // several side by side.
  struct Spot {
    int x, y;
  };
  std::vector<Spot> spots;
  std::vector<LatLng> positions;
  for (int x = step; x < paint.width; x += step)
    for (int y = step; y < paint.height; y += step) {
      const LatLng p = paint.projection.fromDevice(x, y);
      if (p.lat == NO_POSITION || p.lng == NO_POSITION) continue;
      spots.push_back({x, y});
      positions.push_back(p);
    }
  std::vector<double> values(positions.size());
  paint.in<MagneticInputs>().model.variations(positions, values);
  for (std::size_t i = 0; i < spots.size(); ++i) canvas.textOut(spots[i].x, spots[i].y, variationText(values[i]));
  canvas.setTextAlign({HAlign::Left, VAlign::Bottom});
}

}  // namespace korvant
