#pragma once
// The stored tracks with their fixes resolved as the map resolves them, for
// the report and the exports.
#include <optional>
#include <string>
#include <vector>

#include "base/textops.h"
#include "navdata/fixstore.h"
#include "tracks/trackmodel.h"

namespace korvant {

struct TrackFix {
  std::string name;  // as the message names it: "DINIM", "51/20"
  LatLng position;
  int kind = -1;  // the fix file's kind (1 airport, 2 VOR, 3 NDB, ...), -1 for a position or unknown
  // What a flight plan says of the point, for the plan writers: the airway
  // flown to it (empty: direct) and its altitude when the plan gives one.
  std::string via = {};
  std::optional<int> altitudeFeet = std::nullopt;
};

// A stored track with its fixes resolved as the map and the report resolve
// them: each nearest the one before.
struct ResolvedTrack {
  char letter = 'A';      // the slot
  std::string name;       // the track's own name: "A", Pacific "1", Australian "SY16"
  std::string direction;  // "EASTBOUND", "WESTBOUND", or empty (Australian tracks have none)
  std::string levels;     // "310 320 330", or empty
  std::string validity;   // the track's own, else the message's line for the direction
  std::vector<TrackFix> fixes;
};

std::vector<ResolvedTrack> resolvedTracks(const TrackModel& model, const FixStore& fixes);

// Each fix of one slot's track that resolves, in order, as `visit(name, position)`.
template <typename Visit>
void forEachTrackFix(const TrackModel& model, const FixStore& fixes, int slot, Visit visit) {
  std::string rest = model.slotTexts[slot];
  LatLng reference = model.reference;
  for (std::string word = nextWord(rest); !word.empty(); word = nextWord(rest)) {
    LatLng position;
    if (!fixes.resolvePositionWithAlias(word, reference, position)) continue;
    visit(word, position);
    reference = position;
  }
}

}  // namespace korvant
