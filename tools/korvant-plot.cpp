// korvant-plot: the map without a window, painted into a PNG, PDF or SVG file.
#include <unistd.h>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPrinter>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/applycontrolfile.h"
#include "app/citypair.h"
#include "app/context.h"
#include "app/etopsplan.h"
#include "app/flightsession.h"
#include "app/mapcommands.h"
#include "app/maptools.h"
#include "app/menutable.h"
#include "app/oceanicreport.h"
#include "app/problemwords.h"
#include "app/routestringcommand.h"
#include "app/startup.h"
#include "app/switchtable.h"
#include "app/tracksources.h"
#include "app/workfolder.h"
#include "base/atomicfile.h"
#include "base/filereader.h"
#include "base/textops.h"
#include "flight/progressreport.h"
#include "geo/greatcircle.h"
#include "geo/positiontext.h"
#include "map/aircraftdrawing.h"
#include "map/mapfonts.h"
#include "platform/livelink.h"
#include "platform/mapprint.h"
#include "platform/maprender.h"
#include "platform/stderrmessageboxes.h"
#include "platform/systemclock.h"
#include "platform/trackfetch.h"
#include "plotoptions.h"
#include "printablestream.h"
#include "procedures/plantrackmatch.h"
#include "procedures/procedurereport.h"
#include "procedures/routestringreport.h"
#include "sky/terminatortime.h"
#include "tracks/besttrack.h"
#include "tracks/trackexport.h"
#include "tracks/trackplan.h"
#include "tracks/trackreport.h"

