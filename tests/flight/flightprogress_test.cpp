#include "flight/flightprogress.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/utctime.h"
#include "flight/progressreport.h"
#include "geo/greatcircle.h"

namespace korvant {
namespace {

// The haversine on the same sphere, written out here so that the progress
// is checked against a computation of its own.
double haversineNm(double lat1, double lng1, double lat2, double lng2) {
  const double r = PI / 180, dLat = (lat2 - lat1) * r, dLng = (lng2 - lng1) * r;
  const double h =
      std::pow(std::sin(dLat / 2), 2) + std::cos(lat1 * r) * std::cos(lat2 * r) * std::pow(std::sin(dLng / 2), 2);
  return 2 * std::asin(std::sqrt(h)) * EARTH_RADIUS_NM;
}

// A North Atlantic track, whole degrees: (latitude, longitude).
constexpr double kTrack[][2] = {{56, -50}, {56, -40}, {55, -30}, {54, -20}};

FlightRoute trackRoute() {
  FlightRoute route{"TRACK C", {}};
  const char* names[] = {"5650", "5640", "5530", "5420"};
  for (int i = 0; i < 4; ++i) route.points.push_back({names[i], {kTrack[i][0] * 100, kTrack[i][1] * 100}, 0});
  return route;
}

// The aircraft `nm` along the route (before its first point when negative),
// flown leg by leg on great circles, half a mile aside: abeam counts, not
// overhead.
AircraftState flown(const FlightRoute& route, double nm, double utc, double gs) {
  std::size_t leg = 0;
  double legNm = distanceNm(route.points[0].position, route.points[1].position);
  while (nm > legNm && leg + 2 < route.points.size()) {
    nm -= legNm;
    ++leg;
    legNm = distanceNm(route.points[leg].position, route.points[leg + 1].position);
  }
  const double course = courseAndDistance(route.points[leg].position, route.points[leg + 1].position).course;
  Destination on = destination(route.points[leg].position, nm < 0 ? course + 180 : course, std::fabs(nm));
  if (nm < 0) on.finalCourse = course;
  const Destination aside = destination(on.position, on.finalCourse + 90, 0.5);
  return {aside.position, 35000, on.finalCourse, gs, utc, true};
}

TEST(FlightProgress, PassesAbeamTimesOverAndEtasOfEveryPoint) {
  const FlightRoute route = trackRoute();
  FlightProgress progress(route);
  const double start = static_cast<double>(utcTime(2026, 12, 8, 12, 0)), gs = 480;
  std::vector<double> alongAt{0};  // the route's distance to each point, independently
  for (int i = 1; i < 4; ++i)
    alongAt.push_back(alongAt.back() + haversineNm(kTrack[i - 1][0], kTrack[i - 1][1], kTrack[i][0], kTrack[i][1]));
  // Joined 17 NM before the first point, a sample a minute.
  for (int minute = 0; minute <= 60; ++minute) {
    const double nm = -17 + gs * minute / 60.0, utc = start + minute * 60;
    progress.update(flown(route, nm, utc, gs));
    std::size_t expectedNext = 0;
    while (expectedNext < 4 && alongAt[expectedNext] <= nm) ++expectedNext;
    ASSERT_EQ(progress.next(), expectedNext) << "minute " << minute;
    for (const PointAhead& a : progress.ahead()) {
      // Along the route from abeam the aircraft; the 3 NM aside adds little.
      EXPECT_NEAR(a.distanceNm, alongAt[a.index] - nm, 0.6) << a.index;
      ASSERT_TRUE(a.etaUtc);
      EXPECT_NEAR(*a.etaUtc, start + (17 + alongAt[a.index]) / gs * 3600, 5) << a.index;
    }
  }
  // Passed while watched: the time over from the two samples either side.
  for (std::size_t i = 0; i < 4; ++i) {
    const double expected = start + (17 + alongAt[i]) / gs * 3600;
    ASSERT_TRUE(progress.timesOver()[i] || expected > start + 3600) << i;
    if (progress.timesOver()[i]) {
      EXPECT_NEAR(*progress.timesOver()[i], expected, 1.0) << i;
    }
  }
  const std::vector<std::string> lines = progressLines(progress);
  EXPECT_EQ(lines[0].substr(0, 9), "AIRCRAFT ");
  EXPECT_NE(lines[0].find(" FL350 GS 480 TRK "), std::string::npos) << lines[0];
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1], "ATA 5650 1202Z");
  EXPECT_EQ(lines[2], "ATA 5640 " + hhmm(start + (17 + alongAt[1]) / gs * 3600) + "Z");
  EXPECT_EQ(lines[3].substr(0, 29), "NEXT 5530 N5500.00 W03000.00 ");
  EXPECT_EQ(lines[4].substr(0, 28), "ETA 5420 N5400.00 W02000.00 ");
}

// Joined mid-route: the points behind are passed without a time; a
// stationary aircraft has no ETA; one point is passed once abeam it.
TEST(FlightProgress, JoinedLateStandingStillAndOnePoint) {
  FlightProgress progress(trackRoute());
  progress.update({{5530, -3500}, 35000, 100, 0, 1000, true});
  EXPECT_EQ(progress.next(), 2u);
  EXPECT_FALSE(progress.timesOver()[0] || progress.timesOver()[1]);
  EXPECT_FALSE(progress.ahead().front().etaUtc);

  FlightProgress single({"", {{"DINIM", {5100, -1500}, 0}}});
  single.update({{5100, -1700}, 35000, 90, 480, 0, true});
  single.update({{5100, -1550}, 35000, 90, 480, 60, true});
  EXPECT_EQ(single.next(), 0u);
  single.update({{5030, -1450}, 35000, 180, 480, 120, true});
  EXPECT_EQ(single.next(), 1u);
  EXPECT_EQ(progressLines(single)[1].substr(0, 10), "ATA DINIM ");
}

// A sample far along the route (a wild one the feed let through, or the
// first after a gap) passes only the points the flight between the samples
// reached.
TEST(FlightProgress, OnlyThePointsTheFlightReachedArePassed) {
  FlightProgress progress(trackRoute());
  progress.update(flown(trackRoute(), -5, 0, 480));
  progress.update(flown(trackRoute(), 5, 75, 480));
  EXPECT_EQ(progress.next(), 1u);
  progress.update({{5400, -1000}, 35000, 90, 480, 80, true});  // 600 NM on in five seconds
  EXPECT_EQ(progress.next(), 1u);
  EXPECT_FALSE(progress.timesOver()[2]);
}

}  // namespace
}  // namespace korvant
