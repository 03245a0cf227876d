// The map paint and its layers, on a recording canvas.
#include "map/mappainter.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/applycontrolfile.h"
#include "app/startup.h"
#include "geo/greatcircle.h"
#include "map/mapfonts.h"
#include "map/paintkey.h"
#include "navdata/fixfile_builder.h"
#include "support/recordingboxes.h"
#include "support/recordingcanvas.h"

namespace korvant {
namespace {

using test::RecordingCanvas;

// 2026-12-07 08:45:00 UTC.
constexpr std::time_t kNow = 1796633100;

class MapPainterTest : public ::testing::Test {
 protected:
  MapPainterTest() {
    seedDefaults(app.settings);
    app.settings.markReadDone();
    app.settings.set("MapFont", "Test", false);
    applyControlFile(app);           // the NAT preset, default switches
    app.switches.declutter = false;  // the map exactly as its layers draw it
  }
  PaintResult paint(int width = 1920, int height = 1080, bool printing = false) {
    canvas = RecordingCanvas();
    return MapPainter(app.paintInput(), canvas).paint({.width = width, .height = height, .printing = printing});
  }
  void only(std::initializer_list<bool LayerSwitches::*> on) {
    LayerSwitches& sw = app.switches;
    sw.terrain = sw.latLongGrid = sw.latLongLabels = sw.facilityBoundaries = sw.showParameters = false;
    sw.ownWaypoints = sw.ownStations = sw.ownAirports = sw.obsoleteWaypoints = sw.variation = false;
    for (auto member : on) sw.*member = true;
  }

