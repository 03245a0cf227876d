#include "geo/greatcircle.h"

#include <gtest/gtest.h>
#include <GeographicLib/Geodesic.hpp>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "geo/positiontext.h"

namespace korvant {
namespace {

TEST(CourseAndDistance, GreatCircleStartsNorthOfEast) {
  const CourseDistance cd = courseAndDistance({5000, -3000}, {5000, -2000});
  EXPECT_NEAR(cd.course, 86.17, 0.005);
  EXPECT_NEAR(cd.distance, 386.09, 0.005);
  // The reverse leg starts south of west by the same angle.
  const CourseDistance back = courseAndDistance({5000, -2000}, {5000, -3000});
  EXPECT_NEAR(back.course, 273.83, 0.005);
  EXPECT_NEAR(back.distance, cd.distance, 1e-9);
}

TEST(CourseAndDistance, SamePointIsCourseZeroDistanceZero) {
  const CourseDistance cd = courseAndDistance({5030, -3500}, {5030, -3500});
  EXPECT_EQ(cd.course, 0);
  EXPECT_EQ(cd.distance, 0);
}

TEST(CourseAndDistance, FromThePolesUsesTheMeridian) {
  const CourseDistance north = courseAndDistance({9000, 0}, {8000, 4500});
  EXPECT_NEAR(north.course, -45, 1e-12);  // not normalised
  EXPECT_NEAR(north.distance, 601.1, 1e-9);
  const CourseDistance south = courseAndDistance({-9000, 0}, {-8000, 4500});
  EXPECT_NEAR(south.course, 45, 1e-12);
  EXPECT_NEAR(south.distance, 601.1, 1e-9);
}

TEST(CourseAndDistance, CardinalCoursesAndRange) {
  EXPECT_NEAR(courseAndDistance({0, 0}, {100, 0}).course, 0, 1e-12);
  EXPECT_NEAR(courseAndDistance({0, 0}, {0, 100}).course, 90, 1e-12);
  EXPECT_NEAR(courseAndDistance({0, 0}, {-100, 0}).course, 180, 1e-12);
  EXPECT_NEAR(courseAndDistance({0, 0}, {0, -100}).course, 270, 1e-12);
  EXPECT_NEAR(courseAndDistance({0, 0}, {0, 100}).distance, 60.11, 1e-9);
  // Across the date line the short way.
  const CourseDistance dl = courseAndDistance({0, 17930}, {0, -17930});
  EXPECT_NEAR(dl.course, 90, 1e-9);
  EXPECT_NEAR(dl.distance, 60.11, 1e-9);
}

TEST(DistanceNm, HalfTheEarthAndFromPoles) {
  EXPECT_NEAR(distanceNm({0, 0}, {0, 18000}), 180 * 60.11, 1e-6);
  EXPECT_NEAR(distanceNm({9000, 0}, {8000, 4500}), 601.1, 1e-9);
}

TEST(Destination, EastAlongTheEquator) {
  const Destination d = destination({0, 0}, 90, 60.11);
  EXPECT_NEAR(degMinToDegrees(d.position.lat), 0, 1e-12);
  EXPECT_NEAR(degMinToDegrees(d.position.lng), 1, 1e-12);
  EXPECT_EQ(formatLng(d.position.lng), "E00100.00");
  EXPECT_NEAR(d.finalCourse, 90, 1e-9);
}

TEST(Destination, AcrossTheDateLine) {
  const Destination d = destination({0, 17930}, 90, 60.11);
  EXPECT_NEAR(degMinToDegrees(d.position.lng), -179.5, 1e-9);
  EXPECT_EQ(formatLng(d.position.lng), "W17930.00");
}

TEST(Destination, FinalCourseIsInZeroExclusiveTo360) {
  const Destination north = destination({0, 0}, 0, 600);
  EXPECT_NEAR(north.finalCourse, 360, 1e-9);
  EXPECT_GT(north.finalCourse, 0);
  EXPECT_LE(north.finalCourse, 360);
}

TEST(Destination, InvertsCourseAndDistance) {
  const LatLng from{5030, -5200}, to{4715, -1010};
  const CourseDistance cd = courseAndDistance(from, to);
  const Destination d = destination(from, cd.course, cd.distance);
  EXPECT_NEAR(degMinToDegrees(d.position.lat), degMinToDegrees(to.lat), 1e-9);
  EXPECT_NEAR(degMinToDegrees(d.position.lng), degMinToDegrees(to.lng), 1e-9);
  const CourseDistance back = courseAndDistance(to, from);
  EXPECT_NEAR(d.finalCourse, std::fmod(back.course + 180, 360), 1e-6);
}

TEST(DestinationWithEllipsoidCourse, SamePositionEllipsoidalFinalCourse) {
  const LatLng from{5030, -5200};
  const Destination sphere = destination(from, 75, 1500);
  const Destination ellipsoid = destinationWithEllipsoidCourse(from, 75, 1500);
  EXPECT_EQ(ellipsoid.position.lat, sphere.position.lat);
  EXPECT_EQ(ellipsoid.position.lng, sphere.position.lng);

  GeographicLib::Geodesic g(6378137.0, 0.0033528106811836675);
  double azi1 = 0, azi2 = 0;
  g.Inverse(degMinToDegrees(sphere.position.lat), degMinToDegrees(sphere.position.lng), degMinToDegrees(from.lat),
            degMinToDegrees(from.lng), azi1, azi2);
  EXPECT_NEAR(ellipsoid.finalCourse, azi1 + 180, 1e-12);
  // Close to the spherical answer, but not the same.
  EXPECT_NEAR(ellipsoid.finalCourse, sphere.finalCourse, 0.5);
  EXPECT_NE(ellipsoid.finalCourse, sphere.finalCourse);
}

TEST(DestinationWithEllipsoidCourse, NearlyAntipodalStillConverges) {
  const Destination d = destinationWithEllipsoidCourse({0, 0}, 90, 180 * 60.11 - 0.5);
  EXPECT_TRUE(std::isfinite(d.finalCourse));
  EXPECT_GT(d.finalCourse, 0);
  EXPECT_LE(d.finalCourse, 360);
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// What any caller prints or decides from a course and distance.
std::string printed(const CourseDistance& cd, double offset) {
  double magnetic = cd.course + offset;
  if (magnetic > 360)
    magnetic -= 360;
  else if (magnetic <= 0)
    magnetic += 360;
  char text[160];
  std::snprintf(text, sizeof text, "%.2f %.2f %.2f %.2f %ld %.2f %d", cd.course, magnetic, cd.distance,
                cd.distance * KM_PER_NM, std::lround(magnetic * 10), std::round(cd.distance * 20) / 20,
                cd.distance > 310.0);
  return text;
}

TEST(CourseAndDistance, DoublePrintsAsExtendedOnAMillionPairs) {
  std::mt19937_64 random(20261207);
  std::uniform_real_distribution<double> lat(-90, 90), lng(-180, 180), offset(-40, 40);
  const auto packed = [](double degrees) { return degreesToDegMin(degrees); };
  std::vector<std::pair<LatLng, LatLng>> pairs;
  for (int i = 0; i < 1000000; ++i)
    pairs.push_back({{packed(lat(random)), packed(lng(random))}, {packed(lat(random)), packed(lng(random))}});
  // Pairs whose course and distance fall on a printing step, to within the
  // computation's own error: here the double form must hand over.
  std::uniform_int_distribution<int> step(1, 71999), steps(1, 2000000);
  for (int i = 0; i < 200000; ++i) {
    const LatLng from{packed(lat(random) * 0.9), packed(lng(random))};
    pairs.push_back({from, destination(from, step(random) * 0.005, steps(random) * 0.005).position});
  }
  // Poles, antipodes, the date line, meridians and the equator, coincident points.
  for (double a : {-9000.0, -8959.99, -4500.0, 0.0, 0.01, 4500.0, 8959.99, 9000.0})
    for (double b : {-18000.0, -17959.99, -9000.0, 0.0, 0.01, 9000.0, 17959.99, 18000.0}) {
      pairs.push_back({{a, b}, {-a, b > 0 ? b - 18000 : b + 18000}});
      pairs.push_back({{a, b}, {a, b}});
      pairs.push_back({{a, b}, {a, -b}});
      pairs.push_back({{a, b}, {-a, b}});
      pairs.push_back({{a, b}, {a + (a < 9000 ? 0.01 : -0.01), b}});
    }
  int checked = 0;
  for (const auto& [from, to] : pairs) {
    const double o = offset(random);
    const std::string fast = printed(courseAndDistance(from, to, o), o);
    const std::string exact = printed(courseAndDistanceExtended(from, to), o);
    ASSERT_EQ(fast, exact) << from << " -> " << to << " offset " << o;
    ++checked;
  }
  EXPECT_GT(checked, 1000000);
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

TEST(Destination, DoublePrintsAsExtendedOnAMillionLegs) {
  std::mt19937_64 random(7122026);
  std::uniform_real_distribution<double> lat(-90, 90), lng(-180, 180), course(0, 360), distance(0, 11000);
  const auto check = [](const LatLng& from, double c, double d) {
    const Destination fast = destination(from, c, d), exact = destinationExtended(from, c, d);
    char a[32], b[32];
    std::snprintf(a, sizeof a, "%.2f", fast.finalCourse);
    std::snprintf(b, sizeof b, "%.2f", exact.finalCourse);
    ASSERT_EQ(formatLat(fast.position.lat) + formatLng(fast.position.lng) + a,
              formatLat(exact.position.lat) + formatLng(exact.position.lng) + b)
        << from << " course " << c << " distance " << d;
  };
  for (int i = 0; i < 1000000; ++i)
    check({degreesToDegMin(lat(random)), degreesToDegMin(lng(random))}, course(random), distance(random));
  // From the poles and the date line, due north and south, half and whole way round.
  for (double a : {-9000.0, -8959.99, 0.0, 4500.0, 8959.99, 9000.0})
    for (double b : {-18000.0, 0.0, 17959.99, 18000.0})
      for (double c : {0.0, 90.0, 180.0, 270.0, 359.99})
        for (double d : {0.0, 0.005, 310.0, 5409.9, 10819.8, 21639.6}) check({a, b}, c, d);
}

}  // namespace
}  // namespace korvant
