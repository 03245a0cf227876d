#pragma once
// The aircraft as the map, the trail and the progress use it: a whole
// sample, every field known, with the time it was at that position.
#include "geo/latlng.h"

namespace korvant {

struct AircraftState {
  LatLng position;
  double altitudeFt = 0;
  double trackDeg = 0;  // true
  double groundSpeedKt = 0;
  // Seconds since 1970, UTC: the simulator's own clock when it sends one, so
  // that times stay right when the simulation runs faster than real time.
  double utc = 0;
  bool simulatorTime = false;

  bool operator==(const AircraftState&) const = default;
};

}  // namespace korvant
