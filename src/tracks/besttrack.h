#pragma once
// Which of the day's tracks suits a city pair: each track of the flight's
// direction by the whole distance flown, departure to the track's first fix,
// along the track, its last fix to the destination.
#include <vector>

#include "tracks/resolvedtrack.h"

namespace korvant {

struct RankedTrack {
  char letter = 'A';
  double totalNm = 0;  // the whole distance flown by the track
  double extraNm = 0;  // over the direct great circle
};

// Eastbound tracks for a flight that sets off east of north-south, westbound
// ones otherwise; tracks without a direction (the Australian ones) serve
// either way. Shortest first.
std::vector<RankedTrack> rankTracks(const std::vector<ResolvedTrack>& tracks, const LatLng& from, const LatLng& to);

}  // namespace korvant
