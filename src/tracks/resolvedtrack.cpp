#include "tracks/resolvedtrack.h"

namespace korvant {

std::vector<ResolvedTrack> resolvedTracks(const TrackModel& model) {
  std::vector<ResolvedTrack> tracks;
  for (int slot = 0; slot < TRACK_SLOTS; ++slot) {
    if (model.slotTexts[slot].empty()) continue;
    ResolvedTrack t;
    t.family = model.family;
    t.letter = static_cast<char>('A' + slot);
    const bool west = isWestboundSlot(slot);
    t.name = model.names[slot].empty() ? std::string(1, t.letter) : model.names[slot];
    if (model.family != TrackFamily::Australian) t.direction = west ? "WESTBOUND" : "EASTBOUND";
    t.validity = model.validityText(slot);
    t.levels = model.levels(slot);
    t.fixes = model.chains[slot];
    tracks.push_back(std::move(t));
  }
  return tracks;
}

std::vector<ResolvedTrack> resolvedTracks(const TrackSets& sets) {
  std::vector<ResolvedTrack> tracks;
  for (const TrackModel* set : sets.held())
    for (ResolvedTrack& t : resolvedTracks(*set)) tracks.push_back(std::move(t));
  return tracks;
}

}  // namespace korvant