  test::RecordingBoxes boxes;
  test::FixedClock clock{kNow, 3600};
  AppContext app{boxes, clock};
  RecordingCanvas canvas;
};

TEST_F(MapPainterTest, FontHeightsOnScreenAndPaper) {
  const MapFonts screen = buildMapFonts(readMapFontSettings(app.settings), false, 96);
  EXPECT_EQ(screen.small.height, 9);
  EXPECT_EQ(screen.medium.height, 13);
  EXPECT_EQ(screen.large.height, 17);
  EXPECT_EQ(screen.small.face, "Test");
  EXPECT_EQ(screen.small.weight, 400);
  const MapFonts paper = buildMapFonts(readMapFontSettings(app.settings), true, 600);
  EXPECT_EQ(paper.small.height, 50);
  EXPECT_EQ(paper.medium.height, 66);
  EXPECT_EQ(paper.large.height, 100);
  app.settings.set("MapFontVideoSize", "72", true);
  app.settings.set("MapFontPrinterSize", "72", true);
  EXPECT_EQ(mapTextSize(readMapFontSettings(app.settings), false), 7);
  EXPECT_EQ(mapTextSize(readMapFontSettings(app.settings), true), 72);
  app.settings.set("MapFontVideoSize", "0", true);
  EXPECT_EQ(mapTextSize(readMapFontSettings(app.settings), false), 7);
}

TEST_F(MapPainterTest, BackgroundFirstThenProjectionOfTheView) {
  const PaintResult r = paint(1000, 800);
  ASSERT_FALSE(canvas.fills.empty());
  EXPECT_EQ(canvas.fills[0].first.right, 1000);
  EXPECT_EQ(canvas.fills[0].second, colors::white);
  EXPECT_EQ(r.projection.kind(), ProjectionKind::Lambert);
  EXPECT_EQ(r.projection.pixelScale(), Projection::scaleForRange(1000, 800, 1000));
  const DevicePoint centre = r.projection.toDevice({5000, -3500});
  EXPECT_EQ(centre.x, 500);
  EXPECT_EQ(centre.y, 400);
}

TEST_F(MapPainterTest, OrthographicGridNeverReachesTheFarSide) {
  only({&LayerSwitches::latLongGrid});
  app.view.selectPreset("GLOBE");
  const PaintResult r = paint(800, 800);
  ASSERT_GT(canvas.lines.size(), 100u);
  const double radius = r.projection.pixelScale() + 1.5;
  for (const auto& l : canvas.lines) {
    EXPECT_EQ(l.color, colors::green);
    for (auto [x, y] : {std::pair{l.x1, l.y1}, std::pair{l.x2, l.y2}})
      ASSERT_LE(std::hypot(x - 400, y - 400), radius) << x << "," << y;
  }
}

TEST_F(MapPainterTest, LambertGridSkipsPiecesAcrossTheFarSide) {
  only({&LayerSwitches::latLongGrid});
  paint();
  // In Lambert every point is drawable, so exactly the pieces across the far
  // side are missing from 37 meridians x 36 pieces + 36 parallels x 72.
  const LatLng centre{5000, -3500};
  const auto far = [&](LatLng a, LatLng b) {
    const CourseDistance ca = courseAndDistance(centre, a), cb = courseAndDistance(centre, b);
    return ca.distance > 5409.9 && cb.distance > 5409.9 && (ca.course >= 180) != (cb.course >= 180);
  };
  std::size_t expected = 0;
  for (double lng = -18000; lng <= 18000; lng += 1000)
    for (double lat = -9000; lat < 9000; lat += 500) expected += !far({lat, lng}, {lat + 500, lng});
  for (double lat = -9000; lat < 9000; lat += 500)
    for (double lng = -18000; lng < 18000; lng += 500) expected += !far({lat, lng}, {lat, lng + 500});
  EXPECT_LT(expected, 37u * 36 + 36u * 72);
  EXPECT_EQ(canvas.lines.size(), expected);
  app.switches.videoColor = false;
  paint();
  EXPECT_EQ(canvas.lines.front().style, PenStyle::Dot);
  EXPECT_EQ(canvas.lines.front().color, colors::black);
}

TEST_F(MapPainterTest, TicksFiveStandOnEveryFifthMeridian) {
  only({});
  app.switches.ticks5 = true;
  app.view.selectPreset("EGGX");
  const PaintResult r = paint();
  // The cross at 55N 20W: an east-west arm 19W50 ... 20W10 and a north-south one.
  const DevicePoint west = r.projection.toDevice({5500, -2010}), east = r.projection.toDevice({5500, -1950});
  bool found = false;
  for (const auto& l : canvas.lines)
    if (l.x1 == west.x && l.y1 == west.y && l.x2 == east.x && l.y2 == east.y) found = true;
  EXPECT_TRUE(found);
  // No cross stands on 22W: only multiples of 5 degrees.
  const DevicePoint at22 = r.projection.toDevice({5500, -2210});
  for (const auto& l : canvas.lines) EXPECT_FALSE(l.x1 == at22.x && l.y1 == at22.y);
}

TEST_F(MapPainterTest, GridLabelsAlongTheLabelMeridianAndParallel) {
  only({&LayerSwitches::latLongLabels});
  const PaintResult r = paint();
  const auto* lat = canvas.findText("40N");
  ASSERT_NE(lat, nullptr);
  const DevicePoint at = r.projection.toDevice({4000, -3500});
  EXPECT_EQ(lat->x, at.x);
  EXPECT_EQ(lat->y, at.y);
  EXPECT_EQ(lat->align, (TextAlign{HAlign::Center, VAlign::Bottom}));
  EXPECT_EQ(lat->font.height, 17);
  EXPECT_EQ(lat->color, colors::lightGrey);
  const auto* lng = canvas.findText("30W");
  ASSERT_NE(lng, nullptr);
  const DevicePoint lngAt = r.projection.toDevice({3730, -3000});
  EXPECT_EQ(lng->x, lngAt.x);
  EXPECT_EQ(lng->align, (TextAlign{HAlign::Center, VAlign::Top}));
  EXPECT_NE(canvas.findText("0E"), nullptr);
  EXPECT_NE(canvas.findText("85S"), nullptr);
  EXPECT_EQ(canvas.findText("90N"), nullptr);
  app.view.labelMeridian = NO_POSITION;
  paint();
  EXPECT_EQ(canvas.findText("40N"), nullptr);
}

TEST_F(MapPainterTest, TitleBlockTextsAndPlaces) {
  only({&LayerSwitches::showParameters});
  paint(1920, 1080);
  // Small font 9: line height 11 + 1, average width 4.
  const int lineHeight = 12, charWidth = 4;
  const auto expectAt = [&](const char* text, int x, int k, HAlign h) {
    const auto* t = canvas.findText(text);
    ASSERT_NE(t, nullptr) << text;
    EXPECT_EQ(t->x, x) << text;
    EXPECT_EQ(t->y, 1080 - k * charWidth) << text;
    EXPECT_EQ(t->align.h, h) << text;
    EXPECT_EQ(t->color, colors::black);
  };
  expectAt("CENTER N5000.00  W03500.00", 2 * lineHeight, 10, HAlign::Left);
  expectAt("APPROXIMATE RANGE 1000 NM", 2 * lineHeight, 8, HAlign::Left);
  expectAt("LAMBERT PROJECTION - STD. PAR. 45N, 60N", 2 * lineHeight, 6, HAlign::Left);
  expectAt("INTENDED FOR SIMULATION USE.", 2 * lineHeight, 4, HAlign::Left);
  expectAt("PRINTED 07/0945  07 DEC 2026/0845Z", 1920 - 2 * lineHeight, 4, HAlign::Right);
  expectAt("RESOLUTION 1920 X 1080", 1920 - 2 * lineHeight, 6, HAlign::Right);
}

TEST_F(MapPainterTest, TheTitleBlockAndTheVariationNameAnyModelButTheDefault) {
  only({&LayerSwitches::showParameters, &LayerSwitches::variation});
  paint(1920, 1080);
  EXPECT_EQ(canvas.findText("VAR WMM2025 2026.9"), nullptr);
  const std::size_t before = canvas.texts.size();
  const test::DrawnText* variation = nullptr;
  for (const auto& t : canvas.texts)
    if (t.text.back() == 'W' || t.text.back() == 'E') variation = variation ? variation : &t;
  ASSERT_NE(variation, nullptr);
  const std::string old = variation->text;
  const int x = variation->x, y = variation->y;

  app.magneticModelId = MagneticModelId::Wmm2025;
  app.magneticYear = 2026.93;
  const PaintResult r = paint(1920, 1080);
  const auto* title = canvas.findText("VAR WMM2025 2026.9");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->y, 1080 - 6 * 4);  // under the resolution, which moves up a place
  EXPECT_EQ(canvas.findText("RESOLUTION 1920 X 1080")->y, 1080 - 8 * 4);
  EXPECT_EQ(canvas.texts.size(), before + 1);
  for (const auto& t : canvas.texts)
    if (t.x == x && t.y == y && (t.text.back() == 'W' || t.text.back() == 'E')) {
      EXPECT_NE(t.text, old);  // today's variation at the same place
      EXPECT_EQ(t.text, variationText(app.magneticModel().variation(r.projection.fromDevice(x, y))));
    }
}

TEST_F(MapPainterTest, TitleBlockRangeForms) {
  only({&LayerSwitches::showParameters});
  app.view.setRange(12.345);
  paint();
  EXPECT_NE(canvas.findText("APPROXIMATE RANGE 12.3 NM"), nullptr);
  app.switches.kilometerDistances = true;
  app.view.setRange(1000);
  paint();
  EXPECT_NE(canvas.findText("APPROXIMATE RANGE 1852 KM"), nullptr);
  app.switches.kilometerDistances = false;
  app.view.setRange(99.97);
  paint();
  EXPECT_NE(canvas.findText("APPROXIMATE RANGE 100 NM"), nullptr);
  app.view.selectOrthographic();
  paint();
  EXPECT_NE(canvas.findText("ORTHOGRAPHIC PROJECTION"), nullptr);
  app.view.selectMercator();
  paint();
  EXPECT_NE(canvas.findText("MERCATOR PROJECTION"), nullptr);
  app.view.selectLambertBand(7);
  paint();
  EXPECT_NE(canvas.findText("LAMBERT PROJECTION - STD. PAR. 45S, 60S"), nullptr);
}

TEST_F(MapPainterTest, PrintedLineEvenWithoutParameters) {
  only({});
  paint();
  ASSERT_EQ(canvas.texts.size(), 1u);
  EXPECT_EQ(canvas.texts[0].text, "PRINTED 07/0945  07 DEC 2026/0845Z");
}

TEST_F(MapPainterTest, VariationLayerGridAndTexts) {
  only({&LayerSwitches::variation});
  const PaintResult r = paint(640, 320);
  std::size_t values = 0;
  for (const auto& t : canvas.texts) {
    if (t.text.rfind("PRINTED", 0) == 0) continue;
    ++values;
    EXPECT_EQ(t.x % 32, 0);
    EXPECT_EQ(t.y % 32, 0);
    EXPECT_EQ(t.color, colors::cyan);
    EXPECT_EQ(t.align, (TextAlign{HAlign::Center, VAlign::Bottom}));
    EXPECT_TRUE(t.text.back() == 'W' || t.text.back() == 'E');
  }
  EXPECT_EQ(values, 19u * 9);  // x = 32 ... 608, y = 32 ... 288
  const LatLng middle = r.projection.fromDevice(320, 160);
  EXPECT_NEAR(degMinToDegrees(middle.lat), 50, 0.2);
}

TEST_F(MapPainterTest, OwnFixesBySwitchWithSymbolsAndLabelOffsets) {
  FixFileContents c;
  c.fixes = {test::makeFix("WPT", 5000, -3500, 0), test::makeFix("APT", 5100, -3500, 1),
             test::makeFix("VOR", 5200, -3500, 2), test::makeFix("NDB", 5300, -3500, 3),
             test::makeFix("OLD", 5400, -3500, 5), test::makeFix("ODD", 5500, -3500, 9),
             test::makeFix("FAR", -5000, 14500, 0)};
  c.aliases = {{"ALIAS", "WPT"}, {"NONE", "ZZZZZ"}};
  app.fixes.edit().loadBytes(test::fixFileBytes(c));
  only({&LayerSwitches::ownWaypoints, &LayerSwitches::ownStations});
  const PaintResult r = paint();
  const DevicePoint wpt = r.projection.toDevice({5000, -3500});
  const auto* label = canvas.findText("WPT");
  ASSERT_NE(label, nullptr);
  const int rr = 4;  // average width of the small font
  EXPECT_EQ(label->x, wpt.x + 5 * rr / 4);
  EXPECT_EQ(label->y, wpt.y + rr / 2);
  EXPECT_EQ(label->color, colors::blue);
  EXPECT_NE(canvas.findText("VOR"), nullptr);
  EXPECT_NE(canvas.findText("NDB"), nullptr);
  EXPECT_EQ(canvas.arcs.size(), 4u);  // the NDB's double circle
  EXPECT_EQ(canvas.findText("APT"), nullptr);
  EXPECT_EQ(canvas.findText("OLD"), nullptr);
  EXPECT_EQ(canvas.findText("ODD"), nullptr);
  EXPECT_EQ(canvas.findText("FAR"), nullptr);  // off the surface

  app.switches.symbolsNonDafif = false;
  app.switches.obsoleteWaypoints = true;
  paint();
  const auto* bare = canvas.findText("WPT");
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(bare->x, wpt.x);
  EXPECT_EQ(bare->y, wpt.y);
  EXPECT_TRUE(canvas.lines.empty());
  EXPECT_NE(canvas.findText("OLD"), nullptr);
  const auto* alias = canvas.findText("ALIAS");
  ASSERT_NE(alias, nullptr);
  EXPECT_EQ(alias->x, wpt.x);
  EXPECT_EQ(canvas.findText("NONE"), nullptr);
}

TEST_F(MapPainterTest, TerrainAndBoundaryPens) {
  FixFileContents c;
  c.terrain = {{1, {5000, -4000}}, {0, {5100, -3900}}, {0, {5200, -3800}}};
  BoundaryLine b;
  b.count = 2;
  b.points[0] = {6100, -3000};
  b.points[1] = {6100, -1000};  // along the parallel in 5-degree steps
  c.boundaryLines = {b};
  app.fixes.edit().loadBytes(test::fixFileBytes(c));
  only({&LayerSwitches::terrain, &LayerSwitches::facilityBoundaries});
  paint();
  ASSERT_EQ(canvas.lines.size(), 2u + 4u);
  EXPECT_EQ(canvas.lines[0].color, colors::screenCoast);  // darker on screen than on paper
  EXPECT_EQ(canvas.lines[0].width, 96 / 40);
  EXPECT_EQ(canvas.lines[2].color, colors::lightGrey);
  EXPECT_EQ(canvas.lines[2].width, 96 / 24);
  app.switches.videoColor = false;
  paint();
  EXPECT_EQ(canvas.lines[0].color, colors::grey);
  EXPECT_EQ(canvas.lines[2].style, PenStyle::Dash);
}

TEST_F(MapPainterTest, UnsetCentrePaintsWithoutTrouble) {
  app.view.setCentre(LatLng::unset(), 0);
  app.switches.ticks1 = true;
  app.switches.variation = true;
  paint(400, 300);
  EXPECT_NE(canvas.findText("PRINTED 07/0945  07 DEC 2026/0845Z"), nullptr);
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// Everything a recording canvas kept, in one comparable text.
std::string transcript(const RecordingCanvas& c) {
  std::string out;
  for (const auto& l : c.lines)
    out += "L" + std::to_string(l.x1) + "," + std::to_string(l.y1) + "," + std::to_string(l.x2) + "," +
           std::to_string(l.y2) + "," + std::to_string(l.width) + "\n";
  for (const auto& t : c.texts)
    out += "T" + std::to_string(t.x) + "," + std::to_string(t.y) + "," + t.text + "," + t.font.face +
           std::to_string(t.font.height) + "," + std::to_string(t.font.escapement) + "\n";
  for (const auto& a : c.arcs) out += "A" + std::to_string(a.cx) + "," + std::to_string(a.cy) + "\n";
  for (const auto& f : c.fills) out += "F" + std::to_string(f.first.left) + "," + std::to_string(f.first.right) + "\n";
  return out;
}

TEST_F(MapPainterTest, TheStagesInOrderAreTheWholePaint) {
  app.switches.variation = app.switches.ownAirports = true;
  app.tools = {ToolMode::Distance, {LatLng{5000, -3000}, LatLng{5500, -2000}}};
  paint();
  const std::string whole = transcript(canvas);
  RecordingCanvas parts[3];
  const PaintStage stages[] = {PaintStage::Below, PaintStage::Overlay, PaintStage::Above};
  for (int i = 0; i < 3; ++i)
    MapPainter(app.paintInput(), parts[i]).paintStage({.width = 1920, .height = 1080, .printing = false}, stages[i]);
  RecordingCanvas joined;
  for (const RecordingCanvas& part : parts) {
    joined.lines.insert(joined.lines.end(), part.lines.begin(), part.lines.end());
    joined.texts.insert(joined.texts.end(), part.texts.begin(), part.texts.end());
    joined.arcs.insert(joined.arcs.end(), part.arcs.begin(), part.arcs.end());
    joined.fills.insert(joined.fills.end(), part.fills.begin(), part.fills.end());
  }
  EXPECT_EQ(transcript(joined), whole);
  // Each stage draws something of its own here, and only the first lays the ground.
  for (const RecordingCanvas& part : parts) EXPECT_FALSE(part.lines.empty() && part.texts.empty());
  EXPECT_EQ(parts[0].fills.size(), 1u);
  EXPECT_TRUE(parts[1].fills.empty() && parts[2].fills.empty());
  EXPECT_TRUE(parts[1].texts.empty());
}

}  // namespace
}  // namespace korvant

