// The whole map paint into a QImage, as the screen and the headless renderer
// paint it.
#include <benchmark/benchmark.h>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <filesystem>

#include "app/applycontrolfile.h"
#include "app/context.h"
#include "app/flightsession.h"
#include "app/mapcommands.h"
#include "app/mousereadout.h"
#include "app/routestringcommand.h"
#include "app/startup.h"
#include "geo/greatcircle.h"
#include "map/aircraftdrawing.h"
#include "map/labelplan.h"
#include "map/layers/layers.h"
#include "map/mapfonts.h"
#include "map/mappainter.h"
#include "map/maprecorder.h"
#include "platform/layeredmap.h"
#include "platform/mapprint.h"
#include "platform/qtcanvas.h"
#include "platform/systemclock.h"
#include "procedures/procedureflight.h"
#include "support/twentysixtracks.h"
#include "worldnavset.h"

namespace {

using namespace korvant;

class NullBoxes : public MessageBoxes {
 public:
  void show(std::string_view, std::string_view, MessageIcon) override {}
};

// A 1920x1080 surface at 96 dots per inch, as the window is.
QImage surface() {
  QImage image(1920, 1080, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  return image;
}

struct NatMap {
  NullBoxes boxes;
  SystemClock clock;
  AppContext app{boxes, clock};

  NatMap() {
    startUp(app, KORVANT_RUN_FOLDER "/korvant", KORVANT_RUN_FOLDER);
    applyControlFile(app);
    // The control file's folders are relative to the run folder, where the
    // program starts; the benchmarks start elsewhere.
    app.sim.fresh().setFolders(KORVANT_RUN_FOLDER "/PS1/", KORVANT_RUN_FOLDER "/PS1/");
    app.dafif.fresh().setFolders(KORVANT_RUN_FOLDER "/DAFIF/", "");
    app.view.selectPreset("NAT");
    LayerSwitches& sw = app.switches;
    sw.latLongGrid = sw.ticks5 = sw.latLongLabels = sw.terrain = sw.facilityBoundaries = true;
    sw.ownWaypoints = sw.ownStations = sw.ownAirports = sw.symbolsNonDafif = sw.variation = true;
  }
};

// One serial paint of the whole map, as PDF, SVG and korvant-plot paint it.
void paintOnce(NatMap& map, QImage& image, QtTextCache& texts) {
  QPainter painter(&image);
  QtMapCanvas canvas(painter, &texts);
  benchmark::DoNotOptimize(
      MapPainter(map.app.paintInput(), canvas).paint({.width = 1920, .height = 1080, .printing = false}));
}

void BM_paintNatPreset(benchmark::State& state) {
  NatMap map;
  QImage image = surface();
  QtTextCache texts;  // the window keeps one from paint to paint
  for (auto _ : state) {
    paintOnce(map, image, texts);
  }
}
BENCHMARK(BM_paintNatPreset)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void storeTracks(NatMap& map) {
  test::storeTwentySixTracks(map.app.tracks.edit().of(TrackFamily::NorthAtlantic), map.app.fixes);
  map.app.switches.routeBearings = map.app.switches.routeDistances = true;
}

// The full picture: every layer above and 26 labelled tracks.
void BM_paintNatWith26Tracks(benchmark::State& state) {
  NatMap map;
  storeTracks(map);
  map.app.switches.declutter = state.range(0) != 0;
  QImage image = surface();
  QtTextCache texts;
  for (auto _ : state) {
    paintOnce(map, image, texts);
  }
  int tracks = 0;
  for (const std::string& s : map.app.tracks->of(TrackFamily::NorthAtlantic).slotTexts) tracks += !s.empty();
  state.counters["tracks"] = tracks;
}
BENCHMARK(BM_paintNatWith26Tracks)->Arg(1)->Arg(0)->ArgName("declutter")->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same with a route string drawn over the tracks.
void BM_paintNatWith26TracksAndARoute(benchmark::State& state) {
  NatMap map;
  storeTracks(map);
  map.app.switches.declutter = true;
  const std::string route = "KJFK MERIT HFD PUT BOS KANNI NICSO 48/50 50/40 51/30 52/20 LIMRI GISTI EGLL";
  const MapView natView = map.app.view;
  if (!showRouteString(map.app, route).drawn) state.SkipWithError("the route did not resolve");
  map.app.view = natView;  // the NAT preset, as the other figures
  QImage image = surface();
  QtTextCache texts;
  for (auto _ : state) {
    paintOnce(map, image, texts);
  }
  state.counters["points"] = static_cast<double>(map.app.plottedRoute->points.size());
}
BENCHMARK(BM_paintNatWith26TracksAndARoute)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The label plan of that picture: recording every label of every layer in
// the real fonts, and placing them.
void BM_labelPlan(benchmark::State& state) {
  NatMap map;
  if (state.range(0)) storeTracks(map);
  QImage image = surface();
  QPainter painter(&image);
  QtTextCache texts;
  QtMapCanvas canvas(painter, &texts);
  const MapRecording recording =
      MapPainter(map.app.paintInput(), canvas).record({.width = 1920, .height = 1080, .printing = false});
  const LabelRecord& record = recording.labels;
  int kept = 0;
  for (auto _ : state) {
    const LabelPlan plan = planLabels(record, 1920, 1080);
    kept = plan.textsKept;
    benchmark::DoNotOptimize(plan);
  }
  state.counters["groups"] = static_cast<double>(record.groups.size());
  state.counters["kept"] = kept;
}
BENCHMARK(BM_labelPlan)->Arg(0)->Arg(1)->ArgName("tracks")->Unit(benchmark::kMicrosecond);

// Recording the whole of that picture with its labels in the real fonts and
// planning them, as a decluttered paint does once before it draws.
void BM_recordMap(benchmark::State& state) {
  NatMap map;
  storeTracks(map);
  QImage image = surface();
  QPainter painter(&image);
  QtTextCache texts;
  QtMapCanvas canvas(painter, &texts);
  std::size_t ops = 0;
  for (auto _ : state) {
    const MapRecording recording =
        MapPainter(map.app.paintInput(), canvas).record({.width = 1920, .height = 1080, .printing = false});
    ops = recording.stages[0].ops.size() + recording.stages[1].ops.size();
  }
  state.counters["ops"] = static_cast<double>(ops);
}
BENCHMARK(BM_recordMap)->Unit(benchmark::kMillisecond);

void storeTracks(NatMap& map);

// The window's paint: the stages under and over the tools' lines on both
// cores, composed with the tools' lines between them. arg 1: with 26 tracks.
// The window's whole paint, over and over, nothing kept between.
void paintWindow(benchmark::State& state, NatMap& map) {
  QImage window = surface();
  LayeredMap layered;
  for (auto _ : state) {
    layered.invalidate();
    QPainter painter(&window);
    benchmark::DoNotOptimize(layered.paint(painter, window, takeFrame(map.app.paintInput())));
  }
}

void BM_windowPaint(benchmark::State& state) {
  NatMap map;
  if (state.range(0)) storeTracks(map);
  paintWindow(state, map);
}
BENCHMARK(BM_windowPaint)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("tracks")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

// The generated world navigation set, read once for every benchmark.
std::shared_ptr<const XpNavData> worldNavData() {
  static const std::shared_ptr<const XpNavData> data = [] {
    const bench::WorldSet& set = bench::worldSet(1);
    XpNavData read;
    (void)read.readFixes(set.fixes, "fix.dat");
    (void)read.readNavaids(set.navaids, "nav.dat");
    (void)read.readAirways(set.airways, "awy.dat");
    read.finish();
    return std::make_shared<const XpNavData>(std::move(read));
  }();
  return data;
}

// The window's paint with the world's navigation data loaded. Budgets: the
// NAT preset with both navigation-data layers on (arg 1) within 1.5 times
// the paint with them off (arg 0); 300 NM around London Heathrow with both
// on (arg 2) within 25 ms; the same view with them off (arg 3) for the base.
void BM_windowPaintWorldNavData(benchmark::State& state) {
  NatMap map;
  map.app.fixes.edit().setNavData(worldNavData());
  map.app.switches.navDataAirways = map.app.switches.navDataNavaids = state.range(0) == 1 || state.range(0) == 2;
  if (state.range(0) >= 2) map.app.view.setCentre({5128, -28}, 300);
  paintWindow(state, map);
}
BENCHMARK(BM_windowPaintWorldNavData)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->ArgName("navdata")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

// The window's full paint with N threads: the two stages recorded on two,
// then drawn from the recording in N bands of rows.
void BM_paintThreads(benchmark::State& state) {
  NatMap map;
  QImage window = surface();
  LayeredMap layered;
  layered.setThreads(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    layered.invalidate();
    QPainter painter(&window);
    benchmark::DoNotOptimize(layered.paint(painter, window, takeFrame(map.app.paintInput())));
  }
}
BENCHMARK(BM_paintThreads)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

// The window's first paint, whose images the frames below keep.
void paintOnce(LayeredMap& layered, QImage& window, NatMap& map) {
  QPainter painter(&window);
  layered.paint(painter, window, takeFrame(map.app.paintInput()));
}

// The frame shown for one drag step of 40 px or one wheel step while the full paint is not yet done: the kept images,
// painted for the view before the step, moved or scaled; on the window's thread, as the window shows it (the key
// comparison that finds the images out of date included).
void movedFrame(benchmark::State& state, bool wheel) {
  NatMap map;
  storeTracks(map);
  QImage window = surface();
  LayeredMap layered;
  paintOnce(layered, window, map);
  Projection shown;
  shown.setup(map.app.view.viewport(1920, 1080));
  MouseOnMap mouse(map.app);
  if (!wheel)
    mouse.dragTo(shown.fromDevice(960, 540), 1000, 540, 1920, 1080);
  else
    mouse.zoomAt(700, 400, true, shown);
  const MapFrame input = takeFrame(map.app.paintInput());
  for (auto _ : state) {
    QPainter painter(&window);
    if (layered.isCurrent(input, window)) state.SkipWithError("the step changed nothing");
    layered.paintMoved(painter, window, input, wheel ? 700 : 1000, wheel ? 400 : 540);
  }
}

void BM_panFrame(benchmark::State& state) { movedFrame(state, false); }
BENCHMARK(BM_panFrame)->Unit(benchmark::kMillisecond);

void BM_wheelFrame(benchmark::State& state) { movedFrame(state, true); }
BENCHMARK(BM_wheelFrame)->Unit(benchmark::kMillisecond);

// A repaint that changes only the tools' lines: the kept images are reused.
void BM_windowToolRepaint(benchmark::State& state) {
  NatMap map;
  storeTracks(map);
  QImage window = surface();
  LayeredMap layered;
  int i = 0;
  for (auto _ : state) {
    map.app.tools = {ToolMode::Distance, {LatLng{5000, -3000}, LatLng{5000.0 + i++ % 100, -2000}}};
    QPainter painter(&window);
    benchmark::DoNotOptimize(layered.paint(painter, window, takeFrame(map.app.paintInput())));
  }
  state.counters["stagesPainted"] = layered.stagesPainted();
}
BENCHMARK(BM_windowToolRepaint)->Unit(benchmark::kMillisecond);

// One position from the simulator in the window: the progress and trail
// moved on, then the repaint of the symbol's box alone (the kept images
// under it, the trail's lines that cross it, the symbol), as the window does
// it. arg: the trail's points (0, or a day at one every 10 s).
void BM_aircraftFrame(benchmark::State& state) {
  NatMap map;
  storeTracks(map);
  QImage window = surface();
  LayeredMap layered;
  paintOnce(layered, window, map);
  Projection screen;
  screen.setup(map.app.view.viewport(1920, 1080));
  const LatLng start{5600, -5000};
  for (long i = 0; i < state.range(0); ++i) {
    const LatLng at = destination(start, 90, static_cast<double>(i) * 0.1).position;
    map.app.flight.trail.edit().add(TrailPoint{at, 35000, static_cast<double>(i) * 10, 90});
  }
  double t = static_cast<double>(state.range(0)) * 10;
  const FontSpec tag = buildMapFonts(readMapFontSettings(map.app.settings), false, 96).small;
  const auto box = [&] {
    const Rect r = aircraftBox(screen, *map.app.flight.aircraft, tag);
    return QRect(r.left, r.top, r.width(), r.height());
  };
  takeAircraft(map.app, {destination(start, 90, t * 0.01).position, 35000, 90, 480, t, true});
  for (auto _ : state) {
    const QRect before = box();
    t += 0.2;
    takeAircraft(map.app, {destination(start, 90, t * 0.01).position, 35000, 90, 480, t, true});
    const QRect dirty = before | box();
    QPainter painter(&window);
    painter.setClipRect(dirty);
    const MapFrame frame = takeFrame(map.app.paintInput());
    layered.paint(painter, window, frame);
    layered.paintMoving(painter, window, frame, dirty);
  }
  state.counters["stagesPainted"] = layered.stagesPainted();
}
BENCHMARK(BM_aircraftFrame)->Arg(0)->Arg(8640)->ArgName("trail")->Unit(benchmark::kMicrosecond);

// The three simulator layers from the sample folder, over the full preset:
// args preset (0 NAT, 1 EUROPE) and cache (0 files read afresh, 1 kept).
void BM_paintSimLayers(benchmark::State& state) {
  NatMap map;
  map.app.view.selectPreset(state.range(0) == 0 ? "NAT" : "EUROPE");
  LayerSwitches& sw = map.app.switches;
  sw.ps1Wpt = sw.ps1Sta = sw.ps1Apt = true;
  QImage image = surface();
  QtTextCache texts;
  const std::string folder = map.app.sim->ps12();
  for (auto _ : state) {
    if (state.range(1) == 0) map.app.sim.fresh().setFolders(folder, folder);  // forgets what it read
    paintOnce(map, image, texts);
  }
}
BENCHMARK(BM_paintSimLayers)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->ArgNames({"europe", "cached"})
    ->Unit(benchmark::kMillisecond);

// One layer at a time, to see where a paint's time goes.
void BM_paintOneLayer(benchmark::State& state) {
  NatMap map;
  LayerSwitches& sw = map.app.switches;
  bool* layers[] = {&sw.latLongGrid,        &sw.ticks5,       &sw.latLongLabels, &sw.terrain,
                    &sw.facilityBoundaries, &sw.ownWaypoints, &sw.variation};
  const char* names[] = {"grid", "ticks5", "labels", "terrain", "boundaries", "fixes", "variation"};
  for (bool* layer : layers) *layer = false;
  sw.ownStations = sw.ownAirports = sw.showParameters = false;
  *layers[state.range(0)] = true;
  if (state.range(0) == 5) sw.ownStations = sw.ownAirports = true;
  state.SetLabel(names[state.range(0)]);
  QImage image = surface();
  QtTextCache texts;
  for (auto _ : state) {
    paintOnce(map, image, texts);
  }
}
BENCHMARK(BM_paintOneLayer)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

// The sample SID (arg 0) and the transatlantic route (arg 1) flown from
// their legs: arcs, lines, course lines and markers, as a read does.
const char* const kSampleProcedures[2] = {KORVANT_RUN_FOLDER "/PS1/deparr/EGLL/KORV1J.27R",
                                          KORVANT_RUN_FOLDER "/PS1/routes/KJFKEGLL.ROU"};

void BM_flyProcedure(benchmark::State& state) {
  NatMap map;
  MapCommands(map.app).readProcedure(kSampleProcedures[state.range(0)], state.range(0) == 1);
  const LoadedProcedure& p = map.app.procedure;
  for (auto _ : state) benchmark::DoNotOptimize(flyProcedure({p.legs, p.source, p.title}, map.app.sim));
  state.SetLabel(state.range(0) == 0 ? "sid" : "route");
}
BENCHMARK(BM_flyProcedure)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The whole paint with the procedure map: the SID fitted to itself, the
// route over the full North Atlantic map with all its layers.
void BM_paintProcedure(benchmark::State& state) {
  NatMap map;
  MapCommands(map.app).readProcedure(kSampleProcedures[state.range(0)], state.range(0) == 1);
  if (state.range(0) == 1) map.app.view.selectPreset("NAT");
  QImage image = surface();
  QtTextCache texts;
  for (auto _ : state) paintOnce(map, image, texts);
  state.SetLabel(state.range(0) == 0 ? "sid" : "route over NAT");
}
BENCHMARK(BM_paintProcedure)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Every DAFIF switch on over EUROPE (arg 0) and US (arg 1), from the sample
// folder, the files kept, over the layers the sample control file starts
// with: the budget is 50 ms a paint.
void BM_paintDafif(benchmark::State& state) {
  NatMap map;
  map.app.switches = LayerSwitches{};
  applyControlFile(map.app);  // the layers a user starts with
  map.app.view.selectPreset(state.range(0) == 0 ? "EUROPE" : "US");
  DafifSwitches& d = map.app.switches.dafif;
  for (bool* s : d.drawing()) *s = true;
  QImage image = surface();
  QtTextCache texts;
  for (auto _ : state) paintOnce(map, image, texts);
  state.SetLabel(state.range(0) == 0 ? "EUROPE" : "US");
}
BENCHMARK(BM_paintDafif)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The terminator, civil twilight and the next six hours alone, on the NAT
// preset at 1920x1080 (2 x 121 points for the current curves, 6 x 121 for
// the hours, and their labels): the budget is 1 ms together.
void BM_terminatorLayers(benchmark::State& state) {
  NatMap map;
  LayerSwitches& sw = map.app.switches;
  sw.showTerminator = sw.showCivilTwilight = sw.showNext6Hours = true;
  (void)setTerminatorTime(map.app.terminator, "08Z 21/06/2024", map.app.clock);
  QImage image = surface();
  QPainter painter(&image);
  QtTextCache texts;
  QtMapCanvas canvas(painter, &texts);
  const MapFrame input = takeFrame(map.app.paintInput());
  Projection projection;
  projection.setup(input.view.viewport(1920, 1080));
  PaintContext paint{input, canvas, projection, FarSideRule(input.view.centre),
                     buildMapFonts(input.fontSettings, false, 96)};
  for (std::size_t row = 0; row < input.layers.size(); ++row)
    if (input.layers[row].name == "terminator") paint.inputs = input.inputs[row].get();
  paint.width = 1920;
  paint.height = 1080;
  canvas.selectFont(paint.fonts.small);
  paint.lineHeight = canvas.textMetrics().height;
  paint.charWidth = canvas.textMetrics().averageCharWidth;
  for (auto _ : state) drawTerminatorLayers(paint);
}
BENCHMARK(BM_terminatorLayers)->Unit(benchmark::kMicrosecond);

// The full picture printed on an A4 landscape page at the printer's 1200
// dots per inch into a PDF file, as "&Print..." and --print-pdf run it.
void BM_printNatPage(benchmark::State& state) {
  NatMap map;
  storeTracks(map);
  const std::string pdf = (std::filesystem::temp_directory_path() / "korvant-bench-print.pdf").string();
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdf));
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Landscape);
  std::string error;
  for (auto _ : state) {
    if (!printMapPage(printer, map.app.paintInput(), {}, error)) state.SkipWithError(error.c_str());
  }
  std::error_code ec;
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(pdf, ec));
  std::filesystem::remove(pdf, ec);
}
BENCHMARK(BM_printNatPage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
