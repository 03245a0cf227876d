#include "app/mousereadout.h"

#include <algorithm>
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
                         bool kilometres, const MagneticModel& magnetic) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, "%4d:%4d  ", x, y);
  std::string line = buffer;
  if (testPattern) return line;
  const LatLng p = projection.fromDevice(x, y);
  if (p.isUnset()) return line;
  const double variation = magnetic.variation(p);
  const double centreVariation = magnetic.variation(view.centre);
  const CourseDistance cd = courseAndDistance(view.centre, p, centreVariation);
  const double course = magneticCourse(cd.course, centreVariation);
  const double distance = kilometres ? cd.distance * KM_PER_NM : cd.distance;
  std::snprintf(buffer, sizeof buffer, "%s/%s  VAR %5.1f%s%c  %6.2f%sT %6.2f%sM %8.2f %s", formatLat(p.lat).c_str(),
                formatLng(p.lng).c_str(), std::fabs(variation), kDegree, variation >= 0 ? 'W' : 'E',
                printableCourse(cd.course), kDegree, course, kDegree, distance, kilometres ? "KM" : "NM");
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

void MouseOnMap::bringUnder(const LatLng& held, int x, int y, int width, int height, bool keepBand) {
  // Newton's method on the centre: the projection keeps north up, changes
  // its band with the centre and foreshortens a globe towards its rim, so
  // the centre that puts the held position under (x, y) is found in rounds,
  // each measuring how the position moves with the centre, and shortened
  // where the whole step would not bring it closer.
  MapView& view = app_.view;
  const bool band = keepBand && view.kind == ProjectionKind::Lambert;
  const int kept = view.lambertBand;
  const auto centreOn = [&](MapView& v, double lat, double lng) {
    v.setCentre({degreesToDegMin(lat), degreesToDegMin(lng)}, 0);
    if (band) v.selectLambertBand(kept);
  };
  const auto at = [&](double lat, double lng, double& px, double& py) {
    MapView trial = view;
    centreOn(trial, lat, lng);
    Projection p;
    p.setup(trial.viewport(width, height));
    const DevicePoint d = p.toDevice(held);
    px = d.x - x, py = d.y - y;
    return d.visible;
  };
  double lat = degMinToDegrees(view.centre.lat), lng = degMinToDegrees(view.centre.lng);
  double ex, ey;
  if (!at(lat, lng, ex, ey)) return;
  // About twenty pixels of the map, in degrees.
  const double step = std::max(1e-4, view.range / 60.0 * 40.0 / std::max(1, std::min(width, height)));
  for (int round = 0; round < 24 && std::hypot(ex, ey) > 0.5; ++round) {
    double ax, ay, bx, by;
    if (!at(lat + step, lng, ax, ay) || !at(lat, lng + step, bx, by)) return;
    const double j11 = (ax - ex) / step, j21 = (ay - ey) / step, j12 = (bx - ex) / step, j22 = (by - ey) / step;
    const double det = j11 * j22 - j12 * j21;
    if (std::fabs(det) < 1e-12) return;
    double dLat = -(j22 * ex - j12 * ey) / det, dLng = -(-j21 * ex + j11 * ey) / det;
    // Near a globe's rim the position hardly moves with the centre: no leap
    // of more than a few degrees at a time.
    const double longest = std::max(std::fabs(dLat), std::fabs(dLng)), most = 50 * step;
    if (longest > most) dLat *= most / longest, dLng *= most / longest;
    bool better = false;
    for (double part = 1; part > 0.01 && !better; part /= 2) {
      const double nLat = std::clamp(lat + part * dLat, -85.0, 85.0), nLng = std::remainder(lng + part * dLng, 360.0);
      double nx, ny;
      if (at(nLat, nLng, nx, ny) && std::hypot(nx, ny) < std::hypot(ex, ey)) {
        lat = nLat, lng = nLng, ex = nx, ey = ny;
        better = true;
      }
    }
    if (!better) break;
  }
  centreOn(view, lat, lng);
}

bool MouseOnMap::pan(int fromX, int fromY, int toX, int toY, const Projection& projection) {
  if (!projection.isSetUp() || (fromX == toX && fromY == toY)) return false;
  const LatLng held = projection.fromDevice(fromX, fromY);
  if (held.isUnset()) return false;
  dragTo(held, toX, toY, projection.width(), projection.height());
  endDrag(held, toX, toY, projection.width(), projection.height());
  return true;
}

void MouseOnMap::dragTo(const LatLng& held, int x, int y, int width, int height) {
  app_.checkedPreset.clear();
  bringUnder(held, x, y, width, height, true);
}

void MouseOnMap::endDrag(const LatLng& held, int x, int y, int width, int height) {
  MapView& view = app_.view;
  if (view.kind != ProjectionKind::Lambert) return;
  const int band = automaticLambertBand(view.centre.lat);
  if (band == view.lambertBand) return;
  // The band the centre now lies in, and the held position brought under
  // the pointer again in it.
  view.selectLambertBand(band);
  bringUnder(held, x, y, width, height, true);
}

bool MouseOnMap::zoomAt(int x, int y, bool in, const Projection& projection) {
  MapView& view = app_.view;
  const LatLng held = projection.isSetUp() ? projection.fromDevice(x, y) : LatLng::unset();
  if (!(in ? view.rangeDown() : view.rangeUp())) return false;
  if (held.isUnset()) return true;
  app_.checkedPreset.clear();
  bringUnder(held, x, y, projection.width(), projection.height(), false);
  return true;
}

}  // namespace korvant
