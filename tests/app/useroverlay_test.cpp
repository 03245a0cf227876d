// USER.TXT and flight plans as the map paints them.
#include <gtest/gtest.h>

#include "app/applycontrolfile.h"
#include "app/mapcommands.h"
#include "app/menutable.h"
#include "map/mappainter.h"
#include "support/recordingboxes.h"
#include "support/recordingcanvas.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

class UserOverlayTest : public ::testing::Test {
 protected:
  UserOverlayTest() {
    seedDefaults(app.settings);
    app.settings.markReadDone();
    applyControlFile(app);
    app.switches = LayerSwitches{};
    app.switches.showUserTxt = true;
    app.userOverlay.fresh().setPath(dir.str() + "/USER.TXT");
    app.view.setCentre({5000, -3000}, 1000);
  }
  test::RecordingCanvas paint(const std::string& text) {
    dir.write("USER.TXT", text);
    test::RecordingCanvas canvas;
    MapPainter(app.paintInput(), canvas).paint({.width = 1000, .height = 800, .printing = false});
    return canvas;
  }
  static int linesIn(const test::RecordingCanvas& c, Color color) {
    int n = 0;
    for (const test::DrawnLine& l : c.lines) n += l.color == color;
    return n;
  }
  test::TempDir dir;
  test::RecordingBoxes boxes;
  test::FixedClock clock;
  AppContext app{boxes, clock};
};

TEST_F(UserOverlayTest, CommentsDrawNothingAndNodrawHoldsUntilDraw) {
  const test::RecordingCanvas quiet = paint("# only a comment\n\n   \n# and another\n");
  EXPECT_EQ(linesIn(quiet, colors::white), 0);
  const test::RecordingCanvas held = paint("NODRAW\nTEXT 5030N HIDDEN\nTEXT NOWHERE X\nDRAW\nTEXT 5030N SHOWN\r\n");
  EXPECT_EQ(held.findText("HIDDEN"), nullptr);
  EXPECT_NE(held.findText("SHOWN"), nullptr);  // without its carriage return
  for (const test::DrawnText& t : held.texts) EXPECT_EQ(t.text.find("NOWHERE"), std::string::npos);
}

TEST_F(UserOverlayTest, ArcsInTenDegreeChords) {
  EXPECT_EQ(linesIn(paint("COLOR 255 0 0\nARC 5030N 100 0 0\n"), colors::red), 36);
  EXPECT_EQ(linesIn(paint("COLOR 255 0 0\nARC 5030N 100 90 45\n"), colors::red), 4);  // 45 to 85
  EXPECT_EQ(linesIn(paint("COLOR 255 0 0\nARC 5030N -5 0 20\n"), colors::red), 2);    // radius 1
}

TEST_F(UserOverlayTest, LineStylesAndColours) {
  const test::RecordingCanvas c = paint("COLOR 0 0 255\nLINE DOT 50/30 55/20\nCOLOR 0 255 0\nLINE X 50/30 55/20\n");
  int dotted = 0, solid = 0;
  for (const test::DrawnLine& l : c.lines) {
    dotted += l.color == colors::blue && l.style == PenStyle::Dot;
    solid += l.color == colors::green && l.style == PenStyle::Solid;
  }
  EXPECT_GT(dotted, 0);
  EXPECT_GT(solid, 0);
}

TEST_F(UserOverlayTest, BadLinesAreReportedDownTheLeftAndTheRestIsDrawn) {
  const test::RecordingCanvas c =
      paint("TEXT MALOT a fix name\nTEXT 5030N FINE\nARC NOWHERE 10 0 0\nLINE SOLID 50/30 HERE\n");
  const test::DrawnText* first = nullptr;
  const test::DrawnText* second = nullptr;
  const test::DrawnText* line = nullptr;
  for (const test::DrawnText& t : c.texts) {
    if (t.text.find("LINE 1:") != std::string::npos) first = &t;
    if (t.text.find("LINE 3:") != std::string::npos) second = &t;
    if (t.text.find("LINE 4:") != std::string::npos) line = &t;
  }
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  ASSERT_NE(line, nullptr);  // a line's position as a text's
  EXPECT_EQ(line->text, "USER.TXT LINE 4: NO POSITION: LINE SOLID 50/30 HERE");
  EXPECT_EQ(first->x, 10);
  EXPECT_EQ(first->y, 10);
  EXPECT_EQ(second->y, 20);
  EXPECT_EQ(first->color, colors::red);
  EXPECT_FALSE(first->transparent);
  EXPECT_NE(c.findText("FINE"), nullptr);
}

