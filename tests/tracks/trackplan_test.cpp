// One track as a flight plan in the three forms simulators load, read back.
#include "tracks/trackplan.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <pugixml.hpp>
#include <sstream>

#include "procedures/flightplan.h"
#include "procedures/planreaders.h"
#include "support/recordingboxes.h"
#include "support/shownmessages.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

class TrackPlanTest : public ::testing::Test {
 protected:
  TrackPlanTest() {
    track.letter = 'C';
    track.direction = "WESTBOUND";
    track.fixes = {
        {"ETARI", {5530, -1500}}, {"5530/20", {5530, -2000}}, {"55/30", {5500, -3000}}, {"MELDI", {5244, -5621}}};
    plan = {{"EGLL", {5128.24, -27.72}}, {"KJFK", {4038.37, -7346.76}}, &track, 35000};
  }
  ResolvedTrack track;
  TrackPlan plan;
};

TEST_F(TrackPlanTest, TheOldIniPlanReadsBackThroughTheProgramsOwnReader) {
  test::RecordingBoxes boxes;
  const auto read = readFlightPlan(writeTrackPlan(plan, PlanFormat::Fs2004), boxes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->title, "EGLL to KJFK");
  EXPECT_EQ(read->cruisingAltitude, "35000");
  ASSERT_EQ(read->waypoints.size(), 6u);
  const std::vector<LatLng> expected = {plan.departure.position, track.fixes[0].position, track.fixes[1].position,
                                        track.fixes[2].position, track.fixes[3].position, plan.destination.position};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(read->waypoints[i].position.lat, expected[i].lat, 0.006) << i;
    EXPECT_NEAR(read->waypoints[i].position.lng, expected[i].lng, 0.006) << i;
  }
  EXPECT_EQ(read->waypoints[2].identifier, "5530N020");
  EXPECT_EQ(read->waypoints[3].identifier, "5530N");
  EXPECT_EQ(read->waypoints[0].type, "A");
  EXPECT_TRUE(boxes.shown.empty());
}

// Every form the program writes reads back, by its content, to the same
// points at the writer's precision (seconds in the XML .pln, six decimals of
// a degree in the .fms, hundredths of a minute in the INI .PLN).
TEST_F(TrackPlanTest, EachWrittenFormReadsBackByItsContent) {
  const std::vector<LatLng> expected = {plan.departure.position, track.fixes[0].position, track.fixes[1].position,
                                        track.fixes[2].position, track.fixes[3].position, plan.destination.position};
  for (const PlanFormat format : {PlanFormat::Fs2004, PlanFormat::Xml, PlanFormat::XPlane}) {
    const std::string text = writeTrackPlan(plan, format);
    const Result<FlightPlan> read = readAnyFlightPlan(text, nullptr);
    ASSERT_TRUE(read) << text;
    EXPECT_TRUE(read.problems.empty()) << static_cast<int>(read.problems[0].reason);
    ASSERT_EQ(read->waypoints.size(), expected.size()) << text;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_NEAR(read->waypoints[i].position.lat, expected[i].lat, 0.01) << text << i;
      EXPECT_NEAR(read->waypoints[i].position.lng, expected[i].lng, 0.01) << text << i;
    }
    EXPECT_EQ(read->waypoints.front().type, "A");
    EXPECT_EQ(read->waypoints[1].identifier, "ETARI");
  }
}

