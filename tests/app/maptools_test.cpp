#include "app/maptools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <regex>

#include "app/applycontrolfile.h"
#include "app/startup.h"
#include "geo/greatcircle.h"
#include "map/mappainter.h"
#include "navdata/fixfile_builder.h"
#include "sky/magvar.h"
#include "support/recordingboxes.h"
#include "support/recordingcanvas.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

class MapToolsTest : public ::testing::Test {
 protected:
  MapToolsTest() {
    current.write("KORVANT.CTL", "");
    startUp(app, current.str() + "/korvant", current.str());
    applyControlFile(app);
    FixFileContents c;
    c.fixes = {test::makeFix("KJFK", 4038.4, -7346.7, 1), test::makeFix("TWIN", 5000, -3000),
               test::makeFix("TWIN", -3000, 15000)};
    app.fixes.edit().loadBytes(test::fixFileBytes(c));
  }
  test::RecordingBoxes boxes;
  test::FixedClock clock;
  AppContext app{boxes, clock};
  test::TempDir current;
  MapTools tools{app};
};

TEST(MagneticCourse, IntoZeroExclusiveTo360) {
  EXPECT_DOUBLE_EQ(magneticCourse(355, 10), 5);
  EXPECT_DOUBLE_EQ(magneticCourse(10, -10), 360);
  EXPECT_DOUBLE_EQ(magneticCourse(100, -5), 95);
}

TEST_F(MapToolsTest, InfoResolvesNearTheCentre) {
  const ToolOutcome kjfk = tools.info("  kjfk");
  ASSERT_TRUE(kjfk.ok);
  EXPECT_EQ(kjfk.result, " N4038.40 W07346.70");
  EXPECT_EQ(app.tools.mode, ToolMode::Info);
  EXPECT_EQ(tools.info("TWIN").result, " N5000.00 W03000.00");  // the one nearer the NAT centre
  EXPECT_FALSE(tools.info("nowhere").ok);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "FIX NOT FOUND:");
  EXPECT_EQ(boxes.shown[0].text, "NOWHERE");
  EXPECT_EQ(boxes.shown[0].icon, MessageIcon::None);
  EXPECT_EQ(app.tools.points[0].lat, 5000);  // a failure changes nothing
}

TEST_F(MapToolsTest, PositionsBeyondTheEarthAreNotFound) {
  for (const char* text : {"9999N99999W", "N9100.00/W03500.00", "99/30"}) {
    boxes.shown.clear();
    EXPECT_FALSE(tools.info(text).ok) << text;
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "FIX NOT FOUND:");
  }
  EXPECT_FALSE(tools.distance("N9100.00/W03500.00 50/30").ok);
  // Minutes that round to 60 carry into the degrees.
  EXPECT_EQ(tools.info("N4959.996/W03459.999").result, " N5000.00 W03500.00");
}

TEST_F(MapToolsTest, CoursesFromAPoleArePrintedWithinACircle) {
  const ToolOutcome fromNorth = tools.distance("N9000.00/E00000.00 N8000.00/E04500.00");
  ASSERT_TRUE(fromNorth.ok);
  EXPECT_EQ(fromNorth.result.substr(0, 6), "315.00") << fromNorth.result;
  const ToolOutcome poleToPole = tools.distance("9000N00000W 9000S00000W");
  ASSERT_TRUE(poleToPole.ok);
  EXPECT_EQ(poleToPole.result.substr(0, 6), "000.00") << poleToPole.result;
  EXPECT_EQ(printableCourse(-0.0), 0.0);
  EXPECT_FALSE(std::signbit(printableCourse(-0.0)));
  EXPECT_EQ(printableCourse(360), 0);
  EXPECT_EQ(printableCourse(-45), 315);
  EXPECT_EQ(printableCourse(725), 5);
}

