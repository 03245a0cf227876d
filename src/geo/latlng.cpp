#include "geo/latlng.h"

#include <cmath>
#include <ostream>
#include <string>

#include "geo/positiontext.h"

namespace korvant {

void LatLng::set(double latitude, double longitude) {
  lat = (latitude < -9000.0 || latitude > 9000.0) ? NO_POSITION : latitude;
  lng = (longitude < -18000.0 || longitude > 18000.0) ? NO_POSITION : longitude;
}

namespace {

// The text forms carry a rounded 60 minutes into the degrees (N4959.996 is
// N5000.00); the stream leaves with precision 2, as callers expect.
void writeStreamCoordinate(std::ostream& out, const std::string& text) {
  out << text;
  out.precision(2);
}

}  // namespace

void writeStreamLat(std::ostream& out, double lat) { writeStreamCoordinate(out, formatLat(lat)); }
void writeStreamLng(std::ostream& out, double lng) { writeStreamCoordinate(out, formatLng(lng)); }

std::ostream& operator<<(std::ostream& out, const LatLng& position) {
  writeStreamLat(out, position.lat);
  out << ' ';
  writeStreamLng(out, position.lng);
  return out;
}

double degMinToDegrees(double packed) {
  const double v = std::fabs(packed);
  const double d = std::floor(v / 100.0) + std::fmod(v, 100.0) / 60.0;
  return packed < 0 ? -d : d;
}

LatLng::Degrees LatLng::decimalDegrees() const { return {degMinToDegrees(lat), degMinToDegrees(lng)}; }

DegreesMinutes splitPackedMagnitude(double packed) {
  const double magnitude = std::fabs(packed);
  const int whole = static_cast<int>(magnitude / 100);
  return {whole, magnitude - 100.0 * whole};
}

bool isPackedMagnitudeValid(double packed, double limitDegrees) {
  return !(packed > limitDegrees * 100 || std::fmod(packed, 100) >= 60);
}

double packedLongitudeNear(double lng, double previous) {
  while (lng - previous > 18000) lng -= 36000;
  while (previous - lng > 18000) lng += 36000;
  return lng;
}

double wrapPackedLongitude(double lng) { return lng > 18000 ? lng - 36000 : lng < -18000 ? lng + 36000 : lng; }

double degreesToDegMin(double degrees) {
  const double d = std::fabs(degrees);
  const double whole = std::floor(d);
  const double v = (whole + (d - whole) * 0.6) * 100.0;
  return degrees < 0 ? -v : v;
}

double radiansToDegMin(double radians) {
  const double v = degreesToDegMin(std::fabs(radians) * DEGREES_PER_RADIAN);
  return radians < 0 ? -v : v;
}

}  // namespace korvant
