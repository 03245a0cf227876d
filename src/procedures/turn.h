#pragma once
// A turn flown at 25 degrees of bank: where it ends and round what centre.
#include "geo/latlng.h"

namespace korvant {

struct Turn {
  LatLng end, centre;  // both the start when there is no turn
  bool turned = false;
  double radius = 0;  // NM
};

// The turn radius in NM at `knots` and 25 degrees of bank.
double turnRadiusNm(double knots);

// From `heading` to `target` (degrees true), right or left. Turns of 6
// degrees or less either way are not flown.
Turn computeTurn(const LatLng& start, double heading, bool right, double target, double knots);

}  // namespace korvant
