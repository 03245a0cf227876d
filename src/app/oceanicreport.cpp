#include "app/oceanicreport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/context.h"
#include "base/textops.h"
#include "flight/oceanicwords.h"
#include "flight/progressreport.h"
#include "geo/positiontext.h"
#include "procedures/plantrackmatch.h"
#include "sky/terminatortime.h"
#include "tracks/resolvedtrack.h"

namespace korvant {

namespace {

// The stored track whose every point the route flies, and where in the route.
struct FlownTrack {
  ResolvedTrack track;
  OceanicSpan span;
  std::string tmi;
};

std::optional<FlownTrack> flownTrack(AppContext& app, const FlightRoute& route) {
  FlightPlan plan;
  for (const FlightPoint& p : route.points) plan.waypoints.push_back({0, p.ident, "", p.position, p.levelFt, ""});
  const std::vector<ResolvedTrack> tracks = resolvedTracks(*app.tracks);
  for (const PlanTrackRun& run : planTrackRuns(plan, *app.tracks)) {
    for (const ResolvedTrack& t : tracks) {
      if (t.letter != run.letter || t.family != run.family || run.trackFirst != 0 ||
          run.trackLast + 1 != t.fixes.size())
        continue;
      const TrackModel& set = app.tracks->of(t.family);
      return FlownTrack{t, {run.first, run.last}, t.letter < 'N' ? set.westTmi : set.eastTmi};
    }
  }
  return std::nullopt;
}

std::string etaLine(const FlightPoint& p, const PointTime& t) {
  char distance[32];
  std::snprintf(distance, sizeof distance, " %.0f NM ", std::round(t.alongNm));
  return "ETA " + p.ident + " " + formatLat(p.position.lat) + " " + formatLng(p.position.lng) + distance + hhmm(t.utc) +
         "Z";
}

std::string destinationOf(AppContext& app, const FlightRoute& route) {
  // The plan's destination, else the route's last point when it is an airport.
  std::string destination = app.procedure->routeShown ? app.procedure->plan.destinationName : std::string();
  if (destination.empty() && route.points.back().ident.size() == 4 && !namesAPosition(route.points.back().ident))
    destination = route.points.back().ident;
  return toUpper(destination);
}

// The Mach given, else the key CruiseMach; 0 for none a jet flies.
double machFlown(AppContext& app, double given) {
  const double mach = given > 0 ? given : readDecimalNumber(app.settings.lookup("CruiseMach"));
  return mach > 0.1 && mach < 5 ? mach : 0;
}

int machHundredths(double mach) { return static_cast<int>(std::lround(mach * 100)); }

}  // namespace

RouteOceanic routeOceanic(AppContext& app, const FlightRoute& route) {
  RouteOceanic out;
  if (route.points.size() < 2) return out;
  const std::optional<FlownTrack> flown = flownTrack(app, route);
  out.span = oceanicSpan(route, flown ? std::optional(flown->span) : std::nullopt);
  if (flown) {
    out.track = flown->track.name.empty() ? std::string(1, flown->track.letter) : flown->track.name;
    out.tmi = flown->tmi;
  }
  out.destination = destinationOf(app, route);
  return out;
}

ReportFacts liveReportFacts(AppContext& app, double altitudeFt) {
  return {toUpper(app.settings.lookup("Callsign")), static_cast<int>(std::lround(altitudeFt / 100)),
          machHundredths(machFlown(app, 0))};
}

std::optional<int> departureMinutes(const std::string& text) {
  if (text.size() != 4 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  const int hours = std::stoi(text.substr(0, 2)), minutes = std::stoi(text.substr(2));
  if (hours > 23 || minutes > 59) return std::nullopt;
  return hours * 60 + minutes;
}

PlannedOceanic plannedOceanic(AppContext& app, const FlightRoute& route, const OceanicRequest& r) {
  PlannedOceanic out;
  if (route.points.size() < 2 || (!r.departureMinutes && !route.takeoffUtc)) return out;
  const std::optional<FlownTrack> flown = flownTrack(app, route);
  int level = r.flightLevel;
  if (level == 0 && app.procedure->routeShown)
    level = static_cast<int>(readLeadingInt(app.procedure->plan.cruisingAltitude)) / 100;
  if (level == 0 && flown) level = static_cast<int>(readLeadingInt(flown->track.levels));
  if (level <= 0) level = 350;
  const double mach = machFlown(app, r.mach);
  // The departure given, on the day of the map's time (UTC), else the plan's take-off.
  double departure = route.takeoffUtc.value_or(0);
  if (r.departureMinutes) {
    const std::time_t day = effectiveTerminatorTime(app.terminator, app.clock);
    departure = static_cast<double>(day - day % 86400) + *r.departureMinutes * 60.0;
  }
  if (std::optional<std::vector<PointTime>> own = ownTimes(route, departure)) {
    out.notes.push_back("TIMES OF THE PLAN FROM TAKE-OFF AT " + hhmm(departure) + "Z");
    out.times = std::move(*own);
  } else {
    double speed = r.groundSpeedKt;
    if (speed <= 0 && mach > 0) {
      speed = trueAirspeedKt(mach, level * 100.0);
      char line[96];
      std::snprintf(line, sizeof line, "MACH %.2f AT FLIGHT LEVEL %03d: %.0f KT, STILL AIR", mach, level, speed);
      out.notes.push_back(line);
    }
    if (speed <= 0) {
      out.noSpeed = true;
      return out;
    }
    out.times = plannedTimes(route, departure, speed);
  }

  const std::optional<OceanicSpan> span = oceanicSpan(route, flown ? std::optional(flown->span) : std::nullopt);
  if (!span) return out;
  std::vector<double> at;
  for (const PointTime& t : out.times) at.push_back(t.utc);
  const std::string callsign = toUpper(r.callsign.empty() ? app.settings.lookup("Callsign") : r.callsign);
  const ReportFacts facts{callsign, level, machHundredths(mach)};
  if (callsign.empty())
    out.reports.push_back("POSITION REPORTS: NO CALLSIGN: GIVE --callsign OR THE KEY Callsign");
  else
    out.reports = positionReports(route, *span, at, facts);
  ClearanceFacts clearance{facts, destinationOf(app, route), {}, {}, 0};
  clearance.maxFlightLevel = static_cast<int>(readLeadingInt(app.settings.lookup("MaxFlightLevel")));
  if (flown) {
    clearance.track = flown->track.name.empty() ? std::string(1, flown->track.letter) : flown->track.name;
    clearance.tmi = flown->tmi;
    if (!route.name.starts_with("TRACK "))
      out.trackLine = "THE ROUTE IS NAT " + clearance.track + ": REQUEST TRACK " + clearance.track;
  }
  out.clearance = clearanceRequest(route, *span, at, clearance);
  return out;
}

std::vector<std::string> oceanicReportLines(AppContext& app, const FlightRoute& route, const OceanicRequest& r) {
  PlannedOceanic planned = plannedOceanic(app, route, r);
  std::vector<std::string> lines = std::move(planned.notes);
  if (planned.noSpeed) lines.push_back("NO TIMES: GIVE --ground-speed KT, --mach OR THE KEY CruiseMach");
  for (std::size_t i = 0; i < planned.times.size(); ++i) lines.push_back(etaLine(route.points[i], planned.times[i]));
  for (std::string& line : planned.reports) lines.push_back(std::move(line));
  if (!planned.trackLine.empty()) lines.push_back(planned.trackLine);
  if (!planned.clearance.empty()) lines.push_back(planned.clearance);
  return lines;
}

}  // namespace korvant