TEST_F(TrackPlanTest, TodaysXmlPlanNamesEveryPointWithItsPosition) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(writeTrackPlan(plan, PlanFormat::Xml).c_str()));
  const auto fp = doc.child("SimBase.Document").child("FlightPlan.FlightPlan");
  EXPECT_STREQ(fp.child_value("DepartureID"), "EGLL");
  EXPECT_EQ(fp.child("CruisingAlt").text().as_int(), 35000);
  const auto points = fp.select_nodes("ATCWaypoint");
  ASSERT_EQ(points.size(), 6u);
  EXPECT_STREQ(points[0].node().attribute("id").value(), "EGLL");
  EXPECT_STREQ(points[0].node().child("ICAO").child_value("ICAOIdent"), "EGLL");
  EXPECT_STREQ(points[4].node().child_value("ATCWaypointType"), "Intersection");
  EXPECT_STREQ(points[4].node().child("ICAO").child_value("ICAOIdent"), "MELDI");
  EXPECT_STREQ(points[2].node().child_value("ATCWaypointType"), "User");
  EXPECT_FALSE(points[2].node().child("ICAO"));  // a position has no identifier to look up
  EXPECT_EQ(fp.child("AppVersion").child("AppVersionMajor").text().as_int(), 10);
  for (const auto& point : points) EXPECT_LE(std::string(point.node().attribute("id").value()).size(), 10u);
  // 52°44'N 56°21'W, in degrees, minutes and seconds.
  EXPECT_STREQ(points[4].node().child_value("WorldPosition"),
               "N52\xC2\xB0 44' 0.00\",W56\xC2\xB0 21' 0.00\",+000000.00");
}

TEST_F(TrackPlanTest, XPlanesPlanListsTheAirportsFixesAndPositions) {
  std::istringstream fms(writeTrackPlan(plan, PlanFormat::XPlane));
  std::string line;
  std::vector<std::string> lines;
  while (std::getline(fms, line)) lines.push_back(line);
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "I");
  EXPECT_EQ(lines[1], "1100 Version");
  EXPECT_EQ(lines[2], "CYCLE 0000");  // no cycle given
  plan.cycle = 2613;
  EXPECT_NE(writeTrackPlan(plan, PlanFormat::XPlane).find("\nCYCLE 2613\n"), std::string::npos);
  EXPECT_EQ(lines[5], "NUMENR 6");
  EXPECT_EQ(lines[6].rfind("1 EGLL ADEP 0.000000 51.470667 -0.462000", 0), 0u) << lines[6];
  EXPECT_EQ(lines[7].rfind("11 ETARI DRCT 35000.000000 55.500000 -15.000000", 0), 0u) << lines[7];
  EXPECT_EQ(lines[8].rfind("28 5530N020 DRCT", 0), 0u) << lines[8];
  EXPECT_EQ(lines[11].rfind("1 KJFK ADES", 0), 0u) << lines[11];
}

TEST(TrackPlan, NamesFormatsAndFailedWrites) {
  // ARINC 424 at whole degrees in all four quadrants, at most ten characters else.
  EXPECT_EQ(planIdent({"57/20", {5700, -2000}}), "5720N");
  EXPECT_EQ(planIdent({"5530/20", {5530, -2000}}), "5530N020");
  EXPECT_EQ(planIdent({"40/160", {4000, 16000}}), "40E60");
  EXPECT_EQ(planIdent({"DINIM", {5100, -1500}}), "DINIM");
  EXPECT_EQ(planIdent({"16S134E", {-1600, 13400}}), "16S34");
  EXPECT_EQ(planIdent({"10S050W", {-1000, -5000}}), "1050W");
  EXPECT_EQ(planIdent({"43N180E", {4300, 18000}}), "43N80");
  EXPECT_EQ(planIdent({"N4130/E16530", {4130, 16530}}), "4130E16530");
  // The Pacific messages' and the route strings' position forms too.
  EXPECT_EQ(planIdent({"40N160E", {4000, 16000}}), "40E60");
  EXPECT_EQ(planIdent({"5402N05700W", {5402, -5700}}), "5402N057");
  EXPECT_EQ(planIdent({"5720N", {5700, -2000}}), "5720N");
  ResolvedTrack pacific;
  pacific.fixes = {{"40N160E", {4000, 16000}}, {"PRETY", {4900, -13226.6}}};
  const std::string fms = writeTrackPlan(
      {{"RJAA", {3545.88, 14023.16}}, {"KSFO", {3737.14, -12222.5}}, &pacific, 35000}, PlanFormat::XPlane);
  EXPECT_NE(fms.find("\n28 40E60 DRCT "), std::string::npos) << fms;
  EXPECT_NE(fms.find("\n11 PRETY DRCT "), std::string::npos) << fms;
  EXPECT_EQ(planFormatFor("a.PLN", false), PlanFormat::Xml);
  EXPECT_EQ(planFormatFor("a.pln", true), PlanFormat::Fs2004);
  EXPECT_EQ(planFormatFor("a.fms", false), PlanFormat::XPlane);
  EXPECT_FALSE(planFormatFor("a.fms", true));
  EXPECT_FALSE(planFormatFor("a.gpx", false));
  // Two ends and nothing between them is a plan too.
  ResolvedTrack empty;
  test::TempDir dir;
  const std::string two = (dir.path() / "two.fms").string();
  ASSERT_TRUE(saveTrackPlan(two, {{"EGLL", {}}, {"KJFK", {}}, &empty, 35000}, PlanFormat::XPlane).empty());
  std::ifstream written(two);
  EXPECT_NE(std::string(std::istreambuf_iterator<char>(written), {}).find("NUMENR 2\n"), std::string::npos);
  ResolvedTrack one;
  one.fixes = {{"DINIM", {5100, -1500}}};
  const Problems failed = saveTrackPlan((dir.path() / "no/such/x.pln").string(),
                                        {{"EGLL", {}}, {"KJFK", {}}, &one, 35000}, PlanFormat::Xml);
  ASSERT_EQ(failed.size(), 1u);
  EXPECT_EQ(failed[0].reason, Reason::FileNotWritten);
}

