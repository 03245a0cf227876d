#pragma once
// The sun's apparent position by a low-precision theory (mean elements with
// planetary and lunar perturbations, nutation and aberration), good to about
// a hundredth of a degree over 1901 to 2036, and the point it stands above.
#include <ctime>
#include <optional>

namespace korvant {

struct SunPosition {
  double declination = 0;        // apparent, degrees
  double rightAscension = 0;     // hours, [0, 24)
  double subsolarLongitude = 0;  // degrees east, [-180, 180]
  double radiusVector = 0;       // AU, for the curious
};

// Nothing for a moment the theory cannot take (the Kepler iteration is
// bounded, and a time that gives no finite anomaly has no sun).
std::optional<SunPosition> sunPosition(std::time_t utc);

}  // namespace korvant
