#include "app/mousereadout.h"

#include <cmath>
#include <cstdio>

#include "geo/greatcircle.h"
#include "geo/positiontext.h"
#include "sky/magvar.h"

namespace korvant {

namespace {
const char kDegree[] = "\xC2\xB0";
}

std::string mouseReadout(int x, int y, const Projection& projection, const MapView& view, bool testPattern,
                         bool kilometres) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, "%4d:%4d  ", x, y);
  std::string line = buffer;
  if (testPattern) return line;
  const LatLng p = projection.fromDevice(x, y);
  if (p.isUnset()) return line;
  const double variation = magneticVariation(p);
  const double centreVariation = magneticVariation(view.centre);
  const CourseDistance cd = courseAndDistance(view.centre, p, centreVariation);
  const double magnetic = magneticCourse(cd.course, centreVariation);
  const double distance = kilometres ? cd.distance * KM_PER_NM : cd.distance;
  std::snprintf(buffer, sizeof buffer, "%s/%s  VAR %5.1f%s%c  %6.2f%sT %6.2f%sM %8.2f %s", formatLat(p.lat).c_str(),
                formatLng(p.lng).c_str(), std::fabs(variation), kDegree, variation >= 0 ? 'W' : 'E',
                printableCourse(cd.course), kDegree, magnetic, kDegree, distance, kilometres ? "KM" : "NM");
  return line + buffer;
}

std::optional<std::string> MouseOnMap::leftPress(int x, int y, const Projection& projection) {
  if (clickSwallow_ > 0) {
    --clickSwallow_;
    return std::nullopt;
  }
  const LatLng p = projection.fromDevice(x, y);
  if (p.isUnset()) return std::nullopt;
  return " " + formatLat(p.lat) + "/" + formatLng(p.lng);
}

bool MouseOnMap::rightRelease(int x, int y, const Projection& projection) {
  const LatLng p = projection.fromDevice(x, y);
  if (p.isUnset()) return false;
  app_.checkedPreset.clear();
  app_.view.setCentre(p, 0);
  return true;
}

}  // namespace korvant
