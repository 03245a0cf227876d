#include "map/mapview.h"

#include <algorithm>
#include <cmath>

#include "base/textops.h"
#include "geo/greatcircle.h"
#include "navdata/fixstore.h"

namespace korvant {

const MapPreset* findPreset(std::string_view name) {
  for (const MapPreset& p : MAP_PRESETS)
    if (name == p.name) return &p;
  return nullptr;
}

int automaticLambertBand(double lat) {
  if (lat > 7000) return 0;
  if (lat > 6000) return 1;
  if (lat > 4500) return 2;
  if (lat > 3000) return 3;
  if (lat >= 0) return 4;
  if (lat > -3000) return 5;
  if (lat > -4500) return 6;
  if (lat > -6000) return 7;
  if (lat > -7000) return 8;
  return 9;
}

bool MapView::setRange(double r) {
  if (!(r >= MIN_RANGE && r <= MAX_RANGE)) return false;
  range = r;
  return true;
}

void MapView::setCentre(const LatLng& position, double r) {
  centre = position;
  setRange(r);
  if (kind == ProjectionKind::Lambert) selectLambertBand(automaticLambertBand(centre.lat));
}

void MapView::selectLambertBand(int band) {
  if (band < 0 || band >= static_cast<int>(LAMBERT_BANDS.size())) return;
  stdParallel1 = LAMBERT_BANDS[band].stdParallel1;
  stdParallel2 = LAMBERT_BANDS[band].stdParallel2;
  lambertBand = band;
  kind = ProjectionKind::Lambert;
}

void MapView::selectOrthographic() { kind = ProjectionKind::Orthographic; }

void MapView::selectMercator() { kind = ProjectionKind::Mercator; }

Viewport MapView::viewport(int width, int height) const {
  return {centre, stdParallel1, stdParallel2, {0, 0, width, height}, Projection::scaleForRange(width, height, range),
          kind};
}

bool MapView::selectPreset(std::string_view name) {
  const MapPreset* preset = findPreset(name);
  if (!preset) return false;
  presetName = preset->name;
  labelMeridian = preset->labelMeridian;
  labelParallel = preset->labelParallel;
  if (presetName == "GLOBE") {
    selectOrthographic();
    range = preset->range;  // the centre stays where it is
  } else {
    kind = ProjectionKind::Lambert;
    setCentre(preset->centre, preset->range);
  }
  return true;
}

bool MapView::isNatDefault() const {
  const MapPreset& nat = *findPreset("NAT");
  return std::floor(range + 0.5) == nat.range && centre.lat == nat.centre.lat && centre.lng == nat.centre.lng &&
         kind == ProjectionKind::Lambert && lambertBand == 2;
}

void MapView::fitToExtent(double south, double north, double west, double east) {
  const LatLng southPoint{south, 0}, northPoint{north, 0};
  const CourseDistance meridian = courseAndDistance(southPoint, northPoint);
  const double middle = destination(southPoint, meridian.course, meridian.distance / 2).position.lat;
  const LatLng westPoint{middle, west}, eastPoint{middle, east};
  const CourseDistance parallel = courseAndDistance(westPoint, eastPoint);
  const double centreLng = destination(westPoint, parallel.course, parallel.distance / 2).position.lng;
  const double h = std::max({meridian.distance, parallel.distance, 2.0}) / 2;
  setCentre({middle, centreLng}, std::ceil(h >= 35 ? h / 0.95 : h / 0.9));
}

bool MapView::centreFromText(std::string_view text, const FixStore& fixes) {
  std::string upper = toUpper(text);
  trimLeadingBlanks(upper);
  LatLng position;
  if (!fixes.resolvePositionWithAlias(upper, centre, position)) return false;
  setCentre(position, 0);
  return true;
}

}  // namespace korvant
