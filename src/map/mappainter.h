#pragma once
// The map paint: every enabled layer in its fixed order onto one surface.
#include "map/canvas.h"
#include "map/paintinput.h"
#include "map/projection.h"

namespace korvant {

struct PaintOptions {
  int width = 0;
  int height = 0;
  bool printing = false;
  // Clear only in the measuring pass of the procedure fit.
  bool overlay = true;
};

struct PaintResult {
  // The projection of this paint: the mouse maps against it.
  Projection projection;
  // Bounds of the procedure or route drawn, packed degrees and minutes.
  double south = 10000, north = -10000, west = 20000, east = -20000;
};

class MapPainter {
 public:
  MapPainter(const PaintInput& input, MapCanvas& canvas) : input_(input), canvas_(canvas) {}
  PaintResult paint(const PaintOptions& options);

 private:
  PaintInput input_;
  MapCanvas& canvas_;
};

}  // namespace korvant
