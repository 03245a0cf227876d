#pragma once
// Rotated copies of the surface's current font, one per 2 degrees of angle,
// made on first use and kept for one drawing pass.
#include <array>
#include <optional>

#include "map/canvas.h"

namespace korvant {

class FontAngle {
 public:
  explicit FontAngle(MapCanvas& canvas);

  // Angle in tenths of a degree, counter-clockwise; any value is brought into
  // 0 ... 3599. The first angle to use an entry fixes that entry's angle.
  bool select(int angle);

  // The entry an angle uses.
  static int entryFor(int angle);

 private:
  MapCanvas& canvas_;
  FontSpec model_;
  std::array<std::optional<FontSpec>, 180> entries_;
};

}  // namespace korvant
