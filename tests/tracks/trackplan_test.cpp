// One track as a flight plan in the three forms simulators load, read back.
#include "tracks/trackplan.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <sstream>

#include "procedures/flightplan.h"
#include "support/recordingboxes.h"
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
  EXPECT_EQ(read->waypoints[2].identifier, "N5530W02000");
  EXPECT_EQ(read->waypoints[3].identifier, "5530N");
  EXPECT_EQ(read->waypoints[0].type, "A");
  EXPECT_TRUE(boxes.shown.empty());
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
  EXPECT_STREQ(points[4].node().child_value("ATCWaypointType"), "User");
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
  EXPECT_EQ(lines[5], "NUMENR 6");
  EXPECT_EQ(lines[6].rfind("1 EGLL ADEP 0.000000 51.470667 -0.462000", 0), 0u) << lines[6];
  EXPECT_EQ(lines[7].rfind("11 ETARI DRCT 35000.000000 55.500000 -15.000000", 0), 0u) << lines[7];
  EXPECT_EQ(lines[8].rfind("28 N5530W02000 DRCT", 0), 0u) << lines[8];
  EXPECT_EQ(lines[11].rfind("1 KJFK ADES", 0), 0u) << lines[11];
}

TEST(TrackPlan, NamesFormatsAndFailedWrites) {
  EXPECT_EQ(planIdent({"57/20", {5700, -2000}}), "5720N");
  EXPECT_EQ(planIdent({"5530/20", {5530, -2000}}), "N5530W02000");
  EXPECT_EQ(planIdent({"40/160", {4000, 16000}}), "N4000E16000");
  EXPECT_EQ(planIdent({"DINIM", {5100, -1500}}), "DINIM");
  // The Pacific messages' and the route strings' position forms too.
  EXPECT_EQ(planIdent({"40N160E", {4000, 16000}}), "N4000E16000");
  EXPECT_EQ(planIdent({"5402N05700W", {5402, -5700}}), "N5402W05700");
  EXPECT_EQ(planIdent({"5720N", {5700, -2000}}), "5720N");
  ResolvedTrack pacific;
  pacific.fixes = {{"40N160E", {4000, 16000}}, {"PRETY", {4900, -13226.6}}};
  const std::string fms = writeTrackPlan(
      {{"RJAA", {3545.88, 14023.16}}, {"KSFO", {3737.14, -12222.5}}, &pacific, 35000}, PlanFormat::XPlane);
  EXPECT_NE(fms.find("\n28 N4000E16000 DRCT "), std::string::npos) << fms;
  EXPECT_NE(fms.find("\n11 PRETY DRCT "), std::string::npos) << fms;
  EXPECT_EQ(planFormatFor("a.PLN", false), PlanFormat::Xml);
  EXPECT_EQ(planFormatFor("a.pln", true), PlanFormat::Fs2004);
  EXPECT_EQ(planFormatFor("a.fms", false), PlanFormat::XPlane);
  EXPECT_FALSE(planFormatFor("a.fms", true));
  EXPECT_FALSE(planFormatFor("a.gpx", false));
  ResolvedTrack empty;
  std::string error;
  EXPECT_FALSE(saveTrackPlan("x.pln", {{"EGLL", {}}, {"KJFK", {}}, &empty, 35000}, PlanFormat::Xml, error));
  EXPECT_EQ(error, "the track has no fixes");
  ResolvedTrack one;
  one.fixes = {{"DINIM", {5100, -1500}}};
  test::TempDir dir;
  EXPECT_FALSE(saveTrackPlan((dir.path() / "no/such/x.pln").string(), {{"EGLL", {}}, {"KJFK", {}}, &one, 35000},
                             PlanFormat::Xml, error));
  EXPECT_NE(error.find("cannot write"), std::string::npos);
}

}  // namespace
}  // namespace korvant
