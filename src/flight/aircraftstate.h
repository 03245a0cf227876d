#pragma once
// The aircraft as the map, the trail and the progress use it: a whole
// sample, every field known, with the time it was at that position.
#include <algorithm>
#include <cmath>

#include "geo/latlng.h"

namespace korvant {

// No aircraft flies faster over the ground: a sample implying more is wrong.
inline constexpr double FASTEST_AIRCRAFT_KT = 1200;
// The most an aircraft flies between two samples `seconds` apart, NM; at
// least a second's worth, as samples a fifth of a second apart carry rounding.
inline double mostFlownNm(double seconds) { return FASTEST_AIRCRAFT_KT * std::max(std::fabs(seconds), 1.0) / 3600; }

struct AircraftState {
  LatLng position;
  double altitudeFt = 0;  // pressure altitude, else (when the simulator sends none) above sea level
  double trackDeg = 0;    // true
  double groundSpeedKt = 0;
  // Seconds since 1970, UTC: the simulator's own clock when it sends one, so
  // that times stay right when the simulation runs faster than real time.
  double utc = 0;
  bool simulatorTime = false;
  bool headingForTrack = false;  // the simulator sends its heading alone: trackDeg holds it

  bool operator==(const AircraftState&) const = default;
};

}  // namespace korvant
