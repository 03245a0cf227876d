#include "geo/earthposition.h"

#include <cmath>

namespace korvant {

std::string offEarthReason(const CoordinateParts& p, bool latitude) {
  const char* what = latitude ? "latitude" : "longitude";
  for (const double part : {p.degrees, p.minutes, p.seconds})
    if (!std::isfinite(part))
      return std::string(what) + " is not a number";
    else if (part < 0)
      return std::string(what) + " has a negative part";
  if (p.minutes >= 60) return std::string(what) + " has 60 minutes or more";
  if (p.seconds >= 60) return std::string(what) + " has 60 seconds or more";
  const double limit = latitude ? 90 : 180;
  // Compared in seconds: 90° 0' 0.001" is beyond the pole, 90° 0' 0" is on it.
  if (p.degrees * 3600 + p.minutes * 60 + p.seconds > limit * 3600)
    return std::string(what) + " is beyond " + (latitude ? "90" : "180") + " degrees";
  return {};
}

std::string offEarthReason(double latitudeDegrees, double longitudeDegrees) {
  std::string reason = offEarthReason({std::fabs(latitudeDegrees), 0, 0}, true);
  if (reason.empty()) reason = offEarthReason({std::fabs(longitudeDegrees), 0, 0}, false);
  return reason;
}

}  // namespace korvant
