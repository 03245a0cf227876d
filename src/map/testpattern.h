#pragma once
// The font sample screen: the fixed-pitch fonts and the colours the system
// offers, shown instead of the map while the test pattern is selected.
#include <optional>

#include "map/canvas.h"

namespace korvant {

// `timeBiasMinutes`: minutes to add to local time to get UTC, when known.
void drawFontSampleScreen(MapCanvas& canvas, const Rect& rect, std::optional<long> timeBiasMinutes);

}  // namespace korvant
