// Rotated fonts, symbols and the far-side rule.
#include <gtest/gtest.h>

#include <random>

#include "geo/greatcircle.h"
#include "map/aircraftdrawing.h"
#include "map/farside.h"
#include "map/fontangle.h"
#include "map/layers/layers.h"
#include "map/symbols.h"
#include "support/natprojection.h"
#include "support/recordingcanvas.h"

namespace korvant {
namespace {

using test::RecordingCanvas;

TEST(FontAngle, EntriesByTwoDegrees) {
  EXPECT_EQ(FontAngle::entryFor(-900), 135);
  EXPECT_EQ(FontAngle::entryFor(3600), 0);
  EXPECT_EQ(FontAngle::entryFor(-3601), 179);
  EXPECT_EQ(FontAngle::entryFor(7219), 0);
  RecordingCanvas canvas;
  FontAngle angles(canvas);
  ASSERT_TRUE(angles.select(-900));
  EXPECT_EQ(canvas.currentFont().escapement, 2700);
  EXPECT_EQ(canvas.currentFont().face, "Test");
}

TEST(FontAngle, FirstAngleOfAnEntryIsKept) {
  RecordingCanvas canvas;
  FontAngle angles(canvas);
  angles.select(451);
  angles.select(459);
  EXPECT_EQ(canvas.currentFont().escapement, 451);
  angles.select(460);
  EXPECT_EQ(canvas.currentFont().escapement, 460);
}

TEST(FontAngle, AFontThatCannotBeMadeLeavesTheCurrentOne) {
  struct Refusing : RecordingCanvas {
    bool selectFont(const FontSpec&) override { return false; }
  } canvas;
  FontAngle angles(canvas);
  EXPECT_FALSE(angles.select(450));
  EXPECT_EQ(canvas.currentFont().escapement, 0);
}

std::vector<std::array<int, 4>> segments(const RecordingCanvas& c) {
  std::vector<std::array<int, 4>> out;
  for (const auto& l : c.lines) out.push_back({l.x1, l.y1, l.x2, l.y2});
  return out;
}

TEST(Symbols, Shapes) {
  RecordingCanvas c;
  drawTriangle(c, 100, 100, 4, colors::blue);
  EXPECT_EQ(segments(c),
            (std::vector<std::array<int, 4>>{{100, 96, 96, 104}, {96, 104, 104, 104}, {104, 104, 100, 96}}));
  EXPECT_EQ(c.lines[0].color, colors::blue);
  EXPECT_EQ(c.lines[0].width, 1);
  // On paper a screen pixel's width, not a hairline under the tracks' lines.
  RecordingCanvas page(600, 600);
  drawTriangle(page, 100, 100, 4, colors::blue);
  drawDoubleCircle(page, 100, 100, 4, colors::blue);
  for (const auto& l : page.lines) EXPECT_EQ(l.width, 6);
  EXPECT_EQ(page.penWidth, 6);  // the double circle's arcs, and what follows

  RecordingCanvas sq;
  drawSquare(sq, 10, 10, 2, colors::black);
  EXPECT_EQ(segments(sq),
            (std::vector<std::array<int, 4>>{{8, 8, 8, 12}, {8, 12, 12, 12}, {12, 12, 12, 8}, {12, 8, 8, 8}}));

  RecordingCanvas hex;
  drawHexagon(hex, 50, 50, 5, colors::black);
  ASSERT_EQ(hex.lines.size(), 6u);
  EXPECT_EQ(hex.lines[0].x1, 55);
  EXPECT_EQ(hex.lines[0].x2, 52);  // r / 2 by integer division
  EXPECT_EQ(hex.lines[0].y2, 45);
  EXPECT_EQ(hex.lines[2].x2, 45);
  EXPECT_EQ(hex.lines[5].x2, 55);

  RecordingCanvas cross;
  drawCross(cross, 0, 0, 3, colors::black);
  EXPECT_EQ(segments(cross), (std::vector<std::array<int, 4>>{{-3, -3, 3, 3}, {-3, 3, 3, -3}}));

  RecordingCanvas circles;
  drawDoubleCircle(circles, 20, 20, 7, colors::black);
  ASSERT_EQ(circles.arcs.size(), 4u);
  EXPECT_EQ(circles.arcs[0].r, 7);
  EXPECT_EQ(circles.arcs[2].r, 3);
  EXPECT_EQ(circles.arcs[0].x1, circles.arcs[1].x2);  // two halves meet
}

// The symbol is filled, its nose along the track, and the tag says level,
// ground speed and time beside it without lying on the way ahead or behind;
// everything drawn stays inside the box the window repaints as it moves.
TEST(AircraftDrawing, FilledNoseAlongTrackTaggedAndWithinItsBox) {
  const Projection projection = test::natProjection();
  const FontSpec tag{"Test", 12, 400, 0};
  for (const double track : {0.0, 45.0, 90.0, 135.0, 180.0, 225.0, 270.0, 315.0}) {
    SCOPED_TRACE(track);
    const AircraftState a{{5000, -3500}, 35049, track, 477.6, 1735821300, true, false};
    RecordingCanvas canvas;
    drawAircraft(canvas, projection, a, true, tag);
    const Rect box = aircraftBox(projection, a, tag);
    const DevicePoint at = projection.toDevice(a.position);
    ASSERT_EQ(canvas.polygons.size(), 1U);
    const std::vector<Point>& shape = canvas.polygons[0].first;
    EXPECT_EQ(canvas.polygons[0].second, (Color{0, 0, 0}));
    // The nose is the shape's first point, 13 units ahead.
    const double nx = shape[0].x - at.x, ny = shape[0].y - at.y;
    EXPECT_NEAR(std::hypot(nx, ny), 13, 1);
    const double screenTrack = std::atan2(nx, -ny) * 180 / PI;
    EXPECT_LT(std::fabs(std::remainder(screenTrack - track, 360)), 8);

    ASSERT_NE(canvas.findText("FL350 GS478"), nullptr);
    ASSERT_NE(canvas.findText("1235Z"), nullptr);
    const auto inside = [&](int x, int y) { return x >= box.left && x < box.right && y >= box.top && y < box.bottom; };
    for (const Point& p : shape) EXPECT_TRUE(inside(p.x, p.y));
    for (const test::DrawnLine& l : canvas.lines) EXPECT_TRUE(inside(l.x1, l.y1) && inside(l.x2, l.y2));
    ASSERT_EQ(canvas.fills.size(), 1U);
    const Rect t = canvas.fills[0].first;
    for (const test::DrawnText& text : canvas.texts) {
      const int half = canvas.textWidth(text.text) / 2;
      EXPECT_TRUE(t.left <= text.x - half && text.x + half <= t.right && t.top <= text.y &&
                  text.y + canvas.textMetrics().height <= t.bottom)
          << text.text;
    }
    // 40 units ahead and behind, along the track on the screen, are clear.
    for (const int sign : {1, -1}) {
      const int x = at.x + static_cast<int>(std::lround(sign * 40 * nx / 13));
      const int y = at.y + static_cast<int>(std::lround(sign * 40 * ny / 13));
      EXPECT_FALSE(x >= t.left && x < t.right && y >= t.top && y < t.bottom) << sign;
    }
  }
}

TEST(Ticks, ArmArithmeticBorrowsFortyAcrossAWholeDegree) {
  EXPECT_EQ(tickArm(1000, 5).lower, 955);
  EXPECT_EQ(tickArm(1000, 5).upper, 1005);
  EXPECT_EQ(tickArm(-1000, 5).lower, -1005);
  EXPECT_EQ(tickArm(-1000, 5).upper, -955);
  EXPECT_EQ(tickArm(0, 5).lower, -5);
  EXPECT_EQ(tickArm(0, 5).upper, 5);
  // A 1/5 cross at 10 degrees east spans 9 degrees 50 to 10 degrees 10.
  EXPECT_EQ(tickArm(1000, 10).lower, 950);
  EXPECT_EQ(tickArm(1000, 10).upper, 1010);
}

TEST(FarSideRule, AgreesWithTheExactComputationEverywhere) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> lat(-9000, 9000), lng(-18000, 18000);
  for (const LatLng centre : {LatLng{5000, -3500}, LatLng{0, 0}, LatLng{-3300, 15100}, LatLng{9000, 0}}) {
    const FarSideRule rule(centre);
    for (int i = 0; i < 2000; ++i) {
      const LatLng p{std::round(lat(random)), std::round(lng(random))};
      const CourseDistance exact = courseAndDistance(centre, p);
      const SideOfCentre side = rule.side(p);
      ASSERT_EQ(side.far, exact.distance > FAR_SIDE_NM) << p.lat << " " << p.lng;
      if (side.far) {
        ASSERT_EQ(side.courseAtOrAbove180, exact.course >= 180) << p.lat << " " << p.lng;
      }
    }
  }
}

TEST(FarSideRule, SkipsOnlyAcrossTheFarSide) {
  const FarSideRule rule({5000, -3500});
  // Either side of the antipode's meridian, both far away.
  EXPECT_TRUE(rule.skips(LatLng{-5000, 14400}, LatLng{-5000, 14600}));
  EXPECT_FALSE(rule.skips(LatLng{-5000, 14400}, LatLng{-5000, 14300}));
  EXPECT_FALSE(rule.skips(LatLng{5000, -3000}, LatLng{5000, -4000}));
}

}  // namespace
}  // namespace korvant
