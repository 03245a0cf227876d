#include "app/startup.h"

#include <gtest/gtest.h>

#include <fstream>

#include "app/applycontrolfile.h"
#include "support/recordingboxes.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  StartupResult start() { return startUp(app, (programDir.path() / "korvant").string(), current.str()); }
  std::string get(const char* key) { return app.settings.lookup(key); }

  test::RecordingBoxes boxes;
  test::FixedClock clock;
  AppContext app{boxes, clock};
  test::TempDir current, programDir;
};

TEST_F(StartupTest, DefaultsWithoutControlFile) {
  const StartupResult r = start();
  EXPECT_FALSE(r.controlFileRead);
  EXPECT_TRUE(r.runMaximized);
  EXPECT_EQ(get("InitialMap"), "N5000/W03500  1000  LAMBERT");
  EXPECT_EQ(get("NatTrackDir"), "C:\\KORVANT/");
  EXPECT_EQ(get("PS13Dir"), "C:\\PS13\\");
  EXPECT_EQ(get("NatFileType"), "HTML");
  EXPECT_EQ(get("MapFont"), "Arial");
  EXPECT_EQ(get("RunFolder"), programDir.str() + "/");
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_FALSE(app.dump.isOpen());
}

TEST_F(StartupTest, ControlFileOverridesButNotRunFolder) {
  current.write("KORVANT.CTL",
                "RunFolder /elsewhere/\nPS13Dir /sim/ps13\nPS12Dir X\nNatTrackDir /tracks/\n"
                "RunMaximized no\nMapFont DejaVu Sans\n");
  const StartupResult r = start();
  EXPECT_TRUE(r.controlFileRead);
  EXPECT_FALSE(r.runMaximized);
  EXPECT_EQ(get("RunFolder"), programDir.str() + "/");
  EXPECT_EQ(get("PS13Dir"), "/sim/ps13/");
  EXPECT_EQ(get("PS12Dir"), "X");  // one character stays as it is
  EXPECT_EQ(get("NatTrackDir"), "/tracks/");
  EXPECT_EQ(get("MapFont"), "DejaVu Sans");
}

TEST_F(StartupTest, RunMaximizedReadsAsAnInteger) {
  current.write("KORVANT.CTL", "RunMaximized 0\n");
  EXPECT_FALSE(start().runMaximized);
}

TEST_F(StartupTest, DumpSwitchNineOpensDumpFile) {
  current.write("KORVANT.CTL", std::string(DUMP_SWITCH_KEY) + " 9\n");
  start();
  ASSERT_TRUE(app.dump.isOpen());
  app.dump.line("hello");
  app.dump.close();
  std::ifstream in(current.path() / "DUMP.TXT");
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "hello");
}

TEST_F(StartupTest, DumpSwitchOtherValuesLeaveItClosed) {
  current.write("KORVANT.CTL", std::string(DUMP_SWITCH_KEY) + " ON\n");
  start();
  EXPECT_FALSE(app.dump.isOpen());
  app.dump.line("lost silently");
  EXPECT_FALSE(std::filesystem::exists(current.path() / "DUMP.TXT"));
}

TEST_F(StartupTest, KilometreRangeAndAppliedSwitches) {
  current.write("KORVANT.CTL", "DISTANCE KM\nROUTEDISPLAY 0\n");
  start();
  applyControlFile(app);
  EXPECT_TRUE(app.switches.kilometerDistances);
  EXPECT_FALSE(app.switches.routeGroup[0]);
}

}  // namespace
}  // namespace korvant
