#include "tracks/tracksets.h"

namespace korvant {

std::string familyName(TrackFamily family) {
  if (family == TrackFamily::Australian) return "AUSOTS";
  if (family == TrackFamily::Pacific) return "PACOTS";
  return "NAT";
}

std::size_t TrackSets::indexOf(TrackFamily family) {
  return family == TrackFamily::Pacific ? 1 : family == TrackFamily::Australian ? 2 : 0;
}

void TrackSets::store(TrackModel fresh) {
  TrackModel& place = sets[indexOf(fresh.family)];
  if (fresh.family == TrackFamily::NorthAtlantic && !place.empty()) keepOtherDirection(fresh, place);
  place = std::move(fresh);
}

std::vector<const TrackModel*> TrackSets::held() const {
  std::vector<const TrackModel*> held;
  for (const TrackModel& set : sets)
    if (!set.empty() || set.hasDirection(true) || set.hasDirection(false)) held.push_back(&set);
  return held;
}

LatLng TrackSets::reference() const {
  const std::vector<const TrackModel*> sets = held();
  return sets.empty() ? NAT_REFERENCE : sets.front()->reference;
}

bool TrackSets::empty() const {
  for (const TrackModel& set : sets)
    if (!set.empty()) return false;
  return true;
}

}  // namespace korvant
