// The DAFIF layers as the map paints them: which switch shows what, the
// ORTCA block by range, segments clear of the map's back, and what is said
// when the files are not there.
#include <gtest/gtest.h>

#include "app/applycontrolfile.h"
#include "app/mapcommands.h"
#include "app/menutable.h"
#include "map/mappainter.h"
#include "navdata/dafifrecords.h"
#include "support/recordingboxes.h"
#include "support/recordingcanvas.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

class DafifLayersTest : public ::testing::Test {
 protected:
  DafifLayersTest() {
    seedDefaults(app.settings);
    app.settings.markReadDone();
    applyControlFile(app);
    app.dafif.fresh().setFolders(dir.str() + "/", "");
    app.view.setCentre({5000, -1000}, 200);
    app.switches = LayerSwitches{};
  }
  test::RecordingCanvas paint() {
    test::RecordingCanvas canvas;
    MapPainter(app.paintInput(), canvas).paint({.width = 1200, .height = 800, .printing = false});
    return canvas;
  }
  static std::vector<std::string> labels(const test::RecordingCanvas& c, Color color) {
    std::vector<std::string> out;
    for (const test::DrawnText& t : c.texts)
      if (t.color == color) out.push_back(t.text);
    return out;
  }
  test::TempDir dir;
  test::RecordingBoxes boxes;
  test::FixedClock clock;
  AppContext app{boxes, clock};
};

TEST_F(DafifLayersTest, AirportsByTheClassOfTheirLongestRunway) {
  std::string dafa;
  double offset = 0;
  for (unsigned longest : {7000u, 6999u, 5000u, 4999u, 3000u, 2999u, 0u}) {
    const std::string ident = "A" + std::to_string(static_cast<int>(offset / 10));
    dafa += encodeDafifAirport({ident, {5000 + offset, -1000 + offset}, longest, 1, "K" + ident, "FIELD"});
    offset += 10;
  }
  dir.write("DAFA.BIN", dafa);
  const Color brown{165, 42, 42};
  DafifSwitches& d = app.switches.dafif;
  d.airports7000 = true;
  EXPECT_EQ(labels(paint(), brown), (std::vector<std::string>{"A0"}));  // 7000
  d = {};
  d.airports5000 = true;
  EXPECT_EQ(labels(paint(), brown), (std::vector<std::string>{"A1", "A2"}));
  d = {};
  d.airports3000 = true;
  EXPECT_EQ(labels(paint(), brown), (std::vector<std::string>{"A3", "A4"}));
  d = {};
  d.airports0 = true;
  d.fullName = true;
  EXPECT_EQ(labels(paint(), brown), (std::vector<std::string>{"A5 1 29", "FIELD", "A6 1 0", "FIELD"}));
}

TEST_F(DafifLayersTest, AirportsWithTheirRunwaysAndNumbers) {
  dir.write("DAFA.BIN", encodeDafifAirport({"EGLL", {5128.3, -27.7}, 12799, 83, "EGLL___", "HEATHROW"}));
  dir.write("RWY0.TXT",
            "EGLL___ 09L 27R N5128.65 W00029.10 N5128.66 W00026.00\n"
            "EGLL___ 05 23 N0000.00 E00000.00 N5128.66 W00026.00\n");  // an end at 0/0: not drawn
  app.view.setCentre({5128.3, -27.7}, 5);
  DafifSwitches& d = app.switches.dafif;
  d.airports7000 = d.runways = d.runwayNumbers = true;
  const test::RecordingCanvas c = paint();
  int red = 0;
  for (const test::DrawnLine& l : c.lines) red += l.color == colors::red;
  EXPECT_EQ(red, 1);
  EXPECT_NE(c.findText("09L"), nullptr);
  EXPECT_NE(c.findText("27R"), nullptr);
  EXPECT_EQ(c.findText("05"), nullptr);
}

TEST_F(DafifLayersTest, NavaidClassesAndTheirSwitches) {
  std::string dafn;
  for (const char* cls : {"HA", "L ", "T ", "MH", "HH", "H ", "U ", "ZZ"})
    dafn += encodeDafifNavaid({std::string("N") + cls[0] + cls[1], {5000, -1000}, {cls[0], cls[1]}});
  dir.write("DAFN.BIN", dafn);
  DafifSwitches& d = app.switches.dafif;
  d.ndbHHHU = true;
  EXPECT_EQ(labels(paint(), Color{240, 112, 0}), (std::vector<std::string>{"NHH", "NH", "NU", "NZZ"}));
  d = {};
  d.ndbMHOther = true;
  EXPECT_EQ(labels(paint(), Color{255, 128, 0}), (std::vector<std::string>{"NMH"}));
  d = {};
  d.vorHA = d.vorL = d.vorT = true;
  const test::RecordingCanvas c = paint();
  EXPECT_EQ(labels(c, Color{0, 0, 224}), (std::vector<std::string>{"NHA"}));
  EXPECT_EQ(labels(c, Color{0, 0, 208}), (std::vector<std::string>{"NL"}));
  EXPECT_EQ(labels(c, Color{0, 0, 192}), (std::vector<std::string>{"NT"}));
  // Farther out the NDBs go; beyond the high routes' range all but the high VORs.
  d.ndbHHHU = d.ndbMHOther = true;
  const std::pair<double, std::vector<std::string>> ranges[] = {
      {200, {"NH", "NHA", "NHH", "NL", "NMH", "NT", "NU", "NZZ"}}, {1000, {"NHA", "NL", "NT"}}, {2000, {"NHA"}}};
  for (const auto& [range, shown] : ranges) {
    app.view.setRange(range);
    std::vector<std::string> all;
    for (const test::DrawnText& t : paint().texts)
      if (t.text.size() >= 2 && t.text[0] == 'N') all.push_back(t.text);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, shown) << range;
  }
}