#include "navdata/simrecords.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

class SimLayersTest : public MapPainterTest {
 protected:
  SimLayersTest() {
    app.sim.fresh().setFolders(dir.str() + "/", dir.str() + "/");
    only({});
  }
  std::vector<const test::DrawnText*> textsIn(Color color) {
    std::vector<const test::DrawnText*> found;
    for (const auto& t : canvas.texts)
      if (t.color == color && t.text != "" && t.text.rfind("PRINTED", 0) != 0) found.push_back(&t);
    return found;
  }
  test::TempDir dir;
};

TEST_F(SimLayersTest, EachLayerInItsColourWithoutSymbols) {
  dir.write("747WPT.DAT", encodeSimWaypoint({"WAYPT", {5000, -3500}}));
  dir.write("747nam.sta", encodeSimStation({"YQX", {4857, -5434}}));
  dir.write("747EUR.STA", std::string(SIM_STATION_BYTES * 2 + 5, '\xff'));  // junk, and a short record
  dir.write("747NAM.APT", encodeSimAirport({"CYQX", {4857, -5434}, false, 0, 0, 0, 0, 0}) +
                              encodeSimAirport({"", {4857, -5434}, true, 0, 0, 30, 0, 9000}));
  std::filesystem::create_directory(dir.path() / "747SAM.APT");  // a folder: skipped
  app.switches.ps1Wpt = app.switches.ps1Sta = app.switches.ps1Apt = true;
  paint();
  ASSERT_EQ(textsIn(colors::blue).size(), 1u);
  EXPECT_EQ(textsIn(colors::blue)[0]->text, "WAYPT");
  EXPECT_EQ(textsIn(colors::blue)[0]->align, (TextAlign{HAlign::Left, VAlign::Top}));
  EXPECT_NE(canvas.findText("YQX"), nullptr);
  EXPECT_EQ(canvas.findText("YQX")->color, colors::red);
  ASSERT_NE(canvas.findText("CYQX"), nullptr);
  EXPECT_EQ(canvas.findText("CYQX")->color, (Color{165, 42, 42}));
  EXPECT_EQ(canvas.findText("____"), nullptr);  // runway records are no airports
  app.switches.videoColor = false;
  paint();
  EXPECT_EQ(canvas.findText("CYQX")->color, colors::black);
}

