#include "ui/framewin.h"
#include "platform/qtmessageboxes.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QStatusBar>

#include "app/startup.h"
#include "support/recordingboxes.h"
#include "support/tempdir.h"
#include "ui/mainwin.h"

namespace korvant {
namespace {

class FrameWinTest : public ::testing::Test {
 protected:
  void startIn(const std::string& ctl) {
    if (!ctl.empty()) current.write("KORVANT.CTL", ctl);
    startUp(app, current.str() + "/korvant", current.str());
  }
  test::RecordingBoxes boxes;
  test::FixedClock clock;
  AppContext app{boxes, clock};
  test::TempDir current;
};

TEST_F(FrameWinTest, FrameHasTitleControlBarAndMessageBar) {
  startIn("MessageLineFont DejaVu Sans Mono\n");
  FrameWin frame(app);
  frame.show();
  EXPECT_EQ(frame.windowTitle(), "KOR VANT");
  ASSERT_NE(frame.mapWindow(), nullptr);
  EXPECT_EQ(frame.centralWidget(), frame.mapWindow());
  ASSERT_NE(frame.controlBar(), nullptr);
  EXPECT_EQ(frame.controlBar()->font().pixelSize(), 11);
  EXPECT_EQ(frame.statusBar()->font().family(), "DejaVu Sans Mono");
  EXPECT_TRUE(boxes.shown.empty());
  // The map window applied the control keys when it was created.
  EXPECT_TRUE(app.switches.latLongGrid);
}

TEST_F(FrameWinTest, InputFieldKeepsAtMost199Characters) {
  startIn("");
  FrameWin frame(app);
  frame.setInputText(std::string(250, 'A'));
  std::string text = "X";
  frame.inputText(text);
  EXPECT_EQ(text.size(), 200u);
  frame.clearInput();
  std::string empty;
  frame.inputText(empty);
  EXPECT_TRUE(empty.empty());
  frame.setResultText("053.10 386.09 NM");
  auto* result = frame.findChild<QLineEdit*>("resultField");
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->text(), "053.10 386.09 NM");
}

}  // namespace
}  // namespace korvant

int main(int argc, char** argv) {
  // Test discovery runs the binary without the test environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

namespace korvant {
namespace {

// A title bar may be short or missing: the reason stands in the body too.
TEST(MessageBoxText, TheCaptionStandsAboveTheNameInTheBody) {
  EXPECT_EQ(boxBody("CAN'T GET TRACKS:", "http://127.0.0.1/nat"),
            QStringLiteral("CAN'T GET TRACKS:\nhttp://127.0.0.1/nat"));
  EXPECT_EQ(boxBody("", "[flightplan] header not found"), QStringLiteral("[flightplan] header not found"));
}

}  // namespace
}  // namespace korvant
