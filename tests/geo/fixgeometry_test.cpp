#include "geo/fixgeometry.h"
#include "geo/angles.h"
#include "sky/magvar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geo/greatcircle.h"

namespace korvant {
namespace {

TEST(AngleOperations, DiffAndSides) {
  EXPECT_EQ(angleDiff(10, 350), -20);
  EXPECT_EQ(angleDiff(350, 10), 20);
  EXPECT_EQ(angleDiff(0, 180), 180);
  EXPECT_EQ(angleDiff(180, 0), 180);  // -180 becomes 180
  EXPECT_TRUE(sameSide(10, 0, 20));
  EXPECT_FALSE(sameSide(-10, 0, 20));
  EXPECT_TRUE(sameSide(0, 0, 5));  // zero counts with the positive side
}

TEST(IntersectLines, SymmetricCrossingSlightlyNorthOf50) {
  const Intersection x = intersectLines({5000, -3000}, {5000, -2000}, {5100, -2500}, {4900, -2500});
  ASSERT_TRUE(x.ok);
  EXPECT_NEAR(degMinToDegrees(x.position.lng), -25, 1e-6);
  EXPECT_GT(x.position.lat, 5000);
  EXPECT_LT(x.position.lat, 5010);
  EXPECT_GT(x.rounds, 0);
  EXPECT_LE(x.rounds, 200);
  EXPECT_NEAR(x.distance, distanceNm({5000, -3000}, x.position), 1e-9);
  // The crossing lies on the great circle from 1 to 2.
  EXPECT_NEAR(courseAndDistance({5000, -3000}, x.position).course,
              courseAndDistance({5000, -3000}, {5000, -2000}).course, 1e-3);
}

TEST(IntersectLines, PointsOnTheCourseLine) {
  // Along the equator every course is exactly 90.
  Intersection x = intersectLines({0, 0}, {0, 1000}, {0, 500}, {100, 500});
  ASSERT_TRUE(x.ok);
  EXPECT_EQ(x.position.lng, 500);
  EXPECT_EQ(x.rounds, 0);
  EXPECT_FALSE(intersectLines({0, 0}, {0, 1000}, {0, 1500}, {100, 1500}).ok);  // point 3 too far
  x = intersectLines({0, 0}, {0, 1000}, {100, 500}, {0, 700});
  ASSERT_TRUE(x.ok);
  EXPECT_EQ(x.position.lng, 700);  // point 4 in line
  x = intersectLines({0, 0}, {0, 1000}, {0, 300}, {0, 600});
  ASSERT_TRUE(x.ok);
  EXPECT_EQ(x.position.lng, 300);                                         // 3-4 overlaps
  EXPECT_FALSE(intersectLines({0, 0}, {0, 100}, {0, 300}, {0, 600}).ok);  // all in line, no overlap
}

TEST(IntersectLines, FailuresAndTheirDiagnostics) {
  std::vector<std::string> lines;
  const GeometryDiagnostics record = [&](const std::string& l) { lines.push_back(l); };
  EXPECT_FALSE(intersectLines({5000, -3000}, {5000, -2000}, {5200, -2500}, {5100, -2500}, 0, record).ok);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("SAME SIDE OF 1-2  ", 0), 0u);
  EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), ' '), 2 + 2 + 3);  // three course values
  lines.clear();
  EXPECT_FALSE(intersectLines({5000, -3000}, {5000, -2900}, {5100, -2500}, {4900, -2500}, 0, record).ok);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("SAME SIDE OF 3-4  ", 0), 0u);
  EXPECT_FALSE(intersectLines({9000, 0}, {5000, -2000}, {5100, -2500}, {4900, -2500}).ok);
  const Intersection none = intersectLines({9000, 0}, {5000, -2000}, {5100, -2500}, {4900, -2500});
  EXPECT_TRUE(none.position.isUnset());
  EXPECT_EQ(none.distance, 11000);
}

TEST(IntersectRadials, FromTheStationItselfNoneOrAFiniteOne) {
  // Radials out of one point leave no angle at it to search by (the case
  // the procedure fuzzer found: an intercept that starts at its station).
  const LatLng p{-100.1, -100.1};
  const double v = magneticVariation(p);
  const Intersection x = intersectRadials(p, wrap360(188 - v), p, wrap360(-v));
  if (x.ok) {
    EXPECT_TRUE(std::isfinite(x.position.lat) && std::isfinite(x.position.lng));
  }
  EXPECT_FALSE(std::isnan(x.distance));
}

TEST(IntersectRadials, SearchLengthFollowsTheStationsDistance) {
  // Stations 20 NM apart search 100 NM along each radial.
  const LatLng a{5000, -3000};
  const LatLng b = destination(a, 90, 20).position;
  EXPECT_TRUE(intersectRadials(a, 30, b, 330, {}).ok);  // they cross about 17 NM out
  EXPECT_FALSE(intersectRadials(a, 5, b, 355, {}).ok);  // about 114 NM out
  // 300 NM apart: 700 NM.
  const LatLng c = destination(a, 90, 300).position;
  EXPECT_TRUE(intersectRadials(a, 30, c, 330, {}).ok);
  EXPECT_TRUE(intersectRadials(a, 15, c, 345, {}).ok);  // about 580 NM out
  EXPECT_FALSE(intersectRadials(a, 3, c, 357, {}).ok);  // far beyond 700 NM
}

TEST(CourseMeetsArc, TwoCrossingsNearerFirstAndNoneWhenClear) {
  const LatLng station{5000, -3000};
  const LatLng start = destination(station, 270, 60).position;
  const double toStation = courseAndDistance(start, station).course;
  const ArcCrossings two = courseMeetsArc(start, toStation + 5, 0, station, 10);
  ASSERT_EQ(two.count, 2);
  EXPECT_NEAR(distanceNm(station, two.first), 10, 0.01);
  EXPECT_NEAR(distanceNm(station, two.second), 10, 0.01);
  EXPECT_LT(distanceNm(start, two.first), distanceNm(start, two.second));
  EXPECT_EQ(courseMeetsArc(start, toStation + 40, 0, station, 10).count, 0);
  // A station to the left of the course: no crossing, not two that are not numbers.
  EXPECT_EQ(courseMeetsArc(start, toStation - 40, 0, station, 10).count, 0);
  // The offset turns the flown course.
  EXPECT_EQ(courseMeetsArc(start, toStation + 45, 40, station, 10).count, 2);
}

TEST(CourseMeetsArc, StraightAtTheStation) {
  const LatLng station{5000, -3000};
  const LatLng start{5000, -3200};
  const ArcCrossings two = courseMeetsArc(start, courseAndDistance(start, station).course, 0, station, 10);
  ASSERT_EQ(two.count, 2);
  const double d = distanceNm(start, station);
  EXPECT_NEAR(distanceNm(start, two.first), d - 10, 0.01);
  EXPECT_NEAR(distanceNm(start, two.second), d + 10, 0.01);
  EXPECT_FALSE(two.first.isUnset());
}

TEST(CourseMeetsArc, FromInsideTheArcOneCrossing) {
  const LatLng station{5000, -3000};
  const LatLng start = destination(station, 0, 3).position;
  const ArcCrossings one = courseMeetsArc(start, 90, 0, station, 10);
  ASSERT_EQ(one.count, 1);
  EXPECT_NEAR(distanceNm(station, one.first), 10, 0.01);
  EXPECT_TRUE(one.second.isUnset());
}

}  // namespace
}  // namespace korvant
