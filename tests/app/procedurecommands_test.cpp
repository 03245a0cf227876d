// Reading procedures and routes as the menu commands do: what a refused file
// leaves, where the view goes, and what is said, once.
#include "app/procedurecommands.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/applycontrolfile.h"
#include "app/menutable.h"
#include "map/mappainter.h"
#include "procedures/proceduretext.h"
#include "support/recordingboxes.h"
#include "support/recordingcanvas.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

const std::string kSample = KORVANT_SAMPLE_PS1;

class ProcedureCommandsTest : public ::testing::Test {
 protected:
  ProcedureCommandsTest() {
    seedDefaults(app.settings);
    app.settings.markReadDone();
    applyControlFile(app);
    app.sim.fresh().setFolders(kSample + "/", kSample + "/");
  }
  test::RecordingCanvas paint() {
    test::RecordingCanvas canvas;
    MapPainter(app.paintInput(), canvas).paint({.width = 1920, .height = 1080, .printing = false});
    return canvas;
  }
  std::string write(const std::string& name, const std::string& text) {
    const ProcedureBuild b = buildProcedureFile(text);
    EXPECT_TRUE(b.ok) << b.problem.detail;
    return dir.write(name, b.bytes);
  }
  test::TempDir dir;
  test::RecordingBoxes boxes;
  test::FixedClock clock;
  AppContext app{boxes, clock};
  MapCommands commands{app};
};

TEST_F(ProcedureCommandsTest, ASidIsFittedDrawnAndTitled) {
  const CommandEffect e = commands.readProcedure(kSample + "/deparr/EGLL/KORV1J.27R", false);
  EXPECT_TRUE(e.repaint);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(app.procedureMap);
  EXPECT_EQ(app.checkedPreset, PROCEDURE_MAP_ITEM);
  EXPECT_TRUE(commands.isChecked(cmd::ProcedureMap));
  // Fitted to what is drawn: tens of miles round the departure.
  EXPECT_LT(app.view.range, 80);
  EXPECT_GT(app.view.range, 20);

  const test::RecordingCanvas canvas = paint();
  EXPECT_TRUE(canvas.coordinatesWithin(1 << 16));
  EXPECT_FALSE(canvas.arcs.empty());
  EXPECT_NE(canvas.findText("KORV1J.27R"), nullptr);
  EXPECT_NE(canvas.findText("EGLL"), nullptr);
  EXPECT_NE(canvas.findText("CPT [45]"), nullptr);
  EXPECT_NE(canvas.findText("ELEV 83"), nullptr);
  EXPECT_NE(canvas.findText("[22] TURN RIGHT TO HEADING 300 UNTIL OCK/15 DME"), nullptr);
  EXPECT_TRUE(boxes.shown.empty());
  // The waypoint lines come with their switch.
  EXPECT_EQ(canvas.findText("N5129.50"), nullptr);
  app.switches.waypointData = true;
  EXPECT_NE(paint().findText("N5129.50"), nullptr);
}

TEST_F(ProcedureCommandsTest, ARefusedFileLeavesTheLoadedOneExactly) {
  commands.readProcedure(kSample + "/deparr/EGLL/KORV1J.27R", false);
  const LoadedProcedure before = app.procedure;
  const auto held = app.procedure.share();
  const MapView view = app.view;
  const std::string checked = app.checkedPreset;
  const std::string odd = dir.write("EGLL/ODD.27R", std::string(23, 'x'));
  const std::string readme = write("readme/EGLL/X.27R", "1 A N5000.0 W03000.0 0 3500 - 90\n");
  const std::string bad =
      dir.write("EGLL/BAD.27R", std::string(21, '\0') + '\0' + std::string(1, char(99)) + std::string(21, '\0'));
  for (const std::string& path : {odd, readme, bad, dir.str() + "/EGLL/NONE.27R", dir.str()}) {
    const std::size_t said = boxes.shown.size();
    EXPECT_FALSE(commands.readProcedure(path, false).repaint) << path;
    EXPECT_EQ(boxes.shown.size(), said + 1) << path;
    EXPECT_EQ(app.procedure->legs.size(), before.legs.size());
    EXPECT_EQ(app.procedure->title, before.title);
    EXPECT_EQ(app.procedure.share(), held);
    EXPECT_EQ(app.procedure->geometry.legEnds, before.geometry.legEnds);
    EXPECT_EQ(app.view.centre, view.centre);
    EXPECT_EQ(app.view.range, view.range);
    EXPECT_EQ(app.checkedPreset, checked);
  }
}

