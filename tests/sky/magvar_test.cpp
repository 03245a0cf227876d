#include "sky/magvar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sky/wmm2025.h"

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
  // Digits as printf gives them, at and about every rounding half.
  for (int i = -2000; i <= 2000; ++i)
    for (const double v : {i * 0.05, i * 0.05 + 1e-9, i * 0.05 - 1e-9, i * 0.0137, i * 0.09}) {
      char printed[32];
      std::snprintf(printed, sizeof printed, std::fabs(v) >= 10 ? "%.0f%c" : "%.1f%c", std::fabs(v),
                    v >= 0 ? 'W' : 'E');
      ASSERT_EQ(variationText(v), printed) << v;
    }
}

// Several positions at once give each the value of one alone, to the last
// bit, at any latitude (the poles included), longitude and date.
TEST(MagneticVariation, ManyAtOnceAreEachTheValueOfOne) {
  std::vector<LatLng> positions;
  for (double lat = -9000; lat <= 9000; lat += 250)
    for (double lng = -18000; lng <= 18000; lng += 730) positions.push_back({lat, lng});
  positions.push_back({5012.5, -3017.25});  // an odd count: the last alone
  for (const MagneticModel& model : {MagneticModel(), MagneticModel(MagneticModelId::Wmm2025, 2026.93)}) {
    std::vector<double> values(positions.size());
    model.variations(positions, values);
    for (std::size_t i = 0; i < positions.size(); ++i)
      ASSERT_EQ(values[i], model.variation(positions[i])) << positions[i].lat << " " << positions[i].lng;
  }
}

// Each generated table against its published file.
void expectTableMatches(const char* path, const char* name, const WmmCoefficient (&table)[90]) {
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  std::string header;
  std::getline(in, header);
  EXPECT_NE(header.find(name), std::string::npos);
  std::size_t row = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("9999", 0) == 0) break;
    std::istringstream fields(line);
    int n, m;
    double g, h, gDot, hDot;
    ASSERT_TRUE(fields >> n >> m >> g >> h >> gDot >> hDot) << line;
    ASSERT_LT(row, std::size(table));
    const WmmCoefficient& c = table[row++];
    EXPECT_EQ(c.n, n);
    EXPECT_EQ(c.m, m);
    EXPECT_EQ(c.g, g);
    EXPECT_EQ(c.h, h);
    EXPECT_EQ(c.gDot, gDot);
    EXPECT_EQ(c.hDot, hDot);
  }
  EXPECT_EQ(row, 90u);
}

TEST(MagneticVariation, TablesMatchThePublishedFiles) {
  expectTableMatches(KORVANT_WMM_COF, "WMM-2000", WMM2000_COEFFICIENTS);
  expectTableMatches(KORVANT_WMM2025_COF, "WMM-2025", WMM2025_COEFFICIENTS);
}

// NOAA's published test values for WMM2025 (WMM2025_TEST_VALUES.txt, issued
// with the model in December 2024; the declination column, in degrees, east
// positive): two dates, two heights, the Arctic, the equator at 120E and the
// Antarctic at 240E.
TEST(MagneticModelTest, Wmm2025AgreesWithThePublishedTestValues) {
  struct Point {
    double year, heightKm, lat, lng, declination;
  };
  const Point points[] = {
      {2025.0, 0, 80, 0, 1.28},   {2025.0, 0, 0, 120, -0.16},   {2025.0, 0, -80, 240, 68.78},
      {2025.0, 100, 80, 0, 0.85}, {2025.0, 100, 0, 120, -0.15}, {2025.0, 100, -80, 240, 68.21},
      {2027.5, 0, 80, 0, 2.59},   {2027.5, 0, 0, 120, -0.24},   {2027.5, 0, -80, 240, 68.49},
      {2027.5, 100, 80, 0, 2.16}, {2027.5, 100, 0, 120, -0.23}, {2027.5, 100, -80, 240, 67.93},
  };
  for (const Point& p : points) {
    const MagneticModel model(MagneticModelId::Wmm2025, p.year);
    const double lng = p.lng > 180 ? p.lng - 360 : p.lng;
    const LatLng at{degreesToDegMin(p.lat), degreesToDegMin(lng)};
    // The table rounds to 0.01 degree; variation is positive west.
    EXPECT_NEAR(-model.variation(at, p.heightKm), p.declination, 0.006) << p.year << " " << p.lat << " " << p.lng;
  }
}

TEST(MagneticModelTest, YearsOutsideTheModelAreHeldAtItsEnds) {
  const MagneticModel late(MagneticModelId::Wmm2025, 2031.4);
  EXPECT_EQ(late.year(), 2030.0);
  EXPECT_TRUE(late.clamped());
  EXPECT_EQ(late.title(), "VAR WMM2025 2030.0 (MODEL LIMIT)");
  const MagneticModel early(MagneticModelId::Wmm2025, 2019.0);
  EXPECT_EQ(early.year(), 2025.0);
  const MagneticModel now(MagneticModelId::Wmm2025, 2026.93);
  EXPECT_FALSE(now.clamped());
  EXPECT_EQ(now.title(), "VAR WMM2025 2026.9");
  EXPECT_EQ(MagneticModel(MagneticModelId::Wmm2025, std::nan("")).year(), 2025.0);
  // The default is WMM-2000 at its epoch, whatever the date.
  const MagneticModel part(MagneticModelId::Wmm2000, 2026.9);
  EXPECT_EQ(part.year(), 2000.0);
  EXPECT_FALSE(part.clamped());
  const LatLng gander{4857, -5434};
  EXPECT_EQ(MagneticModel().variation(gander), magneticVariation(gander));
  EXPECT_EQ(part, MagneticModel());
  // Twenty-seven years apart: Gander's variation has changed by degrees.
  EXPECT_GT(std::fabs(now.variation(gander) - part.variation(gander)), 2);
  // Both poles and the date line give finite values.
  for (const LatLng p : {LatLng{9000, 0}, LatLng{-9000, 0}, LatLng{5000, 18000}, LatLng{5000, -18000}})
    EXPECT_TRUE(std::isfinite(now.variation(p))) << p;
  EXPECT_NEAR(now.variation({5000, 18000}), now.variation({5000, -18000}), 1e-9);
}

TEST(MagneticModelTest, DecimalYearsToTheDayAndModelNames) {
  EXPECT_DOUBLE_EQ(decimalYear(1735689600), 2025.0);              // 2025-01-01 00:00 UTC
  EXPECT_DOUBLE_EQ(decimalYear(1735689600 + 86399), 2025.0);      // the same day
  EXPECT_DOUBLE_EQ(decimalYear(1796601600), 2026 + 340 / 365.0);  // 2026-12-07
  EXPECT_DOUBLE_EQ(decimalYear(951782400), 2000 + 59 / 366.0);    // 2000-02-29
  EXPECT_EQ(magneticModelByName("wmm2025"), MagneticModelId::Wmm2025);
  EXPECT_EQ(magneticModelByName(""), MagneticModelId::Wmm2000);
  EXPECT_FALSE(magneticModelByName("IGRF"));
}

}  // namespace
}  // namespace korvant
