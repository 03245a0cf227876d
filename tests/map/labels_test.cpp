// The label placer: boxes, the grid of buckets, the plan, the filter, and the
// full North Atlantic map drawn through them.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "app/applycontrolfile.h"
#include "app/mapcommands.h"
#include "app/routestringcommand.h"
#include "map/labelplan.h"
#include "map/mappainter.h"
#include "map/maprecorder.h"
#include "map/segmentlabel.h"
#include "support/drawntexts.h"
#include "support/recordingboxes.h"
#include "support/recordingcanvas.h"
#include "support/twentysixtracks.h"
#include "tracks/resolvedtrack.h"

namespace korvant {
namespace {

// Label layers are told apart by number; these stand for the paint's rows.
namespace L {
constexpr int DafifLines = 0, GridLabels = 1, OwnFixes = 2, PlottedRoute = 3, SimData = 4, TitleBlock = 5, Tracks = 6;
}

using test::RecordingCanvas;

TEST(LabelBoxes, OverlapNeedsSharedAreaAndTurnedBoxesAreTestedExactly) {
  const LabelBox a = LabelBox::upright(0, 0, 10, 10);
  EXPECT_TRUE(overlaps(a, LabelBox::upright(9, 9, 20, 20)));
  EXPECT_FALSE(overlaps(a, LabelBox::upright(10, 0, 20, 10)));  // touching edges
  EXPECT_FALSE(overlaps(a, LabelBox::upright(0, 10, 10, 20)));

  // Two texts along a 45-degree line, one above the other: their bounds
  // overlap, the texts do not.
  const LabelBox lower = LabelBox::text(0, 100, {HAlign::Left, VAlign::Top}, 100, 8, 10, 450);
  const LabelBox upper = lower.shifted(0, -16);
  EXPECT_TRUE(lower.turned);
  EXPECT_LT(upper.left, lower.right);
  EXPECT_LT(upper.top, lower.bottom);
  EXPECT_FALSE(overlaps(lower, upper));
  EXPECT_TRUE(overlaps(lower, lower.shifted(30, -30)));  // further along the same line
}

TEST(LabelBoxes, AlignmentAndEscapementPlaceTheCell) {
  const LabelBox right = LabelBox::text(100, 50, {HAlign::Right, VAlign::Bottom}, 40, 8, 10, 0);
  EXPECT_EQ(right.left, 60);
  EXPECT_EQ(right.right, 100);
  EXPECT_EQ(right.top, 40);
  EXPECT_EQ(right.bottom, 50);
  const LabelBox centre = LabelBox::text(100, 50, {HAlign::Center, VAlign::Baseline}, 40, 8, 10, 3600);
  EXPECT_FALSE(centre.turned);
  EXPECT_EQ(centre.left, 80);
  EXPECT_EQ(centre.top, 42);
  // Turned a quarter counter-clockwise, the text runs up the surface.
  const LabelBox up = LabelBox::text(100, 50, {HAlign::Left, VAlign::Top}, 40, 8, 10, 900);
  EXPECT_NEAR(up.left, 100, 1e-9);
  EXPECT_NEAR(up.right, 110, 1e-9);
  EXPECT_NEAR(up.top, 10, 1e-9);
  EXPECT_NEAR(up.bottom, 50, 1e-9);
}

TEST(LabelPlacerTest, AgreesWithAPlainSearchOverEveryBucketAndEdge) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> at(-100, 700), size(1, 120), turn(0, 3600);
  LabelPlacer placer(600, 400, 32);
  std::vector<LabelBox> placed;
  int accepted = 0;
  for (int i = 0; i < 3000; ++i) {
    const double x = at(random), y = at(random);
    const LabelBox box =
        i % 3 ? LabelBox::upright(x, y, x + size(random), y + size(random) / 4)
              : LabelBox::text(static_cast<int>(x), static_cast<int>(y), {}, 60, 8, 10, static_cast<int>(turn(random)));
    const bool free = std::none_of(placed.begin(), placed.end(), [&](const LabelBox& p) { return overlaps(box, p); });
    ASSERT_EQ(placer.fits(box), free) << i;
    if (free) {
      placer.insert(box);
      placed.push_back(box);
      ++accepted;
    }
  }
  EXPECT_GT(accepted, 100);
  EXPECT_EQ(placer.size(), placed.size());
}

// A record made by hand through the recorder, as layers would draw.
class LabelPlanTest : public ::testing::Test {
 protected:
  LabelPlanTest() {
    measure.selectFont({"Test", 10, 400, 0});  // cells 12 high, characters 5 wide
  }
  LabelPlan plan() { return planLabels(recorder.labels(), 400, 300); }
  RecordingCanvas measure;
  MapRecorder recorder{measure};
};

TEST_F(LabelPlanTest, EarlierClassesWinWhateverTheOrderDrawn) {
  recorder.beginLayer(L::GridLabels, LabelClass::Grid);
  recorder.textOut(100, 100, "50N");
  recorder.beginLayer(L::OwnFixes, LabelClass::Waypoint);
  recorder.textOut(105, 104, "DINIM");
  recorder.beginLayer(L::TitleBlock, LabelClass::Always);
  recorder.textOut(0, 0, "TITLE");
  recorder.textOut(2, 2, "OVER THE TITLE");  // the title block stays whole
  const LabelPlan p = plan();
  EXPECT_FALSE(p.of(L::GridLabels)[0].keep);
  EXPECT_TRUE(p.of(L::OwnFixes)[0].keep);
  EXPECT_TRUE(p.of(L::TitleBlock)[0].keep && p.of(L::TitleBlock)[1].keep);
  EXPECT_EQ(p.textsDropped, 1);
}

TEST_F(LabelPlanTest, AFixLabelMovesRoundItsSymbolOrGoesWithTheSymbolKeptWhenFree) {
  recorder.beginLayer(L::TitleBlock, LabelClass::Always);
  recorder.textOut(126, 96, "BLOCKER");  // right of the fix below
  recorder.beginLayer(L::OwnFixes, LabelClass::Waypoint);
  recorder.drawSymbol(Symbol::Triangle, 120, 100, 4, colors::blue);  // event 0
  recorder.textOut(126, 96, "RIGHT");                                // event 1
  LabelPlan p = plan();
  const LabelDecision moved = p.of(L::OwnFixes)[1];
  EXPECT_TRUE(moved.keep);
  EXPECT_LT(moved.dx, -20);  // to the left of its symbol
  EXPECT_EQ(moved.dy, 0);
  EXPECT_EQ(p.textsMoved, 1);

  // Blocked all round: the label goes, and the symbol with it where it lies
  // under another text.
  recorder.beginLayer(L::TitleBlock, LabelClass::Always);
  for (const int y : {84, 96, 108}) recorder.textOut(60, y, "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXX");
  p = plan();
  EXPECT_FALSE(p.of(L::OwnFixes)[1].keep);
  EXPECT_FALSE(p.of(L::OwnFixes)[0].keep);
  EXPECT_EQ(p.symbolsDropped, 1);

  // A symbol alone stays where it is free, not on top of another symbol.
  recorder.beginLayer(L::SimData, LabelClass::Waypoint);
  recorder.drawSymbol(Symbol::Triangle, 300, 250, 4, colors::blue);  // event 0
  recorder.textOut(306, 246, "FIRST");                               // event 1
  recorder.drawSymbol(Symbol::Triangle, 300, 250, 4, colors::blue);  // event 2
  recorder.textOut(306, 246, "SECOND");                              // event 3
  recorder.drawSymbol(Symbol::Triangle, 300, 150, 4, colors::blue);  // event 4: no label
  p = plan();
  const auto& sim = p.of(L::SimData);
  EXPECT_TRUE(sim[0].keep && sim[1].keep);
  EXPECT_FALSE(sim[2].keep || sim[3].keep);
  EXPECT_TRUE(sim[4].keep);
}

TEST_F(LabelPlanTest, GroupsGoWholeAndTrackMarksStayUnderTheirLabels) {
  recorder.beginLayer(L::OwnFixes, LabelClass::Airport);
  recorder.textOut(50, 50, "X");
  recorder.beginLayer(L::DafifLines, LabelClass::Airway);
  recorder.beginLabelGroup();
  recorder.textOut(40, 50, "1");  // clear of X
  recorder.textOut(50, 50, "2");  // on X
  recorder.beginLayer(L::Tracks, LabelClass::Track);
  recorder.drawSymbol(Symbol::Triangle, 200, 200, 4, colors::blue);
  recorder.textOut(200, 200, "288");  // written across its mark
  const LabelPlan p = plan();
  EXPECT_FALSE(p.of(L::DafifLines)[0].keep);
  EXPECT_FALSE(p.of(L::DafifLines)[1].keep);
  EXPECT_TRUE(p.of(L::Tracks)[0].keep);
  EXPECT_TRUE(p.of(L::Tracks)[1].keep);
}

// A route's point is never left out: beside its symbol where it is free,
// else on a leader line from the symbol that crosses no text, else where it
// stood; no label lies under another point's symbol, drawn before or after
// it, and a waypoint label gives way.
TEST_F(LabelPlanTest, AKeptLabelMovesOffWhatItCoversOnALeaderWhenItMust) {
  recorder.beginStage(PaintStage::Above);
  recorder.beginLayer(L::TitleBlock, LabelClass::Always);
  const LabelBox onItsPlace = LabelBox::upright(126, 96, 166, 108),
                 onTheLeftLine = LabelBox::upright(100, 97, 110, 109);
  recorder.textOut(126, 96, "XXXXXXXX");
  recorder.textOut(100, 97, "XX");
  recorder.beginLayer(L::PlottedRoute, LabelClass::Kept);
  recorder.drawSymbol(Symbol::Triangle, 120, 100, 4, colors::black);  // event 0
  recorder.textOut(126, 96, "HERON");                                 // event 1
  // Three more points on its places left of, above and below its symbol.
  std::vector<LabelBox> symbols{LabelBox::upright(116, 96, 125, 105)};
  for (const auto& [x, y] : {std::pair{110, 100}, {120, 88}, {120, 112}}) {
    recorder.drawSymbol(Symbol::Triangle, x, y, 4, colors::black);
    symbols.push_back(LabelBox::upright(x - 4, y - 4, x + 5, y + 5));
  }
  recorder.beginLabelGroup();
  recorder.textOut(126, 40, "MAC");  // event 5, free: stays
  recorder.beginLayer(L::OwnFixes, LabelClass::Waypoint);
  recorder.textOut(126, 40, "TRN");
  recorder.endLayer();
  const MapRecording recording = recorder.finish(400, 300);
  const LabelPlan& p = recording.plan;
  const LabelDecision heron = p.of(L::PlottedRoute)[1];
  ASSERT_TRUE(heron.keep && heron.leader);
  EXPECT_EQ(p.leaders, 1);
  EXPECT_EQ(heron.fromX, 120);  // from the symbol's middle
  EXPECT_EQ(heron.fromY, 100);
  EXPECT_TRUE(p.of(L::PlottedRoute)[5].keep);
  EXPECT_EQ(p.of(L::PlottedRoute)[5].dx, 0);
  EXPECT_FALSE(p.of(L::OwnFixes)[0].keep);

  RecordingCanvas above;
  replayStage(recording, PaintStage::Above, above);
  const auto* moved = above.findText("HERON");
  ASSERT_NE(moved, nullptr);
  const auto leader =
      std::find_if(above.lines.begin(), above.lines.end(), [](const auto& l) { return l.x1 == 120 && l.y1 == 100; });
  ASSERT_NE(leader, above.lines.end());
  // The leader ends on the moved text's box; neither crosses a text, nor
  // does the text lie on a symbol.
  EXPECT_EQ(leader->x2, std::clamp(leader->x2, moved->x, moved->x + 5 * 5));
  const LabelBox text = LabelBox::upright(moved->x, moved->y, moved->x + 5 * 5, moved->y + 12);
  const LabelBox line = LabelBox::line(leader->x1, leader->y1, leader->x2, leader->y2, 1);
  for (const LabelBox& other : {onItsPlace, onTheLeftLine}) {
    EXPECT_FALSE(overlaps(text, other));
    EXPECT_FALSE(overlaps(line, other));
  }
  for (const LabelBox& symbol : symbols) EXPECT_FALSE(overlaps(text, symbol));
}

// An airway's name in its box: where the name is left out, so is the box
// (no empty boxes over the track ends); where it stays, the box is drawn.
TEST_F(LabelPlanTest, AFramedNameTakesItsBoxAlong) {
  recorder.beginStage(PaintStage::Above);
  recorder.beginLayer(L::TitleBlock, LabelClass::Always);
  recorder.textOut(80, 100, "OVER THE AIRWAY");
  recorder.beginLayer(L::SimData, LabelClass::Airway);
  drawLabelAt(recorder, "UN615", {100, 100, true}, 90, LabelAlign::Centre, LabelPlacement::AtAnchorTop, LabelFrame::Box,
              colors::blue);
  drawLabelAt(recorder, "UL9", {300, 250, true}, 90, LabelAlign::Centre, LabelPlacement::AtAnchorTop, LabelFrame::Box,
              colors::blue);
  recorder.endLayer();
  const MapRecording recording = recorder.finish(400, 300);
  RecordingCanvas above;
  replayStage(recording, PaintStage::Above, above);
  EXPECT_EQ(above.findText("UN615"), nullptr);
  ASSERT_NE(above.findText("UL9"), nullptr);
  int boxLines = 0;
  for (const auto& line : above.lines) {
    boxLines += line.color == colors::blue;
    EXPECT_GT(std::min(line.x1, line.x2), 200) << "a line of the box left without its name";
  }
  EXPECT_EQ(boxLines, 4);
}

TEST_F(LabelPlanTest, AReplayDrawsEachStageAsRecordedAndPlanned) {
  recorder.beginStage(PaintStage::Below);
  recorder.selectPen(colors::red, 2, PenStyle::Dash);
  recorder.moveTo(0, 0);
  recorder.lineTo(100, 50);
  recorder.beginStage(PaintStage::Above);
  recorder.beginLayer(L::OwnFixes, LabelClass::Waypoint);
  recorder.setTextColor(colors::blue);
  recorder.selectFont({"Test", 14, 400, 0});
  recorder.textOut(10, 10, "KEPT");
  recorder.textOut(12, 12, "DROPPED");
  recorder.endLayer();
  recorder.textOut(12, 12, "UNLABELLED");  // outside every label layer: drawn as it is
  const MapRecording recording = recorder.finish(400, 300);

  RecordingCanvas below, above;
  replayStage(recording, PaintStage::Below, below);
  replayStage(recording, PaintStage::Above, above);
  ASSERT_EQ(below.lines.size(), 1u);
  EXPECT_EQ(below.lines[0].color, colors::red);
  EXPECT_EQ(below.lines[0].style, PenStyle::Dash);
  EXPECT_EQ(below.lines[0].x2, 100);
  EXPECT_TRUE(below.texts.empty());
  ASSERT_EQ(above.texts.size(), 2u);
  EXPECT_EQ(above.texts[0].text, "KEPT");
  EXPECT_EQ(above.texts[0].color, colors::blue);
  EXPECT_EQ(above.texts[0].font.height, 14);
  EXPECT_EQ(above.texts[1].text, "UNLABELLED");
}

// The map on the NAT preset with the sample fix file and 26 labelled
// tracks: the texts drawn, recorded as boxes by a recorder under the paint.
class DeclutteredMap : public ::testing::Test {
 protected:
  DeclutteredMap() {
    seedDefaults(app.settings);
    app.settings.markReadDone();
    app.settings.set("MapFont", "Test", false);
    app.fixes.edit().setPathDirectly(KORVANT_SAMPLE_DAT);
    app.fixes.edit().load();
    applyControlFile(app);
    test::storeTwentySixTracks(app.tracks.edit().of(TrackFamily::NorthAtlantic), app.fixes);
    app.switches.routeBearings = app.switches.routeDistances = true;
    app.switches.variation = app.switches.ownAirports = true;
    app.trackFile = "tracks/nat-26.txt";
  }
  // How many pairs of the texts drawn overlap, how many were drawn, and how
  // many texts lie on a symbol not their own.
  struct Overlaps {
    int texts, drawn, onSymbols;
  };
  Overlaps overlapsDrawn() {
    RecordingCanvas measure;
    const test::BoxesDrawn boxes = test::boxesDrawn(app.paintInput(), measure, 1920, 1080);
    return {test::overlappingPairs(boxes.texts), static_cast<int>(boxes.texts.size()),
            test::textsOnOtherSymbols(boxes)};
  }
  test::RecordingBoxes boxes;
  test::FixedClock clock{1796633100, 0};
  AppContext app{boxes, clock};
};

TEST_F(DeclutteredMap, NoTwoLabelsOverlapWhereTheLayersAloneOverlapThousands) {
  ASSERT_TRUE(app.switches.declutter);  // the control file's default
  const auto [on, drawnOn, onSymbols] = overlapsDrawn();
  app.switches.declutter = false;
  const auto [off, drawnOff, offSymbols] = overlapsDrawn();
  EXPECT_EQ(on, 0);
  EXPECT_GT(off, 1000);
  EXPECT_GT(drawnOn, 900);  // most of the map still speaks
  EXPECT_LT(drawnOn, drawnOff);
  std::printf("NAT, 26 tracks, 1920x1080: %d overlapping pairs of %d texts without, %d of %d with\n", off, drawnOff, on,
              drawnOn);
}

// What the user asked to see, over the full map: a route string from New
// York over the tracks, one from Madrid whose first points crowd together,
// a real flight plan, and every DAFIF layer over Europe, runway numbers
// included. No two texts overlap, no text lies on a symbol (the courses and
// distances, written across the tracks' marks, are off) and every point of
// the route and the plan is named.
TEST_F(DeclutteredMap, RoutesPlansAndDafifOverlapNothingAndKeepEveryPoint) {
  app.switches.routeBearings = app.switches.routeDistances = false;
  const auto namesEveryPoint = [&](const std::vector<std::string>& names) {
    RecordingCanvas canvas;
    MapPainter(app.paintInput(), canvas).paint({.width = 1920, .height = 1080, .printing = false});
    for (const std::string& name : names) EXPECT_NE(canvas.findText(name), nullptr) << name;
  };
  std::vector<std::string> names;
  for (const char* text : {"KJFK DCT MERIT HFD PUT BOS DCT NATW DCT EGLL",
                           "LEMD DCT PDT DCT CNR DCT SSY DCT RBO DCT SIE DCT NEA DCT EON DCT VES DCT 45N020W DCT "
                           "44N030W DCT 42N040W DCT 40N050W DCT KJFK"}) {
    const RouteStringOutcome route = showRouteString(app, text);
    ASSERT_TRUE(route.drawn) << route.error;
    const Overlaps o = overlapsDrawn();
    EXPECT_EQ(o.texts, 0) << text;
    EXPECT_EQ(o.onSymbols, 0) << text;
    names.clear();
    for (const TrackFix& f : route.route.points) names.push_back(f.name);
    namesEveryPoint(names);
  }

  showRouteString(app, "");
  MapCommands commands(app);
  ASSERT_TRUE(commands.readProcedure(KORVANT_TEST_DATA "/plans/EGPB-EISG.PLN", false).repaint);
  EXPECT_EQ(overlapsDrawn().texts, 0);
  EXPECT_EQ(overlapsDrawn().onSymbols, 0);
  names.clear();
  for (const UW_Wpt& w : app.procedure->plan.waypoints)
    if (!w.isUserItem()) names.push_back(w.identifier);
  ASSERT_GT(names.size(), 10u);
  namesEveryPoint(names);

  app.procedureMap = false;
  app.dafif.fresh().setFolders(std::string(KORVANT_SAMPLE_DAFIF) + "/", "");
  app.view.selectPreset("EUROPE");
  for (bool* s : app.switches.dafif.drawing()) *s = true;
  const auto [overlapping, drawn, onSymbols] = overlapsDrawn();
  EXPECT_EQ(onSymbols, 0);
  EXPECT_EQ(overlapping, 0);
  EXPECT_GT(drawn, 500);
}

// With a route fitted, the legend goes to the corner that covers least of
// the tracks: never over a track's end or its letter.
TEST_F(DeclutteredMap, TheLegendCoversNoTracksEndOrLetter) {
  MapCommands commands(app);
  const std::string run = std::filesystem::path(KORVANT_SAMPLE_DAT).parent_path().string();
  ASSERT_TRUE(commands.readTracks(run + "/tracks/nat-20160210.html").repaint);
  ASSERT_TRUE(showRouteString(app, "KJFK DCT MERIT HFD PUT BOS DCT NATW DCT EGLL").drawn);
  RecordingCanvas canvas;
  const PaintResult r = MapPainter(app.paintInput(), canvas).paint({.width = 1920, .height = 1080, .printing = false});
  const auto* header = canvas.findText("EASTBOUND TRACKS FLS 320/400 INCLUSIVE");
  ASSERT_NE(header, nullptr);
  const auto legend = std::find_if(canvas.fills.begin(), canvas.fills.end(), [&](const auto& f) {
    const Rect& g = f.first;
    return g.width() < 1920 && g.left <= header->x && header->x <= g.right && g.top <= header->y &&
           header->y <= g.bottom;
  });
  ASSERT_NE(legend, canvas.fills.end());
  const Rect box = legend->first;
  const auto inside = [&](int x, int y) { return x >= box.left && x <= box.right && y >= box.top && y <= box.bottom; };
  int ends = 0;
  for (const ResolvedTrack& track : resolvedTracks(app.tracks)) {
    for (const TrackFix* end : {&track.fixes.front(), &track.fixes.back()}) {
      const DevicePoint d = r.projection.toDevice(end->position);
      EXPECT_FALSE(inside(d.x, d.y)) << track.name << " " << end->name;
      ends += d.x >= 0 && d.x < 1920 && d.y >= 0 && d.y < 1080;
    }
    for (const auto& t : canvas.texts) {
      if (t.text == track.name) {
        EXPECT_FALSE(inside(t.x, t.y)) << "letter " << track.name;
      }
    }
  }
  EXPECT_GT(ends, 20);  // the fitted map shows most of them
}

// The corner boxes (the two title blocks, the legend) at everyday views of
// the day's tracks: each whole on the surface, none over another.
TEST_F(DeclutteredMap, CornerBoxesStayOnTheSurfaceAndApart) {
  MapCommands commands(app);
  const std::string run = std::filesystem::path(KORVANT_SAMPLE_DAT).parent_path().string();
  ASSERT_TRUE(commands.readTracks(run + "/tracks/nat-20160210.html").repaint);
  ASSERT_EQ(app.view.presetName, "NAT");
  int boxesSeen = 0;
  for (const LatLng centre : {LatLng{5030, -3300}, LatLng{5500, -3000}, LatLng{4500, -4000}, LatLng{6000, -2000}})
    for (const double range : {250.0, 350.0, 450.0, 467.0, 480.0, 600.0, 900.0, 1500.0})
      for (const auto& [width, height] : {std::pair{1280, 800}, std::pair{900, 700}, std::pair{1920, 1080}}) {
        app.view.setCentre(centre, range);
        RecordingCanvas canvas;
        MapPainter(app.paintInput(), canvas).paint({.width = width, .height = height, .printing = false});
        std::vector<Rect> boxes;
        for (const auto& [g, color] : canvas.fills)
          if (g.width() < width) boxes.push_back(g);
        const std::string where = std::to_string(centre.lat) + " " + std::to_string(centre.lng) + " " +
                                  std::to_string(range) + " NM " + std::to_string(width) + "x" + std::to_string(height);
        ASSERT_GE(boxes.size(), 3u) << where;
        boxesSeen += static_cast<int>(boxes.size());
        for (std::size_t i = 0; i < boxes.size(); ++i) {
          const Rect& a = boxes[i];
          EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= width && a.bottom <= height) << where << " box " << i;
          for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            const Rect& b = boxes[j];
            EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
                << where << " boxes " << i << " and " << j;
          }
        }
      }
  EXPECT_GT(boxesSeen, 0);
}

