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
}

}  // namespace
}  // namespace korvant