// A plan from one VOR to another through an NDB and a fix: each written as
// what it is, the ends in each format's form for points that are no airport.
TEST(TrackPlan, NavaidsAreWrittenAsNavaids) {
  ResolvedTrack route;
  route.fixes = {{"SHA", {5243, -853}, FIX_KIND_NDB}, {"DINIM", {5100, -1500}, FIX_KIND_WAYPOINT}};
  const TrackPlan plan{{"GOW", {5552, -427}, FIX_KIND_VOR}, {"BEL", {5439, -613}, FIX_KIND_VOR}, &route, 35000, 2613};
  const std::string fms = writeTrackPlan(plan, PlanFormat::XPlane);
  for (const char* line :
       {"\nDEP GOW\n", "\nDES BEL\n", "\n3 GOW DRCT ", "\n2 SHA DRCT ", "\n11 DINIM DRCT ", "\n3 BEL DRCT "})
    EXPECT_NE(fms.find(line), std::string::npos) << line << fms;
  EXPECT_EQ(fms.find("ADEP"), std::string::npos);
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(writeTrackPlan(plan, PlanFormat::Xml).c_str()));
  std::vector<std::string> types;
  for (const auto& p : doc.select_nodes("//ATCWaypoint")) types.push_back(p.node().child_value("ATCWaypointType"));
  EXPECT_EQ(types, (std::vector<std::string>{"VOR", "NDB", "Intersection", "VOR"}));
}

// Cycles of 28 days from 2001 on 2 January 2020, numbered within the year
// their first day falls in; a year may hold fourteen.
TEST(TrackPlan, AiracCycleAtADate) {
  const auto at = [](int y, int m, int d) {
    std::tm t{};
    t.tm_year = y - 1900, t.tm_mon = m - 1, t.tm_mday = d, t.tm_hour = 12;
    return airacCycle(timegm(&t));
  };
  EXPECT_EQ(at(2020, 1, 2), 2001);
  EXPECT_EQ(at(2020, 1, 1), 1913);
  EXPECT_EQ(at(2020, 12, 31), 2014);  // 2020 had fourteen
  EXPECT_EQ(at(2021, 1, 28), 2101);
  EXPECT_EQ(at(2021, 1, 27), 2014);
  EXPECT_EQ(at(2025, 12, 24), 2512);
  EXPECT_EQ(at(2025, 12, 25), 2513);
  EXPECT_EQ(at(2026, 1, 21), 2513);
  EXPECT_EQ(at(2026, 1, 22), 2601);
  EXPECT_EQ(at(2026, 12, 7), 2612);
  EXPECT_EQ(at(2026, 12, 24), 2613);
  EXPECT_EQ(at(2019, 6, 20), 1907);
}

}  // namespace
}  // namespace korvant
