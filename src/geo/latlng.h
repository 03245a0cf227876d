#pragma once
// The one position unit of the program: packed degrees and minutes
// (degrees x 100 + minutes, minutes carrying the fraction; north and east
// positive; latitudes -9000 ... 9000, longitudes -18000 ... 18000), and the
// conversions to decimal degrees and radians.
#include <cmath>
#include <iosfwd>

namespace korvant {

inline constexpr double NO_POSITION = 19999.9;
inline constexpr double OUT_OF_RANGE = 99999.9;
inline constexpr double PI = 3.141592653589793238;
inline constexpr double DEGREES_PER_RADIAN = 57.29577951308232;

struct LatLng {
  double lat = NO_POSITION;
  double lng = NO_POSITION;

  // Stores both values; a coordinate outside its limits becomes NO_POSITION,
  // the other one stays as given.
  void set(double latitude, double longitude);
  bool isUnset() const { return lat == NO_POSITION || lng == NO_POSITION; }

  static constexpr LatLng unset() { return {}; }
  bool operator==(const LatLng&) const = default;

  // Where decimal degrees are meant: {latitude, longitude}.
  struct Degrees {
    double lat, lng;
  };
  Degrees decimalDegrees() const;
};

// "N5030.00 W03500.00"; restores the stream's flags and fill, leaves precision 2.
std::ostream& operator<<(std::ostream& out, const LatLng& position);
void writeStreamLat(std::ostream& out, double lat);
void writeStreamLng(std::ostream& out, double lng);

double degMinToDegrees(double packed);
// Whole degrees and minutes as the files write them, into the packed unit:
// degrees x 100 + minutes, each with its own sign as given.
inline double packDegreesMinutes(double degrees, double minutes) { return degrees * 100 + minutes; }
// A packed value's magnitude as whole degrees and the minutes left.
struct DegreesMinutes {
  int degrees;
  double minutes;
};
DegreesMinutes splitPackedMagnitude(double packed);
// Whether a packed magnitude reads as at most `limitDegrees` with minutes
// below 60.
bool isPackedMagnitudeValid(double packed, double limitDegrees);
// A packed longitude brought within 180 degrees of `previous`, and one
// brought back within -180 ... 180 by one turn.
double packedLongitudeNear(double lng, double previous);
double wrapPackedLongitude(double lng);
double degreesToDegMin(double degrees);
double radiansToDegMin(double radians);
// Inline: every projected point calls it twice.
inline double degMinToRadians(double packed) {
  const double x = std::fabs(packed) * 0.01;
  const double whole = std::floor(x);
  const double r = (whole + (x - whole) * 5.0 / 3.0) * PI / 180.0;
  return packed < 0 ? -r : r;
}

}  // namespace korvant
