#pragma once
// The aircraft and its trail, as the moving layers draw them: over the
// kept picture of the map, a position repainting the symbol's box alone.
#include <span>
#include <vector>

#include "flight/aircraftstate.h"
#include "flight/flighttrail.h"
#include "map/canvas.h"
#include "map/projection.h"

namespace korvant {

// Half the symbol's span, device units at 96 dots per inch.
inline constexpr int AIRCRAFT_REACH = 14;

// The trail's lines that cross `within`, and from its last point to the
// aircraft, when one is given.
void drawTrail(MapCanvas& canvas, std::span<const DevicePoint> trail, const DevicePoint* aircraft, const Rect& within,
               bool color);

// The box the symbol and its tag cover, halo included, with the tag's text
// of `tagFont`; empty when the aircraft is off the map.
Rect aircraftBox(const Projection& projection, const AircraftState& aircraft, const FontSpec& tagFont);
// A filled aircraft seen from above, nose along its track as the map turns
// it, and its tag beside it, clear of the way ahead and behind:
//   FL350 GS478
//   1235Z
void drawAircraft(MapCanvas& canvas, const Projection& projection, const AircraftState& aircraft, bool color,
                  const FontSpec& tagFont);

}  // namespace korvant