TEST_F(ProcedureCommandsTest, WhatStopsTheDrawingIsSaidOnceAtLoadAndNeverByAPaint) {
  const std::string path = write("EGLL/DME.27R", "21 OCK N5118.3 W00026.8 0 0 - 300\n");
  commands.readProcedure(path, false);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "DME MISSING '/' IN PROCEDURE");
  paint();
  paint();
  EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(ProcedureCommandsTest, AnAirportNotThereLeavesTheMapAndEmptiesTheTitle) {
  const std::string path = write("ZZZZ/X.27R", "1 A N5000.0 W03000.0 0 3500 - 90\n");
  app.view.selectPreset("NAT");
  commands.readProcedure(path, false);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "CAN'T FIND:");
  EXPECT_FALSE(app.procedureMap);
  EXPECT_EQ(app.procedure->title, "");
  EXPECT_TRUE(app.procedure->procedureShown);
  EXPECT_TRUE(app.view.isNatDefault());
  paint();
  EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(ProcedureCommandsTest, RoutesFitBetweenTheirAirports) {
  commands.readProcedure(kSample + "/routes/KJFKEGLL.ROU", true);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(app.procedureMap);
  EXPECT_EQ(app.procedure->title, "KJFK-EGLL");
  EXPECT_EQ(app.view.kind, ProjectionKind::Lambert);
  const test::RecordingCanvas canvas = paint();
  EXPECT_NE(canvas.findText("DOTTY [1]"), nullptr);
  EXPECT_NE(canvas.findText("KVDES [1]"), nullptr);
  EXPECT_EQ(canvas.findText("ELEV 13"), nullptr);  // no runway block for routes
  EXPECT_TRUE(canvas.coordinatesWithin(1 << 16));

  // A route without a header has no airports to fit or draw.
  const std::string plain = write("routes/X.TRK", "1 A N5000.0 W03000.0 0 3500 - 90\n");
  commands.readProcedure(plain, true);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "CAN'T FIND START AIRPORT:");
  EXPECT_EQ(boxes.shown[0].text, "");
}

TEST_F(ProcedureCommandsTest, TheProcedureMapItemFitsAgain) {
  commands.readProcedure(kSample + "/deparr/EGLL/KORV1A.ARR", false);
  const LatLng fitted = app.view.centre;
  commands.execute(cmd::PresetNat);
  EXPECT_FALSE(app.procedureMap);
  EXPECT_EQ(paint().findText("KORV1A.ARR"), nullptr);
  commands.execute(cmd::ProcedureMap);
  EXPECT_TRUE(app.procedureMap);
  EXPECT_EQ(app.view.centre, fitted);
  EXPECT_NE(paint().findText("KORV1A.ARR"), nullptr);
}

TEST_F(ProcedureCommandsTest, NonFinitePositionsNeverReachTheCanvas) {
  commands.readProcedure(kSample + "/deparr/EGLL/KORV1J.27R", false);
  const double nan = std::nan(""), inf = HUGE_VAL;
  ProcedureGeometry& g = app.procedure.edit().geometry;
  const std::size_t arcs = paint().arcs.size();
  g.shapes.push_back({ProcedureShape::Kind::Line, {nan, 0}, {5128, -30}, {}, false, 1});
  g.shapes.push_back({ProcedureShape::Kind::Arc, {5128, -30}, {5129, -31}, {inf, 0}, true, 1});
  g.shapes.push_back({ProcedureShape::Kind::GreatCircle, {5128, -30}, {0, -inf}, {}, false, 2});
  g.shapes.push_back({ProcedureShape::Kind::CourseLine, LatLng::unset(), {5128, -30}, {}, false, 1});
  g.markers.push_back({{nan, nan}, "NAN [1]", {}});
  const test::RecordingCanvas canvas = paint();
  EXPECT_EQ(canvas.arcs.size(), arcs);
  EXPECT_EQ(canvas.findText("NAN [1]"), nullptr);
  EXPECT_TRUE(canvas.coordinatesWithin(1 << 16));
}

TEST_F(ProcedureCommandsTest, RightTurnsRunFromTheirEndCounterClockwise) {
  const std::string path = write("EGLL/R.27R", "12 - N0000.0 E00000.0 0 3000 - 2\n");
  commands.readProcedure(path, false);
  const ProcedureShape* arc = nullptr;
  for (const ProcedureShape& s : app.procedure->geometry.shapes)
    if (s.kind == ProcedureShape::Kind::Arc) arc = &s;
  ASSERT_NE(arc, nullptr);
  EXPECT_TRUE(arc->right);
  const test::RecordingCanvas canvas = paint();
  ASSERT_EQ(canvas.arcs.size(), 1u);
  const Projection& p = MapPainter(app.paintInput(), const_cast<test::RecordingCanvas&>(canvas))
                            .paintStage({.width = 1920, .height = 1080, .printing = false}, PaintStage::Overlay)
                            .projection;
  const DevicePoint end = p.toDevice(arc->b);
  EXPECT_EQ(canvas.arcs[0].x1, end.x);
  EXPECT_EQ(canvas.arcs[0].y1, end.y);
}

TEST_F(ProcedureCommandsTest, DialogFiltersAndFolders) {
  EXPECT_EQ(procedureFileFilters()[1].label, "STAR, APP (*.ARR;*.APP)");
  EXPECT_EQ(routeFileFilters("pln")[0].label, "FLIGHT PLAN (*.PLN)");
  EXPECT_EQ(routeFileFilters("")[0].label, "ROUTE (*.ROU)");
  EXPECT_EQ(procedureFolder(app), kSample + "/deparr");
  std::filesystem::create_directories(dir.path() / "DEPARR");
  app.sim.fresh().setFolders(dir.str() + "/", dir.str() + "/");
  EXPECT_EQ(procedureFolder(app), dir.str() + "/DEPARR");
  EXPECT_EQ(routeFolder(app), dir.str() + "/routes");
}

}  // namespace
}  // namespace korvant
