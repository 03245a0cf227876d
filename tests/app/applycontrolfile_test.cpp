#include "app/applycontrolfile.h"

#include "sky/terminatortime.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/controlfile.h"
#include "support/recordingboxes.h"

namespace korvant {
namespace {

class ApplyControlFileTest : public ::testing::Test {
 protected:
  ApplyControlFileTest() {
    seedDefaults(app.settings);
    app.settings.markReadDone();
  }
  void read(const std::string& text) {
    std::istringstream in(text);
    ControlFile::readLines(app.settings, in);
  }
  std::string get(const char* key) { return app.settings.lookup(key); }

  test::RecordingBoxes boxes;
  test::FixedClock clock;
  AppContext app{boxes, clock};
};

TEST_F(ApplyControlFileTest, ApplyDefaultsSwitchFixesAndRoutesOn) {
  applyControlFile(app);
  const LayerSwitches& sw = app.switches;
  EXPECT_TRUE(sw.videoColor);
  EXPECT_TRUE(sw.printerColor);
  EXPECT_FALSE(sw.autoRedraw);
  EXPECT_FALSE(sw.kilometerDistances);
  EXPECT_FALSE(sw.showUserTxt);
  EXPECT_TRUE(sw.landscape && sw.useCurrentTime && sw.showParameters && sw.facilityBoundaries && sw.terrain &&
              sw.latLongGrid && sw.latLongLabels);
  EXPECT_TRUE(sw.symbolsNonDafif && sw.ownWaypoints && sw.ownStations);
  EXPECT_FALSE(sw.ownAirports);
  for (bool group : sw.routeGroup) EXPECT_TRUE(group);
}

TEST_F(ApplyControlFileTest, ApplyHonoursTheUsersKeys) {
  read(
      "DISTANCE km\nCOLORVIDEO\nCOLORPRINTER 0\nAUTOREDRAW Y\nSHOWUSER 1\n"
      "FIXDISPLAY 0\nROUTEDISPLAY 0\n");
  applyControlFile(app);
  const LayerSwitches& sw = app.switches;
  EXPECT_TRUE(sw.kilometerDistances);
  EXPECT_FALSE(sw.videoColor);
  EXPECT_FALSE(sw.printerColor);
  EXPECT_TRUE(sw.autoRedraw);
  EXPECT_TRUE(sw.showUserTxt);
  EXPECT_FALSE(sw.ownWaypoints || sw.ownStations || sw.symbolsNonDafif);
  for (bool group : sw.routeGroup) EXPECT_FALSE(group);
}

TEST_F(ApplyControlFileTest, MagModelChoosesTheModelAndDeclutterTurnsOffOnlyOnNo) {
  applyControlFile(app);
  EXPECT_EQ(app.magneticModelId, MagneticModelId::Wmm2000);
  EXPECT_EQ(app.magneticModel(), MagneticModel());
  EXPECT_TRUE(app.switches.declutter);
  clock = test::FixedClock{1796633100, 0};  // 2026-12-07
  read("MAGMODEL wmm2025\nDECLUTTER no\n");
  applyControlFile(app);
  EXPECT_EQ(app.magneticModelId, MagneticModelId::Wmm2025);
  // Today from the clock (2026-12-07), or the terminator's hour once one is set.
  EXPECT_NEAR(app.magneticModel().year(), 2026.93, 0.005);
  app.switches.useCurrentTime = false;
  ASSERT_TRUE(setTerminatorTime(app.terminator, "08Z 01/07/27", clock).empty());
  EXPECT_NEAR(app.magneticModel().year(), 2027.496, 0.005);
  EXPECT_FALSE(app.switches.declutter);
  read("MAGMODEL IGRF\nDECLUTTER maybe\n");
  app.magneticModelId = MagneticModelId::Wmm2000;
  applyControlFile(app);
  EXPECT_EQ(app.magneticModelId, MagneticModelId::Wmm2000);  // unknown: the default
  EXPECT_TRUE(app.switches.declutter);
}

TEST_F(ApplyControlFileTest, InitialMapDefaultIsTheNatPreset) {
  applyControlFile(app);
  EXPECT_EQ(app.view.centre.lat, 5000);
  EXPECT_EQ(app.view.centre.lng, -3500);
  EXPECT_EQ(app.view.range, 1000);
  EXPECT_EQ(app.view.presetName, "NAT");
  EXPECT_EQ(app.checkedPreset, "NAT");
  EXPECT_EQ(app.view.labelParallel, 3730);
}

TEST_F(ApplyControlFileTest, InitialMapLowerCaseOrtho) {
  read("initialmap 50/20  500  ortho\n");
  EXPECT_EQ(get("INITIALMAP"), "50/20  500  ORTHO");
  applyControlFile(app);
  EXPECT_EQ(app.view.range, 500);
  EXPECT_EQ(app.view.kind, ProjectionKind::Orthographic);
  EXPECT_EQ(app.view.centre.lng, -2000);
  EXPECT_TRUE(app.checkedPreset.empty());
}

TEST_F(ApplyControlFileTest, InitialMapRangeInKilometres) {
  read("DISTANCE KM\nINITIALMAP 5030N 1852 LAMBERT\n");
  applyControlFile(app);
  EXPECT_DOUBLE_EQ(app.view.range, 1000);
  EXPECT_EQ(app.view.centre.lat, 5000);
  EXPECT_EQ(app.view.centre.lng, -3000);
  EXPECT_TRUE(app.view.presetName.empty());  // not the NAT centre
}

TEST_F(ApplyControlFileTest, InitialMapThatResolvesToNothing) {
  read("INITIALMAP NOWHERE 20000 LAMBERT\n");
  applyControlFile(app);
  EXPECT_TRUE(app.view.centre.isUnset());
  EXPECT_EQ(app.view.range, 1.0);  // 20000 is refused
  AppContext other{boxes, clock};
  seedDefaults(other.settings);
  other.settings.markReadDone();
  other.settings.set("INITIALMAP", std::string(26, 'A') + " 500", true);
  applyControlFile(other);
  EXPECT_TRUE(other.view.centre.isUnset());
  EXPECT_EQ(other.view.range, 500);
}

}  // namespace
}  // namespace korvant
