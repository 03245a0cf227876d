// The ETOPS layer as the menu turns it on: its circles, its gaps in red and
// its marks, from the route string drawn and the airports given.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/mapcommands.h"
#include "app/routestringcommand.h"
#include "base/layercontrols.h"
#include "map/mappainter.h"
#include "support/recordingcanvas.h"
#include "support/sampletracksapp.h"

namespace korvant {
namespace {

using EtopsLayer = test::SampleTracksApp;

TEST_F(EtopsLayer, CirclesGapsAndMarksOnceTheMenuTurnsItOn) {
  app.settings.set("MapFont", "Test", false);
  app.settings.set("EtopsMinutes", "60", true);
  app.settings.set("EtopsAirports", "52N009W 64N022W 49N054W", true);
  ASSERT_TRUE(showRouteString(app, "53N015W 54N020W 54N030W 53N040W 52N050W").drawn);
  const auto paint = [&] {
    test::RecordingCanvas canvas;
    MapPainter(app.paintInput(), canvas).paint({.width = 1920, .height = 1080, .printing = false});
    return canvas;
  };
  const test::RecordingCanvas off = paint();
  EXPECT_EQ(off.findText("EEP"), nullptr);
  EXPECT_EQ(MapCommands(app).execute(switchCommandOf("etops")).note,
            "ETOPS: 3 DIVERSION AIRPORTS, 2 EQUAL-TIME POINTS");
  ASSERT_TRUE(app.switches.etops);
  const test::RecordingCanvas on = paint();
  for (const char* mark : {"EEP", "EXP", "ETP 52N009W/64N022W", "ETP 64N022W/49N054W", "64N022W"})
    EXPECT_NE(on.findText(mark), nullptr) << mark;
  const auto count = [&](Color color, PenStyle style) {
    return std::count_if(on.lines.begin(), on.lines.end(),
                         [&](const test::DrawnLine& l) { return l.color == color && l.style == style; });
  };
  // At 60 minutes the whole stretch beyond the threshold is beyond the approved time.
  EXPECT_GT(count(colors::red, PenStyle::Solid), 10);
  EXPECT_GT(count({0, 96, 160}, PenStyle::Dash), 100);  // three rings of 180 chords, partly on the map
  EXPECT_GT(count({128, 176, 208}, PenStyle::Dot), 100);
  // The equal-time points by a double circle of their own: two arcs each.
  EXPECT_GE(on.arcs.size(), off.arcs.size() + 4);
  // The route planned on a wide band of its own, drawn under the tracks and
  // the route's own line: before any line of the layer's rings.
  const auto band = [](const test::DrawnLine& l) { return l.color == Color{255, 232, 130} && l.width >= 5; };
  EXPECT_EQ(std::count_if(off.lines.begin(), off.lines.end(), band), 0);
  const auto lastBand = std::find_if(on.lines.rbegin(), on.lines.rend(), band);
  ASSERT_NE(lastBand, on.lines.rend());
  EXPECT_GE(std::count_if(on.lines.begin(), on.lines.end(), band), 4);
  const auto firstRing = std::find_if(on.lines.begin(), on.lines.end(), [](const test::DrawnLine& l) {
    return l.color == Color{128, 176, 208};
  });
  EXPECT_LT(on.lines.rend() - lastBand, firstRing - on.lines.begin() + 1);
}

}  // namespace
}  // namespace korvant
