// A route string read as the window reads it: drawn over the tracks, the view
// fitted to it (over the antimeridian too), refusals said, and the route
// written as a flight plan that the program's own reader reads back.
#include "app/routestringcommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <nlohmann/json.hpp>
#include <pugixml.hpp>
#include <sstream>

#include "app/citypair.h"
#include "app/flightsession.h"
#include "app/mapcommands.h"
#include "base/commandids.h"
#include "procedures/flightplan.h"
#include "procedures/planreaders.h"
#include "support/sampletracksapp.h"
#include "support/shownmessages.h"
#include "support/tempdir.h"
#include "tracks/trackexport.h"
#include "tracks/trackplan.h"

namespace korvant {
namespace {

class RouteStringCommandTest : public test::SampleTracksApp {};

// The route flown is the last one given: a route string closes the plan, a
// plan opened after it takes its place, and Clear Route closes either.
TEST_F(RouteStringCommandTest, TheRouteFlownIsTheLastGiven) {
  const std::string plan = std::string(KORVANT_TEST_DATA) + "/plans/EGPB-EISG.PLN";
  const auto flown = [&] { return shownFlightRoute(app).points; };
  MapCommands(app).openDropped(plan);
  ASSERT_TRUE(app.procedure->routeShown);
  const std::string planFirst = flown().front().ident;
  ASSERT_TRUE(showRouteString(app, "KJFK MERIT HFD").drawn);
  EXPECT_FALSE(app.procedure->routeShown);
  EXPECT_EQ(flown().front().ident, "KJFK");
  MapCommands(app).openDropped(plan);
  EXPECT_TRUE(app.plottedRoute->empty());
  EXPECT_EQ(flown().front().ident, planFirst);
  MapCommands(app).execute(cmd::ClearRoute);
  EXPECT_FALSE(app.procedure->shown());
  EXPECT_TRUE(flown().empty());
}

TEST_F(RouteStringCommandTest, DrawnWithTheTracksAndTheViewFitted) {
  ASSERT_TRUE(read("nat-20160210-qsimplanner.html"));
  app.procedureMap = true;
  const RouteStringOutcome o = showRouteString(app, "KJFK DCT NICSO NATS LIMRI UL9 FOOBAR EGLL");
  EXPECT_TRUE(o.drawn);
  EXPECT_EQ(o.error, "");
  EXPECT_EQ(o.notes, "NOT RESOLVED: FOOBAR\nNOT EXPANDED, FLOWN DIRECT: UL9\nNICSO LIES 1023 NM FROM KJFK\n");
  EXPECT_EQ(app.routeString, "KJFK DCT NICSO NATS LIMRI UL9 FOOBAR EGLL");
  EXPECT_FALSE(app.procedureMap);  // the tracks stay in sight
  EXPECT_FALSE(app.tracks->empty());
  const PlottedRoute& route = app.plottedRoute;
  ASSERT_EQ(route.points.size(), 8u);
  EXPECT_TRUE(route.directLine);
  EXPECT_EQ(route.leg(3), LegStyle::Solid);
  const auto drawn = app.plottedRoute.share();
  // Fitted: the centre between New York and London, both within range.
  EXPECT_GT(app.view.centre.lng, -6000);
  EXPECT_LT(app.view.centre.lng, -2000);
  EXPECT_GT(app.view.range, 1400);
  EXPECT_LT(app.view.range, 2200);

  // A blank string takes it off the map; the text is kept.
  const RouteStringOutcome blank = showRouteString(app, " \n\t");
  EXPECT_FALSE(blank.drawn);
  EXPECT_EQ(blank.error, "");
  EXPECT_TRUE(app.plottedRoute->empty());
  EXPECT_NE(app.plottedRoute.share(), drawn);
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
  const auto held = app.plottedRoute.share();
  RouteStringOutcome o = showRouteString(app, "KJFK NAT Q PACOTS 3 EGLL");
  EXPECT_FALSE(o.drawn);
  EXPECT_EQ(o.error, "NAT TRACK Q IS NOT STORED\nPACOTS TRACK 3 IS NOT STORED\n");
  EXPECT_EQ(app.plottedRoute.share(), held);  // the route before stays
  o = showRouteString(app, "DCT KJFK N0480F350 DCT");
  EXPECT_EQ(o.error, "THE ROUTE STRING NAMES FEWER THAN TWO KNOWN POINTS\n");
  EXPECT_EQ(app.plottedRoute.share(), held);
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
// to the same points, kinds, airways and altitudes, whatever its names hold:
// by the program's own reader, and by independent ones (pugixml for the XML,
// nlohmann for GeoJSON, the GPX schema with xmllint, and the line and field
// counts the text formats are defined by).
TEST(FlightPlanConversion, HostileNamesAndEveryFormatReadBackToTheSamePlan) {
  const std::string hostile[] = {"MALOT",
                                 "A\nB",
                                 "A\rB",
                                 "C0 W1",
                                 "A\tB",
                                 "A,B",
                                 "A&B",
                                 "A<B>",
                                 "ESC\x1b[0m",
                                 "BEL\x07",
                                 "\xFF\xFE\xC0\x80",
                                 "\xC3",
                                 std::string(200, 'N'),
                                 ""};
  test::TempDir dir;
  for (const std::string& name : hostile) {
    SCOPED_TRACE(::testing::PrintToString(name));
    FlightPlan source;
    source.cruisingAltitude = "35000";
    source.waypoints = {{0, "EGLL", "A", {5128.65, -27.68}, 83, ""},
                        {1, name, "U", {5330, -1425}, 34000, "M16"},
                        {2, "BUZAD", "I", {5500, -3000}, 35000, "L603"},
                        {3, "WP8", "U", {5300, -5000}, 0, ""}};
    ResolvedTrack holder;
    const TrackPlan plan = flightPlanAsTrackPlan(source, holder);
    const std::string expected = isPlanSafeName(name) ? name : planSafeName(name);
    ASSERT_TRUE(isPlanSafeName(expected));
    for (const PlanFormat format : {PlanFormat::Fs2004, PlanFormat::Xml, PlanFormat::XPlane}) {
      SCOPED_TRACE(static_cast<int>(format));
      const std::string text = writeTrackPlan(plan, format);
      const Result<FlightPlan> back = readAnyFlightPlan(text, nullptr);
      ASSERT_TRUE(back);
      EXPECT_TRUE(back.problems.empty()) << static_cast<int>(back.problems[0].reason);
      ASSERT_EQ(back->waypoints.size(), 4u) << text;
      for (std::size_t i = 0; i < 4; ++i) {
        const UW_Wpt &was = source.waypoints[i], &is = back->waypoints[i];
        EXPECT_NEAR(is.position.lat, was.position.lat, 0.01) << i;
        EXPECT_NEAR(is.position.lng, was.position.lng, 0.01) << i;
        EXPECT_EQ(is.identifier, i == 1 ? expected : was.identifier) << i;
        // A user point stays one, an end that is no airport too.
        EXPECT_EQ(is.type, was.type) << i;
        EXPECT_EQ(is.altitude, was.altitude) << i;
        EXPECT_EQ(is.text, was.text) << i;
      }
      // Independent readers: the text formats line by line, the XML by pugixml.
      if (format == PlanFormat::XPlane) {
        std::istringstream lines(text);
        int points = 0;
        for (std::string line; std::getline(lines, line);) {
          std::istringstream words(line);
          std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
          if (w.size() == 6) ++points;
          EXPECT_TRUE(w.size() <= 2 || w.size() == 6) << line;
        }
        EXPECT_EQ(points, 4);
        EXPECT_NE(text.find("\nDES WP8\n"), std::string::npos) << text;
        EXPECT_NE(text.find("\n28 WP8 DRCT 0.000000 "), std::string::npos) << text;
        EXPECT_NE(text.find("\n11 BUZAD L603 35000.000000 "), std::string::npos) << text;
      } else if (format == PlanFormat::Fs2004) {
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 11 + 4) << text;
        EXPECT_EQ(text.find('\r'), std::string::npos);
      } else {
        pugi::xml_document xml;
        ASSERT_TRUE(xml.load_string(text.c_str()));
        EXPECT_EQ(xml.select_nodes("//ATCWaypoint").size(), 4u);
        EXPECT_STREQ(xml.select_node("//ATCWaypoint[4]/ATCWaypointType").node().text().get(), "User");
      }
    }
    // The map formats of the same plan: well-formed for independent readers.
    holder.fixes.insert(holder.fixes.begin(), {"EGLL", {5128.65, -27.68}, FIX_KIND_AIRPORT});
    holder.name = name;
    const nlohmann::json geo = nlohmann::json::parse(exportTracks({holder}, TrackExportFormat::GeoJson));
    EXPECT_EQ(geo["features"][0]["properties"]["fixes"].size(), 3u);
    for (const TrackExportFormat format : {TrackExportFormat::Kml, TrackExportFormat::Gpx}) {
      pugi::xml_document xml;
      EXPECT_TRUE(xml.load_string(exportTracks({holder}, format).c_str()));
    }
    const std::string gpx = dir.write("plan.gpx", exportTracks({holder}, TrackExportFormat::Gpx));
    const std::string schema = std::string(KORVANT_TEST_DATA) + "/schemas/gpx-1.1-routes.xsd";
    EXPECT_EQ(std::system(("xmllint --noout --schema " + schema + " " + gpx + " 2> /dev/null").c_str()), 0);
  }
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// The tracks a route string flies are worked out once, when the route or
// the tracks change, and every paint after reads that answer.
TEST_F(RouteStringCommandTest, TheTracksItFliesAreWorkedOutOncePerChange) {
  ASSERT_TRUE(read("nat-20160210-qsimplanner.html"));
  ASSERT_TRUE(showRouteString(app, "KJFK DCT MERIT HFD PUT BOS DCT NATW DCT EGLL").drawn);
  const auto first = app.trackRuns();
  ASSERT_EQ(first->route.size(), 1u);
  EXPECT_EQ(first->route[0].name, "NAT W");
  EXPECT_EQ(app.paintInput().trackRuns, first);
  app.tracks.edit().clear();
  const auto cleared = app.trackRuns();
  EXPECT_NE(cleared, first);
  EXPECT_TRUE(cleared->route.empty());
  EXPECT_EQ(first->route.size(), 1u);  // a paint holding the first keeps it
}

}  // namespace
}  // namespace korvant
