#include "app/citypair.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/textops.h"
#include "geo/greatcircle.h"

namespace korvant {

std::optional<PlanAirport> findPlanAirport(const AppContext& app, std::string_view ident, const LatLng& near) {
  std::string name = toUpper(ident);
  trimLeadingBlanks(name);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  if (name.empty()) return std::nullopt;
  LatLng position;
  if (app.fixes->findFix(name, near, position)) {
    const int kind = app.fixes->kindOf(name, position);
    return PlanAirport{name, position, kind < 0 ? FIX_KIND_AIRPORT : kind};
  }
  if (const auto sim = app.sim->findSimAirport(name)) return PlanAirport{name, *sim};
  return std::nullopt;
}

namespace {

// How far a family's tracks lie from the pair: from the departure to the
// nearest fix and from the nearest fix to the destination.
double offPairNm(const std::vector<ResolvedTrack>& tracks, TrackFamily family, const PlanAirport& from,
                 const PlanAirport& to) {
  double nearFrom = HUGE_VAL, nearTo = HUGE_VAL;
  for (const ResolvedTrack& t : tracks) {
    if (t.family != family) continue;
    for (const TrackFix& f : t.fixes) {
      nearFrom = std::min(nearFrom, distanceNm(from.position, f.position));
      nearTo = std::min(nearTo, distanceNm(f.position, to.position));
    }
  }
  return nearFrom + nearTo;
}

}  // namespace

CityPairTracks rankCityPair(const AppContext& app, std::string_view from, std::string_view to) {
  CityPairTracks pair;
  pair.tracks = resolvedTracks(app.tracks);
  if (pair.tracks.empty()) {
    pair.error = "NO TRACKS ARE STORED: read a track message first.";
    return pair;
  }
  // Airports resolve nearest the tracks, away from namesakes elsewhere.
  const LatLng middle =
      pair.tracks.front().fixes.empty() ? app.tracks->reference() : pair.tracks.front().fixes.front().position;
  const auto departure = findPlanAirport(app, from, middle);
  const auto destination = findPlanAirport(app, to, middle);
  if (!departure || !destination) {
    pair.error = "AIRPORT NOT FOUND: " + toUpper(departure ? to : from);
    return pair;
  }
  pair.from = *departure;
  pair.to = *destination;
  // With several families held, the pair flies the one whose tracks lie
  // nearest it: letters repeat across families, and a Pacific track is no
  // choice for a North Atlantic crossing.
  TrackFamily nearest = pair.tracks.front().family;
  for (const TrackFamily family : TRACK_FAMILIES)
    if (offPairNm(pair.tracks, family, pair.from, pair.to) < offPairNm(pair.tracks, nearest, pair.from, pair.to))
      nearest = family;
  std::erase_if(pair.tracks, [nearest](const ResolvedTrack& t) { return t.family != nearest; });
  pair.directNm = distanceNm(pair.from.position, pair.to.position);
  pair.ranked = rankTracks(pair.tracks, pair.from.position, pair.to.position);
  if (pair.ranked.empty()) pair.error = "NO TRACK RUNS THAT WAY";
  return pair;
}

std::string rankedTrackLine(const RankedTrack& r) {
  char line[64];
  std::snprintf(line, sizeof line, "TRACK %c  %5.0f NM  +%.0f NM", r.letter, std::round(r.totalNm),
                std::round(r.extraNm));
  return line;
}

void clearPlottedRoute(AppContext& app) { app.plottedRoute = PlottedRoute(); }

void closeRoutePlan(AppContext& app) {
  if (!app.procedure->routeShown) return;
  app.procedure = LoadedProcedure();
  app.procedureMap = false;
}

bool plotTrackConnections(AppContext& app, const CityPairTracks& pair, char letter) {
  const bool ranked = std::any_of(pair.ranked.begin(), pair.ranked.end(),
                                  [letter](const RankedTrack& r) { return r.letter == letter; });
  const auto track = std::find_if(pair.tracks.begin(), pair.tracks.end(),
                                  [letter](const ResolvedTrack& t) { return t.letter == letter; });
  if (!ranked || track == pair.tracks.end() || track->fixes.empty()) return false;
  PlottedRoute route;
  route.points = {{pair.from.ident, pair.from.position, true},
                  {track->fixes.front().name, track->fixes.front().position, false},
                  {track->fixes.back().name, track->fixes.back().position, false},
                  {pair.to.ident, pair.to.position, true}};
  // The track's own legs are the tracks layer's.
  route.legs = {LegStyle::Dashed, LegStyle::Hidden, LegStyle::Dashed};
  route.label = "TRACK " + track->name;
  app.plottedRoute = std::move(route);
  return true;
}

}  // namespace korvant