// On paper the flight is drawn as boldly as the tracks, at the printer's
// dots, and the corner names the printer's resolution, not its dot count.
TEST_F(DeclutteredMap, OnPaperThePlanIsAsBoldAsTheTracks) {
  app.switches.printerColor = true;
  MapCommands(app).openDropped(std::string(KORVANT_TEST_DATA) + "/plans/EGPB-EISG.PLN");
  ASSERT_TRUE(app.procedure->routeShown);
  RecordingCanvas paper(1200, 1200);
  MapPainter(app.paintInput(), paper).paint({.width = 9000, .height = 6000, .printing = true});
  int planWidth = 0;
  for (const auto& line : paper.lines)
    if (line.color == colors::flightPlan) planWidth = std::max(planWidth, line.width);
  EXPECT_GE(planWidth, 2 * 1200 / 96);
  EXPECT_NE(paper.findText("RESOLUTION 1200 DPI"), nullptr);
}

TEST_F(DeclutteredMap, TrackLettersAndTheTitleBlockAlwaysShow) {
  RecordingCanvas canvas;
  MapPainter(app.paintInput(), canvas).paint({.width = 1920, .height = 1080, .printing = false});
  for (const char letter : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ"))
    EXPECT_NE(canvas.findText(std::string(1, letter)), nullptr) << letter;
  EXPECT_NE(canvas.findText("INTENDED FOR SIMULATION USE."), nullptr);
  EXPECT_NE(canvas.findText("FILE:  tracks/nat-26.txt"), nullptr);
  // On its own ground, framed.
  ASSERT_GE(canvas.fills.size(), 3u);  // the surface, the left and right blocks, the legend
}

}  // namespace
}  // namespace korvant
