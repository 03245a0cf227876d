#include "app/flightsession.h"

#include <charconv>

#include "app/context.h"
#include "app/oceanicreport.h"
#include "base/atomicfile.h"
#include "base/controlfile.h"
#include "base/datafile.h"
#include "base/filereader.h"
#include "base/textops.h"
#include "flight/etops.h"
#include "tracks/trackplan.h"

namespace korvant {

namespace {

std::string sourceName(LiveSource source) { return source == LiveSource::FlightGear ? "FLIGHTGEAR" : "X-PLANE"; }

// A whole number from `low` to `high`, else the default, said.
int numberSetting(Settings& settings, const char* key, int low, int high, int fallback, Problems& problems) {
  const std::string text = settings.lookup(key);
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc() && end == text.data() + text.size() && value >= low && value <= high) return value;
  if (!text.empty()) problems.push_back({Reason::SettingValueUnknown, {}, 0, key, 0, {}, text});
  return fallback;
}

std::string trailPath(const AppContext& app) { return joinFolder(app.workFolder, TRAIL_FILE_NAME); }

}  // namespace

LiveSettings readLiveSettings(Settings& settings, Problems& problems) {
  LiveSettings s;
  const std::string source = settings.lookup("LiveSource");
  if (const std::optional<LiveSource> named = liveSourceByName(source))
    s.source = *named;
  else if (!source.empty())
    problems.push_back({Reason::SettingValueUnknown, {}, 0, "LiveSource", 0, {}, source});
  if (const std::string host = settings.lookup("XPlaneHost"); !host.empty()) s.host = host;
  s.xplanePort = numberSetting(settings, "XPlanePort", 1, 65535, s.xplanePort, problems);
  s.livePort = numberSetting(settings, "LivePort", 1, 65535, s.livePort, problems);
  s.rate = numberSetting(settings, "LiveRate", 1, 30, s.rate, problems);
  return s;
}

Problems saveLiveSettings(AppContext& app, const LiveSettings& live) {
  return saveControlValues(app, {{"LiveSource", std::string(liveSourceName(live.source))},
                                 {"XPlaneHost", live.host},
                                 {"XPlanePort", std::to_string(live.xplanePort)},
                                 {"LivePort", std::to_string(live.livePort)},
                                 {"LiveRate", std::to_string(live.rate)}});
}

std::vector<ControlValue> flightSettingValues(AppContext& app) {
  std::vector<ControlValue> values;
  for (const char* key : kFlightSettingKeys) values.push_back({key, app.settings.lookup(key)});
  return values;
}

std::vector<std::string> flightSettingFaults(const std::vector<ControlValue>& values) {
  std::vector<std::string> faults;
  for (const ControlValue& v : values) {
    if (v.value.find_first_not_of(" \t") == std::string::npos) continue;
    const auto inRange = [&](double low, double high) { return numberInRange(v.value, low, high).has_value(); };
    const std::string given = givenValue(v.value);
    if (v.key == "Callsign" && !isCallsign(toUpper(v.value)))
      faults.push_back("CALLSIGN " + given + ": 2 TO 7 LETTERS AND DIGITS");
    else if (v.key == "CruiseMach" && !inRange(MACH_LOWEST, MACH_HIGHEST))
      faults.push_back("MACH " + given + ": 0.30 TO 2.50");
    else if (v.key == "MaxFlightLevel" && !inRange(FLIGHT_LEVEL_LOWEST, FLIGHT_LEVEL_HIGHEST))
      faults.push_back("HIGHEST FLIGHT LEVEL " + given + ": 100 TO 600");
    else if (v.key == "EtopsMinutes" && !inRange(ETOPS_MINUTES_MIN, ETOPS_MINUTES_MAX))
      faults.push_back("ETOPS MINUTES " + given + ": 60 TO 370");
    else if (v.key == "EtopsSpeed" && !inRange(100, 700))
      faults.push_back("ETOPS SPEED " + given + ": 100 TO 700 KT");
  }
  return faults;
}

