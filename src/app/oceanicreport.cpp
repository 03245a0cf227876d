#include "app/oceanicreport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/context.h"
#include "base/textops.h"
#include "base/validtext.h"
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

// A plan shown is the route flown only when the route is the plan's.
const FlightPlan* planFlown(AppContext& app, const FlightRoute& route) {
  if (!app.procedure->routeShown || app.procedure->plan.title != route.name) return nullptr;
  return &app.procedure->plan;
}

// The plan's destination code, else its destination's name when that is a
// code (a simulator's plan names the airport: "Heathrow"), else the route's
// last point when it is an airport.
std::string destinationOf(AppContext& app, const FlightRoute& route) {
  std::string destination;
  if (const FlightPlan* plan = planFlown(app, route))
    for (const std::string& code : {plan->destinationId, plan->destinationName})
      if (destination.empty() && isAirportIdent(toUpper(code))) destination = code;
  if (destination.empty() && isAirportIdent(route.points.back().ident) && !namesAPosition(route.points.back().ident))
    destination = route.points.back().ident;
  return toUpper(destination);
}

// The Mach given, else the plan's own, else the key CruiseMach (as read in
// `keys`); 0 for none a jet flies.
double machFlown(AppContext& app, double given, const FlightRoute* route, const FlightKeys& keys) {
  double mach = given;
  if (mach <= 0 && route)
    if (const FlightPlan* plan = planFlown(app, *route)) mach = plan->cruiseMachHundredths / 100.0;
  if (mach <= 0) mach = keys.mach;
  return mach >= MACH_LOWEST && mach <= MACH_HIGHEST ? mach : 0;
}

// The North Atlantic set's TMI in the flight's direction, for a random route
// across 30W: the request quotes it to show which tracks the pilot holds.
std::string randomRouteTmi(AppContext& app, const FlightRoute& route, const OceanicSpan& span) {
  const LatLng a = route.points[span.first].position, b = route.points[span.last].position;
  if ((a.lng + 3000) * (b.lng + 3000) > 0) return {};
  const TrackModel& set = app.tracks->of(TrackFamily::NorthAtlantic);
  return b.lng > a.lng ? set.eastTmi : set.westTmi;
}

int machHundredths(double mach) { return static_cast<int>(std::lround(mach * 100)); }

}  // namespace

std::string givenValue(std::string_view text) {
  return printableText(text.substr(0, 40), '?') + (text.size() > 40 ? "..." : "");
}

FlightKeys flightKeys(AppContext& app) {
  FlightKeys keys;
  const std::string callsign = toUpper(app.settings.lookup("Callsign"));
  if (isCallsign(callsign))
    keys.callsign = callsign;
  else if (!callsign.empty())
    keys.faults.push_back("Callsign " + givenValue(callsign) + " IS NOT 2 TO 7 LETTERS AND DIGITS");
  const std::string mach = app.settings.lookup("CruiseMach");
  if (const auto m = numberInRange(mach, MACH_LOWEST, MACH_HIGHEST))
    keys.mach = *m;
  else if (!mach.empty())
    keys.faults.push_back("CruiseMach " + givenValue(mach) + " IS NOT A MACH FROM 0.30 TO 2.50");
  const std::string level = app.settings.lookup("MaxFlightLevel");
  if (const auto l = numberInRange(level, FLIGHT_LEVEL_LOWEST, FLIGHT_LEVEL_HIGHEST); l && *l == std::floor(*l))
    keys.maxFlightLevel = static_cast<int>(*l);
  else if (!level.empty())
    keys.faults.push_back("MaxFlightLevel " + givenValue(level) + " IS NOT A FLIGHT LEVEL FROM 100 TO 600");
  return keys;
}

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
  const FlightRoute* flown = app.flight.progress ? &app.flight.progress->route() : nullptr;
  const FlightKeys keys = flightKeys(app);
  return {keys.callsign, static_cast<int>(std::lround(altitudeFt / 100)),
          machHundredths(machFlown(app, 0, flown, keys))};
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
  const FlightKeys keys = flightKeys(app);
  out.notes = keys.faults;
  if (route.points.size() < 2 || (!r.departureMinutes && !route.takeoffUtc)) return out;
  const std::optional<FlownTrack> flown = flownTrack(app, route);
  int level = r.flightLevel;
  if (level == 0 && app.procedure->routeShown)
    level = static_cast<int>(readLeadingInt(app.procedure->plan.cruisingAltitude)) / 100;
  if (level == 0 && flown) level = static_cast<int>(readLeadingInt(flown->track.levels));
  if (level <= 0) level = 350;
  out.flightLevel = level;
  const double mach = machFlown(app, r.mach, &route, keys);
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
    // The speed and level filed at a point hold on the legs after it.
    std::vector<double> legSpeeds(route.points.size(), speed);
    if (r.groundSpeedKt <= 0)
      for (std::size_t i = 0; i < route.points.size(); ++i) {
        const ReportFacts at = factsAt(route, i, {{}, level, machHundredths(mach)});
        const FlightPoint& p = route.points[i];
        const double filed = p.tasKt > 0            ? p.tasKt
                             : p.machHundredths > 0 ? trueAirspeedKt(at.mach / 100.0, at.flightLevel * 100.0)
                                                    : 0;
        if (filed > 0) {
          legSpeeds[i] = filed;
          if (filed != speed && (i == 0 || legSpeeds[i - 1] != filed)) {
            char line[160];
            if (p.tasKt > 0)
              std::snprintf(line, sizeof line, "FROM %.40s: %d KT AT FLIGHT LEVEL %03d", p.ident.c_str(), p.tasKt,
                            at.flightLevel);
            else
              std::snprintf(line, sizeof line, "FROM %.40s: MACH %.2f AT FLIGHT LEVEL %03d: %.0f KT, STILL AIR",
                            p.ident.c_str(), at.mach / 100.0, at.flightLevel, filed);
            out.notes.push_back(line);
          }
        } else if (i > 0) {
          legSpeeds[i] = legSpeeds[i - 1];
        }
      }
    if (std::any_of(legSpeeds.begin(), legSpeeds.end(), [](double s) { return !(s > 0); })) {
      out.noSpeed = true;
      return out;
    }
    out.times = plannedTimes(route, departure, legSpeeds);
  }

  const std::optional<OceanicSpan> span = oceanicSpan(route, flown ? std::optional(flown->span) : std::nullopt);
  if (!span) return out;
  std::vector<double> at;
  for (const PointTime& t : out.times) at.push_back(t.utc);
  const std::string callsign = r.callsign.empty() ? keys.callsign : toUpper(r.callsign);
  const ReportFacts facts{callsign, level, machHundredths(mach)};
  if (callsign.empty())
    out.reports.push_back("POSITION REPORTS: NO CALLSIGN: GIVE --callsign OR THE KEY Callsign");
  else
    out.reports = positionReports(route, *span, at, facts);
  ClearanceFacts clearance{facts, destinationOf(app, route), {}, {}, 0};
  clearance.maxFlightLevel = keys.maxFlightLevel;
  if (!flown) {
    clearance.tmi = randomRouteTmi(app, route, *span);
  } else {
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
