#pragma once
// The stored tracks with their fixes resolved as the map resolves them, for
// the report and the exports.
#include <string>
#include <vector>

#include "navdata/fixstore.h"
#include "tracks/trackmodel.h"

namespace korvant {

struct TrackFix {
  std::string name;  // as the message names it: "DINIM", "51/20"
  LatLng position;
};

// A stored track with its fixes resolved as the map and the report resolve
// them: each nearest the one before.
struct ResolvedTrack {
  char letter = 'A';
  std::string direction;  // "EASTBOUND", "WESTBOUND", or an Australian track's name
  std::string levels;     // "310 320 330", or empty
  std::string validity;   // the message's validity line for the direction
  std::vector<TrackFix> fixes;
};

std::vector<ResolvedTrack> resolvedTracks(const TrackModel& model, const FixStore& fixes);

}  // namespace korvant