namespace {

namespace fs = std::filesystem;
using namespace korvant;

int fail(const std::string& message, int status) {
  std::cerr << "korvant-plot: " << message << "\n";
  return status;
}

// 0 when nothing went wrong, else the first problem said and status 1.
int failWith(const Problems& problems) { return problems.empty() ? 0 : fail(wordProblem(problems.front()).text, 1); }

std::string programPath(const char* argv0) {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::absolute(argv0, ec).string() : self.string();
}

// Returns 0 to go on, or the exit status.
int applyOptions(AppContext& app, const PlotOptions& o) {
  MapView& view = app.view;
  for (const std::string& source : o.tracks) {
    // The first family's region, unless the options choose the view themselves.
    MapCommands commands(app);
    const bool region = o.preset.empty() && o.centre.empty() && &source == &o.tracks.front();
    std::string bytes;
    if (isWebAddress(source)) {
      FetchOutcome fetched = fetchAndWait(source, fetchLimits(app.settings));
      if (!fetched.ok) {
        app.boxes.show("CAN'T GET TRACKS:", source + ": " + fetched.reason, MessageIcon::Stop);
        return 1;
      }
      bytes = std::move(fetched.bytes);
      if (!commands.storeTrackMessage(bytes, trackMessageExtension(bytes), source, region, true).repaint) return 1;
    } else {
      if (!commands.readTracks(source, region).repaint) return 1;
      if (!o.saveTracks.empty()) bytes = readWholeFile(source, TRACK_MESSAGE_LIMIT).bytes;
    }
    if (!o.saveTracks.empty()) {
      AtomicFile saved(o.saveTracks);
      if (!saved.write(bytes)) return fail(notWrittenWords(saved.problem()), 1);
    }
  }
  if (!o.userOverlay.empty()) {
    app.userOverlay.fresh().setPath(o.userOverlay);
    app.switches.showUserTxt = true;
    if (!app.userOverlay->overlay()) return fail("cannot read the user overlay file " + o.userOverlay, 1);
  }
  if (!o.procedure.empty()) {
    // Fitted to the procedure, unless the options place the view themselves.
    MapCommands commands(app);
    if (!commands.readProcedure(o.procedure, o.route).repaint) return 1;
    if (!app.procedureMap) return 1;
  }
  if (!o.preset.empty()) {
    if (!view.selectPreset(toUpper(o.preset))) return fail("unknown preset: " + o.preset, 2);
    app.checkedPreset = view.presetName;
  }
  if (!o.centre.empty() && !centreOnText(app, o.centre)) {
    app.boxes.show("FIX NOT FOUND: ", o.centre, MessageIcon::Stop);
    return 1;
  }
  if (!o.runways.empty()) {
    app.runwaysAirport = toUpper(o.runways);
    const std::optional<SimAirport> airport = app.sim->seekSimAirport(app.runwaysAirport);
    if (!airport) {
      app.boxes.show("AIRPORT NOT IN DATABASE:", app.runwaysAirport, MessageIcon::Stop);
      return 1;
    }
    // The airport fills the map unless the options place the view.
    if (o.preset.empty() && o.centre.empty()) view.setCentre(airport->airport.position, o.rangeGiven ? 0 : 3);
  }
  if (o.rangeGiven && !view.setRange(o.range)) return fail("range out of 0.1 ... 11000: " + std::to_string(o.range), 2);
  if (!o.projection.empty()) app.checkedPreset.clear();  // an explicit projection choice
  if (o.projection == "lambert")
    view.selectLambertBand(automaticLambertBand(view.centre.lat));
  else if (o.projection == "ortho")
    view.selectOrthographic();
  else if (o.projection == "mercator")
    view.selectMercator();
  if (o.mono) {
    app.switches.videoColor = false;
    app.switches.printerColor = false;
  }
  if (!o.time.empty()) MapCommands(app).applyStartHour(o.time);  // checked with the options
  for (const auto& [name, on] : o.layers) *switchByName(app.switches, name) = on;
  if (!o.magModel.empty()) app.magneticModelId = *magneticModelByName(o.magModel);
  if (!o.date.empty()) app.magneticYear = plotDateYear(o.date);
  MapCommands commands(app);
  for (int id : o.commands) {
    const CommandEffect effect = commands.execute(id);
    if (effect.request == UiRequest::MessageBox) app.boxes.show(effect.caption, effect.text, MessageIcon::None);
  }
  reportMissingSimFiles(app);
  reportMissingDafifFiles(app);
  reportMissingUserOverlay(app);
  return 0;
}

// The tracks of the flight's direction, shortest whole distance first, and
// the best one's connections drawn on the map.
int rankTracksForPair(AppContext& app, const PlotOptions& o) {
  const CityPairTracks pair = rankCityPair(app, o.from, o.to);
  if (!pair.error.empty()) return fail(pair.error, 1);
  if (o.report) {
    char line[96];
    std::snprintf(line, sizeof line, "\nBEST TRACKS %s-%s  DIRECT %.0f NM\n", pair.from.ident.c_str(),
                  pair.to.ident.c_str(), std::round(pair.directNm));
    std::cout << line;
    for (const RankedTrack& r : pair.ranked) std::cout << "  " << rankedTrackLine(r) << "\n";
    std::cout << std::flush;
  }
  plotTrackConnections(app, pair, pair.ranked.front().letter);
  return 0;
}

// The route drawn over the tracks; the view is fitted to it unless the
// options place it themselves.
int plotRouteString(AppContext& app, const PlotOptions& o) {
  const MapView chosen = app.view;
  const std::string preset = app.checkedPreset;
  const RouteStringOutcome outcome = showRouteString(app, o.routeString);
  if (!outcome.error.empty()) return fail(outcome.error.substr(0, outcome.error.size() - 1), 1);
  if (!outcome.notes.empty()) std::cerr << outcome.notes;
  if (!o.preset.empty() || !o.centre.empty() || o.rangeGiven) {
    app.view = chosen;
    app.checkedPreset = preset;
  }
  if (o.report) {
    const std::time_t at = effectiveTerminatorTime(app.terminator, app.clock);
    std::cout << routeStringReport(outcome.route, app.magneticModel(), &*app.tracks, at - at % 60) << std::flush;
  }
  return 0;
}

int exportTrackPlan(const AppContext& app, const PlotOptions& o) {
  const std::vector<ResolvedTrack> tracks = resolvedTracks(app.tracks);
  const auto track =
      std::find_if(tracks.begin(), tracks.end(), [&](const ResolvedTrack& t) { return t.letter == o.exportTrack; });
  if (track == tracks.end() || track->fixes.empty())
    return fail(std::string("no track ") + o.exportTrack + " is stored", 1);
  const auto from = findPlanAirport(app, o.from, track->fixes.front().position);
  const auto to = findPlanAirport(app, o.to, track->fixes.back().position);
  if (!from || !to) return fail("AIRPORT NOT FOUND: " + toUpper(from ? o.to : o.from), 1);
  TrackPlan plan{*from, *to, &*track};
  plan.cycle = airacCycle(app.clock.now());
  // The lowest level the track offers, else FL350.
  if (const int level = readLeadingInt(track->levels); level > 0) plan.cruisingFeet = level * 100;
  return failWith(saveTrackPlan(o.exportPath, plan, *planFormatFor(o.exportPath, o.fs2004)));
}

// --export: the route string drawn or one track as a flight plan, else every
// stored track.
int writeExport(const AppContext& app, const PlotOptions& o) {
  if (o.exportPath.empty()) return 0;
  if (o.exportTrack != 0) return exportTrackPlan(app, o);
  std::string error;
  if (o.route && !o.procedure.empty() && o.tracks.empty() && o.routeString.empty()) {
    // A plan read in one format, written in another.
    if (app.procedure->source.kind != RouteFileKind::FlightPlan) return fail("--export takes a flight plan", 2);
    // One point is no route: written, its two ends would say it twice.
    if (std::count_if(app.procedure->plan.waypoints.begin(), app.procedure->plan.waypoints.end(),
                      [](const UW_Wpt& w) { return !w.isUserItem(); }) < 2)
      return fail("the plan has fewer than two points: no route to write", 1);
    ResolvedTrack points;
    TrackPlan plan = flightPlanAsTrackPlan(app.procedure->plan, points);
    plan.cycle = airacCycle(app.clock.now());
    if (const std::optional<PlanFormat> format = planFormatFor(o.exportPath, o.fs2004))
      return failWith(saveTrackPlan(o.exportPath, plan, *format));
    // As a route in the map formats: the ends and the points between.
    points.fixes.insert(points.fixes.begin(), {plan.departure.ident, plan.departure.position, plan.departure.kind});
    points.fixes.push_back({plan.destination.ident, plan.destination.position, plan.destination.kind});
    points.letter = 'P';
    return failWith(writeTrackExport(o.exportPath, {points}));
  }
  if (o.routeString.empty()) return failWith(writeTrackExport(o.exportPath, resolvedTracks(app.tracks)));
  const bool written = saveRouteStringPlan(app, o.exportPath, o.fs2004, error);
  return written ? 0 : fail(error, 1);
}

// --fly-track: the stored track is the route flown.
int chooseTrackFlown(AppContext& app, const PlotOptions& o) {
  if (o.flyTrack.empty()) return 0;
  const std::vector<ResolvedTrack> tracks = resolvedTracks(app.tracks);
  const auto track = std::find_if(tracks.begin(), tracks.end(),
                                  [&](const ResolvedTrack& t) { return toUpper(t.name) == toUpper(o.flyTrack); });
  if (track == tracks.end() || track->fixes.empty()) return fail("no track " + o.flyTrack + " is stored", 1);
  app.flight.chosenRoute = flightRouteOf(*track);
  return 0;
}

// --departure, or an OFP's own take-off time: the times at every point and
// the oceanic words.
void reportOceanic(AppContext& app, const PlotOptions& o) {
  OceanicRequest request{departureMinutes(o.departure), o.groundSpeedKt, o.mach, o.callsign, 0};
  const FlightRoute route = shownFlightRoute(app);
  const bool asked = !o.departure.empty() || o.groundSpeedKt > 0 || o.mach > 0 || !o.callsign.empty();
  if (route.points.size() < 2) {
    if (asked) std::cerr << "korvant-plot: no plan, route string or --fly-track to time" << std::endl;
    return;
  }
  if (o.departure.empty() && !route.takeoffUtc) {
    if (asked) std::cerr << "korvant-plot: no departure time: give --departure HHMM (UTC)" << std::endl;
    return;
  }
  for (const std::string& line : oceanicReportLines(app, route, request)) std::cout << line << '\n';
  std::cout << std::flush;
}

// --live: listens for the seconds asked; the aircraft is then where the last
// sample put it, along the route flown.
int flyLive(AppContext& app, const PlotOptions& o) {
  Problems problems;
  const LiveSettings settings = *parseLiveAddress(o.live, readLiveSettings(app.settings, problems));
  showProblems(app.boxes, problems);
  LiveLink link(app.clock);
  if (const Problems refused = link.start(settings); !refused.empty()) return failWith(refused);
  const auto sayNotes = [&] { showProblems(app.boxes, link.feed().takeNotes()); };
  QObject::connect(&link, &LiveLink::aircraftMoved, [&] { takeAircraft(app, *link.feed().last()); });
  QObject::connect(&link, &LiveLink::statusChanged, sayNotes);
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(std::lround(o.liveSeconds * 1000)), &loop, &QEventLoop::quit);
  loop.exec();
  sayNotes();
  link.stop();
  if (!app.flight.aircraft) return failWith({{Reason::LiveNoData, {}, 0, liveSourceWords(settings)}});
  if (o.report) {
    for (const std::string& line : progressLines(*app.flight.progress)) std::cout << line << '\n';
    std::cout << std::flush;
  }
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  // A file size limit (ulimit -f) fails the write with EFBIG, said as a full
  // disk is, and the temporary file removed; its signal would kill the
  // program in the middle of the write instead.
  std::signal(SIGXFSZ, SIG_IGN);
  const PrintableStream safeOut(std::cout), safeErr(std::cerr);
  PlotOptions options;
  std::error_code ec;
  const PlotParse parsed = parsePlotOptions({argv + 1, argv + argc}, options);
  if (parsed.outcome == PlotParse::Outcome::Help) {
    std::cout << PLOT_USAGE;
    return 0;
  }
  if (parsed.outcome == PlotParse::Outcome::Version) {
    std::cout << "korvant-plot " << KORVANT_VERSION << "\n";
    return 0;
  }
  if (parsed.outcome == PlotParse::Outcome::Layers) {
    for (const std::string& name : switchNames()) std::cout << name << "\n";
    return 0;
  }
  if (parsed.outcome == PlotParse::Outcome::Refused) return fail(parsed.message, 2);

