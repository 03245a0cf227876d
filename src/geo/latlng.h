#pragma once
// The one position unit of the program: packed degrees and minutes
// (degrees x 100 + minutes, minutes carrying the fraction; north and east
// positive; latitudes -9000 ... 9000, longitudes -18000 ... 18000), and the
// conversions to decimal degrees and radians.
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
};

// "N5030.00 W03500.00"; restores the stream's flags and fill, leaves precision 2.
std::ostream& operator<<(std::ostream& out, const LatLng& position);
void writeStreamLat(std::ostream& out, double lat);
void writeStreamLng(std::ostream& out, double lng);

double degMinToDegrees(double packed);
double degreesToDegMin(double degrees);
double radiansToDegMin(double radians);
double degMinToRadians(double packed);

}  // namespace korvant
