#include "tracks/besttrack.h"

#include <algorithm>

#include "geo/greatcircle.h"

namespace korvant {

std::vector<RankedTrack> rankTracks(const std::vector<ResolvedTrack>& tracks, const LatLng& from, const LatLng& to) {
  const double direct = distanceNm(from, to);
  const double course = courseAndDistance(from, to).course;
  const bool eastbound = course > 0 && course < 180;
  std::vector<RankedTrack> ranked;
  for (const ResolvedTrack& t : tracks) {
    if (t.fixes.empty()) continue;
    const bool east = t.direction == "EASTBOUND", west = t.direction == "WESTBOUND";
    if ((east && !eastbound) || (west && eastbound)) continue;
    double total = distanceNm(from, t.fixes.front().position) + distanceNm(t.fixes.back().position, to);
    for (std::size_t i = 1; i < t.fixes.size(); ++i) total += distanceNm(t.fixes[i - 1].position, t.fixes[i].position);
    ranked.push_back({t.letter, total, total - direct});
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const RankedTrack& a, const RankedTrack& b) { return a.totalNm < b.totalNm; });
  return ranked;
}

}  // namespace korvant
