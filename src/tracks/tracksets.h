#pragma once
// The day's tracks of every family at once: the North Atlantic set (both
// directions), the Pacific and the Australian side by side. A message read
// replaces its own family's set only.
#include <array>
#include <string>
#include <vector>

#include "tracks/trackmodel.h"

namespace korvant {

inline constexpr std::array<TrackFamily, 3> TRACK_FAMILIES{TrackFamily::NorthAtlantic, TrackFamily::Pacific,
                                                           TrackFamily::Australian};

// How the report, the exports and the plan lines name a family: "NAT",
// "PACOTS", "AUSOTS".
std::string familyName(TrackFamily family);

struct TrackSets {
  TrackSets() = default;
  // One message's set alone, as a caller holding a single message has it.
  TrackSets(TrackModel model) { store(std::move(model)); }  // NOLINT: a set is the sets holding it

  const TrackModel& of(TrackFamily family) const { return sets[indexOf(family)]; }
  TrackModel& of(TrackFamily family) { return sets[indexOf(family)]; }

  // In its family's place; a North Atlantic message of one direction keeps
  // the other direction read before it. A message of no family holds no
  // track and stands in the North Atlantic place, as the default set does.
  void store(TrackModel fresh);

  // The sets holding a track or a header, in family order.
  std::vector<const TrackModel*> held() const;
  bool empty() const;
  // Where names outside the tracks resolve nearest: the first held set's
  // reference, else the North Atlantic one.
  LatLng reference() const;
  void clear() { *this = TrackSets(); }

  bool operator==(const TrackSets&) const = default;

  std::array<TrackModel, 3> sets;

 private:
  static std::size_t indexOf(TrackFamily family);
};

}  // namespace korvant
