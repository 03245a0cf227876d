#pragma once
// A city pair against the day's tracks: its airports, the tracks of its
// direction ranked, and the legs that join it to the track chosen.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/context.h"
#include "tracks/besttrack.h"
#include "tracks/trackplan.h"

namespace korvant {

// From the fix store nearest `near`, else from the simulator's airports.
std::optional<PlanAirport> findPlanAirport(const AppContext& app, std::string_view ident, const LatLng& near);

struct CityPairTracks {
  PlanAirport from, to;
  double directNm = 0;
  std::vector<ResolvedTrack> tracks;  // the stored tracks of the family nearest the pair, resolved
  std::vector<RankedTrack> ranked;    // those of the pair's direction, shortest first
  std::string error;                  // why there is no ranking, or empty
};

CityPairTracks rankCityPair(const AppContext& app, std::string_view from, std::string_view to);

// "TRACK S   3012 NM  +18 NM"
std::string rankedTrackLine(const RankedTrack& r);

// Takes the route string or the best track's connections off the map.
void clearPlottedRoute(AppContext& app);
// Closes a flight plan or route file shown (a procedure stays): the route
// flown is the last one given, and two are never drawn over each other.
void closeRoutePlan(AppContext& app);

// The departure's leg to the track's first fix and the last fix's to the
// destination, dashed over the map; false when the letter was not ranked.
bool plotTrackConnections(AppContext& app, const CityPairTracks& pair, char letter);

}  // namespace korvant