TEST_F(SimLayersTest, ALayerDrawsAtMostItsRecordLimit) {
  std::string file;
  for (int i = 0; i < 64010; ++i) file += encodeSimWaypoint({"W" + std::to_string(i % 10000), {5000, -3500}});
  dir.write("747WPT.DAT", file);
  app.switches.ps1Wpt = true;
  paint();
  EXPECT_EQ(textsIn(colors::blue).size(), SIM_RECORD_LIMIT);
}

TEST_F(SimLayersTest, RunwaysAreLinesThroughTheirMidpoints) {
  dir.write("747NAM.APT", encodeSimAirport({"KXYZ", {4000, -7000}, false, 0, 0, 0, 0, 0}) +
                              encodeSimAirport({"", {4000, -7000}, true, 0, 0, 90, 0, 12152}));
  app.view.setCentre({4000, -7000}, 3);
  app.runwaysAirport = "KXYZ";
  paint();
  ASSERT_EQ(canvas.lines.size(), 2u);  // the airport record (length 0) and the runway
  const test::DrawnLine& r = canvas.lines[1];
  EXPECT_EQ(r.color, colors::green);
  EXPECT_NEAR(r.y1, r.y2, 2);  // east-west
  // 12,152 feet are 2 NM: at a range of 3 NM on 1080 pixels, 1080 x 1600 / 3
  // pixels an earth radius of 3444.05 NM, less the cone's scale at 40N (about 1 per cent).
  EXPECT_NEAR(std::abs(r.x2 - r.x1), 2 * 1080 * 1600 / 3.0 / 3444.05, 5);
}

