#pragma once
// The plain-text report of a route string read: every point with its
// position, each leg's magnetic course and distance, the total, the tracks
// it flies, and the words that did not resolve or were not expanded.
#include <ctime>
#include <optional>
#include <string>

#include "procedures/routestring.h"
#include "sky/magvar.h"

namespace korvant {

// With `tracks`, which stored tracks the route flies, as a plan's report
// says it (validities at `at`).
std::string routeStringReport(const RouteStringRead& route, const MagneticModel& magnetic = {},
                              const TrackSets* tracks = nullptr, std::optional<std::time_t> at = std::nullopt);

}  // namespace korvant