TEST_F(UserOverlayTest, RouteTextNeverStandsUpsideDown) {
  for (const char* line : {"TEXTR 50/30 55/20 0 EAST", "TEXTR 55/20 50/30 0 WEST", "TEXTR 50/30 40/30 0 SOUTH",
                           "TEXTBOXR 40/30 50/30 0 NORTH"}) {
    const test::RecordingCanvas c = paint(line);
    const std::string word = std::string(line).substr(std::string(line).rfind(' ') + 1);
    const test::DrawnText* t = c.findText(word);
    ASSERT_NE(t, nullptr) << line;
    EXPECT_GE(t->font.escapement, -900) << line;
    EXPECT_LE(t->font.escapement, 900) << line;
  }
}

TEST_F(UserOverlayTest, FontSizesAndWildOperands) {
  const test::RecordingCanvas c = paint(
      "FONTSIZE 0\nTEXT 5030N ZERO\nFONTSIZE 10000\nTEXT 5030N HUGE\nFONTSIZE -3\nCOLOR x y z\n"
      "ARC 5030N 1e308 0 360\nTEXTR 50/30 50/30 0 SAME\n" +
      std::string(100000, '\x01') + "\n" + std::string(3000, 'S') + "TACK\n");
  EXPECT_NE(c.findText("ZERO"), nullptr);
  const test::DrawnText* huge = c.findText("HUGE");
  ASSERT_NE(huge, nullptr);
  EXPECT_LE(huge->font.height, 4000);
  EXPECT_TRUE(c.coordinatesWithin(1 << 16));
  std::string stack;
  for (int i = 0; i < 100000; ++i) stack += "STACK x\n";
  paint("TEXT 5030N TOP\n" + stack);  // no hang, no crash
}

TEST_F(UserOverlayTest, AMissingFileIsSaidOnceWhenSwitchedOn) {
  MapCommands commands(app);
  app.switches.showUserTxt = false;
  commands.execute(cmd::ShowUserTxt);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "CAN'T OPEN REQUESTED FILE:");
  EXPECT_EQ(boxes.shown[0].text, "USER.TXT NOT FOUND IN " + dir.str());
  commands.execute(cmd::ShowUserTxt);
  commands.execute(cmd::ShowUserTxt);
  test::RecordingCanvas canvas;
  MapPainter(app.paintInput(), canvas).paint({.width = 400, .height = 300, .printing = false});
  EXPECT_EQ(boxes.shown.size(), 1u);
}

// Past 16 MB the rest of the file is not read, and that is said; what was
// read is drawn.
TEST_F(UserOverlayTest, AFileCutAtItsLimitIsSaid) {
  const std::string path = dir.write("USER.TXT", "COLOR 255 0 0\nLINE X 50/30 55/20\n");
  std::filesystem::resize_file(path, USER_OVERLAY_LIMIT + 1000);  // zeros after the lines
  app.switches.showUserTxt = false;
  MapCommands(app).execute(cmd::ShowUserTxt);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "ONLY THE FIRST 16 MB READ OF:");
  EXPECT_EQ(boxes.shown[0].text, path);
  test::RecordingCanvas canvas;
  MapPainter(app.paintInput(), canvas).paint({.width = 1000, .height = 800, .printing = false});
  EXPECT_GT(linesIn(canvas, Color{255, 0, 0}), 0);
}

TEST_F(UserOverlayTest, APlanDrawsItsLegsWaypointsAnnotationsAndDirectLine) {
  app.switches.showUserTxt = false;
  const std::string plan = dir.write("A.PLN",
                                     "[flightplan]\ntitle=T\nwaypoint.0=AAA, V, N50* 0', W030* 0', 0\n"
                                     "COLOR 255 0 0\nTEXT 5230N NOTE\n"
                                     "waypoint.1=BBB, V, N52* 0', W020* 0', 0\n");
  MapCommands commands(app);
  EXPECT_TRUE(commands.readProcedure(plan, true).repaint);
  EXPECT_TRUE(app.procedureMap);
  const LoadedProcedure before = app.procedure;
  const auto held = app.procedure.share();
  test::RecordingCanvas canvas;
  MapPainter(app.paintInput(), canvas).paint({.width = 1000, .height = 800, .printing = false});
  EXPECT_NE(canvas.findText("AAA"), nullptr);
  EXPECT_NE(canvas.findText("BBB"), nullptr);
  const test::DrawnText* note = canvas.findText("NOTE");
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->color, colors::red);
  int thick = 0, thin = 0;
  for (const test::DrawnLine& l : canvas.lines) {
    thick += l.color == colors::black && l.width == 2;
    thin += l.color == colors::black && l.width == 1;
  }
  EXPECT_GT(thick, 0);

  // A plan without its header is refused and the loaded one stays.
  const std::string bad = dir.write("B.PLN", "waypoint.0=AAA, V, N50* 0', W030* 0', 0\n");
  EXPECT_FALSE(commands.readProcedure(bad, true).repaint);
  EXPECT_EQ(boxes.shown.back().text, "[flightplan] header not found");
  EXPECT_EQ(app.procedure->plan.waypoints.size(), before.plan.waypoints.size());
  EXPECT_EQ(app.procedure.share(), held);
}

}  // namespace
}  // namespace korvant
