#include "sky/magvar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "sky/wmm2000.h"

namespace korvant {
namespace {

TEST(MagneticVariation, PublishedValues) {
  EXPECT_NEAR(magneticVariation({5000, -3000}), 15.8, 0.1);
  EXPECT_NEAR(magneticVariation({0, 0}), 7.3, 0.1);
  EXPECT_NEAR(magneticVariation({4036, -7348}), 13.4, 0.1);
  EXPECT_NEAR(magneticVariation({2118, -15754}), -10.2, 0.1);
  EXPECT_NEAR(magneticVariation({-3354, 15112}), -12.6, 0.1);
}

TEST(MagneticVariation, FiniteEverywhereIncludingThePoles) {
  for (double lat = -9000; lat <= 9000; lat += 500)
    for (double lng = -18000; lng <= 18000; lng += 1500)
      EXPECT_TRUE(std::isfinite(magneticVariation({lat, lng}))) << lat << " " << lng;
  // The same position, the same answer: no date enters.
  EXPECT_EQ(magneticVariation({5000, -3000}), magneticVariation({5000, -3000}));
}

TEST(MagneticVariation, TextRule) {
  EXPECT_EQ(variationText(7.3), "7.3W");
  EXPECT_EQ(variationText(-15), "15E");
  EXPECT_EQ(variationText(9.96), "10.0W");
  EXPECT_EQ(variationText(10.2), "10W");
  EXPECT_EQ(variationText(0), "0.0W");
  EXPECT_EQ(variationText(-0.04), "0.0E");
}

TEST(MagneticVariation, TableMatchesThePublishedFile) {
  std::ifstream in(KORVANT_WMM_COF);
  ASSERT_TRUE(in) << KORVANT_WMM_COF;
  std::string header;
  std::getline(in, header);
  EXPECT_NE(header.find("WMM-2000"), std::string::npos);
  std::size_t row = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("9999", 0) == 0) break;
    std::istringstream fields(line);
    int n, m;
    double g, h, gDot, hDot;
    ASSERT_TRUE(fields >> n >> m >> g >> h >> gDot >> hDot) << line;
    ASSERT_LT(row, std::size(WMM2000_COEFFICIENTS));
    const WmmCoefficient& c = WMM2000_COEFFICIENTS[row++];
    EXPECT_EQ(c.n, n);
    EXPECT_EQ(c.m, m);
    EXPECT_EQ(c.g, g);
    EXPECT_EQ(c.h, h);
    EXPECT_EQ(c.gDot, gDot);
    EXPECT_EQ(c.hDot, hDot);
  }
  EXPECT_EQ(row, 90u);
}

}  // namespace
}  // namespace korvant
