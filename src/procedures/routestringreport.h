#pragma once
// The plain-text report of a route string read: every point with its
// position, each leg's magnetic course and distance, the total, the tracks
// it flies, and the words that did not resolve or were not expanded.
#include <string>

#include "procedures/routestring.h"
#include "sky/magvar.h"

namespace korvant {

std::string routeStringReport(const RouteStringRead& route, const MagneticModel& magnetic = {});

}  // namespace korvant
