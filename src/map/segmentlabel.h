#pragma once
// A label written along a line of the map, rotated to the line's direction
// where it stands.
#include <string_view>

#include "map/canvas.h"
#include "map/projection.h"

namespace korvant {

enum class LabelAlign { Left = 0, Centre = 1, Right = 2 };

// Where a label stands across its line: the text's top (the first two) or
// its baseline (the others) at the anchor, moved sideways as named.
enum class LabelPlacement {
  Below = 0,        // just below the line
  AtAnchorTop = 1,  // the top of the text at the anchor
  Straddling = 2,   // across the line
  AtAnchorBaseline = 3,
  Above = 4,  // above the line
};

enum class LabelFrame { None, Box };

// `distance` NM from `start` on `course` (ellipsoid), turned along the line there.
void drawSegmentLabel(MapCanvas& canvas, const Projection& projection, std::string_view text, const LatLng& start,
                      double course, double distance, LabelAlign align, LabelPlacement placement, LabelFrame frame,
                      Color color);
// At the middle of the straight device line from `a` to `b`, turned along it:
// for lines drawn straight on the surface, with no earth arithmetic.
void drawLineLabel(MapCanvas& canvas, std::string_view text, const DevicePoint& a, const DevicePoint& b,
                   LabelAlign align, LabelPlacement placement, LabelFrame frame, Color color);
// At `anchor`, the line's way `lineDegrees` clockwise from the surface's up.
void drawLabelAt(MapCanvas& canvas, std::string_view text, const DevicePoint& anchor, double lineDegrees,
                 LabelAlign align, LabelPlacement placement, LabelFrame frame, Color color);

}  // namespace korvant
