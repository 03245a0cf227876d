#pragma once
// What a simulator says of the aircraft at one moment, as far as one
// datagram or line says it: X-Plane sends its values in pieces, so each field
// may be missing. Values arrive as 32-bit floats and are held in double from
// there.
#include <ctime>
#include <optional>

#include "geo/latlng.h"

namespace korvant {

struct LiveSample {
  std::optional<LatLng> position;
  std::optional<double> altitudeFt;  // above mean sea level
  // In the standard atmosphere: what a flight level is, however warm the day.
  std::optional<double> pressureAltitudeFt;
  std::optional<double> trackDeg;       // true, 0 to 360
  std::optional<double> headingDeg;     // true, 0 to 360: where the nose points, not where it goes
  std::optional<double> groundSpeedKt;  // 0 or more
  // The simulator's own clock: X-Plane gives the seconds of the UTC day,
  // FlightGear the whole UTC time.
  std::optional<double> zuluSeconds;
  std::optional<std::time_t> utc;

  bool operator==(const LiveSample&) const = default;
};

// Takes what `newer` has into `held`, keeping the fields it lacks.
void mergeLiveSample(LiveSample& held, const LiveSample& newer);

}  // namespace korvant
