#include "navdata/runwaycoords.h"

#include "geo/angles.h"

#include <cmath>

#include "sky/magvar.h"

namespace korvant {

int runwayNumber(int magneticHeading, const SimAirportRecord& record) {
  if (record.flags23 & 0x40) return magneticHeading / 10;
  if (record.flags25 & 0x40) return (magneticHeading + 9) / 10;
  return (magneticHeading + 4) / 10;
}

int magneticRunwayHeading(double trueHeading, double variation) {
  return static_cast<int>(wrapCourse360(std::trunc(trueHeading + variation)));
}

RunwayCoords getRunwayCoords(const SimFiles& files, const std::string& airport, int number, RunwaySuffix suffix) {
  RunwayCoords result;
  const std::optional<SimAirport> found = files.seekSimAirport(airport);
  if (!found) {
    result.caption = "CAN'T FIND:";
    result.text = "PATH: " + files.ps13() + "\nAPT:  " + airport + "\nFILE: ";
    return result;
  }
  const SimAirportRecord& a = found->airport;
  result.elevation = a.elevation;
  const double variation = magneticVariation(a.position);
  const int s = static_cast<int>(suffix);
  const auto test = [&](const SimAirportRecord& r) {
    const int m = magneticRunwayHeading(r.trueHeading, variation);
    const int rn = runwayNumber(m, r);
    const int p = 2 * ((r.flags23 & 0x80) != 0) + ((r.flags25 & 0x80) != 0);
    if (rn == number && ((p == 2 && s == 1) || (p == 3 && s == 2) || (p == 1 && s == 3) || (p == 0 && s == 0))) {
      result = {true, r.position, result.elevation, m, {}, {}};
      return true;
    }
    const int reciprocal = rn + 18 <= 36 ? rn + 18 : rn - 18;
    if (reciprocal == number &&
        ((p == 1 && s == 1) || (p == 3 && s == 2) || (p == 2 && s == 3) || (p == 0 && s == 0))) {
      result = {true, r.position, result.elevation, static_cast<int>(wrapCourse360(m + 180)), {}, {}};
      return true;
    }
    return false;
  };
  if (test(a)) return result;
  for (const SimAirportRecord& r : found->runways)
    if (test(r)) return result;
  // No such runway: the next airport record, or the end of the file after
  // the last airport, ends the search with the airport itself.
  return {true, a.position, a.elevation, number * 10, {}, {}};
}

}  // namespace korvant
