#pragma once
// The plain-text report of a track message: header lines, every track's
// fixes with positions, leg courses and distances, and the unresolved fixes.
#include <string>

#include "tracks/trackmodel.h"

namespace korvant {

std::string trackReport(const TrackModel& model, const FixStore& fixes);

}  // namespace korvant
