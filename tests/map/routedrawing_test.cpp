// Routes, legs and their labels on a recording canvas.
#include "map/routedrawing.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <optional>

#include <cmath>

#include "app/applycontrolfile.h"
#include "app/mapcommands.h"
#include "app/startup.h"
#include "geo/greatcircle.h"
#include "map/mappainter.h"
#include "navdata/fixfile_builder.h"
#include "navdata/xpnavdata.h"
#include "sky/legcourse.h"
#include "support/natprojection.h"
#include "support/recordingboxes.h"
#include "support/recordingcanvas.h"
#include "support/tempdir.h"
#include "tracks/trackreader.h"

namespace korvant {
namespace {

using test::RecordingCanvas;

class RouteDrawingTest : public ::testing::Test {
 protected:
  RouteDrawingTest() {
    seedDefaults(app.settings);
    app.settings.markReadDone();
    app.settings.set("MapFont", "Test", false);
    applyControlFile(app);
    FixFileContents c;
    c.fixes = {test::makeFix("AAAAA", 5000, -4000), test::makeFix("BBBBB", 5100, -3500),
               test::makeFix("CCCCC", 5200, -3000), test::makeFix("POLE", 9000, 0)};
    app.fixes.edit().loadBytes(test::fixFileBytes(c));
    projection = test::natProjection();
  }
  PaintContext context(int width = 1920) {
    canvas = RecordingCanvas();
    canvas.selectFont({"Test", 13, 400, 0});
    const PaintInput now = app.paintInput();
    frame.emplace(takeFrame(now));
    sources.emplace(RouteSources{*app.fixes, now.magnetic, now.validityTime()});
    PaintContext paint{*frame, canvas, projection, FarSideRule(app.view.centre), {}};
    paint.width = width;
    paint.height = 1080;
    return paint;
  }
  std::vector<test::DrawnText> textsEnding(const std::string& suffix) {
    std::vector<test::DrawnText> out;
    for (const auto& t : canvas.texts)
      if (t.text.size() >= suffix.size() && t.text.compare(t.text.size() - suffix.size(), suffix.size(), suffix) == 0)
        out.push_back(t);
    return out;
  }

