// Labels along lines, and the font sample screen.
#include <gtest/gtest.h>

#include <cstdlib>

#include "geo/greatcircle.h"
#include "map/segmentlabel.h"
#include "map/testpattern.h"
#include "support/natprojection.h"
#include "support/recordingcanvas.h"

namespace korvant {
namespace {

using test::RecordingCanvas;

using test::natProjection;

TEST(SegmentLabel, AlongAnEastboundLineStraddlingIt) {
  RecordingCanvas canvas;
  canvas.selectFont({"Map", 16, 400, 0});
  const Projection p = natProjection();
  drawSegmentLabel(canvas, p, "UN123", {5000, -3500}, 90, 60.11, LabelAlign::Centre, LabelPlacement::Straddling,
                   LabelFrame::None, colors::red);
  ASSERT_EQ(canvas.texts.size(), 1u);
  const auto& t = canvas.texts[0];
  // Nearly level: the great circle and the meridians converge by about a degree.
  const int signedAngle = t.font.escapement > 1800 ? t.font.escapement - 3600 : t.font.escapement;
  EXPECT_LT(std::abs(signedAngle), 30);
  EXPECT_EQ(t.align, (TextAlign{HAlign::Center, VAlign::Baseline}));
  EXPECT_EQ(t.color, colors::red);
  EXPECT_TRUE(t.transparent);
  // Straddling the line: moved half a line height towards the text's lower side.
  const LatLng anchor = destinationWithEllipsoidCourse({5000, -3500}, 90, 60.11).position;
  const DevicePoint d = p.toDevice(anchor);
  const int m = 20 + 2;  // cell height + external leading of a 16-unit font
  EXPECT_NEAR(t.x, d.x, 1);
  EXPECT_NEAR(t.y, d.y + m / 2, 1);
  EXPECT_EQ(canvas.currentFont().escapement, 0);  // the previous font is back
  EXPECT_TRUE(canvas.lines.empty());
}

TEST(SegmentLabel, NorthboundLineReadsAlongTheMeridian) {
  RecordingCanvas canvas;
  canvas.selectFont({"Map", 16, 400, 0});
  drawSegmentLabel(canvas, natProjection(), "N", {5000, -3500}, 0, 60.11, LabelAlign::Centre,
                   LabelPlacement::AtAnchorTop, LabelFrame::None, colors::red);
  ASSERT_EQ(canvas.texts.size(), 1u);
  // Upright along the line, one way or the other.
  EXPECT_NEAR(std::abs(canvas.texts[0].font.escapement % 1800), 900, 20);
}

TEST(SegmentLabel, BoxAndOffSurfaceAnchors) {
  RecordingCanvas canvas;
  canvas.selectFont({"Map", 16, 400, 0});
  const Projection p = natProjection();
  drawSegmentLabel(canvas, p, "A", {5000, -3500}, 90, 100, LabelAlign::Left, LabelPlacement::Below, LabelFrame::Box,
                   colors::black);
  ASSERT_EQ(canvas.lines.size(), 4u);
  EXPECT_EQ(canvas.lines[3].x2, canvas.lines[0].x1);  // closed
  EXPECT_EQ(canvas.lines[3].y2, canvas.lines[0].y1);
  RecordingCanvas far;
  far.selectFont({"Map", 16, 400, 0});
  drawSegmentLabel(far, p, "B", {-5000, 14500}, 90, 100, LabelAlign::Left, LabelPlacement::Below, LabelFrame::Box,
                   colors::black);
  EXPECT_TRUE(far.texts.empty());
}

TEST(FontSampleScreen, HeadingsFontsColoursAndBias) {
  RecordingCanvas canvas;
  canvas.families = {{"DejaVu Sans Mono", true}, {"Fixed", false}};
  drawFontSampleScreen(canvas, {0, 0, 1200, 800}, -60);
  EXPECT_NE(canvas.findText("FIXED PITCH FONTS ON THIS SYSTEM:"), nullptr);
  EXPECT_NE(canvas.findText("8 POINT SAMPLE (or closest match)"), nullptr);
  EXPECT_NE(canvas.findText("DejaVu Sans Mono"), nullptr);
  EXPECT_NE(canvas.findText("Fixed"), nullptr);
  int tt = 0, samples = 0;
  for (const auto& t : canvas.texts) {
    tt += t.text == "TT";
    samples += t.text.find("ABCDE FGHIJ") != std::string::npos;
  }
  EXPECT_EQ(tt, 1);
  EXPECT_EQ(samples, 2);
  EXPECT_NE(canvas.findText("ACTIVE TIME BIAS FROM REGISTRY ADDS -60 MINUTES TO LOCAL TIME TO GET UTC. "), nullptr);
  EXPECT_NE(canvas.findText("RED-GREEN-BLUE COLORS"), nullptr);
  // 13 grey levels and 6 colours, two lines each, after the border's four.
  EXPECT_EQ(canvas.lines.size(), 4u + 2 * 19);
  EXPECT_EQ(canvas.lines.back().color, colors::magenta);
}

TEST(FontSampleScreen, NoFixedPitchFontsAndNoBias) {
  RecordingCanvas canvas;
  drawFontSampleScreen(canvas, {0, 0, 800, 600}, std::nullopt);
  EXPECT_NE(canvas.findText("FONT NAME"), nullptr);
  EXPECT_NE(canvas.findText("CAN'T FIND ACTIVE TIME BIAS ENTRY IN REGISTRY."), nullptr);
  EXPECT_EQ(canvas.findText("TT"), nullptr);
}

}  // namespace
}  // namespace korvant
