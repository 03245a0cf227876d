#include "map/mapview.h"

#include "geo/greatcircle.h"

#include <gtest/gtest.h>

#include <cmath>

#include "navdata/fixfile_builder.h"
#include "navdata/fixstore.h"

namespace korvant {
namespace {

const char* bandName(const MapView& v) {
  return v.kind == ProjectionKind::Lambert ? LAMBERT_BANDS[v.lambertBand].name : "none";
}

TEST(MapView, RangeStaysWithinLimits) {
  MapView v;
  v.setRange(10000);
  EXPECT_FALSE(v.rangeUp());  // 12500 is refused
  EXPECT_EQ(v.range, 10000);
  v.setRange(0.1);
  EXPECT_FALSE(v.rangeDown());
  EXPECT_EQ(v.range, 0.1);
  EXPECT_TRUE(v.setRange(11000));
  EXPECT_FALSE(v.setRange(0));
  EXPECT_FALSE(v.setRange(-5));
  EXPECT_FALSE(v.setRange(std::nan("")));
  EXPECT_EQ(v.range, 11000);
  v.setRange(800);
  EXPECT_TRUE(v.rangeDown());
  EXPECT_DOUBLE_EQ(v.range, 640);
}

TEST(MapView, AutomaticBandBoundaries) {
  const struct {
    double lat;
    const char* band;
  } cases[] = {{9000, "70N/85N"},  {7000.01, "70N/85N"}, {7000, "60N/75N"},  {6000, "45N/60N"},  {4500.01, "45N/60N"},
               {4500, "30N/45N"},  {3000, "15N/30N"},    {0, "15N/30N"},     {-0.01, "15S/30S"}, {-3000, "30S/45S"},
               {-4500, "45S/60S"}, {-6000, "60S/75S"},   {-7000, "70S/85S"}, {-9000, "70S/85S"}};
  for (const auto& c : cases) {
    MapView v;
    v.setCentre({c.lat, 0}, 500);
    EXPECT_STREQ(bandName(v), c.band) << c.lat;
    EXPECT_EQ(v.kind, ProjectionKind::Lambert);
    EXPECT_EQ(v.stdParallel1, LAMBERT_BANDS[automaticLambertBand(c.lat)].stdParallel1);
  }
}

TEST(MapView, SetCentreKeepsRangeOnZeroAndBandOutsideLambert) {
  MapView v;
  v.setCentre({5000, -3000}, 800);
  v.selectOrthographic();
  v.setCentre({-3000, 15000}, 0);
  EXPECT_EQ(v.range, 800);
  EXPECT_EQ(v.kind, ProjectionKind::Orthographic);
  EXPECT_EQ(v.stdParallel1, 4500);  // left as it was
}

TEST(MapView, EuropePresetSetsEverything) {
  MapView v;
  ASSERT_TRUE(v.selectPreset("EUROPE"));
  EXPECT_EQ(v.presetName, "EUROPE");
  EXPECT_EQ(v.centre.lat, 5300);
  EXPECT_EQ(v.centre.lng, 2000);
  EXPECT_EQ(v.range, 1000);
  EXPECT_STREQ(bandName(v), "45N/60N");
  EXPECT_EQ(v.labelMeridian, 4500);
  EXPECT_EQ(v.labelParallel, 4700);
  EXPECT_FALSE(v.selectPreset("europe"));
  EXPECT_EQ(v.presetName, "EUROPE");
}

TEST(MapView, GlobeKeepsTheCentre) {
  MapView v;
  v.setCentre({3000, -6000}, 500);
  ASSERT_TRUE(v.selectPreset("GLOBE"));
  EXPECT_EQ(v.centre.lat, 3000);
  EXPECT_EQ(v.centre.lng, -6000);
  EXPECT_EQ(v.range, 3200);
  EXPECT_EQ(v.kind, ProjectionKind::Orthographic);
  // Any other preset goes back to Lambert.
  ASSERT_TRUE(v.selectPreset("KZOA"));
  EXPECT_EQ(v.kind, ProjectionKind::Lambert);
  EXPECT_STREQ(bandName(v), "30N/45N");
}

TEST(MapView, BandItemLeavesOrthographic) {
  MapView v;
  v.selectOrthographic();
  v.selectLambertBand(7);
  EXPECT_EQ(v.kind, ProjectionKind::Lambert);
  EXPECT_EQ(v.stdParallel1, -4500);
  EXPECT_EQ(v.stdParallel2, -6000);
  EXPECT_STREQ(bandName(v), "45S/60S");
  v.selectMercator();
  EXPECT_EQ(v.kind, ProjectionKind::Mercator);
}

TEST(MapView, NatDefault) {
  MapView v;
  v.setCentre({5000, -3500}, 1000.4);
  EXPECT_TRUE(v.isNatDefault());
  v.setRange(1000.5);
  EXPECT_FALSE(v.isNatDefault());
  v.setRange(1000);
  v.selectOrthographic();
  EXPECT_FALSE(v.isNatDefault());
  MapView w;
  w.setCentre({5000, -3400}, 1000);
  EXPECT_FALSE(w.isNatDefault());
}

TEST(MapView, FitToExtentCentresAndSizes) {
  MapView v;
  v.fitToExtent(5000, 5200, -3000, -1000);
  EXPECT_NEAR(degMinToDegrees(v.centre.lat), 51, 1e-6);
  EXPECT_NEAR(degMinToDegrees(v.centre.lng), -20, 1e-6);
  // The side along 51N is the longer one; h / 0.95 rounded up.
  const double h = distanceNm({5100, -3000}, {5100, -1000}) / 2;
  EXPECT_EQ(v.range, std::ceil(h / 0.95));
  EXPECT_STREQ(bandName(v), "45N/60N");
  MapView small;
  small.fitToExtent(5000, 5000, -3000, -3000);
  EXPECT_EQ(small.range, 2);  // h = 1, 1 / 0.9 rounded up
}

TEST(MapView, CentreFromTextResolvesNamesNearTheCentre) {
  FixFileContents c;
  c.fixes = {test::makeFix("TWIN", 5000, -3000), test::makeFix("TWIN", -3000, 15000)};
  FixStore fixes;
  fixes.loadBytes(test::fixFileBytes(c));
  MapView v;
  v.setCentre({-2000, 14000}, 700);
  ASSERT_TRUE(v.centreFromText("  twin", fixes));
  EXPECT_EQ(v.centre.lat, -3000);
  EXPECT_EQ(v.range, 700);
  ASSERT_TRUE(v.centreFromText("n5030/w03500", fixes));
  EXPECT_EQ(v.centre.lat, 5030);
  EXPECT_FALSE(v.centreFromText("NOWHERE", fixes));
  EXPECT_EQ(v.centre.lat, 5030);
}

}  // namespace
}  // namespace korvant