  test::RecordingBoxes boxes;
  test::FixedClock clock{1796633100, 0};
  AppContext app{boxes, clock};
  Projection projection;
  RecordingCanvas canvas;
  std::optional<MapFrame> frame;  // what the last context() paints
  std::optional<RouteSources> sources;
};

TEST_F(RouteDrawingTest, ThreeNamesDrawTwoLegs) {
  app.switches.symbolsNonDafif = false;
  PaintContext paint = context();
  RouteDrawer routes(paint, *sources, NAT_REFERENCE);
  routes.drawRoute(RouteKind::Eastbound, 2, LineType::Straight, "AAAAA BBBBB CCCCC", 0, false, false);
  ASSERT_EQ(canvas.lines.size(), 2u);
  const DevicePoint a = projection.toDevice({5000, -4000}), c = projection.toDevice({5200, -3000});
  EXPECT_EQ(canvas.lines[0].x1, a.x);
  EXPECT_EQ(canvas.lines[1].x2, c.x);
  EXPECT_EQ(canvas.lines[0].color, colors::red);
  EXPECT_EQ(canvas.lines[0].width, 2);
}

TEST_F(RouteDrawingTest, AThousandMileLegInPiecesOf310) {
  PaintContext paint = context();
  LineDrawer lines(paint);
  const LatLng from{5000, -3500};
  const LatLng to = destination(from, 90, 1000).position;
  lines.drawLine(LineType::GreatCircle, from, to, 100, 0);
  ASSERT_EQ(canvas.lines.size(), 4u);
  const double lengths[] = {310, 310, 310, 70};
  LatLng start = from;
  for (int i = 0; i < 4; ++i) {
    const LatLng end = i < 3 ? destination(from, courseAndDistance(from, to).course, 310.0 * (i + 1)).position : to;
    EXPECT_NEAR(distanceNm(start, end), lengths[i], 1e-6) << i;
    const DevicePoint d = projection.toDevice(end);
    EXPECT_EQ(canvas.lines[i].x2, d.x) << i;
    EXPECT_EQ(canvas.lines[i].y2, d.y) << i;
    start = end;
  }
}

TEST_F(RouteDrawingTest, FromThePoleDownTheMeridianFirst) {
  PaintContext paint = context();
  LineDrawer lines(paint);
  lines.drawLine(LineType::GreatCircle, {9000, 0}, {8000, -3500}, 100, 0);
  ASSERT_GE(canvas.lines.size(), 2u);
  const DevicePoint pole = projection.toDevice({9000, 0}), off = projection.toDevice({8959, -3500});
  EXPECT_EQ(canvas.lines[0].x1, pole.x);
  EXPECT_EQ(canvas.lines[0].x2, off.x);
  EXPECT_EQ(canvas.lines[0].y2, off.y);
  canvas.lines.clear();
  lines.drawLine(LineType::GreatCircle, {9000, 0}, {8700, 1000}, 100, 0);
  EXPECT_EQ(canvas.lines.size(), 1u);  // 180 NM: one straight line
}

TEST_F(RouteDrawingTest, OffsetMovesSidewaysByTheLegsCourse) {
  PaintContext paint = context();
  LineDrawer lines(paint);
  lines.drawStraight({5000, -4000}, {5000, -3000}, 100, 1, 90);  // mostly horizontal, eastbound
  lines.drawStraight({5000, -3000}, {5000, -4000}, 100, 1, 270);
  const DevicePoint a = projection.toDevice({5000, -4000});
  ASSERT_EQ(canvas.lines.size(), 2u);
  EXPECT_EQ(canvas.lines[0].y1, a.y + 1);
  EXPECT_EQ(canvas.lines[1].y2, a.y - 1);
}

TEST_F(RouteDrawingTest, TrueCourseLabelsFrom7300North) {
  EXPECT_TRUE(legCourse({7300, -3000}, {7400, -2000}).isTrue);
  EXPECT_FALSE(legCourse({7299, -3000}, {7400, -2000}).isTrue);
  EXPECT_TRUE(legCourse({-6501, -3000}, {-6400, -2000}).isTrue);
  EXPECT_FALSE(legCourse({-6500, -3000}, {-6400, -2000}).isTrue);
  EXPECT_EQ(courseLabelText(862, false), " 086\xC2\xB0 ");
  EXPECT_EQ(courseLabelText(3596, true), " 360\xC2\xB0T ");
  EXPECT_NEAR(legCourse({7300, 0}, {8000, 0}).courseTenths, 1, 0);  // a true course of 0 counts as 0.1
  const LegCourse leg = legCourse({5000, -3000}, {5000, -2000});
  EXPECT_DOUBLE_EQ(leg.distance, std::round(386.0918 * 20) / 20);
}

TEST_F(RouteDrawingTest, LabelsFollowTheLegsLengthOnTheSurface) {
  app.switches.symbolsNonDafif = false;
  PaintContext paint = context();
  RouteDrawer routes(paint, *sources, NAT_REFERENCE);
  // A long leg gets both labels, rotated along it.
  routes.drawRoute(RouteKind::Westbound, 1, LineType::GreatCircle, "AAAAA CCCCC", 1, true, true);
  ASSERT_EQ(textsEnding("\xC2\xB0 ").size(), 1u);
  const auto course = textsEnding("\xC2\xB0 ")[0];
  EXPECT_EQ(course.align, (TextAlign{HAlign::Left, VAlign::Bottom}));
  EXPECT_NE(course.font.escapement, 0);
  const CourseDistance cd = courseAndDistance({5000, -4000}, {5200, -3000});
  EXPECT_NE(canvas.findText(std::to_string(std::lround(std::round(cd.distance * 20) / 20))), nullptr);

  // At a range of 11000 NM the same leg is a few units long: no labels.
  projection.setup({{5000, -3500},
                    4500,
                    6000,
                    {0, 0, 1920, 1080},
                    Projection::scaleForRange(1920, 1080, 11000),
                    ProjectionKind::Lambert});
  PaintContext small = context();
  RouteDrawer tiny(small, *sources, NAT_REFERENCE);
  tiny.drawRoute(RouteKind::Westbound, 1, LineType::GreatCircle, "AAAAA CCCCC", 1, true, true);
  EXPECT_TRUE(canvas.texts.empty());
  EXPECT_FALSE(canvas.lines.empty());
}

TEST_F(RouteDrawingTest, TracksByDirectionAndSurfaceWidth) {
  ASSERT_TRUE(storeTrackLine(app.tracks.edit().of(TrackFamily::NorthAtlantic), "A AAAAA BBBBB", NAT_REFERENCE,
                             TrackStore{app.fixes}));  // westbound
  ASSERT_TRUE(storeTrackLine(app.tracks.edit().of(TrackFamily::NorthAtlantic), "Z BBBBB CCCCC", NAT_REFERENCE,
                             TrackStore{app.fixes}));  // eastbound
  app.switches.symbolsNonDafif = false;
  PaintContext narrow = context(1280);
  RouteDrawer(narrow, *sources, NAT_REFERENCE).drawTrackRoutes(app.tracks->of(TrackFamily::NorthAtlantic));
  ASSERT_EQ(canvas.lines.size(), 2u);
  EXPECT_EQ(canvas.lines[0].color, colors::black);
  EXPECT_EQ(canvas.lines[0].width, 1);
  EXPECT_EQ(canvas.lines[1].color, colors::red);
  PaintContext wide = context(1281);
  RouteDrawer(wide, *sources, NAT_REFERENCE).drawTrackRoutes(app.tracks->of(TrackFamily::NorthAtlantic));
  EXPECT_EQ(canvas.lines[0].width, 2);
  // On paper the screen's two pixels, not a hairline.
  PaintContext page = context(1280);
  page.printing = true;
  page.pixelsPerInch = 1200;
  RouteDrawer(page, *sources, NAT_REFERENCE).drawTrackRoutes(app.tracks->of(TrackFamily::NorthAtlantic));
  EXPECT_EQ(canvas.lines[0].width, 1200 / 48);
  app.switches.routeGroup[1] = false;  // westbound off
  PaintContext again = context(1281);
  RouteDrawer(again, *sources, NAT_REFERENCE).drawTrackRoutes(app.tracks->of(TrackFamily::NorthAtlantic));
  ASSERT_EQ(canvas.lines.size(), 1u);
  EXPECT_EQ(canvas.lines[0].color, colors::red);
}

TEST_F(RouteDrawingTest, TrackLettersBesideBothEnds) {
  ASSERT_TRUE(storeTrackLine(app.tracks.edit().of(TrackFamily::NorthAtlantic), "C AAAAA BBBBB CCCCC", NAT_REFERENCE,
                             TrackStore{app.fixes}));
  app.switches.symbolsNonDafif = false;
  PaintContext paint = context();
  RouteDrawer(paint, *sources, NAT_REFERENCE).drawTrackRoutes(app.tracks->of(TrackFamily::NorthAtlantic));
  std::vector<test::DrawnText> letters;
  for (const auto& t : canvas.texts)
    if (t.text == "C") letters.push_back(t);
  ASSERT_EQ(letters.size(), 2u);
  const DevicePoint first = projection.toDevice({5000, -4000}), last = projection.toDevice({5200, -3000});
  // Outside the line: west of the first fix, east of the last.
  EXPECT_LT(letters[0].x, first.x);
  EXPECT_GT(letters[1].x, last.x);
  EXPECT_NEAR(letters[0].x, first.x, 3 * 13);
  EXPECT_EQ(letters[0].font.escapement, 0);
  EXPECT_EQ(letters[0].align, (TextAlign{HAlign::Center, VAlign::Baseline}));
}

TEST_F(RouteDrawingTest, FixSymbolsAtBothEnds) {
  app.switches.symbolsNonDafif = true;
  PaintContext paint = context();
  RouteDrawer(paint, *sources, NAT_REFERENCE)
      .drawRoute(RouteKind::Other, 1, LineType::Straight, "AAAAA BBBBB", 0, false, false);
  // Two triangles of three lines each, then the leg in the route pen.
  ASSERT_EQ(canvas.lines.size(), 7u);
  EXPECT_EQ(canvas.lines[0].color, colors::blue);
  EXPECT_EQ(canvas.lines[6].color, colors::green);
}

TEST_F(RouteDrawingTest, RouteSetsByClassAndFlags) {
  FixFileContents c;
  RouteSet both;
  both.flags = 3 | 0x40 | 0x80;
  both.designator = "NAR1";
  both.count = 2;
  both.points[0].position = {4700, -5300};
  both.points[1] = {{4800, -4000}, 200, {4750, -4650}, 2700, 900};
  RouteSet hidden = both;
  hidden.flags = 5 | 0x40;
  c.routeSets = {both, hidden};
  app.fixes.edit().loadBytes(test::fixFileBytes(c));
  app.switches.routeGroup[5] = false;  // class 5 hides the second set
  app.switches.routeBearings = app.switches.routeDistances = true;
  PaintContext paint = context();
  RouteDrawer(paint, *sources, NAT_REFERENCE).drawRouteSets();
  // Drawn twice, forwards in red and backwards in black, one unit apart.
  ASSERT_FALSE(canvas.lines.empty());
  bool red = false, black = false;
  for (const auto& l : canvas.lines) {
    red |= l.color == colors::red;
    black |= l.color == colors::black;
  }
  EXPECT_TRUE(red && black);
  EXPECT_NE(canvas.findText("10"), nullptr);    // 200 x 0.05 NM
  EXPECT_NE(canvas.findText("NAR1"), nullptr);  // the designator under the distance
  EXPECT_NE(canvas.findText(" 090\xC2\xB0 "), nullptr);
  EXPECT_NE(canvas.findText(" 270\xC2\xB0 "), nullptr);  // the reverse course
}

TEST_F(RouteDrawingTest, PaintWritesTheFileLineAndTheLegend) {
  test::TempDir dir;
  const std::string path = dir.write("nat.txt",
                                     "NAT-1/3 TRACKS FLS 340/400\nOCT 08/0100Z TO OCT 08/0800Z\n"
                                     "Z AAAAA BBBBB CCCCC\nEAST LVLS 340 350\nWEST LVLS NIL\n"
                                     "Y AAAAA CCCCC\nEAST LVLS NIL\n");
  MapCommands commands(app);
  ASSERT_TRUE(commands.readTracks(path).repaint);
  EXPECT_EQ(app.view.presetName, "NAT");
  EXPECT_TRUE(commands.isChecked(51683));
  app.switches.declutter = false;  // the legend where the preset has room for it
  RecordingCanvas out;
  const PaintResult r = MapPainter(app.paintInput(), out).paint({.width = 1920, .height = 1080, .printing = false});
  const auto* file = out.findText("FILE:  " + path);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->align.h, HAlign::Right);
  const auto* header = out.findText("EASTBOUND TRACKS FLS 340/400");
  ASSERT_NE(header, nullptr);
  const DevicePoint left = r.projection.toDevice({5356, -7948}), top = r.projection.toDevice({5758, -6316});
  EXPECT_EQ(header->x, 2 + std::max(left.x, 2));
  EXPECT_EQ(header->y, std::max(top.y, 2) + 2 * 12);
  EXPECT_NE(out.findText("OCT 08/0100Z TO OCT 08/0800Z  EXPIRED 08/0800Z"), nullptr);  // on the clock's 7 December
  const auto* levels = out.findText("Z 340 350");
  ASSERT_NE(levels, nullptr);
  EXPECT_EQ(levels->x, header->x);
  EXPECT_EQ(levels->y, header->y + 4 * 12);  // under the four header rows
  EXPECT_EQ(out.findText("Y NIL"), nullptr);
  app.switches.routeGroup[0] = false;  // eastbound tracks not drawn: no levels either
  RecordingCanvas hidden;
  MapPainter(app.paintInput(), hidden).paint({.width = 1920, .height = 1080, .printing = false});
  EXPECT_EQ(hidden.findText("Z 340 350"), nullptr);
  // Only the tracks valid now: those of 8 October are gone on 7 December.
  app.switches.routeGroup[0] = true;
  app.switches.validTracksOnly = true;
  RecordingCanvas valid;
  MapPainter(app.paintInput(), valid).paint({.width = 1920, .height = 1080, .printing = false});
  EXPECT_NE(out.findText("Z"), nullptr);
  EXPECT_EQ(valid.findText("Z"), nullptr);
  EXPECT_NE(valid.findText("OCT 08/0100Z TO OCT 08/0800Z  EXPIRED 08/0800Z"), nullptr);
  // A flight plan opened over the tracks keeps their legend and file, and
  // names itself, there and in the message bar.
  app.switches.validTracksOnly = false;
  const std::string plan = dir.write("KJFK-EGLL.PLN",
                                     "[flightplan]\nwaypoint.0=A, I, N50* 0', W30* 0', 0\n"
                                     "waypoint.1=B, I, N51* 0', W20* 0', 0\n");
  EXPECT_EQ(commands.readProcedure(plan, true).note, "OPENED FLIGHT PLAN KJFK-EGLL.PLN (2 POINTS)");
  ASSERT_TRUE(app.procedureMap);
  RecordingCanvas withPlan;
  MapPainter(app.paintInput(), withPlan).paint({.width = 1920, .height = 1080, .printing = false});
  EXPECT_NE(withPlan.findText("EASTBOUND TRACKS FLS 340/400"), nullptr);
  EXPECT_NE(withPlan.findText("FILE:  " + path), nullptr);
  EXPECT_NE(withPlan.findText("PLAN:  KJFK-EGLL.PLN"), nullptr);
}

TEST_F(RouteDrawingTest, AFileThatCannotBeOpenedKeepsEverything) {
  app.tracks.edit().of(TrackFamily::NorthAtlantic).slotTexts[3] = "AAAAA BBBBB";
  app.view.selectPreset("EUROPE");
  MapCommands commands(app);
  EXPECT_FALSE(commands.readTracks("/no/such/file.txt").repaint);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "CAN'T OPEN FILE:");
  EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Stop);
  EXPECT_EQ(app.tracks->of(TrackFamily::NorthAtlantic).slotTexts[3], "AAAAA BBBBB");
  EXPECT_EQ(app.view.presetName, "EUROPE");
  test::TempDir dir;
  // A folder is no file, nor is an endless device.
  for (const std::string& path : {dir.str(), std::string("/dev/zero")}) {
    boxes.shown.clear();
    EXPECT_FALSE(commands.readTracks(path).repaint);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "CAN'T OPEN FILE:");
  }
}

