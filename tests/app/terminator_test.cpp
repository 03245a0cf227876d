// The terminator layers as the map paints them, and the start hour dialog's
// command.
#include <gtest/gtest.h>

#include <cmath>

#include "app/applycontrolfile.h"
#include "app/mapcommands.h"
#include "app/menutable.h"
#include "map/mappainter.h"
#include "sky/sunposition.h"
#include "support/recordingboxes.h"
#include "support/recordingcanvas.h"
#include "support/utctime.h"

namespace korvant {
namespace {

using test::utc;

class TerminatorTest : public ::testing::Test {
 protected:
  TerminatorTest() {
    seedDefaults(app.settings);
    app.settings.markReadDone();
    applyControlFile(app);
    app.switches = LayerSwitches{};
    app.switches.videoColor = true;
  }
  test::RecordingCanvas paint() {
    test::RecordingCanvas canvas;
    MapPainter(app.paintInput(), canvas).paint({.width = 1000, .height = 800, .printing = false});
    return canvas;
  }
  static std::vector<test::DrawnLine> linesOf(const test::RecordingCanvas& c, Color color, int width) {
    std::vector<test::DrawnLine> out;
    for (const test::DrawnLine& l : c.lines)
      if (l.color == color && l.width == width) out.push_back(l);
    return out;
  }
  void at(const char* text) { ASSERT_TRUE(setTerminatorTime(app.terminator, text, clock).empty()); }
  test::RecordingBoxes boxes;
  test::FixedClock clock{utc(2026, 12, 7, 13, 47)};
  AppContext app{boxes, clock};
};

TEST_F(TerminatorTest, AtTheEquinoxTheTerminatorFollowsTheNinetiethMeridian) {
  at("12Z 20/03/2024");
  app.switches.showTerminator = true;
  app.view.selectOrthographic();
  app.view.setCentre({0, -9000}, 3000);  // looking down on 90W
  const std::vector<test::DrawnLine> yellow = linesOf(paint(), colors::yellow, 3);
  ASSERT_GT(yellow.size(), 20u);
  for (const test::DrawnLine& l : yellow) {
    EXPECT_NEAR(l.x1, 500, 15);  // within about 1.5 degrees of 90W
    EXPECT_NEAR(l.x2, 500, 15);
  }
  EXPECT_TRUE(linesOf(paint(), colors::yellow, 1).empty());  // twilight off
}

TEST_F(TerminatorTest, TheNextHoursAreLabelledWhereTheyLeaveTheMap) {
  at("08Z 29/09/99");
  app.switches.showNext6Hours = true;
  app.view.selectPreset("NAT");
  const test::RecordingCanvas c = paint();
  EXPECT_FALSE(linesOf(c, colors::cyan, 3).empty());
  std::vector<std::string> labels;
  for (const test::DrawnText& t : c.texts)
    if (t.text.size() == 4 && t.text[3] == 'Z' && (t.text[0] == 'S' || t.text[0] == 'R')) labels.push_back(t.text);
  ASSERT_FALSE(labels.empty());
  for (const std::string& l : labels) {
    const int hour = std::stoi(l.substr(1, 2));
    EXPECT_GE(hour, 9) << l;
    EXPECT_LE(hour, 14) << l;
  }
  EXPECT_NE(std::find(labels.begin(), labels.end(), "R09Z"), labels.end());
  EXPECT_TRUE(c.coordinatesWithin(1 << 16));

  // The whole globe small in the middle: no curve reaches an edge, no label.
  app.view.selectOrthographic();
  app.view.setRange(11000);
  for (const test::DrawnText& t : paint().texts)
    EXPECT_FALSE(t.text.size() == 4 && t.text[3] == 'Z' && t.text[0] == 'R');
}

TEST_F(TerminatorTest, MonochromePensAndTheTitleLine) {
  at("08Z 21/06/2024");
  app.switches.showTerminator = app.switches.showCivilTwilight = true;
  app.switches.showParameters = true;
  app.switches.videoColor = false;
  app.view.selectOrthographic();
  app.view.setCentre({0, -3000}, 6000);
  const test::RecordingCanvas c = paint();
  EXPECT_FALSE(linesOf(c, colors::grey, 2).empty());
  bool dashedTwilight = false;
  for (const test::DrawnLine& l : c.lines)
    dashedTwilight |= l.color == colors::grey && l.width == 1 && l.style == PenStyle::Dash;
  EXPECT_TRUE(dashedTwilight);
  EXPECT_NE(c.findText("SEA LEVEL TERMINATOR 21 JUN 2024/0800Z"), nullptr);
}

TEST_F(TerminatorTest, NowFollowsTheClockAndImpossibleTimesDrawNothing) {
  app.switches.showTerminator = true;
  app.view.selectOrthographic();
  app.view.setCentre({0, 0}, 6000);
  const std::vector<test::DrawnLine> first = linesOf(paint(), colors::yellow, 3);
  clock = test::FixedClock(utc(2026, 12, 7, 19, 47));
  const std::vector<test::DrawnLine> later = linesOf(paint(), colors::yellow, 3);
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(later.empty());
  EXPECT_NE(first.front().x1, later.front().x1);

  app.terminator.timeText = "STORED";
  app.terminator.time = std::numeric_limits<std::time_t>::max();
  app.switches.showNext6Hours = true;
  const test::RecordingCanvas none = paint();
  EXPECT_TRUE(linesOf(none, colors::yellow, 3).empty());
  EXPECT_TRUE(none.coordinatesWithin(1 << 16));
}

TEST_F(TerminatorTest, ASubsolarPointAtTheCentreOfTheGlobe) {
  at("12Z 21/06/2024");
  const SunPosition sun = *sunPosition(app.terminator.time);
  app.switches.showTerminator = app.switches.showCivilTwilight = app.switches.showNext6Hours = true;
  app.view.selectOrthographic();
  app.view.setCentre({degreesToDegMin(sun.declination), degreesToDegMin(sun.subsolarLongitude)}, 3000);
  const test::RecordingCanvas c = paint();
  EXPECT_TRUE(c.coordinatesWithin(1 << 16));
  // Just beyond the limb: the current terminator is not on this side.
  EXPECT_TRUE(linesOf(c, colors::yellow, 3).empty());
}

TEST_F(TerminatorTest, TheStartHourDialogsText) {
  MapCommands commands(app);
  EXPECT_EQ(commands.execute(cmd::StartHour).request, UiRequest::StartHourDialog);
  app.switches.autoRedraw = true;
  app.switches.useCurrentTime = true;
  EXPECT_TRUE(commands.applyStartHour("  08z 29/09/99").repaint);  // the switch went off
  EXPECT_FALSE(app.switches.useCurrentTime);
  EXPECT_EQ(app.terminator.timeText, "08Z 29/09/1999");
  // The prompt's pattern writes dashes, its example slashes: both are read,
  // but not a date that mixes them.
  commands.applyStartHour("07Z 28-09-99");
  EXPECT_EQ(app.terminator.timeText, "07Z 28/09/1999");
  commands.applyStartHour("08Z 29/09/99");
  EXPECT_FALSE(commands.applyStartHour("08Z 29-09/99").repaint);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "Bad DD/MM/(YY)YY format");
  EXPECT_EQ(boxes.shown[0].text, "08Z 29-09/99");
  EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Stop);
  EXPECT_EQ(app.terminator.timeText, "08Z 29/09/1999");
  EXPECT_FALSE(commands.applyStartHour("09Z 29/09/99").repaint);  // the switch stays off: no repaint
  EXPECT_TRUE(commands.applyStartHour("now").repaint);
  EXPECT_TRUE(app.switches.useCurrentTime);
  EXPECT_TRUE(app.terminator.isNow());
}

}  // namespace
}  // namespace korvant
