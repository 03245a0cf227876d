// Legs flown: turns at 25 degrees of bank, the leg groups, and the sample
// procedures and route over the sample simulator folder.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geo/greatcircle.h"
#include "procedures/loadedprocedure.h"
#include "procedures/procedurefile.h"
#include "procedures/procedureflight.h"
#include "procedures/proceduretext.h"
#include "procedures/turn.h"
#include "sky/magvar.h"
#include "support/recordingboxes.h"
#include "support/shownmessages.h"

namespace korvant {
namespace {

using Kind = ProcedureShape::Kind;

const SimFiles& sampleSim() {
  static SimFiles* sim = [] {
    auto* files = new SimFiles;
    files->setFolders(KORVANT_SAMPLE_PS1 "/", KORVANT_SAMPLE_PS1 "/");
    return files;
  }();
  return *sim;
}

std::vector<DepArr> legsOf(const std::string& text, RouteFileKind kind = RouteFileKind::Plain,
                           std::string* title = nullptr) {
  const ProcedureBuild b = buildProcedureFile(text);
  EXPECT_TRUE(b.ok) << b.problem.detail;
  test::RecordingBoxes boxes;
  ProcedureFileRead read = readProcedureBytes(b.bytes, kind, "F", boxes);
  EXPECT_TRUE(read.ok);
  if (title) *title = read.title;
  return read.legs;
}

ProcedureGeometry fly(const std::vector<DepArr>& legs, const std::string& path, const std::string& title) {
  const SimFiles& sim = sampleSim();
  const ProcedureSource source = describeProcedurePath(path, path.find("routes/") != std::string::npos);
  return flyProcedure({legs, source, title}, sim);
}

bool finiteAndInRange(const LatLng& p) {
  return std::isfinite(p.lat) && std::isfinite(p.lng) && std::fabs(p.lat) <= 9000 && std::fabs(p.lng) <= 18000;
}

void expectAllFinite(const ProcedureGeometry& g) {
  for (const ProcedureShape& s : g.shapes) {
    EXPECT_TRUE(finiteAndInRange(s.a));
    EXPECT_TRUE(finiteAndInRange(s.b));
    if (s.kind == Kind::Arc) {
      EXPECT_TRUE(finiteAndInRange(s.centre));
    }
  }
  for (const FixMarker& m : g.markers) EXPECT_TRUE(finiteAndInRange(m.position));
}

TEST(ComputeTurn, RadiiAtTheTwoTurnSpeeds) {
  EXPECT_NEAR(turnRadiusNm(160) * 6076.115, 4861, 0.5);
  EXPECT_NEAR(turnRadiusNm(200) * 6076.115, 7595, 0.5);
  EXPECT_NEAR(turnRadiusNm(160), 0.80, 0.005);
  EXPECT_NEAR(turnRadiusNm(200), 1.25, 0.005);
}

TEST(ComputeTurn, SmallTurnsEitherWayAreNotFlown) {
  const LatLng start{5000, -3000};
  for (double target : {5.0, 6.0, 354.0, 355.0, 360.0}) {
    const Turn t = computeTurn(start, 0, true, target, 160);
    EXPECT_FALSE(t.turned) << target;
    EXPECT_EQ(t.end, start);
    EXPECT_EQ(t.centre, start);
  }
  EXPECT_TRUE(computeTurn(start, 0, true, 7, 160).turned);
  EXPECT_TRUE(computeTurn(start, 0, true, 353, 160).turned);
  // 355 to the left is 5 degrees.
  EXPECT_FALSE(computeTurn(start, 0, false, 355, 160).turned);
}

TEST(ComputeTurn, CentreAbeamAndEndOnTheCircle) {
  const LatLng start{5000, -3000};
  const double r = turnRadiusNm(200);
  const Turn right = computeTurn(start, 0, true, 90, 200);
  ASSERT_TRUE(right.turned);
  EXPECT_NEAR(courseAndDistance(start, right.centre).course, 90, 0.01);
  EXPECT_NEAR(distanceNm(start, right.centre), r, 1e-6);
  EXPECT_NEAR(distanceNm(right.centre, right.end), r, 1e-6);
  // A quarter turn right from north ends north of the centre, heading east.
  EXPECT_NEAR(courseAndDistance(right.centre, right.end).course, 0, 0.01);
  const Turn left = computeTurn(start, 0, false, 270, 200);
  EXPECT_NEAR(courseAndDistance(start, left.centre).course, 270, 0.01);
  EXPECT_NEAR(std::fmod(courseAndDistance(left.centre, left.end).course + 360, 360), 0, 0.01);
  // Three-quarters round to the right to reach west.
  const Turn longWay = computeTurn(start, 0, true, 270, 200);
  EXPECT_NEAR(courseAndDistance(longWay.centre, longWay.end).course, 180, 0.01);
}

TEST(ProcedureFlight, SidStartsHalfAMileDownTheRunwayAndClimbs400FeetAMile) {
  const std::vector<DepArr> legs = legsOf("11 - N0000.0 E00000.0 0 2000 A 272\n12 - N0000.0 E00000.0 0 1000 A 272\n");
  const ProcedureGeometry g = fly(legs, "/s/EGLL/T.27R", "EGLL");
  EXPECT_TRUE(g.problems.empty());
  ASSERT_GE(g.shapes.size(), 2u);
  EXPECT_EQ(g.shapes[0].kind, Kind::Line);
  EXPECT_NEAR(distanceNm(g.shapes[0].a, g.shapes[0].b), 0.5, 1e-6);
  EXPECT_TRUE(g.runwayFound);
  EXPECT_EQ(g.elevation, 83);
  // 272 is the runway's own heading: no turn, then 2000 - (83 + 200) feet at 400 a mile.
  ASSERT_EQ(g.legEnds.size(), 2u);
  EXPECT_NEAR(distanceNm(g.shapes[0].b, g.legEnds[0]), (2000 - 283) * 0.0025, 1e-6);
  // The second climb leg's target lies below: length 0, a marker on the same point.
  EXPECT_EQ(g.legEnds[1], g.legEnds[0]);
  EXPECT_EQ(g.markers.size(), 2u);
  expectAllFinite(g);
}

TEST(ProcedureFlight, DescentLegsCountDownwards) {
  const std::vector<DepArr> legs = legsOf(
      "11 - N0000.0 E00000.0 0 5000 - 272\n"
      "61 - N0000.0 E00000.0 0 3000 - 272\n"
      "62 - N0000.0 E00000.0 0 6000 - 272\n");
  const ProcedureGeometry g = fly(legs, "/s/EGLL/T.27R", "EGLL");
  ASSERT_EQ(g.legEnds.size(), 3u);
  EXPECT_NEAR(distanceNm(g.legEnds[0], g.legEnds[1]), 2000 * 0.0025, 1e-6);
  EXPECT_EQ(g.legEnds[2], g.legEnds[1]);  // 6000 lies above: nothing to descend
}

TEST(ProcedureFlight, RoutesJoinTheirFirstFixToTheStartAirport) {
  std::string title;
  const std::vector<DepArr> legs =
      legsOf("ROUTE KJFK EGLL\n1 DOTTY N5038.0 W05535.0 0 FL350 - 60\n1 LIMRI N5200.0 W01500.0 0 FL350 - 90\n",
             RouteFileKind::Route, &title);
  const ProcedureGeometry g = fly(legs, "/s/routes/T.ROU", title);
  ASSERT_TRUE(g.problems.empty());
  EXPECT_EQ(g.runwayAirports, (std::vector<std::string>{"KJFK", "EGLL"}));
  ASSERT_EQ(g.shapes.size(), 3u);
  EXPECT_EQ(g.shapes[0].kind, Kind::GreatCircle);
  EXPECT_EQ(g.shapes[0].width, 2);
  const LatLng kjfk = g.shapes[0].a;
  EXPECT_EQ(g.shapes[1].kind, Kind::GreatCircle);
  EXPECT_EQ(g.shapes[1].a, kjfk);
  EXPECT_EQ(g.shapes[1].b, (LatLng{5038, -5535}));
  EXPECT_EQ(g.shapes[2].a, (LatLng{5038, -5535}));
}

TEST(ProcedureFlight, WhatStopsTheDrawingIsKeptAsMessages) {
  const std::vector<DepArr> legs = legsOf("1 A N5000.0 W03000.0 0 3500 - 90\n");
  const ProcedureGeometry plainRoute = fly(legs, "/s/routes/T.TRK", "");
  ASSERT_EQ(plainRoute.problems.size(), 1u);
  EXPECT_EQ(plainRoute.problems[0].reason, Reason::AirportNotInDatabase);
  EXPECT_EQ(plainRoute.problems[0].detail, "");
  EXPECT_TRUE(plainRoute.shapes.empty());
  EXPECT_TRUE(plainRoute.markers.empty());

  const ProcedureGeometry noEnd = fly(legs, "/s/routes/T.ROU", "KJFK-ZZZZ");
  ASSERT_EQ(noEnd.problems.size(), 1u);
  EXPECT_EQ(noEnd.problems[0].detail, "ZZZZ");
  EXPECT_TRUE(noEnd.shapes.empty());
}

TEST(ProcedureFlight, DmeLegsMeetTheirCircleOrStopAtTheTurn) {
  const std::vector<DepArr> legs = legsOf(
      "22 OCK/15 N5118.3 W00026.8 0 0 - 300\n"
      "22 OCK/2 N5118.3 W00026.8 0 0 - 300\n"
      "21 OCK N5118.3 W00026.8 0 0 - 300\n");
  const ProcedureGeometry g = fly(legs, "/s/EGLL/T.27R", "EGLL");
  ASSERT_EQ(g.legEnds.size(), 3u);
  EXPECT_NEAR(distanceNm(g.legEnds[0], LatLng{5118.3, -26.8}), 15, 0.02);
  // Already beyond 2 NM and flying away: the circle is never met.
  EXPECT_NEAR(distanceNm(g.legEnds[1], g.legEnds[0]), 0, 1e-9);
  ASSERT_EQ(g.problems.size(), 1u);
  EXPECT_EQ(g.problems[0].reason, Reason::DmeWithoutSlash);
  EXPECT_EQ(g.problems[0].detail, "OCK");
  expectAllFinite(g);
}

TEST(ProcedureFlight, InterceptsEndOnTheCourseAndTurnOntoItWhenAlmostAligned) {
  // From the runway heading 272, a course of 275 through a station ahead.
  const std::vector<DepArr> legs = legsOf("41 LOC275 N5130.0 W00100.0 0 0 - 276\n");
  const ProcedureGeometry g = fly(legs, "/s/EGLL/T.27R", "EGLL");
  ASSERT_EQ(g.legEnds.size(), 1u);
  int courseLines = 0, arcs = 0;
  for (const ProcedureShape& s : g.shapes) {
    courseLines += s.kind == Kind::CourseLine;
    arcs += s.kind == Kind::Arc;
  }
  EXPECT_GE(courseLines, 1);
  EXPECT_EQ(arcs, 0);  // 272 to 276 is no turn, nor is 276 onto itself
  // The end lies on the course line through the station.
  const double v = magneticVariation(g.shapes[0].b);  // where the leg starts
  const double course = courseAndDistance(LatLng{5130, -100}, g.legEnds[0]).course;
  const double off = std::fabs(std::remainder(course - (275 - v), 180.0));
  EXPECT_LT(off, 0.5);

  const std::vector<DepArr> noDigits = legsOf("31 LOC N5130.0 W00100.0 0 0 - 200\n");
  const ProcedureGeometry r = fly(noDigits, "/s/EGLL/T.27R", "EGLL");
  ASSERT_EQ(r.problems.size(), 1u);
  EXPECT_EQ(r.problems[0].reason, Reason::NonNumericCourse);
  expectAllFinite(r);
}

TEST(ProcedureFlight, TurnDirectTurnsTwiceBackToBack) {
  const std::vector<DepArr> legs = legsOf("45 CPT N5129.5 W00113.2 0 0 - 0\n46 BIG N5119.9 E00002.1 0 0 - 0\n");
  const ProcedureGeometry g = fly(legs, "/s/EGLL/T.27R", "EGLL");
  ASSERT_EQ(g.legEnds.size(), 2u);
  EXPECT_EQ(g.legEnds[0], (LatLng{5129.5, -113.2}));
  EXPECT_EQ(g.legEnds[1], (LatLng{5119.9, 2.1}));
  int arcs = 0;
  for (const ProcedureShape& s : g.shapes) arcs += s.kind == Kind::Arc;
  EXPECT_GE(arcs, 1);
  expectAllFinite(g);
}

TEST(ProcedureFlight, LegsBeyondThePoleAndWildValuesStayOnTheGlobe) {
  const std::vector<DepArr> legs = legsOf(
      "1 NP N8959.9 E00000.0 999 FL999 A 360\n"
      "11 - N0000.0 E00000.0 0 99990 - 360\n"
      "21 X/99999 N8959.9 E18000.0 -999 0 - 361\n"
      "41 C999999 S8959.9 W18000.0 0 0 - 180\n"
      "46 SP S9000.0 E00000.0 0 0 - 0\n");
  const ProcedureGeometry g = fly(legs, "/s/EGLL/T.ARR", "EGLL");
  EXPECT_EQ(g.legEnds.size(), 5u);
  expectAllFinite(g);
}

TEST(ProcedureFlight, AnInterceptThatStartsAtItsOwnStation) {
  // Found by the fuzzer: the course search had no angle to work with and
  // gave a position of NaN.
  const std::vector<DepArr> legs = legsOf("51 - S0100.1 W00100.1 250 76800 - 188\n");
  const ProcedureGeometry g = fly(legs, "/s/EGLL/T.ARR", "EGLL");
  ASSERT_EQ(g.legEnds.size(), 1u);
  expectAllFinite(g);
}

TEST(ProcedureFlight, EveryLegCodeOnRandomRecordsFliesWithoutFault) {
  std::mt19937 random(11);
  const SimFiles& sim = sampleSim();
  for (int type = 0; type < 256; ++type) {
    std::string bytes;
    for (int i = 0; i < 6; ++i) {
      std::string record(PROCEDURE_RECORD_BYTES, '\0');
      for (char& c : record) c = static_cast<char>(random() % 256);
      record[0] = static_cast<char>(random() % 180 - 90);
      record[19] = static_cast<char>(type);
      bytes += record;
    }
    test::RecordingBoxes boxes;
    const ProcedureFileRead read = readProcedureBytes(bytes, RouteFileKind::Plain, "F", boxes);
    for (const char* path : {"/s/EGLL/T.27R", "/s/EGLL/T.ARR"}) {
      const ProcedureSource source = describeProcedurePath(path, false);
      const ProcedureGeometry g = flyProcedure({read.legs, source, "EGLL"}, sim);
      expectAllFinite(g);
    }
  }
}

TEST(ProcedureFlight, TheSampleProceduresFlyWithoutAWord) {
  test::RecordingBoxes boxes;
  const SimFiles& sim = sampleSim();
  for (const char* name :
       {"deparr/EGLL/KORV1J.27R", "deparr/EGLL/KORV1A.ARR", "deparr/EGLL/KORV27R.APP", "routes/KJFKEGLL.ROU"}) {
    const bool route = std::string(name).find("routes/") == 0;
    const auto loaded = readLoadedProcedure(std::string(KORVANT_SAMPLE_PS1) + "/" + name, route, boxes);
    ASSERT_TRUE(loaded) << name;
    const ProcedureGeometry g = flyProcedure({loaded->legs, loaded->source, loaded->title}, sim);
    EXPECT_TRUE(g.problems.empty()) << name << ": " << (g.problems.empty() ? "" : wordProblem(g.problems[0]).caption);
    EXPECT_EQ(g.legEnds.size(), loaded->legs.size()) << name;
    EXPECT_FALSE(g.bounds().empty());
  }
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace korvant
