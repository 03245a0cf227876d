#include "geo/latlng.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

namespace korvant {
namespace {

TEST(LatLng, SetChecksEachCoordinateAlone) {
  LatLng p;
  p.set(9000.0, 18000.0);
  EXPECT_EQ(p.lat, 9000.0);
  EXPECT_EQ(p.lng, 18000.0);
  EXPECT_FALSE(p.isUnset());
  p.set(-9000.1, 0);
  EXPECT_EQ(p.lat, NO_POSITION);
  EXPECT_EQ(p.lng, 0);
  EXPECT_TRUE(p.isUnset());
  p.set(0, -18000.5);
  EXPECT_EQ(p.lat, 0);
  EXPECT_EQ(p.lng, NO_POSITION);
}

TEST(LatLng, DefaultIsUnsetAndOutOfRangeIsNot) {
  EXPECT_TRUE(LatLng{}.isUnset());
  EXPECT_TRUE(LatLng::unset().isUnset());
  EXPECT_FALSE((LatLng{OUT_OF_RANGE, 0}).isUnset());
}

TEST(Conversions, SymmetricInSign) {
  EXPECT_DOUBLE_EQ(degMinToDegrees(-5030), -50.5);
  EXPECT_DOUBLE_EQ(degMinToDegrees(5030), 50.5);
  EXPECT_DOUBLE_EQ(degreesToDegMin(50.5), 5030);
  EXPECT_DOUBLE_EQ(degreesToDegMin(-50.5), -5030);
  EXPECT_NEAR(degMinToRadians(-9000), -PI / 2, 1e-15);
  EXPECT_NEAR(radiansToDegMin(PI / 4), 4500, 1e-9);
  EXPECT_NEAR(radiansToDegMin(-PI), -18000, 1e-9);
}

TEST(Conversions, RoundTripThroughRadians) {
  for (double v : {0.0, 1.0, 5030.5, -3345.25, 8959.99, -17959.75}) {
    SCOPED_TRACE(v);
    EXPECT_NEAR(radiansToDegMin(degMinToRadians(v)), v, 1e-9);
    EXPECT_NEAR(degreesToDegMin(degMinToDegrees(v)), v, 1e-9);
  }
}

TEST(StreamOutput, FixedWidthAndRestoresTheStream) {
  std::ostringstream out;
  out << std::setfill('*') << std::scientific;
  out << LatLng{5030, -3500};
  EXPECT_EQ(out.str(), "N5030.00 W03500.00");
  EXPECT_EQ(out.fill(), '*');
  EXPECT_TRUE(out.flags() & std::ios::scientific);
  EXPECT_EQ(out.precision(), 2);

  std::ostringstream south;
  south << LatLng{-3345.5, 15110.25};
  EXPECT_EQ(south.str(), "S3345.50 E15110.25");

  // A rounded 60 minutes is carried into the degrees.
  std::ostringstream carry;
  carry << LatLng{4959.996, -3459.999};
  EXPECT_EQ(carry.str(), "N5000.00 W03500.00");
  std::ostringstream top;
  top << LatLng{8959.9999, -17959.9999};
  EXPECT_EQ(top.str(), "N9000.00 W18000.00");
}

// The helpers the readers and the view use instead of taking packed fields apart.
TEST(PackedUnit, HelpersKeepDegreesAndMinutesApart) {
  EXPECT_DOUBLE_EQ(packDegreesMinutes(-47, -30.5), -4730.5);
  const DegreesMinutes split = splitPackedMagnitude(-4730.5);
  EXPECT_EQ(split.degrees, 47);
  EXPECT_DOUBLE_EQ(split.minutes, 30.5);
  EXPECT_TRUE(isPackedMagnitudeValid(9000, 90));
  EXPECT_FALSE(isPackedMagnitudeValid(9001, 90));
  EXPECT_FALSE(isPackedMagnitudeValid(4760, 90));  // 60 minutes
  EXPECT_DOUBLE_EQ(packedLongitudeNear(-17000, 17000), 19000);
  EXPECT_DOUBLE_EQ(packedLongitudeNear(17000, -17000), -19000);
  EXPECT_DOUBLE_EQ(wrapPackedLongitude(19000), -17000);
  EXPECT_DOUBLE_EQ(wrapPackedLongitude(-18000), -18000);
  const LatLng::Degrees d = LatLng{-4730, 13530}.decimalDegrees();
  EXPECT_DOUBLE_EQ(d.lat, -47.5);
  EXPECT_DOUBLE_EQ(d.lng, 135.5);
}

}  // namespace
}  // namespace korvant
