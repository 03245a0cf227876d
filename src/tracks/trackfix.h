#pragma once
// One point of a track's chain as the reader resolved it: the map, the
// report, the exports and the best-track ranking all read this one answer.
#include <optional>
#include <string>

#include "geo/latlng.h"

namespace korvant {

struct TrackFix {
  std::string name;  // as the message names it: "DINIM", "51/20"
  LatLng position;
  int kind = -1;  // the fix file's kind (1 airport, 2 VOR, 3 NDB, ...), -1 for a position or unknown
  // What a flight plan says of the point, for the plan writers: the airway
  // flown to it (empty: direct) and its altitude when the plan gives one.
  std::string via = {};
  std::optional<int> altitudeFeet = std::nullopt;

  bool operator==(const TrackFix&) const = default;
};

// Whether the point's name is a position in one of the text forms ("51/20",
// "5530N/02000W") rather than a fix's name.
bool namesAPosition(const TrackFix& fix);

// "VOR", "NDB", "DME" for a navaid's kind, as the reports and labels say
// it; null for any other.
const char* navaidKindName(int kind);

}  // namespace korvant
