#pragma once
// The one rule by which a position read from a file is on the Earth or not:
// every plan reader asks it, and so do the fuzz targets, so that no reader
// can let through what another refuses.
#include <string>

namespace korvant {

// A coordinate as a file writes it: whole or decimal degrees, minutes and
// seconds, each a magnitude; the hemisphere is the sign's business.
struct CoordinateParts {
  double degrees = 0, minutes = 0, seconds = 0;
};

// Why the coordinate is no latitude (or longitude) of the Earth: a part that
// is not finite or negative, minutes or seconds of 60 and more, more than 90
// (180) degrees in all. Empty when it is one.
std::string offEarthReason(const CoordinateParts& parts, bool latitude);

// The same for a position in decimal degrees.
std::string offEarthReason(double latitudeDegrees, double longitudeDegrees);

}  // namespace korvant
