#pragma once
// A label written along a line of the map, rotated to the line's direction
// where it stands.
#include <string_view>

#include "map/canvas.h"
#include "map/projection.h"

namespace korvant {

enum class LabelAlign { Left = 0, Centre = 1, Right = 2 };

// `verticalMode`: 0 just below the line, 2 straddling it, 4 above it, 1 and 3
// at the anchor itself (top for 0 and 1, baseline from 2 on).
void drawSegmentLabel(MapCanvas& canvas, const Projection& projection, std::string_view text, const LatLng& start,
                      double course, double distance, LabelAlign align, int verticalMode, bool box, Color color);

}  // namespace korvant
