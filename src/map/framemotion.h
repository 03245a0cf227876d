#pragma once
// How a picture painted for one view moves and scales to stand in for
// another while the other is painted: a drag or a wheel step shows the kept
// picture at once.
#include "map/projection.h"

namespace korvant {

// A point (x, y) of the old picture is shown at (scale x + dx, scale y + dy).
struct FrameMotion {
  double scale = 1, dx = 0, dy = 0;
};

// The motion that puts the position under the anchor point in the new view
// exactly where the old picture shows it, at the scale of the new view near
// it. A projection change beyond a move and a scale (the Lambert cone turning
// with the centre) is left to the full paint.
FrameMotion frameMotion(const Projection& from, const Projection& to, double anchorX, double anchorY);

}  // namespace korvant