// What moves is the paint's last stage: on the printed page and in a file
// over everything, never in the stages the window keeps, and in the window
// over the box it moved in, with only the trail's lines that cross it.
TEST_F(MapPainterTest, TheAircraftAndItsTrailAreTheLastStage) {
  const LatLng start{5600, -5000};
  for (int i = 0; i < 2000; ++i)
    app.flight.trail.edit().add(TrailPoint{destination(start, 90, i * 1.0).position, 35000, i * 10.0, 90});
  const AircraftState aircraft{destination(start, 90, 2000).position, 35000, 90, 480, 20000, true};
  app.flight.aircraft = aircraft;
  const Color trail{200, 0, 120};
  const auto trailLines = [&](const RecordingCanvas& c) {
    return std::count_if(c.lines.begin(), c.lines.end(), [&](const test::DrawnLine& l) { return l.color == trail; });
  };
  paint(1920, 1080, true);
  ASSERT_FALSE(canvas.polygons.empty());
  EXPECT_EQ(canvas.polygons.back().first.size(), canvas.polygons.front().first.size());
  const long whole = trailLines(canvas);
  EXPECT_GT(whole, 1000);  // the trail across the map, to the aircraft
  for (const PaintStage kept : {PaintStage::Below, PaintStage::Above}) {
    RecordingCanvas stage;
    MapPainter(app.paintInput(), stage).paintStage({.width = 1920, .height = 1080}, kept);
    EXPECT_TRUE(stage.polygons.empty());
    EXPECT_EQ(trailLines(stage), 0);
  }
  Projection projection;
  projection.setup(app.view.viewport(1920, 1080));
  const DevicePoint at = projection.toDevice(aircraft.position);
  const Rect box{at.x - 40, at.y - 40, at.x + 40, at.y + 40};
  RecordingCanvas moving;
  MapPainter(app.paintInput(), moving).paintStage({.width = 1920, .height = 1080, .area = box}, PaintStage::Moving);
  EXPECT_EQ(moving.polygons.size(), 1u);
  const long near = trailLines(moving);
  EXPECT_GT(near, 0);
  EXPECT_LT(near, whole / 4);
  // Every line of the whole trail that reaches the box is among them.
  long crossing = 0;
  for (const test::DrawnLine& l : canvas.lines)
    if (l.color == trail && std::max(l.x1, l.x2) >= box.left && std::min(l.x1, l.x2) < box.right &&
        std::max(l.y1, l.y2) >= box.top && std::min(l.y1, l.y2) < box.bottom)
      ++crossing;
  EXPECT_GE(near, crossing);
}

