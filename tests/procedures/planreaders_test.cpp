// The plan formats of today, as the simulators and planners write them; the
// texts are made up for these tests, in the forms those programs use.
#include "procedures/planreaders.h"
#include "procedures/routestringreport.h"

#include <gtest/gtest.h>

#include "app/problemwords.h"
#include "navdata/fixfile_builder.h"
#include "procedures/plantrackmatch.h"
#include "procedures/procedurereport.h"

namespace korvant {
namespace {

class PlanReaders : public ::testing::Test {
 protected:
  PlanReaders() {
    FixFileContents c;
    c.fixes = {test::makeFix("EGLL", 5128.65, -27.68), test::makeFix("KJFK", 4038.38, -7346.69),
               test::makeFix("MALOT", 5300, -1500), test::makeFix("MALOT", -1000, 10000)};
    fixes.loadBytes(test::fixFileBytes(c));
  }
  FixStore fixes;
};

std::vector<std::string> identsOf(const FlightPlan& plan) {
  std::vector<std::string> ids;
  for (const UW_Wpt& w : plan.waypoints) ids.push_back(w.identifier);
  return ids;
}

TEST_F(PlanReaders, EachFormatAsItsProgramsWriteIt) {
  struct Case {
    const char* name;
    std::string text;
    PlanFileFormat format;
    std::vector<std::string> idents;
    LatLng second;             // the second point's position
    std::string cruise;        // the plan's cruising altitude
    std::size_t messages = 0;  // what is said beside the plan
  };
  const Case cases[] = {
      {"today's simulator, BOM, comment, UTF-8 and Latin-1 degree signs, decimal comma",
       "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- made up -->\n\n"
       "<SimBase.Document Type=\"AceXML\" version=\"1,0\"><FlightPlan.FlightPlan>"
       "<Title>EGLL to KJFK</Title><CruisingAlt>35000,000</CruisingAlt>"
       "<ATCWaypoint id=\"EGLL\"><ATCWaypointType>Airport</ATCWaypointType>"
       "<WorldPosition>N51\xC2\xB0 28' 39.00\",W0\xC2\xB0 27' 41.00\",+000083,00</WorldPosition>"
       "<ICAO><ICAOIdent>EGLL</ICAOIdent></ICAO></ATCWaypoint>"
       "<ATCWaypoint id=\"5530N\"><ATCWaypointType>User</ATCWaypointType>"
       "<WorldPosition>N55\xB0 30' 0.00\",W20\xB0 0' 0.00\",+035000.00</WorldPosition></ATCWaypoint>"
       "<ATCWaypoint id=\"KJFK\"><ATCWaypointType>Airport</ATCWaypointType>"
       "<WorldPosition>N40* 38' 23.00\",W73* 46' 41.00\",+000013.00</WorldPosition></ATCWaypoint>"
       "</FlightPlan.FlightPlan></SimBase.Document>",
       PlanFileFormat::SimXml,
       {"EGLL", "5530N", "KJFK"},
       {5530, -2000},
       "35000"},
      {"the newest simulator: names and regions only",
       "<SimBase.Document><FlightPlan.FlightPlan><ATCWaypoint id=\"EGLL\"><ATCWaypointType>Airport</ATCWaypointType>"
       "</ATCWaypoint><ATCWaypoint id=\"MALOT\"><ATCWaypointType>Intersection</ATCWaypointType>"
       "<ICAO><ICAORegion>EG</ICAORegion><ICAOIdent>MALOT</ICAOIdent></ICAO></ATCWaypoint>"
       "<ATCWaypoint id=\"NOWHERE\"/><ATCWaypoint id=\"KJFK\"/></FlightPlan.FlightPlan></SimBase.Document>",
       PlanFileFormat::SimXml,
       {"EGLL", "MALOT", "KJFK"},
       {5300, -1500},
       "",
       1},
      {"X-Plane 11, procedures before NUMENR, CRLF, no final newline",
       "I\r\n1100 Version\r\nCYCLE 2612\r\nADEP EGLL\r\nDEPRWY RW27R\r\nSID MAXI1F\r\nADES KJFK\r\nNUMENR 3\r\n"
       "1 EGLL ADEP 83.000000 51.477500 -0.461389\r\n28 5530N DRCT 35000.000000 55.500000 -20.000000\r\n"
       "1 KJFK ADES 13.000000 40.639722 -73.778056",
       PlanFileFormat::XPlaneFms,
       {"EGLL", "5530N", "KJFK"},
       {5530, -2000},
       ""},
      {"X-Plane version 3 with its count line and padding",
       "A\n3 version\n1\n2\n1 EGLL 0 51.477500 -0.461389\n11 MALOT 35000 53.000000 -15.000000\n"
       "0 ---- 0 0.000000 0.000000\n0 ---- 0 0.000000 0.000000\n",
       PlanFileFormat::XPlaneFms,
       {"EGLL", "MALOT"},
       {5300, -1500},
       ""},
      {"Garmin, the table in another order than the route, unused and duplicate rows",
       "<?xml version=\"1.0\"?><flight-plan xmlns=\"http://www8.garmin.com/xmlschemas/FlightPlan/v1\">"
       "<waypoint-table>"
       "<waypoint><identifier>KJFK</identifier><type>AIRPORT</type><country-code>K6</country-code>"
       "<lat>40.639722</lat><lon>-73.778056</lon></waypoint>"
       "<waypoint><identifier>UNUSED</identifier><type>INT</type><lat>10</lat><lon>10</lon></waypoint>"
       "<waypoint><identifier>EGLL</identifier><type>AIRPORT</type><country-code>EG</country-code>"
       "<lat>51.4775</lat><lon>-0.461389</lon></waypoint>"
       "<waypoint><identifier>EGLL</identifier><type>AIRPORT</type><country-code>EG</country-code>"
       "<lat>0</lat><lon>0</lon></waypoint>"
       "<waypoint><identifier>5530N</identifier><type>USER WAYPOINT</type><lat>55.5</lat><lon>-20</lon></waypoint>"
       "</waypoint-table><route><route-name>EGLL KJFK</route-name>"
       "<route-point><waypoint-identifier>EGLL</waypoint-identifier><waypoint-type>AIRPORT</waypoint-type>"
       "<waypoint-country-code>EG</waypoint-country-code></route-point>"
       "<route-point><waypoint-identifier>5530N</waypoint-identifier><waypoint-type>USER WAYPOINT</waypoint-type>"
       "</route-point>"
       "<route-point><waypoint-identifier>KJFK</waypoint-identifier><waypoint-type>AIRPORT</waypoint-type>"
       "<waypoint-country-code>K6</waypoint-country-code></route-point></route></flight-plan>",
       PlanFileFormat::GarminFpl,
       {"EGLL", "5530N", "KJFK"},
       {5530, -2000},
       ""},
      {"a planner's OFP: the origin not in the log, climb and descent points, quoted tracks",
       "<OFP><general><route>MALOT 5530N</route><initial_altitude>35000</initial_altitude></general>"
       "<origin><icao_code>EGLL</icao_code><pos_lat>51.4775</pos_lat><pos_long>-0.461389</pos_long></origin>"
       "<destination><icao_code>KJFK</icao_code><pos_lat>40.639722</pos_lat><pos_long>-73.778056</pos_long>"
       "</destination><tracks><track><fix>NOTROUTE</fix></track></tracks><navlog>"
       "<fix><ident>TOC</ident><type>ltlg</type><pos_lat>52</pos_lat><pos_long>-5</pos_long></fix>"
       "<fix><ident>MALOT</ident><type>wpt</type><via_airway>DCT</via_airway><pos_lat>53.000000</pos_lat>"
       "<pos_long>-15.000000</pos_long><altitude_feet>35000</altitude_feet></fix>"
       "<fix><ident>TOD</ident><type>ltlg</type><pos_lat>41</pos_lat><pos_long>-70</pos_long></fix>"
       "<fix><ident>KJFK</ident><type>apt</type><pos_lat>40.639722</pos_lat><pos_long>-73.778056</pos_long></fix>"
       "</navlog></OFP>",
       PlanFileFormat::PlannerOfp,
       {"EGLL", "MALOT", "KJFK"},
       {5300, -1500},
       "35000"},
      {"the 2004 simulator's INI plan, header in other letters",
       "[FLIGHTPLAN]\ntitle=made up\nwaypoint.0=EGLL, A, N51* 28.65', W0* 27.68', +000083.00\n"
       "waypoint.1=MALOT, I, N53* 0.00', W15* 0.00', +035000.00\n",
       PlanFileFormat::Ini,
       {"EGLL", "MALOT"},
       {5300, -1500},
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(planFileFormatOf(c.text), c.format);
    const Result<FlightPlan> read = readAnyFlightPlan(c.text, &fixes);
    ASSERT_TRUE(read);
    EXPECT_EQ(identsOf(*read), c.idents);
    EXPECT_NEAR(read->waypoints[1].position.lat, c.second.lat, 0.01);
    EXPECT_NEAR(read->waypoints[1].position.lng, c.second.lng, 0.01);
    EXPECT_EQ(read->cruisingAltitude, c.cruise);
    EXPECT_EQ(read.problems.size(), c.messages);
  }
}

std::string xmlAt(const std::string& where) {
  return "<SimBase.Document><FlightPlan.FlightPlan><ATCWaypoint id=\"X\"><WorldPosition>" + where +
         "</WorldPosition></ATCWaypoint></FlightPlan.FlightPlan></SimBase.Document>";
}

TEST_F(PlanReaders, WhatIsNoPlanIsRefusedOrSaid) {
  const std::string many = [] {
    std::string t = "I\n1100 Version\n";
    for (int i = 0; i <= 10000; ++i) t += "28 P DRCT 0 50.0 -20.0\n";
    return t;
  }();
  struct Case {
    std::string text;
    bool read;
    std::string said;  // a part of the first message
  };
  const Case cases[] = {
      {"just some text\n", false, "[flightplan] header not found"},
      {"<html><body/></html>", false, "<html> is no flight plan"},
      {"<SimBase.Document><FlightPlan.FlightPlan>", false, "not well-formed XML"},
      // An external entity is never loaded: the route stays the text "&e;".
      {"<!DOCTYPE x [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><OFP><general><route>&e;</route></general></OFP>",
       false, "no <navlog> fixes"},
      // A position off the Earth refuses the plan, with the element or line,
      // in every format, by the one rule.
      {xmlAt("N91\xC2\xB0 0' 0\",W0\xC2\xB0 0' 0\",+0"), false,
       "WorldPosition N91\xC2\xB0 0' 0\",W0\xC2\xB0 0' 0\",+0: latitude is beyond 90 degrees"},
      {xmlAt("N50\xC2\xB0 60' 0\",W0\xC2\xB0 0' 0\",+0"), false, "latitude has 60 minutes or more"},
      {xmlAt("N\xC2\xB0,W0\xC2\xB0,+0"), false, "latitude has no degrees"},
      // Minutes and seconds after a degree that is no number are not degrees.
      {xmlAt("NNaN\xC2\xB0 0' 0.00\",WNaN\xC2\xB0 0' 0.00\",+0"), false, "latitude is not a number"},
      {xmlAt("N50\xC2\xB0 0' 0.00\",W1e3\xC2\xB0 0' 0.00\",+0"), false, "longitude is not a number"},
      {xmlAt("N" + std::string(20, '0') + "51\xC2\xB0 0' 0\",W181\xC2\xB0,+0"), false,
       "longitude is beyond 180 degrees"},
      {"I\n1100 Version\n28 P DRCT 0 50.0 -190.0\n3 X\n", false, "line 3: longitude is beyond 180 degrees"},
      {"I\n1100 Version\n28 P DRCT 0 nan 10.0\n", true, "line 3: not a point"},
      {"I\n1100 Version\n28 P DRCT 1e308 50.0 10.0\n", false, "line 3: beyond -2000 to 100000 feet"},
      {"[flightplan]\nwaypoint.0=A, U, N91* 0', E1* 0', 0\n", false, "line 2: latitude is beyond 90 degrees (N91* 0')"},
      {"[flightplan]\nwaypoint.0=A, U, N1* 0', W181* 0', 0\n", false, "longitude is beyond 180 degrees"},
      {"[flightplan]\nwaypoint.0=A, U, N999999999* 0', W1* 0', 0\n", false, "latitude is beyond 90 degrees"},
      {"[flightplan]\nwaypoint.0=A, U, N1* 60.0', W1* 0', 0\n", false, "latitude has 60 minutes or more"},
      {"[flightplan]\ncruising_altitude=1e308\n", false, "CRUISING_ALTITUDE=1e308: beyond -2000 to 100000 feet"},
      {"<SimBase.Document><FlightPlan.FlightPlan><CruisingAlt>1e308</CruisingAlt></FlightPlan.FlightPlan>"
       "</SimBase.Document>",
       false, "CruisingAlt 1e308: beyond -2000 to 100000 feet"},
      {"<OFP><navlog><fix><ident>X</ident><pos_lat>NaN</pos_lat><pos_long>1</pos_long></fix></navlog></OFP>", false,
       "fix X: position NaN 1 is not a number"},
      {"<flight-plan><waypoint-table><waypoint><identifier>X</identifier><lat>95</lat><lon>1</lon></waypoint>"
       "</waypoint-table></flight-plan>",
       false, "waypoint X: latitude is beyond 90 degrees"},
      {"I\n1100 Version\n1e300 P DRCT 0 50.0 -20.0\n", true, "line 3: not a point"},
      {many, false, "more than 10000 points"},
      {std::string("[flightplan]\n\0waypoint.0=A, U, N1* 0', E1* 0', 0\n", 44), true, ""},
  };
  for (const Case& c : cases) {
    const Result<FlightPlan> read = readAnyFlightPlan(c.text, &fixes);
    EXPECT_EQ(read.value.has_value(), c.read) << c.text.substr(0, 80);
    if (c.said.empty()) continue;
    ASSERT_FALSE(read.problems.empty()) << c.text.substr(0, 80);
    const std::string said = wordProblem(read.problems[0]).text;
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
  }
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

FlightPlan planThrough(std::string title, const std::vector<LatLng>& points) {
  FlightPlan plan;
  plan.title = std::move(title);
  for (const LatLng& p : points) plan.waypoints.push_back({0, "P", "U", p, 0, ""});
  return plan;
}

TEST(PlanTrackMatch, WhichStoredTrackThePlanFlies) {
  FixStore fixes;
  TrackModel tracks;
  ASSERT_TRUE(storeTrackLine(tracks, "S 53/50 54/40 55/30 55/20", NAT_REFERENCE, TrackStore{fixes}));
  ASSERT_TRUE(storeTrackLine(tracks, "T 52/50 53/40 54/30 54/20", NAT_REFERENCE, TrackStore{fixes}));
  tracks.eastValidity = "DEC 07/0100Z TO DEC 07/0800Z";
  const std::time_t at = 1796633100;  // 7 December 2026, 0845Z
  struct Case {
    FlightPlan plan;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      // Within a mile of three points of S, then off it.
      {planThrough("EGLL KJFK", {{5128, -27}, {5300.4, -5000}, {5400, -4000}, {5500, -3000}, {5000, -2000}}),
       {"FLIES NAT S FROM 5300N/05000W TO 5500N/03000W  EXPIRED 07/0800Z"}},
      {planThrough("EGLL KJFK", {{5300, -5000}, {5400, -4000}, {4000, -3000}}), {"FOLLOWS NO STORED TRACK"}},
      // Named, flown for three points, then left: where, and where the track goes on.
      {planThrough("EGLL NATS KJFK", {{5300, -5000}, {5400, -4000}, {5500, -3000}, {5000, -2000}}),
       {"FLIES NAT S FROM 5300N/05000W TO 5500N/03000W  EXPIRED 07/0800Z",
        "THE PLAN LEAVES NAT S AT 5500N/03000W, BEFORE 5500N/02000W"}},
      // Named in its route, made on another day: today's T lies elsewhere.
      {planThrough("EGLL NATT KJFK", {{5200, -5000}, {5400, -4000}, {5500, -3000}}),
       {"FOLLOWS NO STORED TRACK", "THE PLAN'S NAT T DIFFERS FROM TODAY'S NAT T AT 5300N/04000W"}},
  };
  for (const Case& c : cases) EXPECT_EQ(planTrackLines(c.plan, tracks, at), c.lines) << c.plan.title;
  // A route string is matched as a plan is, its track's named ends by name.
  FixFileContents dinim;
  dinim.fixes = {test::makeFix("DINIM", 5100, -1500)};
  FixStore named;
  named.loadBytes(test::fixFileBytes(dinim));
  ASSERT_TRUE(storeTrackLine(tracks, "R DINIM 53/40 54/30", NAT_REFERENCE, TrackStore{named}));
  RouteStringRead route;
  route.points = {{"EGLL", {5128, -27}}, {"DINIM", {5100, -1500}}, {"53/40", {5300, -4000}}, {"54/30", {5400, -3000}}};
  const TrackSets sets(tracks);
  EXPECT_NE(routeStringReport(route, {}, &sets, at).find("FLIES NAT R FROM DINIM TO 5400N/03000W"), std::string::npos);
  EXPECT_EQ(minutePosition({-3330.5, 17959.99}), "3331S/18000E");
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

TEST(PlanReport, EachPointWithItsAltitudeWhereThePlanGivesOne) {
  LoadedProcedure loaded;
  loaded.source.kind = RouteFileKind::FlightPlan;
  loaded.plan = *readAnyFlightPlan(
      "I\n1100 Version\n1 EGLL ADEP 83 51.4775 -0.461389\n"
      "11 MALOT DRCT 35000 53.0 -15.0\n28 5530N DRCT 0 55.5 -30.0\n",
      nullptr);
  const std::string report = procedureReport(loaded);
  EXPECT_NE(report.find("  EGLL        N5128.65 W00027.68  83 FT\n"), std::string::npos) << report;
  EXPECT_NE(report.find(" NM  35000 FT\n"), std::string::npos) << report;
  EXPECT_NE(report.find("W03000.00  "), std::string::npos);
  EXPECT_EQ(report.find("W03000.00  " + std::string("0 FT")), std::string::npos);
}

}  // namespace
}  // namespace korvant
