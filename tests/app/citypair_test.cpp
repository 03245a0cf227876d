// A city pair against the day's tracks: the ranking, the refusals, and the
// dashed legs that join the pair to the track chosen, as the map draws them.
#include "app/citypair.h"

#include <gtest/gtest.h>

#include "geo/greatcircle.h"
#include "map/mappainter.h"
#include "support/recordingcanvas.h"
#include "support/sampletracksapp.h"

namespace korvant {
namespace {

class CityPairTest : public test::SampleTracksApp {
 protected:
  CityPairTest() { app.switches.declutter = false; }
};

TEST_F(CityPairTest, RanksOnlyTheTracksOfTheFlightsDirectionShortestFirst) {
  EXPECT_EQ(rankCityPair(app, "KJFK", "EGLL").error, "NO TRACKS ARE STORED: read a track message first.");
  ASSERT_TRUE(read("nat-20160210-qsimplanner.html"));
  for (const auto& [from, to, eastbound] : {std::tuple{"kjfk ", "EGLL", true}, std::tuple{"EGLL", "KJFK", false}}) {
    const CityPairTracks pair = rankCityPair(app, from, to);
    ASSERT_EQ(pair.error, "") << from;
    EXPECT_EQ(pair.from.ident, eastbound ? "KJFK" : "EGLL");
    EXPECT_NEAR(pair.directNm, distanceNm(pair.from.position, pair.to.position), 1e-9);
    ASSERT_FALSE(pair.ranked.empty());
    for (std::size_t i = 0; i < pair.ranked.size(); ++i) {
      const RankedTrack& r = pair.ranked[i];
      EXPECT_EQ(r.letter >= 'N', eastbound) << r.letter;  // N-Z eastbound, A-M westbound
      EXPECT_NEAR(r.extraNm, r.totalNm - pair.directNm, 1e-6);
      EXPECT_GT(r.extraNm, 0);
      if (i > 0) {
        EXPECT_LE(pair.ranked[i - 1].totalNm, r.totalNm);
      }
    }
  }
  EXPECT_EQ(rankCityPair(app, "KJFK", "NOWHERE").error, "AIRPORT NOT FOUND: NOWHERE");
  EXPECT_EQ(rankCityPair(app, "", "EGLL").error, "AIRPORT NOT FOUND: ");
  EXPECT_EQ(rankedTrackLine({'S', 3012.4, 17.6}), "TRACK S   3012 NM  +18 NM");
}

TEST_F(CityPairTest, TheChosenTrackIsJoinedToTheAirportsByDashedLegs) {
  ASSERT_TRUE(read("nat-20160210-qsimplanner.html"));
  const CityPairTracks pair = rankCityPair(app, "KJFK", "EGLL");
  ASSERT_EQ(pair.error, "");
  const char best = pair.ranked.front().letter;
  // A letter of the other direction, or none stored, changes nothing.
  EXPECT_FALSE(plotTrackConnections(app, pair, 'A'));
  EXPECT_FALSE(plotTrackConnections(app, pair, 0));
  EXPECT_TRUE(app.plottedRoute->empty());

  ASSERT_TRUE(plotTrackConnections(app, pair, best));
  const PlottedRoute& route = app.plottedRoute;
  const auto drawn = app.plottedRoute.share();
  ASSERT_EQ(route.points.size(), 4u);
  const ResolvedTrack& track = *std::find_if(pair.tracks.begin(), pair.tracks.end(),
                                             [best](const ResolvedTrack& t) { return t.letter == best; });
  EXPECT_EQ(route.points[0].name, "KJFK");
  EXPECT_EQ(route.points[1].position, track.fixes.front().position);
  EXPECT_EQ(route.points[2].position, track.fixes.back().position);
  EXPECT_EQ(route.points[3].position, pair.to.position);
  EXPECT_FALSE(route.points[1].marked);
  EXPECT_EQ(route.legs, (std::vector{LegStyle::Dashed, LegStyle::Hidden, LegStyle::Dashed}));

  // Drawn over the tracks: dashed in the route colour, the airports named, the
  // track's own legs not doubled in it.
  const auto connectionLines = [&](test::RecordingCanvas& canvas) {
    canvas = test::RecordingCanvas();
    MapPainter(app.paintInput(), canvas).paint({.width = 1920, .height = 1080, .printing = false});
    std::pair<int, int> dashedAndSolid;
    for (const test::DrawnLine& l : canvas.lines)
      if (l.color == colors::bestTrack) (l.style == PenStyle::Dash ? dashedAndSolid.first : dashedAndSolid.second) += 1;
    return dashedAndSolid;
  };
  test::RecordingCanvas canvas;
  const PlottedRoute kept = *app.plottedRoute;
  app.plottedRoute = PlottedRoute{};
  const auto [dashedBefore, solidBefore] = connectionLines(canvas);
  EXPECT_EQ(canvas.findText("KJFK"), nullptr);
  app.plottedRoute = kept;
  const auto [dashed, solid] = connectionLines(canvas);
  EXPECT_GT(dashed, dashedBefore + 1);
  EXPECT_EQ(solid, solidBefore);
  EXPECT_NE(canvas.findText("KJFK"), nullptr);
  EXPECT_NE(canvas.findText("EGLL"), nullptr);
  // The track the connections join is named beside them, in their colour.
  const test::DrawnText* named = canvas.findText(std::string("TRACK ") + best);
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(named->color, colors::bestTrack);
  EXPECT_TRUE(canvas.coordinatesWithin(1 << 16));

  // A new choice is a new picture for whoever keeps one.
  ASSERT_TRUE(plotTrackConnections(app, pair, pair.ranked.back().letter));
  EXPECT_NE(app.plottedRoute.share(), drawn);
}

}  // namespace
}  // namespace korvant
