// A route string read as the window reads it: drawn over the tracks, the view
// fitted to it (over the antimeridian too), refusals said, and the route
// written as a flight plan that the program's own reader reads back.
#include "app/routestringcommand.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/citypair.h"
#include "procedures/flightplan.h"
#include "procedures/planreaders.h"
#include "support/sampletracksapp.h"
#include "support/shownmessages.h"
#include "support/tempdir.h"
#include "tracks/trackplan.h"

namespace korvant {
namespace {

class RouteStringCommandTest : public test::SampleTracksApp {};

TEST_F(RouteStringCommandTest, DrawnWithTheTracksAndTheViewFitted) {
  ASSERT_TRUE(read("nat-20160210-qsimplanner.html"));
  app.procedureMap = true;
  const RouteStringOutcome o = showRouteString(app, "KJFK DCT NICSO NATS LIMRI UL9 FOOBAR EGLL");
  EXPECT_TRUE(o.drawn);
  EXPECT_EQ(o.error, "");
  EXPECT_EQ(o.notes, "NOT RESOLVED: FOOBAR\nNOT EXPANDED, FLOWN DIRECT: UL9\n");
  EXPECT_EQ(app.routeString, "KJFK DCT NICSO NATS LIMRI UL9 FOOBAR EGLL");
  EXPECT_FALSE(app.procedureMap);  // the tracks stay in sight
  EXPECT_FALSE(app.tracks.empty());
  const PlottedRoute& route = app.plottedRoute;
  ASSERT_EQ(route.points.size(), 8u);
  EXPECT_TRUE(route.directLine);
  EXPECT_EQ(route.leg(3), LegStyle::Solid);
  EXPECT_EQ(route.revision, 1);
  // Fitted: the centre between New York and London, both within range.
  EXPECT_GT(app.view.centre.lng, -6000);
  EXPECT_LT(app.view.centre.lng, -2000);
  EXPECT_GT(app.view.range, 1400);
  EXPECT_LT(app.view.range, 2200);

  // A blank string takes it off the map; the text is kept.
  const RouteStringOutcome blank = showRouteString(app, " \n\t");
  EXPECT_FALSE(blank.drawn);
  EXPECT_EQ(blank.error, "");
  EXPECT_TRUE(app.plottedRoute.empty());
  EXPECT_EQ(app.plottedRoute.revision, 2);
}

TEST_F(RouteStringCommandTest, APacificRouteOverTheAntimeridianIsCentredOnIt) {
  ASSERT_TRUE(read("pacots-20160208-qsimplanner.txt"));
  const RouteStringOutcome o = showRouteString(app, "RJAA 40N160E PACOTS 1 PRETY KSFO");
  ASSERT_TRUE(o.drawn) << o.error;
  // Tokyo 140E to San Francisco 122W: the middle lies near 170W, not over Africa.
  const double lng = app.view.centre.lng;
  EXPECT_TRUE(lng > 16000 || lng < -15000) << lng;
  EXPECT_GT(app.view.range, 2000);
}

TEST_F(RouteStringCommandTest, RefusedWhenATrackIsNotStoredOrNothingResolves) {
  ASSERT_TRUE(read("nat-20160210-qsimplanner.html"));
  ASSERT_TRUE(showRouteString(app, "KJFK NATS EGLL").drawn);
  const int revision = app.plottedRoute.revision;
  RouteStringOutcome o = showRouteString(app, "KJFK NAT Q PACOTS 3 EGLL");
  EXPECT_FALSE(o.drawn);
  EXPECT_EQ(o.error, "NAT TRACK Q IS NOT STORED\nPACOTS TRACK 3 IS NOT STORED\n");
  EXPECT_EQ(app.plottedRoute.revision, revision);  // the route before stays
  o = showRouteString(app, "DCT KJFK N0480F350 DCT");
  EXPECT_EQ(o.error, "THE ROUTE STRING NAMES FEWER THAN TWO KNOWN POINTS\n");
  EXPECT_EQ(app.plottedRoute.revision, revision);
}

TEST_F(RouteStringCommandTest, WrittenAsAFlightPlanAndReadBack) {
  ASSERT_TRUE(read("nat-20160210-qsimplanner.html"));
  const RouteStringOutcome o = showRouteString(app, "EGLL SUNOT NATA JANJO KJFK");
  ASSERT_TRUE(o.drawn);
  ResolvedTrack holder;
  const TrackPlan plan = routeStringPlan(app.plottedRoute, holder);
  EXPECT_EQ(plan.departure.ident, "EGLL");
  EXPECT_EQ(plan.destination.ident, "KJFK");
  ASSERT_EQ(plan.track->fixes.size(), 6u);  // SUNOT ... JANJO
  const auto back = readFlightPlan(writeTrackPlan(plan, PlanFormat::Fs2004), boxes);
  ASSERT_TRUE(back);
  ASSERT_EQ(back->waypoints.size(), o.route.points.size());
  for (std::size_t i = 0; i < o.route.points.size(); ++i) {
    EXPECT_NEAR(back->waypoints[i].position.lat, o.route.points[i].position.lat, 0.01) << i;
    EXPECT_NEAR(back->waypoints[i].position.lng, o.route.points[i].position.lng, 0.01) << i;
  }
  // Two points: the airports alone, no waypoint between them.
  ASSERT_TRUE(showRouteString(app, "EGLL KJFK").drawn);
  const TrackPlan bare = routeStringPlan(app.plottedRoute, holder);
  EXPECT_EQ(bare.destination.ident, "KJFK");
  EXPECT_TRUE(bare.track->fixes.empty());
  // Saved is what the map shows: not a route string read earlier once a
  // best track's connections have taken its place.
  test::TempDir dir;
  std::string error;
  ASSERT_TRUE(showRouteString(app, "EGLL SUNOT NATA JANJO KJFK").drawn);
  EXPECT_TRUE(saveRouteStringPlan(app, dir.str() + "/a.fms", false, error)) << error;
  const CityPairTracks pair = rankCityPair(app, "KJFK", "EGLL");
  ASSERT_TRUE(plotTrackConnections(app, pair, pair.ranked.front().letter));
  EXPECT_FALSE(saveRouteStringPlan(app, dir.str() + "/b.fms", false, error));
  EXPECT_EQ(error, "no route string is drawn: read one first");
  EXPECT_FALSE(std::filesystem::exists(dir.str() + "/b.fms"));
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// A plan read in one format is written in each of the others and reads back
// to the same points, kinds and cruise.
TEST(FlightPlanConversion, EveryFormatWrittenReadsBackToTheSamePlan) {
  const Result<FlightPlan> fms = readAnyFlightPlan(
      "I\n1100 Version\nADEP EGLL\nADES KJFK\nNUMENR 4\n1 EGLL ADEP 83 51.4775 -0.461389\n"
      "3 BUZAD DRCT 35000 53.5 -14.25\n28 5530N DRCT 35000 55.5 -30.0\n1 KJFK ADES 13 40.639722 -73.778056\n",
      nullptr);
  ASSERT_TRUE(fms);
  ResolvedTrack holder;
  const TrackPlan plan = flightPlanAsTrackPlan(*fms, holder);
  for (const PlanFormat format : {PlanFormat::Fs2004, PlanFormat::Xml, PlanFormat::XPlane}) {
    const Result<FlightPlan> back = readAnyFlightPlan(writeTrackPlan(plan, format), nullptr);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->waypoints.size(), fms->waypoints.size());
    for (std::size_t i = 0; i < fms->waypoints.size(); ++i) {
      EXPECT_NEAR(back->waypoints[i].position.lat, fms->waypoints[i].position.lat, 0.01) << i;
      EXPECT_NEAR(back->waypoints[i].position.lng, fms->waypoints[i].position.lng, 0.01) << i;
      // The 2004 form has no position type: a position is written as a fix.
      const bool position2004 = format == PlanFormat::Fs2004 && fms->waypoints[i].type == "U";
      EXPECT_EQ(back->waypoints[i].type, position2004 ? "I" : fms->waypoints[i].type) << i;
    }
  }
  EXPECT_EQ(plan.departure.ident, "EGLL");
  EXPECT_EQ(holder.fixes[0].kind, FIX_KIND_VOR);
}

}  // namespace
}  // namespace korvant