// A layer with a data set of its own is its row, its painter and its set's
// type: held by the program by its type, taken by the row before a paint,
// drawn in its stage with its labels planned with the rest, and keying its
// stage's kept image alone.
struct DummyData {
  std::string text;
};
struct DummyInputs {
  std::shared_ptr<const DummyData> data;
  bool operator==(const DummyInputs&) const = default;
};

TEST_F(MapPainterTest, ALayerWithItsOwnDataSetIsDrawnAndKeyed) {
  std::vector<PaintLayer> layers(standardPaintLayers().begin(), standardPaintLayers().end());
  layers.insert(layers.end() - 2,
                {"dummy",
                 PaintStage::Above,
                 [](const PaintContext& p, const LayerConditions&) { return p.in<DummyInputs>().data != nullptr; },
                 [](PaintContext& p) { p.canvas.textOut(100, 100, p.in<DummyInputs>().data->text); },
                 {},
                 true,
                 LabelClass::Always,
                 [](const PaintInput& in) { return layerInputs(DummyInputs{in.sets->share<DummyData>()}); }});
  const auto input = [&] {
    PaintInput in = app.paintInput();
    in.layers = layers;
    return in;
  };
  RecordingCanvas none;
  MapPainter(input(), none).paint({.width = 800, .height = 600});
  EXPECT_EQ(none.findText("DUMMY LAYER"), nullptr);  // nothing read yet
  app.sets.of<DummyData>() = DummyData{"DUMMY LAYER"};
  for (const bool declutter : {false, true}) {
    app.switches.declutter = declutter;
    RecordingCanvas drawn;
    MapPainter(input(), drawn).paint({.width = 800, .height = 600});
    EXPECT_NE(drawn.findText("DUMMY LAYER"), nullptr) << declutter;
  }
  app.switches.declutter = false;
  const PaintKey above = paintKey(takeFrame(input()), PaintStage::Above, 800, 600, 1, 96);
  const PaintKey below = paintKey(takeFrame(input()), PaintStage::Below, 800, 600, 1, 96);
  EXPECT_EQ(paintKey(takeFrame(input()), PaintStage::Above, 800, 600, 1, 96), above);  // taken again: the same
  app.sets.of<DummyData>().edit().text = "CHANGED";
  EXPECT_NE(paintKey(takeFrame(input()), PaintStage::Above, 800, 600, 1, 96), above);
  // Its stage only: the lower stage's kept image stays.
  EXPECT_EQ(paintKey(takeFrame(input()), PaintStage::Below, 800, 600, 1, 96), below);
  RecordingCanvas standard;
  MapPainter(app.paintInput(), standard).paint({.width = 800, .height = 600});
  EXPECT_EQ(standard.findText("CHANGED"), nullptr);
}

}  // namespace
}  // namespace korvant