TEST_F(RouteDrawingTest, ReadErrorsAndEndlessFilesKeepTheTracks) {
  app.tracks.edit().of(TrackFamily::NorthAtlantic).slotTexts[3] = "AAAAA BBBBB";
  MapCommands commands(app);
  test::TempDir dir;
  const std::string huge = dir.write("huge.txt", std::string(TRACK_MESSAGE_LIMIT + 1, 'A'));
  const std::pair<std::string, std::string> cases[] = {
      {"/proc/self/mem", "THE FILE CANNOT BE READ"},
      {huge, "THE TRACK MESSAGE IS LARGER THAN 16 MB"},
  };
  for (const auto& [path, why] : cases) {
    boxes.shown.clear();
    EXPECT_FALSE(commands.readTracks(path).repaint) << path;
    ASSERT_EQ(boxes.shown.size(), 1u) << path;
    EXPECT_EQ(boxes.shown[0].caption, "CAN'T READ TRACK MESSAGE:");
    EXPECT_EQ(boxes.shown[0].text.rfind(why, 0), 0u) << boxes.shown[0].text;
    EXPECT_EQ(app.tracks->of(TrackFamily::NorthAtlantic).slotTexts[3], "AAAAA BBBBB");
  }
}

TEST_F(RouteDrawingTest, AFeedThatCannotBeReadKeepsTheTracks) {
  app.tracks.edit().of(TrackFamily::NorthAtlantic).slotTexts[3] = "AAAAA BBBBB";
  test::TempDir dir;
  const std::string big =
      dir.write("big.json", "[" + std::string(10 * 1024 * 1024, ' ') + "{\"condition_message\": 7}]");
  MapCommands commands(app);
  EXPECT_FALSE(commands.readTracks(big).repaint);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "CAN'T READ TRACK MESSAGE:");
  EXPECT_EQ(boxes.shown[0].text, "A CONDITION_MESSAGE OF THE FEED IS NOT TEXT: " + big);
  EXPECT_EQ(app.tracks->of(TrackFamily::NorthAtlantic).slotTexts[3], "AAAAA BBBBB");
  EXPECT_TRUE(app.trackFile.empty());
}

