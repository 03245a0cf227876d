// The three angle rules at their edges, where hand-written wraps used to
// disagree (one kept 0, another gave 360).
#include "geo/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geo/fixgeometry.h"
#include "sky/magvar.h"

namespace korvant {
namespace {

TEST(Angles, EachRuleAtItsEdges) {
  const struct {
    double in, to360, course, to180;
  } cases[] = {
      {0, 0, 360, 0},
      {-0.0, 0, 360, 0},
      {360, 0, 360, 0},
      {720, 0, 360, 0},
      {-360, 0, 360, 0},
      {180, 180, 180, -180},
      {-180, 180, 180, -180},
      {540, 180, 180, -180},
      {1, 1, 1, 1},
      {-1, 359, 359, -1},
      {359.5, 359.5, 359.5, -0.5},
      {-1e-20, 0, 360, 0},  // rounds to 360 on the way: 0 in [0, 360)
      {1e6 + 0.25, 280.25, 280.25, -79.75},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(wrap360(c.in), c.to360) << c.in;
    EXPECT_EQ(wrapCourse360(c.in), c.course) << c.in;
    EXPECT_EQ(wrap180(c.in), c.to180) << c.in;
    EXPECT_FALSE(std::signbit(wrap360(c.in))) << c.in;
  }
  EXPECT_TRUE(std::isnan(wrap360(std::numeric_limits<double>::quiet_NaN())));
  // The program's uses: a magnetic course north is 360; a turn of -180 is 180.
  EXPECT_EQ(magneticCourse(350, 10), 360);
  EXPECT_EQ(magneticCourse(5, -5), 360);
  EXPECT_EQ(angleDiff(180, 0), 180);
  EXPECT_EQ(angleDiff(0, 180), 180);
  EXPECT_EQ(angleDiff(10, 350), -20);
}

}  // namespace
}  // namespace korvant
