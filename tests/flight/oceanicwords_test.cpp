#include "flight/oceanicwords.h"

#include "flight/estimatewatch.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "base/utctime.h"

namespace korvant {
namespace {

// A westbound crossing: a named fix, the track's positions, a named fix.
FlightRoute crossing() {
  return {"",
          {{"ETARI", {5530, -1500}, 0},
           {"56/20", {5600, -2000}, 0},
           {"56/30", {5600, -3000}, 0},
           {"55/40", {5500, -4000}, 0},
           {"5430N05000W", {5430, -5000}, 0},
           {"LOMSI", {5300, -5500}, 0}}};
}

std::vector<double> at(std::initializer_list<const char*> hhmm) {
  std::vector<double> times;
  for (const char* t : hhmm)
    times.push_back(
        static_cast<double>(utcTime(2026, 12, 8, (t[0] - '0') * 10 + t[1] - '0', (t[2] - '0') * 10 + t[3] - '0')));
  return times;
}

// Spoken as the phraseology says: whole and half degrees, the latitude first
// on an east-west route, the longitude first (with its minutes) on a
// north-south one, a named fix by its name.
TEST(OceanicWords, PointsSpokenByTheWayOfTheRoute) {
  const struct {
    FlightPoint point;
    bool eastWest;
    const char* spoken;
  } cases[] = {
      {{"56/20", {5600, -2000}, 0}, true, "56 NORTH 020 WEST"},
      {{"5530/20", {5530, -2000}, 0}, true, "55 30 NORTH 020 WEST"},
      {{"4530N05030W", {4530, -5030}, 0}, false, "050 30 WEST 45 30 NORTH"},
      {{"40N060W", {4000, -6000}, 0}, false, "060 WEST 40 NORTH"},
      {{"30S170E", {-3000, 17000}, 0}, true, "30 SOUTH 170 EAST"},
      {{"DINIM", {5100, -1500}, 0}, true, "DINIM"},
  };
  for (const auto& c : cases) EXPECT_EQ(spokenPoint(c.point, c.eastWest), c.spoken) << c.point.ident;
  const FlightRoute route = crossing();
  EXPECT_TRUE(mainlyEastWest(route, {1, 4}));
  const FlightRoute southward{"",
                              {{"KJFK", {4038, -7347}, 0}, {"35N065W", {3500, -6500}, 0}, {"TXKF", {3222, -6441}, 0}}};
  EXPECT_FALSE(mainlyEastWest(southward, *oceanicSpan(southward)));
}

// The oceanic points, the reports at each before the exit (the published
// example among them) and the clearance request for a track and a random
// route; what the request cannot be filled with is said.
TEST(OceanicWords, ReportsAndTheClearanceRequest) {
  const FlightRoute route = crossing();
  const std::optional<OceanicSpan> span = oceanicSpan(route);
  ASSERT_TRUE(span);
  EXPECT_EQ(span->first, 0u);
  EXPECT_EQ(span->last, 5u);
  const OceanicSpan track{1, 4};
  EXPECT_EQ(oceanicSpan(route, track)->first, 1u);
  EXPECT_FALSE(oceanicSpan({"", {{"EGLL", {5128, -28}, 0}, {"KJFK", {4038, -7347}, 0}}}));

  const std::vector<double> times = at({"1205", "1235", "1310", "1350", "1432", "1501"});
  const std::vector<std::string> reports = positionReports(route, track, times, {"KVT123", 350, 0});
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_EQ(reports[0],
            "POSITION REPORT 56/20: POSITION, KVT123, 56 NORTH 020 WEST AT 1235, FLIGHT LEVEL 350, ESTIMATING 56 "
            "NORTH 030 WEST AT 1310, NEXT 55 NORTH 040 WEST");
  // At the last oceanic point before the exit: the exit's estimate, then the point after it.
  EXPECT_EQ(reports[2],
            "POSITION REPORT 55/40: POSITION, KVT123, 55 NORTH 040 WEST AT 1350, FLIGHT LEVEL 350, ESTIMATING 54 "
            "30 NORTH 050 WEST AT 1432, NEXT LOMSI");
  EXPECT_NE(positionReports(route, track, times, {"KVT123", 350, 82})[0].find("FLIGHT LEVEL 350, MACH 082, "),
            std::string::npos);
  // No callsign, or none the request's check takes: what is missing is said, never ", , ".
  for (const char* callsign : {"", "KVT\n123", "KVT,1"})
    EXPECT_EQ(positionReports(route, track, times, {callsign, 350, 0})[0], "POSITION REPORT 56/20: NO CALLSIGN");

  ClearanceFacts facts{{"KVT123", 350, 82}, "CYYZ", "C", "281", 0};
  EXPECT_EQ(clearanceRequest(route, track, times, facts),
            "CLEARANCE REQUEST: KVT123 REQUEST CLEARANCE TO CYYZ VIA TRACK C, ENTRY POINT 5600N/02000W AT 1235, "
            "FLIGHT LEVEL 350, MACH 082, TMI 281");
  facts.track.clear();
  facts.maxFlightLevel = 370;
  facts.tmi = "326A";
  EXPECT_EQ(
      clearanceRequest(route, track, times, facts),
      "CLEARANCE REQUEST: KVT123 REQUEST CLEARANCE TO CYYZ VIA 5600N/02000W 5600N/03000W 5500N/04000W "
      "5430N/05000W, ENTRY POINT 5600N/02000W AT 1235, FLIGHT LEVEL 350, MACH 082, MAX FLIGHT LEVEL 370, TMI 326A");
  EXPECT_EQ(clearanceRequest(route, track, times, {{"", 350, 0}, "CYYZ", "C", "28", 0}),
            "CLEARANCE REQUEST: NO CALLSIGN, NO MACH, NO TMI");
}

// The standard atmosphere's speed of sound, against its published table:
// 661.5 kt at sea level, 576.4 kt at FL350, 573.6 kt from the tropopause up.
TEST(OceanicWords, TrueAirspeedInTheStandardAtmosphere) {
  EXPECT_NEAR(trueAirspeedKt(1, 0), 661.5, 0.1);
  EXPECT_NEAR(trueAirspeedKt(1, 35000), 576.4, 0.2);
  EXPECT_NEAR(trueAirspeedKt(0.82, 41000), 0.82 * 573.6, 0.2);
  const std::vector<PointTime> times = plannedTimes(crossing(), 0, 480);
  EXPECT_EQ(times[0].utc, 0);
  EXPECT_NEAR(times[5].utc, times[5].alongNm / 480 * 3600, 1e-6);
}

// Flying: the report at the oceanic point just passed with its time over;
// a revised estimate once the next estimate moves by three minutes, exactly
// three counting, not at 2:59.
TEST(OceanicWords, ReportOnPassingAndRevisedEstimateAtThreeMinutes) {
  for (const auto& [moved, revised] : {std::pair{179.0, false}, {180.0, true}, {181.0, true}}) {
    FlightProgress progress(crossing());
    EstimateWatch watch;
    const double noon = static_cast<double>(utcTime(2026, 12, 8, 12, 0));
    const OceanicSpan span{1, 4};
    const ReportFacts facts{"KVT123", 350, 0};
    progress.update({{5600, -1930}, 35000, 270, 480, noon, true});
    EXPECT_FALSE(watch.update(progress, span, facts));  // before the first oceanic point
    progress.update({{5600, -2010}, 35000, 270, 480, noon + 40, true});
    ASSERT_TRUE(watch.update(progress, span, facts));
    EXPECT_EQ(watch.report().substr(0, 70), "POSITION REPORT 56/20: POSITION, KVT123, 56 NORTH 020 WEST AT 1200, FL");
    // The same place later: the estimate for 56/30 moves by as much.
    progress.update({{5600, -2010}, 35000, 270, 480, noon + 40 + moved, true});
    EXPECT_EQ(watch.update(progress, span, facts), revised) << moved;
    EXPECT_EQ(watch.revised().empty(), !revised) << moved;
    if (revised) {
      // Three minutes after the estimate reported.
      const std::string said = "ESTIMATING 56 NORTH 030 WEST AT ";
      const std::string reported = watch.report().substr(watch.report().find(said) + said.size(), 4);
      const int minutes = std::stoi(reported.substr(0, 2)) * 60 + std::stoi(reported.substr(2)) + 3;
      char expected[64];
      std::snprintf(expected, sizeof expected, "REVISED ESTIMATE 56/30 AT %02d%02d", minutes / 60, minutes % 60);
      EXPECT_EQ(watch.revised(), expected);
    }
  }
}

}  // namespace
}  // namespace korvant