TEST_F(DafifLayersTest, TheOrtcaBlockFollowsTheRange) {
  dir.write("DAFORTCA.TXT",
            "QUADRANGLE_SIZE 1\nN5030.00 W01030.00 45\nQUADRANGLE_SIZE 5\nN5230.00 W01230.00 96\n"
            "QUADRANGLE_SIZE 0\nN5030.00 W00930.00 11\n");
  app.switches.dafif.ortca = true;
  const Color tan{225, 185, 140};
  app.view.setRange(300);
  EXPECT_EQ(labels(paint(), tan), (std::vector<std::string>{"4", "5"}));
  app.view.setRange(300.5);
  EXPECT_EQ(labels(paint(), tan), (std::vector<std::string>{"9", "6"}));
}

TEST_F(DafifLayersTest, SegmentsKeepElevenDegreesFromTheBackOfALambertMap) {
  dir.write("SEGDIST.TXT", "");
  // Near the pole, 5 and 30 degrees from the meridian opposite 170W.
  dir.write("RADIALK.TXT",
            "80 5 0 0 H 100 A A Y 90 270 80 15 0\n"
            "80 40 0 0 H 100 B B Y 90 270 80 50 1\n"
            "80 40 0 0 H 100 B B N 90 270 80 50 2\n");
  app.view.setCentre({6000, -17000}, 3000);
  app.settings.set("NavRouteRange", "11000", true);  // the high routes at every range
  app.switches.dafif.atsHigh = true;
  const auto high = [](const test::RecordingCanvas& c) {
    int n = 0;
    for (const test::DrawnLine& l : c.lines) n += l.color == Color{224, 224, 224} && l.width == 3;
    return n;
  };
  ASSERT_EQ(app.view.kind, ProjectionKind::Lambert);
  EXPECT_EQ(high(paint()), 1);
  app.view.selectOrthographic();
  app.view.setCentre({9000, 0}, 3000);
  EXPECT_EQ(high(paint()), 2);  // the rule is the Lambert map's alone
  std::filesystem::remove(dir.path() / "SEGDIST.TXT");
  EXPECT_EQ(high(paint()), 0);  // without SEGDIST.TXT no ATS layer is drawn
}

TEST_F(DafifLayersTest, MissingFilesAreSaidOnceWhenSwitchedOnAndNeverByAPaint) {
  MapCommands commands(app);
  commands.execute(cmd::DafifOrtca);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "CAN'T OPEN FILE");
  EXPECT_EQ(boxes.shown[0].text, "DAFORTCA.TXT");
  commands.execute(cmd::DafifOrtca);
  commands.execute(cmd::DafifOrtca);
  EXPECT_EQ(boxes.shown.size(), 1u);
  commands.execute(cmd::DafifWptR);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].caption, "CAN'T FIND ANY OF:");
  EXPECT_EQ(boxes.shown[1].text, "WPTN.TXT, WPTS.TXT, WPTE.TXT, WPTA.TXT");
  commands.execute(cmd::DafifAtsLow);
  ASSERT_EQ(boxes.shown.size(), 3u);
  EXPECT_EQ(boxes.shown[2].text, "SEGDIST.TXT, ATSID.TXT, RADIALK.TXT, RADIALX.TXT");
  paint();
  EXPECT_EQ(boxes.shown.size(), 3u);
}

// A file past the readers' limit is read in part, and that is said once.
TEST_F(DafifLayersTest, AFileCutAtTheLimitIsSaid) {
  std::filesystem::resize_file(dir.write("DAFORTCA.TXT", "QUADRANGLE_SIZE 1\nN5130.00 W00030.00 45\n"),
                               DAFIF_FILE_LIMIT + 1);
  MapCommands commands(app);
  commands.execute(cmd::DafifOrtca);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "ONLY THE FIRST 64 MB READ OF:");
  EXPECT_EQ(boxes.shown[0].text, "DAFORTCA.TXT");
  const auto ortca = app.dafif->ortca();
  ASSERT_TRUE(ortca);
  ASSERT_EQ(ortca->size(), 1u);
  EXPECT_EQ((*ortca)[0].values.size(), 1u);
  commands.execute(cmd::DafifOrtca);
  commands.execute(cmd::DafifOrtca);
  EXPECT_EQ(boxes.shown.size(), 1u);
}

// A folder where a waypoint file should be is said even beside the other files.
TEST_F(DafifLayersTest, AFolderInPlaceOfAFileIsSaid) {
  dir.write("WPTS.TXT", "");
  std::filesystem::create_directory(dir.path() / "wptn.txt");
  MapCommands(app).execute(cmd::DafifWptR);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "CAN'T OPEN FILE");
  EXPECT_EQ(boxes.shown[0].text, (dir.path() / "wptn.txt").string() + " IS A FOLDER");
}

TEST_F(DafifLayersTest, TheSampleFolderOnEveryLayer) {
  app.dafif.fresh().setFolders(std::string(KORVANT_SAMPLE_DAFIF) + "/", "");
  app.view.selectPreset("EUROPE");
  DafifSwitches& d = app.switches.dafif;
  for (bool* s : d.drawing()) *s = true;
  const test::RecordingCanvas c = paint();
  EXPECT_GT(c.texts.size(), 2000u);
  EXPECT_NE(c.findText("EGLL 83 127"), nullptr);
  EXPECT_NE(c.findText("LON"), nullptr);
  EXPECT_TRUE(c.coordinatesWithin(1 << 16));
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace korvant
