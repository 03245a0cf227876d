#pragma once
// Magnetic variation from the World Magnetic Model 2000 at the earth's
// surface, evaluated at the model's epoch (2000.0); coefficients generated
// from data/wmm2000.cof. The model's own accuracy is about 0.5 degree; the
// table reproduces the published coefficients exactly.
#include <string>

#include "geo/latlng.h"

namespace korvant {

// Decimal degrees, positive when magnetic north lies west of true north. The
// same position gives the same value on every date.
double magneticVariation(const LatLng& position);

// True course plus variation, brought into (0, 360]: a magnetic course of 0 is 360.
double magneticCourse(double trueCourse, double variation);

// "7.3W", "15E": no decimals from 10 degrees on, one below.
std::string variationText(double variation);

}  // namespace korvant
