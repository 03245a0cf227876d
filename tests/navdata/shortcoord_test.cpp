#include "navdata/shortcoord.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvant {
namespace {

TEST(ShortCoord, KnownBytesAreTheTopOfTheLittleEndianDouble) {
  // -3500.0 is 0xC0AB580000000000.
  std::uint8_t bytes[5];
  encodeShortCoord(-3500.0, bytes);
  const std::uint8_t expected[5] = {0x00, 0x00, 0x58, 0xAB, 0xC0};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(bytes[i], expected[i]) << i;
  EXPECT_EQ(decodeShortCoord(expected), -3500.0);
}

TEST(ShortCoord, WholeAndHalfMinutesSurviveExactly) {
  for (double v : {0.0, 5030.0, 5030.5, -9000.0, 18000.0, -17959.5, 19999.9 - 0.9}) {
    std::uint8_t b[5];
    encodeShortCoord(v, b);
    EXPECT_EQ(decodeShortCoord(b), v) << v;
  }
}

TEST(ShortCoord, OtherValuesRoundToNearestAndStayStable) {
  for (double v : {3433.1666667, -5254.8126, 17959.999, 0.0001}) {
    std::uint8_t b[5];
    encodeShortCoord(v, b);
    const double decoded = decodeShortCoord(b);
    EXPECT_NEAR(decoded, v, std::fabs(v) * std::ldexp(1.0, -28)) << v;
    std::uint8_t again[5];
    encodeShortCoord(decoded, again);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(again[i], b[i]);
  }
}

TEST(ShortCoord, NegativeZeroIsWrittenAsZero) {
  std::uint8_t b[5];
  encodeShortCoord(-0.0, b);
  EXPECT_FALSE(std::signbit(decodeShortCoord(b)));
}

}  // namespace
}  // namespace korvant