Problems saveControlValues(AppContext& app, const std::vector<ControlValue>& values) {
  for (const ControlValue& v : values) app.settings.set(v.key, v.value, false);
  const std::string path = resolveCaseInsensitive(joinFolder(app.workFolder, "KORVANT.CTL"));
  const FileRead file = readWholeFile(path, CONTROL_FILE_LIMIT);
  // A control file that is there but cannot be read is not written over.
  if (!file.ok() && file.status != Reason::FileMissing)
    return {file.notRead(Reason::ControlFileMissing, path, CONTROL_FILE_LIMIT)};
  AtomicFile out(path);
  if (!out.write(withControlValues(file.ok() ? file.bytes : "", values))) return {out.problem()};
  return {};
}

std::string liveSourceWords(const LiveSettings& s) {
  if (s.source == LiveSource::XPlane) return "X-PLANE AT " + s.host + ":" + std::to_string(s.xplanePort);
  return sourceName(s.source) + " ON PORT " + std::to_string(s.livePort);
}

std::string liveStatusWords(const LiveStatus& status, const LiveSettings& s) {
  switch (status.state) {
    case LiveStatus::State::Waiting: return "WAITING FOR " + liveSourceWords(s);
    case LiveStatus::State::Silent: return "NO DATA FOR " + std::to_string(status.silentSeconds) + " S";
    case LiveStatus::State::Receiving: break;
  }
  const int n = status.positionsPerSecond;
  return sourceName(s.source) + ": " + std::to_string(n) + (n == 1 ? " POSITION A SECOND" : " POSITIONS A SECOND");
}

FlightRoute shownFlightRoute(AppContext& app) {
  if (app.flight.chosenRoute) return *app.flight.chosenRoute;
  if (app.procedure->routeShown && app.procedure->source.kind == RouteFileKind::FlightPlan)
    return flightRouteOf(app.procedure->plan);
  if (!app.plottedRoute->empty()) return flightRouteOf(*app.plottedRoute);
  return {};
}

bool takeAircraft(AppContext& app, const AircraftState& state) {
  FlightState& f = app.flight;
  const std::pair key{app.procedure.share(), app.plottedRoute.share()};
  if (!f.progress || key != f.routeKey) {
    f.routeKey = key;
    f.progress.emplace(shownFlightRoute(app));
    RouteOceanic oceanic = routeOceanic(app, f.progress->route());
    f.oceanic = oceanic.span;
    f.track = std::move(oceanic.track);
    f.tmi = std::move(oceanic.tmi);
    f.destination = std::move(oceanic.destination);
    f.watch = {};
    f.clearance.clear();
  }
  f.progress->update(state);
  f.aircraft = state;
  if (f.oceanic) {
    const ReportFacts facts = liveReportFacts(app, state.altitudeFt);
    f.watch.update(*f.progress, *f.oceanic, facts);
    // The request before the entry point, with its live estimate.
    f.clearance.clear();
    if (f.progress->next() <= f.oceanic->first) {
      std::vector<double> times(f.progress->route().points.size(), 0);
      for (const PointAhead& a : f.progress->ahead())
        if (a.etaUtc) times[a.index] = *a.etaUtc;
      if (times[f.oceanic->first] > 0)
        f.clearance = clearanceRequest(f.progress->route(), *f.oceanic, times,
                                       {facts, f.destination, f.track, f.tmi, flightKeys(app).maxFlightLevel});
    }
  }
  return f.trail.edit().add(state);
}

Problems restoreTrail(AppContext& app) {
  if (app.workFolder.empty()) return {};  // no folder of the user's: the trail lives for the run
  const FileRead file = readWholeFile(resolveCaseInsensitive(trailPath(app)), TRAIL_FILE_LIMIT);
  if (file.status == Reason::FileMissing) return {};
  if (!file.ok()) return {file.notRead(Reason::TrailNotRead, trailPath(app), TRAIL_FILE_LIMIT)};
  Result<FlightTrail> read = readTrailText(file.bytes);
  for (Problem& p : read.problems) p.file = trailPath(app);
  app.flight.trail = std::move(*read.value);
  return read.problems;
}

Problems keepTrail(const AppContext& app) {
  if (app.workFolder.empty()) return {};
  AtomicFile file(trailPath(app));
  if (!file.write(trailText(app.flight.trail))) return {file.problem()};
  return {};
}

Problems exportTrail(const AppContext& app, const std::string& path) {
  AtomicFile file(path);
  if (!file.write(trailGpx(app.flight.trail, "KORVANT TRAIL"))) return {file.problem()};
  return {};
}

}  // namespace korvant
