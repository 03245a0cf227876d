#pragma once
// The stored tracks with their chains as the reader resolved them, for the
// report, the exports and the ranking.
#include <string>
#include <vector>

#include "tracks/trackfix.h"
#include "tracks/trackmodel.h"
#include "tracks/tracksets.h"

namespace korvant {

// A stored track with its chain: each fix nearest the one before.
struct ResolvedTrack {
  char letter = 'A';      // the slot
  std::string name;       // the track's own name: "A", Pacific "1", Australian "SY16"
  std::string direction;  // "EASTBOUND", "WESTBOUND", or empty (Australian tracks have none)
  std::string levels;     // "310 320 330", or empty
  std::string validity;   // the track's own, else the message's line for the direction
  std::vector<TrackFix> fixes;
  TrackFamily family = TrackFamily::NorthAtlantic;  // letters repeat across families
};

// The stored tracks with their chains as the reader built them.
std::vector<ResolvedTrack> resolvedTracks(const TrackModel& model);
// Every family's, in family order.
std::vector<ResolvedTrack> resolvedTracks(const TrackSets& sets);

// Each fix of one slot's chain, in order, as `visit(name, position)`.
template <typename Visit>
void forEachTrackFix(const TrackModel& model, int slot, Visit visit) {
  for (const TrackFix& fix : model.chains[slot]) visit(fix.name, fix.position);
}

}  // namespace korvant