  // No display needed: Qt draws fonts and images offscreen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    // Qt wants a private runtime folder and complains on standard error without one.
    const fs::path runtime = fs::temp_directory_path(ec) / ("korvant-runtime-" + std::to_string(::getuid()));
    fs::create_directories(runtime, ec);
    fs::permissions(runtime, fs::perms::owner_all, ec);
    qputenv("XDG_RUNTIME_DIR", runtime.string().c_str());
  }
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);

  StderrMessageBoxes boxes;
  SystemClock clock;
  AppContext app(boxes, clock);
  // The folder read: --folder's, else the current one, else the window's own
  // user folder (seeded from the installed samples), which is then named.
  std::string folder = options.folder;
  if (folder.empty()) {
    const auto environment = [](const char* name) {
      const char* value = std::getenv(name);
      return std::string(value ? value : "");
    };
    const std::string current = fs::current_path(ec).string();
    const WorkFolder work =
        chooseWorkFolder({current, programPath(argv[0]), environment("XDG_DATA_HOME"), environment("HOME")});
    if (!work.problem.empty()) return fail("can't set up the user folder: " + work.problem, 2);
    folder = work.folder;
    if (folder != current) std::cerr << "korvant-plot: no KORVANT.CTL here; reading " << folder << std::endl;
  } else if (!fs::is_directory(folder, ec)) {
    return fail("no such folder: " + folder, 2);
  }
  if (!holdsControlFile(folder)) return fail("no KORVANT.CTL in " + folder, 2);
  startUp(app, programPath(argv[0]), fs::absolute(folder, ec).string());
  applyControlFile(app);
  // A relative message path that is not here may be the folder read's own
  // (tracks/nat.txt of the user folder): read that, and say where it was.
  for (std::string& source : options.tracks) {
    if (isWebAddress(source) || !fs::path(source).is_relative() || fs::exists(source, ec)) continue;
    const fs::path inFolder = fs::absolute(folder, ec) / source;
    if (fs::exists(inFolder, ec)) {
      source = inFolder.string();
      std::cerr << "korvant-plot: reading " << source << std::endl;
    }
  }
  if (const int status = applyOptions(app, options); status != 0) return status;
  // Only the valid tracks drawn: how many are, as the window's message bar
  // says, so that an empty picture is no riddle.
  if (app.switches.validTracksOnly && !app.tracks->empty()) {
    const std::string note = trackReadNote(app.tracks, effectiveTerminatorTime(app.terminator, app.clock));
    if (note.find(" VALID AT ") != std::string::npos)
      std::cerr << "korvant-plot: " << note.substr(0, note.find(';')) << std::endl;
  }
  const std::pair<const std::string*, const char*> etopsKeys[] = {{&options.etops, "EtopsMinutes"},
                                                                  {&options.etopsSpeed, "EtopsSpeed"},
                                                                  {&options.etopsAirports, "EtopsAirports"},
                                                                  {&options.etopsWind, "EtopsWind"}};
  for (const auto& [value, key] : etopsKeys)
    if (!value->empty()) app.settings.set(key, *value, true);
  if (!options.etops.empty()) app.switches.etops = true;

  if (options.tool != 0) {
    // The tool reads its text as the input field would, nearest the map centre.
    MapTools tools(app);
    const ToolOutcome outcome = options.tool == cmd::Info       ? tools.info(options.toolText)
                                : options.tool == cmd::Distance ? tools.distance(options.toolText)
                                                                : tools.intersection(options.toolText);
    if (!outcome.ok) return 1;
    std::cout << outcome.result << std::endl;
  }
  if (options.report && !options.tracks.empty()) {
    const std::time_t at = effectiveTerminatorTime(app.terminator, app.clock);
    for (const TrackModel* set : app.tracks->held()) std::cout << trackReport(*set, app.magneticModel(), at - at % 60);
    std::cout << std::flush;
  }
  if (options.exportTrack == 0 && !options.from.empty() && !options.to.empty())
    if (const int status = rankTracksForPair(app, options); status != 0) return status;
  if (options.report && !options.procedure.empty()) {
    std::cout << procedureReport(app.procedure);
    // A plan over stored tracks: which of them it flies.
    if (app.procedure->source.kind == RouteFileKind::FlightPlan && !app.tracks->empty()) {
      const std::time_t at = effectiveTerminatorTime(app.terminator, app.clock);
      for (const std::string& line : planTrackLines(app.procedure->plan, app.tracks, at - at % 60))
        std::cout << line << '\n';
    }
    std::cout << std::flush;
  }
  if (!options.routeString.empty())
    if (const int status = plotRouteString(app, options); status != 0) return status;
  if (const int status = chooseTrackFlown(app, options); status != 0) return status;
  if (options.report && (options.live.empty() || !options.departure.empty())) reportOceanic(app, options);
  if (options.report && !app.settings.lookup("EtopsMinutes").empty()) {
    if (const std::shared_ptr<const EtopsPicture> etops = shownEtops(app, true)) {
      for (const std::string& line : etopsReportLines(*etops)) std::cout << line << '\n';
      std::cout << std::flush;
    } else {
      std::cerr << "korvant-plot: ETOPS: no plan, route string or --fly-track" << std::endl;
    }
  }
  if (!options.live.empty())
    if (const int status = flyLive(app, options); status != 0) return status;
  if (const int status = writeExport(app, options); status != 0) return status;
  std::string error;
  MapFileRequest picture{options.output, options.width, options.height, options.dpi};
  if (!options.output.empty() && !renderMapFile(app.paintInput(), picture, error)) return fail(error, 1);
  if (!options.printPdf.empty()) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(options.printPdf));
    printer.setCreator(QStringLiteral("Korvant"));
    printer.setPageOrientation(options.portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    if (!printMapPage(printer, app.paintInput(), {}, error)) return fail(error, 1);
  }
  return 0;
}