TEST_F(MapToolsTest, DistanceLayout) {
  const ToolOutcome d = tools.distance("50/30 50/20");
  ASSERT_TRUE(d.ok);
  const CourseDistance cd = courseAndDistance({5000, -3000}, {5000, -2000});
  char expected[80];
  std::snprintf(expected, sizeof expected, "%06.2f\xC2\xB0T %06.2f\xC2\xB0M %.2f NM", cd.course,
                magneticCourse(cd.course, magneticVariation({5000, -3000})), cd.distance);
  EXPECT_EQ(d.result, expected);
  EXPECT_TRUE(std::regex_match(d.result, std::regex("086\\.17\xC2\xB0T 10[0-9]\\.[0-9]{2}\xC2\xB0M 386\\.09 NM")));
  EXPECT_EQ(app.tools.mode, ToolMode::Distance);
  // Kilometres never: the tool always answers in nautical miles.
  app.switches.kilometerDistances = true;
  EXPECT_NE(tools.distance("50/30 50/20").result.find(" NM"), std::string::npos);
}

TEST_F(MapToolsTest, DistanceTakesTheRestAsTheSecondFix) {
  EXPECT_TRUE(tools.distance("KJFK N5030.00/W03500.00").ok);
  EXPECT_FALSE(tools.distance("KJFK TWIN 50/20").ok);  // "TWIN 50/20" is one text
  EXPECT_FALSE(tools.distance("KJFK").ok);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].caption, "2 VALID FIXES NOT FOUND");
  EXPECT_EQ(boxes.shown[1].text, "KJFK");
}

TEST_F(MapToolsTest, IntersectionNeedsFourFixesThatMeet) {
  const ToolOutcome x = tools.intersection("50/30 50/20 51/25 49/25");
  ASSERT_TRUE(x.ok);
  EXPECT_EQ(x.result.substr(0, 6), " N5006");
  EXPECT_EQ(app.tools.mode, ToolMode::Intersection);
  EXPECT_FALSE(tools.intersection("50/30 50/20 51/25").ok);
  EXPECT_EQ(boxes.shown.back().caption, "LINES DO NOT INTERSECT, OR NOT 4 VALID FIXES");
  EXPECT_FALSE(tools.intersection("50/30 50/20 52/25 51/25").ok);
  EXPECT_EQ(app.tools.points[2].lat, 5100);
}

TEST_F(MapToolsTest, IntersectionDiagnosticsOnlyWithTheSwitchOn) {
  test::TempDir dumpFolder;
  app.dump.open((dumpFolder.path() / "DUMP.TXT").string());
  tools.intersection("50/30 50/20 52/25 51/25");
  app.settings.set(INTERSECT_SWITCH_KEY, "ON", false);
  tools.intersection("50/30 50/20 52/25 51/25");
  app.dump.close();
  std::ifstream in(dumpFolder.path() / "DUMP.TXT");
  std::string all{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 1);
  EXPECT_EQ(all.rfind("SAME SIDE OF 1-2  ", 0), 0u);
}

TEST_F(MapToolsTest, OverlayLinesInMagentaOrBlackDashed) {
  tools.distance("50/30 50/20");
  app.switches.latLongGrid = app.switches.terrain = app.switches.facilityBoundaries = false;
  app.switches.latLongLabels = app.switches.ownWaypoints = app.switches.ownStations = false;
  app.switches.declutter = false;  // no frame round the title block
  test::RecordingCanvas canvas;
  const PaintResult r = MapPainter(app.paintInput(), canvas).paint({.width = 1920, .height = 1080, .printing = false});
  ASSERT_EQ(canvas.lines.size(), 2u);  // 386 NM: two great-circle pieces
  EXPECT_EQ(canvas.lines[0].color, colors::magenta);
  EXPECT_EQ(canvas.lines[0].style, PenStyle::Solid);
  const DevicePoint a = r.projection.toDevice({5000, -3000});
  EXPECT_EQ(canvas.lines[0].x1, a.x);
  app.switches.videoColor = false;
  test::RecordingCanvas mono;
  MapPainter(app.paintInput(), mono).paint({.width = 1920, .height = 1080, .printing = false});
  EXPECT_EQ(mono.lines[0].color, colors::black);
  EXPECT_EQ(mono.lines[0].style, PenStyle::Dash);
  tools.clear();
  test::RecordingCanvas cleared;
  MapPainter(app.paintInput(), cleared).paint({.width = 1920, .height = 1080, .printing = false});
  EXPECT_TRUE(cleared.lines.empty());
}

}  // namespace
}  // namespace korvant