// Every kind of message first, whatever the setting; then the setting's order.
TEST(TrackFileFilters, EveryMessageFirstThenTheSettingsOrder) {
  for (const char* type : {"TXT", "ALL", "HTML"})
    EXPECT_EQ(trackFileFilters(type)[0].patterns, (std::vector<std::string>{"*.TXT", "*.HTM", "*.HTML", "*.JSON"}));
  EXPECT_EQ(trackFileFilters("TXT")[1].label, "TEXT (*.TXT)");
  EXPECT_EQ(trackFileFilters("ALL")[1].label, "ALL FILES (*.*)");
  const auto html = trackFileFilters("HTML");
  EXPECT_EQ(html[1].label, "HTML (*.HTM;*.HTML)");
  EXPECT_EQ(html[1].patterns, (std::vector<std::string>{"*.HTM", "*.HTML"}));
  for (const char* type : {"TXT", "ALL", "HTML"}) EXPECT_EQ(trackFileFilters(type)[2].label, "JSON (*.JSON)");
  EXPECT_EQ(trackFileFilters("anything")[4].label, "ALL FILES (*.*)");
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// A plan that flies a stored track has that stretch named on the map.
TEST_F(RouteDrawingTest, APlanOnATrackIsLabelledWithItsName) {
  test::TempDir dir;
  MapCommands commands(app);
  ASSERT_TRUE(commands
                  .readTracks(dir.write("nat.txt",
                                        "NAT-1/3 TRACKS FLS 340/400\nOCT 08/0100Z TO OCT 08/0800Z\n"
                                        "Z AAAAA BBBBB CCCCC\nEAST LVLS 340 350\n"))
                  .repaint);
  ASSERT_FALSE(app.tracks->of(TrackFamily::NorthAtlantic).empty());
  for (const auto& [file, labelled] : {std::pair{"on.fms", true}, std::pair{"off.fms", false}}) {
    const std::string middle = labelled ? "51.000000 -35.000000" : "48.000000 -35.000000";
    const std::string path = dir.write(file, "I\n1100 Version\n28 A DRCT 0 50.000000 -40.000000\n28 B DRCT 0 " +
                                                 middle + "\n28 C DRCT 0 52.000000 -30.000000\n");
    ASSERT_TRUE(commands.readProcedure(path, true).repaint);
    RecordingCanvas out;
    MapPainter(app.paintInput(), out).paint({.width = 1920, .height = 1080, .printing = false});
    EXPECT_EQ(out.findText("NAT Z") != nullptr, labelled) << file;
  }
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// The navigation data's airways and navaids, each layer when its switch is on.
// The coast's runs passed by their caps leave out no line the surface shows:
// the file in memory (runs) draws what the file read directly (every point) does.
TEST_F(RouteDrawingTest, TerrainRunsAwayFromTheSurfaceHideNoLineOnIt) {
  LayerSwitches only;
  only.terrain = true;
  app.switches = only;
  struct View {
    LatLng centre;
    double range;
    ProjectionKind kind;
  };
  const View views[] = {
      {{5000, -3500}, 1000, ProjectionKind::Lambert},  {{5128, -28}, 300, ProjectionKind::Lambert},
      {{4038, -7347}, 50, ProjectionKind::Lambert},    {{4000, -3000}, 6000, ProjectionKind::Orthographic},
      {{2000, -15700}, 900, ProjectionKind::Mercator}, {{-3400, 15100}, 40, ProjectionKind::Lambert}};
  std::ifstream file(KORVANT_SAMPLE_DAT, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const auto onSurface = [&](bool inMemory, const View& v) {
    if (inMemory)
      app.fixes.edit().loadBytes(bytes);
    else
      app.fixes.edit().setPathDirectly(KORVANT_SAMPLE_DAT);
    EXPECT_EQ(app.fixes->terrainRuns().empty(), !inMemory);
    app.view.setCentre(v.centre, v.range);
    if (v.kind == ProjectionKind::Orthographic) app.view.selectOrthographic();
    if (v.kind == ProjectionKind::Mercator) app.view.selectMercator();
    RecordingCanvas out;
    MapPainter(app.paintInput(), out).paint({.width = 1920, .height = 1080, .printing = false});
    std::vector<std::array<int, 4>> shown;
    for (const test::DrawnLine& l : out.lines)
      if (std::max(l.x1, l.x2) >= 0 && std::min(l.x1, l.x2) <= 1920 && std::max(l.y1, l.y2) >= 0 &&
          std::min(l.y1, l.y2) <= 1080)
        shown.push_back({l.x1, l.y1, l.x2, l.y2});
    std::sort(shown.begin(), shown.end());
    return shown;
  };
  for (const View& v : views) {
    SCOPED_TRACE(testing::Message() << "range " << v.range);
    const auto all = onSurface(false, v);
    EXPECT_EQ(onSurface(true, v), all);
    EXPECT_FALSE(all.empty());
  }
}

TEST_F(RouteDrawingTest, TheFinerCoastTakesTheTerrainsPlaceAtRegionalRanges) {
  // The fix file's coast: four lines about New York. COAST.DAT's: one piece
  // of three points in its 10-degree bin of 40N-50N, 80W-70W.
  FixFileContents c;
  for (int i = 0; i < 8; ++i)
    c.terrain.push_back({static_cast<std::uint8_t>(i % 2 == 0), {4000.0 + 10 * i, -7400.0 + 20 * i}});
  app.fixes.edit().loadBytes(test::fixFileBytes(c));
  CoastResolution r{600, 36, 18};
  r.binStart.assign(36 * 18 + 1, 1);
  for (int b = 0; b <= 4 * 36 + 28; ++b) r.binStart[b] = 0;
  r.pieceStart = {0, 3};
  r.pieceLevel = {1};
  r.xy = {39321, 3276, 39500, 4000, 40000, 4500};
  app.fixes.edit().setCoast(std::make_shared<const CoastData>(CoastData{{r}}));
  app.switches.terrain = true;
  struct Case {
    double range;
    const char* key;  // FineCoastRange: 0 for the default, 500
    bool fine;
  };
  const Case cases[] = {{50, "0", true}, {500, "0", true}, {600, "0", false}, {600, "800", true}, {3000, "0", false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "range " << k.range << " key " << k.key);
    app.view.setCentre({4030, -7400}, k.range);
    app.settings.set("FineCoastRange", k.key, true);
    RecordingCanvas out;
    MapPainter(app.paintInput(), out).paint({.width = 1920, .height = 1080, .printing = false});
    const long coastLines = std::count_if(out.lines.begin(), out.lines.end(),
                                          [](const test::DrawnLine& l) { return l.color == colors::screenCoast; });
    EXPECT_EQ(coastLines, k.fine ? 2 : 4);
  }
  // A hostile file's shore of 100,000 points zigzagging within a mile:
  // simplified to the pixel, a handful of lines.
  r.pieceStart = {0, 100000};
  r.xy.clear();
  for (int i = 0; i < 100000; ++i) r.xy.insert(r.xy.end(), {static_cast<std::uint16_t>(39321 + i % 2), 3276});
  app.fixes.edit().setCoast(std::make_shared<const CoastData>(CoastData{{r}}));
  app.view.setCentre({4030, -7400}, 500);
  RecordingCanvas zigzag;
  MapPainter(app.paintInput(), zigzag).paint({.width = 1920, .height = 1080, .printing = false});
  EXPECT_LT(std::count_if(zigzag.lines.begin(), zigzag.lines.end(),
                          [](const test::DrawnLine& l) { return l.color == colors::screenCoast; }),
            10);
}

TEST_F(RouteDrawingTest, TheNavigationDataLayersShowWhatTheRangeCalls) {
  test::TempDir dir;
  dir.write("earth_fix.dat", "I\n1101 Version - made up, NOT FOR NAVIGATION\n 50.0 -40.0 AAAAA ENRT EG 0\n99\n");
  dir.write("earth_nav.dat",
            "I\n1150 Version\n3 51.0 -35.0 0 11500 130 0.0 VVV ENRT EG MADE UP VOR\n"
            "2 53.0 -30.0 0 300 50 0.0 NN ENRT EG MADE UP NDB\n99\n");
  dir.write("earth_awy.dat",
            "I\n1100 Version\nAAAAA EG 11 VVV EG 3 N 2 180 450 UN99\nAAAAA EG 11 NN EG 2 N 1 50 180 V1\n99\n");
  app.fixes.edit().setNavData(std::make_shared<const XpNavData>(std::move(*readXpNavData(dir.str()))));
  app.view.setCentre({5100, -3500}, 300);
  struct Case {
    double range;
    bool flown;            // a plotted route AAAAA VVV
    const char* routeKey;  // NavRouteRange: 0 for the default
    bool high, low, vor, ndb;
  };
  const Case cases[] = {
      {300, false, "0", true, true, true, true},       {1000, false, "0", true, false, true, false},
      {2000, false, "0", false, false, false, false},  {2000, true, "0", true, false, true, false},
      {2000, false, "2500", true, false, true, false},
  };
  for (const bool on : {false, true})
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "on " << on << " range " << c.range << " flown " << c.flown);
      app.switches.navDataAirways = app.switches.navDataNavaids = on;
      app.view.range = c.range;
      app.settings.set("NavRouteRange", c.routeKey, true);
      PlottedRoute& route = app.plottedRoute.edit();
      route.points.clear();
      if (c.flown) route.points = {{"AAAAA", {5000, -4000}, false}, {"VVV", {5100, -3500}, false}};
      RecordingCanvas out;
      MapPainter(app.paintInput(), out).paint({.width = 1920, .height = 1080, .printing = false});
      // The plotted route names its points too: the layers' colours tell theirs.
      const auto drawn = [&](std::string_view text, Color color) {
        return std::any_of(out.texts.begin(), out.texts.end(),
                           [&](const test::DrawnText& t) { return t.text == text && t.color == color; });
      };
      // A short leg far out has no room for its name: its line tells.
      const auto airway = [&](Color color, PenStyle style) {
        return std::any_of(out.lines.begin(), out.lines.end(),
                           [&](const test::DrawnLine& l) { return l.color == color && l.style == style; });
      };
      EXPECT_EQ(airway(Color{96, 96, 176}, PenStyle::Solid), on && c.high);
      EXPECT_EQ(airway(Color{112, 176, 112}, PenStyle::Dash), on && c.low);
      if (c.range < 1000) {
        EXPECT_EQ(drawn("UN99", Color{96, 96, 176}), on);
        EXPECT_EQ(drawn("V1", Color{112, 176, 112}), on);
      }
      EXPECT_EQ(drawn("VVV", Color{0, 96, 160}), on && c.vor);
      EXPECT_EQ(drawn("NN", Color{160, 64, 160}), on && c.ndb);
    }
}

}  // namespace
}  // namespace korvant
