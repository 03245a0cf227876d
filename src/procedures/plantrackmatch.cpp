#include "procedures/plantrackmatch.h"

#include <cmath>
#include <cstdio>

#include "base/textops.h"
#include "geo/greatcircle.h"
#include "geo/positiontext.h"
#include "tracks/resolvedtrack.h"
#include "tracks/trackvalidity.h"

namespace korvant {

namespace {

std::vector<const UW_Wpt*> pointsOf(const FlightPlan& plan) {
  std::vector<const UW_Wpt*> points;
  for (const UW_Wpt& w : plan.waypoints)
    if (!w.isUserItem()) points.push_back(&w);
  return points;
}

// The track letter a plan's text names: "NATS", "NAT S", "NAT-S".
std::optional<char> namedTrack(const FlightPlan& plan) {
  std::string text = toUpper(plan.title);
  for (const UW_Wpt& w : plan.waypoints) text += " " + toUpper(w.identifier) + " " + toUpper(w.text);
  for (std::size_t at = text.find("NAT"); at != std::string::npos; at = text.find("NAT", at + 3)) {
    if (at > 0 && std::isalnum(static_cast<unsigned char>(text[at - 1]))) continue;
    std::size_t letter = at + 3;
    if (letter < text.size() && (text[letter] == ' ' || text[letter] == '-')) ++letter;
    const bool alone = letter + 1 >= text.size() || !std::isalnum(static_cast<unsigned char>(text[letter + 1]));
    if (letter < text.size() && text[letter] >= 'A' && text[letter] <= 'Z' && alone) return text[letter];
  }
  return std::nullopt;
}

// A track fix as the lines say it: its name, or a position in whole minutes.
std::string saidFix(const TrackFix& fix) { return namesAPosition(fix) ? minutePosition(fix.position) : fix.name; }

}  // namespace

FlightPlan routeAsPlan(const std::vector<TrackFix>& points) {
  FlightPlan plan;
  for (const TrackFix& p : points) {
    UW_Wpt w;
    w.number = static_cast<int>(plan.waypoints.size());
    w.identifier = p.name;
    w.type = "I";
    w.position = p.position;
    plan.waypoints.push_back(std::move(w));
  }
  return plan;
}

std::string minutePosition(const LatLng& position) {
  const auto part = [](double packed, int width, char positive, char negative) {
    const long minutes = std::lround(std::fabs(degMinToDegrees(packed)) * 60);
    char text[48];
    std::snprintf(text, sizeof text, "%0*ld%02ld%c", width, minutes / 60, minutes % 60,
                  packed < 0 ? negative : positive);
    return std::string(text);
  };
  return part(position.lat, 2, 'N', 'S') + "/" + part(position.lng, 3, 'E', 'W');
}

std::vector<PlanTrackRun> planTrackRuns(const FlightPlan& plan, const TrackSets& tracks) {
  std::vector<PlanTrackRun> runs;
  const std::vector<const UW_Wpt*> points = pointsOf(plan);
  for (const ResolvedTrack& track : resolvedTracks(tracks)) {
    // Each plan point against each track point; a run follows both lists on.
    for (std::size_t p = 0; p < points.size(); ++p) {
      for (std::size_t t = 0; t < track.fixes.size(); ++t) {
        std::size_t length = 0;
        while (p + length < points.size() && t + length < track.fixes.size() &&
               distanceNm(points[p + length]->position, track.fixes[t + length].position) <= TRACK_MATCH_NM)
          ++length;
        if (length < TRACK_MATCH_POINTS) continue;
        runs.push_back({track.letter, familyName(track.family) + " " + track.name, p, p + length - 1, t, t + length - 1,
                        saidFix(track.fixes[t]), saidFix(track.fixes[t + length - 1]), track.family});
        p += length - 1;
        break;
      }
    }
  }
  return runs;
}

std::vector<std::string> planTrackLines(const FlightPlan& plan, const TrackSets& tracks,
                                        std::optional<std::time_t> at) {
  std::vector<std::string> lines;
  const std::vector<const UW_Wpt*> points = pointsOf(plan);
  const std::vector<PlanTrackRun> runs = planTrackRuns(plan, tracks);
  for (const PlanTrackRun& run : runs) {
    std::string line = "FLIES " + run.name + " FROM " + run.from + " TO " + run.to;
    if (at)
      if (const auto period = trackValidity(tracks.of(run.family), run.letter - 'A', *at))
        line += "  " + validityWords(*period, *at);
    lines.push_back(line);
  }
  if (runs.empty()) lines.push_back("FOLLOWS NO STORED TRACK");
  // A track the plan names but does not fly: where the plan first leaves it.
  const std::optional<char> named = namedTrack(plan);
  const TrackModel& nat = tracks.of(TrackFamily::NorthAtlantic);
  if (named) {
    bool flown = false;
    const std::string name = "NAT " + std::string(1, *named);
    for (const PlanTrackRun& run : runs) {
      if (run.family != TrackFamily::NorthAtlantic || run.letter != *named) continue;
      flown = true;
      // Flown in part, then left: where, and where the track goes on.
      const std::vector<TrackFix>& chain = nat.chains[*named - 'A'];
      if (run.trackLast + 1 < chain.size() && run.last + 1 < points.size())
        lines.push_back("THE PLAN LEAVES " + name + " AT " + run.to + ", BEFORE " + saidFix(chain[run.trackLast + 1]));
    }
    if (!flown && !nat.slotTexts[*named - 'A'].empty()) {
      std::string where;
      for (const ResolvedTrack& track : resolvedTracks(nat)) {
        if (track.letter != *named) continue;
        // The first oceanic point of the track no plan point lies near.
        for (const TrackFix& fix : track.fixes) {
          bool near = false;
          for (const UW_Wpt* w : points) near = near || distanceNm(w->position, fix.position) <= TRACK_MATCH_NM;
          if (!near) {
            where = minutePosition(fix.position);
            break;
          }
        }
      }
      lines.push_back("THE PLAN'S " + name + " DIFFERS FROM TODAY'S " + name + (where.empty() ? "" : " AT " + where));
    }
  }
  return lines;
}

PlannedTrackRuns plannedTrackRuns(const FlightPlan& plan, const PlottedRoute& route, const TrackSets& tracks) {
  PlannedTrackRuns runs;
  runs.plan = planTrackRuns(plan, tracks);
  if (route.routeString) {
    std::vector<TrackFix> fixes;
    for (const PlottedPoint& p : route.points) fixes.push_back({p.name, p.position, p.kind});
    runs.routePlan = routeAsPlan(fixes);
    runs.route = planTrackRuns(runs.routePlan, tracks);
  }
  return runs;
}

}  // namespace korvant
