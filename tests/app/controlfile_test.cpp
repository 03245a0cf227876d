#include "app/controlfile.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/startup.h"
#include "support/recordingboxes.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

class ControlFileTest : public ::testing::Test {
 protected:
  ControlFileTest() {
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

TEST_F(ControlFileTest, KeyThenValueAfterBlanks) {
  read("  PS13DIR   D:\\SIM\\PS13\\\n");
  EXPECT_EQ(get("PS13DIR"), "D:\\SIM\\PS13\\");
}

TEST_F(ControlFileTest, ValueKeepsTrailingBlanksAndInnerText) {
  read("MapFont DejaVu Sans  \r\n");
  EXPECT_EQ(get("MAPFONT"), "DejaVu Sans  ");
}

TEST_F(ControlFileTest, CommentsOnlyInColumnOne) {
  read("; comment\n# also\n ;NOTCOMMENT value\n\n");
  EXPECT_EQ(get(";NOTCOMMENT"), "value");
  EXPECT_EQ(get("; comment"), "");
  for (const CtlData& e : app.settings.entries()) EXPECT_NE(e.key.front(), '#');
}

TEST_F(ControlFileTest, UpperCaseOnlyForFlaggedKeys) {
  read("initialmap 50/30 500 ortho\nmapfont Liberation Sans\nNewKey MixedCase\n");
  EXPECT_EQ(get("INITIALMAP"), "50/30 500 ORTHO");
  EXPECT_EQ(get("MAPFONT"), "Liberation Sans");
  EXPECT_EQ(get("NEWKEY"), "MixedCase");
}

TEST_F(ControlFileTest, LaterLineWinsAndKeyAloneStoresEmpty) {
  read("Distance KM\ndistance nm\nColorVideo\n");
  EXPECT_EQ(get("DISTANCE"), "NM");
  bool flag = false;
  EXPECT_EQ(app.settings.lookupEntry("COLORVIDEO", flag), "");
  EXPECT_TRUE(flag);
}

TEST_F(ControlFileTest, LongLinesStayOneEntry) {
  const std::string longValue(10000, 'x');
  read("LONGKEY " + longValue + "\nNEXT 1\n");
  EXPECT_EQ(get("LONGKEY"), longValue);
  EXPECT_EQ(get("NEXT"), "1");
  EXPECT_EQ(get(longValue.substr(0, 99).c_str()), "");
}

TEST_F(ControlFileTest, CarriageReturnAloneEndsALine) {
  read("A 1\rB 2\r\rC 3");
  EXPECT_EQ(get("A"), "1");
  EXPECT_EQ(get("B"), "2");
  EXPECT_EQ(get("C"), "3");
}

TEST_F(ControlFileTest, BinaryAndNulBytesDoNotBreakTheReader) {
  std::string data = "BIN \x01\x02\xff\xfe";
  data += '\0';
  data += "tail\nOK yes\n\t\tTABBED x\n   \n";
  read(data);
  EXPECT_EQ(get("BIN").size(), 9u);
  EXPECT_EQ(get("OK"), "yes");
}

TEST_F(ControlFileTest, ReadOnlyOnceAndMissingFileIsSilent) {
  test::RecordingBoxes otherBoxes;
  AppContext fresh(otherBoxes, clock);
  test::TempDir dir;
  EXPECT_FALSE(ControlFile::read(fresh, dir.str() + "/KORVANT.CTL", false));
  EXPECT_TRUE(fresh.settings.readDone());
  EXPECT_TRUE(otherBoxes.shown.empty());
  dir.write("KORVANT.CTL", "DISTANCE KM\n");
  EXPECT_FALSE(ControlFile::read(fresh, dir.str() + "/KORVANT.CTL", false));
  EXPECT_EQ(fresh.settings.lookup("DISTANCE"), "");
}

TEST_F(ControlFileTest, MissingFileReportedOnceWhenAsked) {
  test::RecordingBoxes otherBoxes;
  AppContext fresh(otherBoxes, clock);
  EXPECT_FALSE(ControlFile::read(fresh, "/nonexistent/KORVANT.CTL", true));
  ASSERT_EQ(otherBoxes.shown.size(), 1u);
  EXPECT_EQ(otherBoxes.shown[0].caption, "CAN'T OPEN CONTROL FILE:");
  EXPECT_EQ(otherBoxes.shown[0].text, "/nonexistent/KORVANT.CTL");
}

TEST_F(ControlFileTest, FileIsFoundRegardlessOfCase) {
  test::RecordingBoxes otherBoxes;
  AppContext fresh(otherBoxes, clock);
  test::TempDir dir;
  dir.write("korvant.ctl", "Distance km\n");
  seedDefaults(fresh.settings);
  EXPECT_TRUE(ControlFile::read(fresh, dir.str() + "/KORVANT.CTL", false));
  EXPECT_EQ(fresh.settings.lookup("DISTANCE"), "KM");
}

TEST_F(ControlFileTest, ApplyDefaultsSwitchFixesAndRoutesOn) {
  ControlFile::apply(app);
  const LayerSwitches& sw = app.switches;
  EXPECT_TRUE(sw.videoColor);
  EXPECT_TRUE(sw.currentColor);
  EXPECT_TRUE(sw.printerColor);
  EXPECT_FALSE(sw.autoRedraw);
  EXPECT_FALSE(sw.kilometerDistances);
  EXPECT_FALSE(sw.showUserTxt);
  EXPECT_TRUE(sw.landscape && sw.useCurrentTime && sw.showParameters && sw.facilityBoundaries &&
              sw.terrain && sw.latLongGrid && sw.latLongLabels);
  EXPECT_TRUE(sw.symbolsNonDafif && sw.ownWaypoints && sw.ownStations);
  EXPECT_FALSE(sw.ownAirports);
  for (bool group : sw.routeGroup) EXPECT_TRUE(group);
}

TEST_F(ControlFileTest, ApplyHonoursTheUsersKeys) {
  read("DISTANCE km\nCOLORVIDEO\nCOLORPRINTER 0\nAUTOREDRAW Y\nSHOWUSER 1\n"
       "FIXDISPLAY 0\nROUTEDISPLAY 0\n");
  ControlFile::apply(app);
  const LayerSwitches& sw = app.switches;
  EXPECT_TRUE(sw.kilometerDistances);
  EXPECT_FALSE(sw.videoColor);
  EXPECT_FALSE(sw.currentColor);
  EXPECT_FALSE(sw.printerColor);
  EXPECT_TRUE(sw.autoRedraw);
  EXPECT_TRUE(sw.showUserTxt);
  EXPECT_FALSE(sw.ownWaypoints || sw.ownStations || sw.symbolsNonDafif);
  for (bool group : sw.routeGroup) EXPECT_FALSE(group);
}

TEST_F(ControlFileTest, InitialMapDefaultIsTheNatPreset) {
  ControlFile::apply(app);
  EXPECT_EQ(app.view.centre.lat, 5000);
  EXPECT_EQ(app.view.centre.lng, -3500);
  EXPECT_EQ(app.view.range, 1000);
  EXPECT_EQ(app.view.presetName, "NAT");
  EXPECT_EQ(app.view.checkedPreset, "NAT");
  EXPECT_EQ(app.view.labelParallel, 3730);
}

TEST_F(ControlFileTest, InitialMapLowerCaseOrtho) {
  read("initialmap 50/20  500  ortho\n");
  EXPECT_EQ(get("INITIALMAP"), "50/20  500  ORTHO");
  ControlFile::apply(app);
  EXPECT_EQ(app.view.range, 500);
  EXPECT_EQ(app.view.kind, ProjectionKind::Orthographic);
  EXPECT_EQ(app.view.centre.lng, -2000);
  EXPECT_TRUE(app.view.checkedPreset.empty());
}

TEST_F(ControlFileTest, InitialMapRangeInKilometres) {
  read("DISTANCE KM\nINITIALMAP 5030N 1852 LAMBERT\n");
  ControlFile::apply(app);
  EXPECT_DOUBLE_EQ(app.view.range, 1000);
  EXPECT_EQ(app.view.centre.lat, 5000);
  EXPECT_EQ(app.view.centre.lng, -3000);
  EXPECT_TRUE(app.view.presetName.empty());  // not the NAT centre
}

TEST_F(ControlFileTest, InitialMapThatResolvesToNothing) {
  read("INITIALMAP NOWHERE 20000 LAMBERT\n");
  ControlFile::apply(app);
  EXPECT_TRUE(app.view.centre.isUnset());
  EXPECT_EQ(app.view.range, 1.0);  // 20000 is refused
  AppContext other{boxes, clock};
  seedDefaults(other.settings);
  other.settings.markReadDone();
  other.settings.set("INITIALMAP", std::string(26, 'A') + " 500", true);
  ControlFile::apply(other);
  EXPECT_TRUE(other.view.centre.isUnset());
  EXPECT_EQ(other.view.range, 500);
}

}  // namespace
}  // namespace korvant
