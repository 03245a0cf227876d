#pragma once
// The plain-text report of a track message: header lines, every track's
// fixes with positions, leg courses and distances, and the unresolved fixes.
#include <ctime>
#include <optional>
#include <string>

#include "sky/magvar.h"
#include "tracks/resolvedtrack.h"
#include "tracks/trackmodel.h"

namespace korvant {

// One row a fix: its name, position, and the magnetic course and distance of
// the leg that ends there; then the total of the rounded distances.
std::string legRows(const std::vector<TrackFix>& fixes, const MagneticModel& magnetic);

// Magnetic courses from `magnetic`; a model other than WMM-2000 at its epoch
// is named in the report's first line.
// With `at`, every validity is followed by whether it holds then.
std::string trackReport(const TrackModel& model, const MagneticModel& magnetic = {},
                        std::optional<std::time_t> at = std::nullopt);

}  // namespace korvant
