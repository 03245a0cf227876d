#pragma once
// What the map tools leave on the map until Clear: the fixes of the last
// Info, Distance or Intersection, drawn by the tool overlay layer.
#include <array>

#include "geo/latlng.h"

namespace korvant {

enum class ToolMode { None, Info, Distance, Intersection };

// Info uses point A, Distance A and B, Intersection all four (packed positions).
struct ToolState {
  ToolMode mode = ToolMode::None;
  std::array<LatLng, 4> points;
  bool operator==(const ToolState&) const = default;
};

}  // namespace korvant
