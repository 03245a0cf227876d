#include "geo/angles.h"

#include <cmath>

namespace korvant {

double wrap360(double degrees) {
  if (degrees >= 0 && degrees < 360) return degrees + 0.0;  // the common case, on the hot paths
  if (!std::isfinite(degrees)) return degrees;
  double d = std::fmod(degrees, 360.0);  // exact
  if (d < 0) d += 360;
  if (d >= 360) d -= 360;  // -1e-20 + 360 rounds to 360
  return d + 0.0;          // no -0
}

double wrapCourse360(double degrees) {
  if (degrees > 0 && degrees <= 360) return degrees;
  const double d = wrap360(degrees);
  return d == 0 ? 360.0 : d;
}

double wrap180(double degrees) {
  if (!std::isfinite(degrees)) return degrees;
  const double d = wrap360(degrees + 180);
  return d - 180;
}

}  // namespace korvant
