#include "map/projection.h"

#include <gtest/gtest.h>
#include <proj.h>

#include <climits>
#include <cmath>
#include <memory>
#include <string>

#include "map/mapview.h"

namespace korvant {
namespace {

Projection lambert(LatLng centre, double p1, double p2, unsigned scale = 2000, int w = 1920, int h = 1080) {
  Projection p;
  p.setup({{centre.lat, centre.lng}, p1, p2, {0, 0, w, h}, scale, ProjectionKind::Lambert});
  return p;
}

Projection ofKind(ProjectionKind kind, LatLng centre, unsigned scale = 2000) {
  Projection p;
  p.setup({{centre.lat, centre.lng}, 4500, 6000, {0, 0, 1920, 1080}, scale, kind});
  return p;
}

TEST(Projection, ScaleFromRange) {
  EXPECT_EQ(Projection::scaleForRange(1920, 1080, 1000), 1728u);
  EXPECT_EQ(Projection::scaleForRange(1080, 1920, 1000), 1728u);
  EXPECT_EQ(Projection::scaleForRange(100, 100, 0.01), 1600000u);  // range below 0.1 counts as 0.1
  EXPECT_EQ(Projection::scaleForRange(0, 100, 1000), 0u);
}

TEST(Projection, SetupNormalisesTheRectangle) {
  Projection p;
  p.setup({{5000, -3500}, 4500, 6000, {1921, 1081, 0, 0}, 1000, ProjectionKind::Lambert});
  EXPECT_EQ(p.width(), 1921);
  EXPECT_EQ(p.height(), 1081);
  EXPECT_EQ(p.centreX(), 960);
  EXPECT_EQ(p.centreY(), 540);
}

TEST(Projection, LambertCentreMapsToTheSurfaceCentre) {
  const Projection p = lambert({5000, -3500}, 4500, 6000);
  const DevicePoint d = p.toDevice({5000, -3500});
  EXPECT_TRUE(d.visible);
  EXPECT_EQ(d.x, 960);
  EXPECT_EQ(d.y, 540);
  const DetailedDevicePoint dd = p.toDeviceDetailed({5000, -3000});
  EXPECT_EQ(dd.cx, 960);
  EXPECT_EQ(dd.pixelScale, 2000u);
  EXPECT_GT(dd.plane.x, 0);
  const LatLng back = p.fromDevice(960, 540);
  EXPECT_NEAR(degMinToDegrees(back.lat), 50, 1e-3);
  EXPECT_NEAR(degMinToDegrees(back.lng), -35, 1e-3);
}

TEST(Projection, LambertWrapsLongitudeAndClampsFarPoints) {
  const Projection p = lambert({5000, -3500}, 4500, 6000);
  // A minute short of and past the antimeridian of the centre: mirror images.
  const PlanePoint east = p.toPlane({5000, 14459}), west = p.toPlane({5000, 14501});
  EXPECT_TRUE(std::isfinite(east.x));
  EXPECT_NEAR(std::fabs(east.x), std::fabs(west.x), 1e-3);
  const Projection huge = lambert({5000, -3500}, 4500, 6000, 5'000'000);
  const DevicePoint far = huge.toDevice({-6000, 14000});
  EXPECT_TRUE(far.visible);
  EXPECT_GE(far.x, -32768);
  EXPECT_LE(far.x, 32767);
  EXPECT_TRUE(far.y == 32767 || far.y == -32768);
  // Garbage in gives a clamped point, never undefined behaviour.
  const DevicePoint unset = huge.toDevice({NO_POSITION, NO_POSITION});
  EXPECT_GE(unset.x, -32768);
  EXPECT_LE(unset.y, 32767);
}

TEST(Projection, LambertPoleIsDrawnJustShortOfIt) {
  const Projection p = lambert({7500, 0}, 7000, 8500);
  const PlanePoint pole = p.toPlane({9000, 1000}), near = p.toPlane({8959.98, 1000});
  EXPECT_EQ(pole.x, near.x);
  EXPECT_EQ(pole.y, near.y);
  const Projection s = lambert({-7500, 0}, -7000, -8500);
  EXPECT_EQ(s.toPlane({-9000, 0}).y, s.toPlane({-8959.98, 0}).y);
}

TEST(Projection, LambertApexGivesThePoleOfTheConesSide) {
  // Centred on the pole, the centre pixel is the apex of the cone.
  const Projection north = lambert({9000, 0}, 7000, 8500);
  const LatLng n = north.fromDevice(north.centreX(), north.centreY());
  EXPECT_EQ(n.lat, 9000);
  EXPECT_EQ(n.lng, 0);
  // A southern centre of -9000 is moved to -8959.999, so the centre pixel
  // lies a hair off the apex: still the south pole to the second.
  const Projection south = lambert({-9000, 0}, -7000, -8500);
  const LatLng s = south.fromDevice(south.centreX(), south.centreY());
  EXPECT_NEAR(degMinToDegrees(s.lat), -90, 1e-4);
}

TEST(Projection, LambertInverseWrapsPackedLongitude) {
  const Projection p = lambert({5000, 17900}, 4500, 6000);
  const DevicePoint d = p.toDevice({5000, -17930});
  const LatLng back = p.fromDevice(d.x, d.y);
  EXPECT_LT(back.lng, 0);
  EXPECT_NEAR(degMinToDegrees(back.lng), -179.5, 0.05);  // one device unit is 0.03 degrees
}

TEST(Projection, OrthographicFarSideAndOutsideTheDisc) {
  const Projection p = ofKind(ProjectionKind::Orthographic, {5000, -3500});
  const DevicePoint opposite = p.toDevice({-5000, 14500});
  EXPECT_FALSE(opposite.visible);
  EXPECT_EQ(opposite.x, INT_MIN);
  EXPECT_EQ(opposite.y, INT_MIN);
  EXPECT_EQ(p.toPlane({-5000, 14500}).x, FAR_SIDE);
  EXPECT_TRUE(p.fromDevice(p.centreX() + 2001, p.centreY()).isUnset());
  const LatLng centre = p.fromDevice(p.centreX(), p.centreY());
  EXPECT_EQ(centre.lat, 5000);
  EXPECT_EQ(centre.lng, -3500);
  EXPECT_FALSE(p.nearSurface(opposite.x, opposite.y, 100));
  EXPECT_TRUE(p.nearSurface(-1920 * 100, 1080 * 101, 100));
}

TEST(Projection, OrthographicOverThePoles) {
  for (double lat : {9000.0, -9000.0}) {
    const Projection p = ofKind(ProjectionKind::Orthographic, {lat, 0});
    const DevicePoint d = p.toDevice({lat > 0 ? 8000.0 : -8000.0, 4500});
    ASSERT_TRUE(d.visible);
    const LatLng back = p.fromDevice(d.x, d.y);
    EXPECT_NEAR(std::fabs(degMinToDegrees(back.lat)), 80, 0.05) << lat;
    EXPECT_NEAR(degMinToDegrees(back.lng), 45, 0.05) << lat;
  }
}

// The view's centre on the centre row, forward and back, at any latitude;
// north above it, and the spacing of the parallels Mercator's own.
TEST(Projection, MercatorCentredOnTheViewsCentreAndLimits) {
  for (const LatLng centre : {LatLng{5000, -3500}, LatLng{0, 0}, LatLng{-3330, 15100}, LatLng{8800, 0}}) {
    const Projection p = ofKind(ProjectionKind::Mercator, centre);
    const DevicePoint d = p.toDevice(centre);
    EXPECT_EQ(d.x, p.centreX());
    EXPECT_EQ(d.y, p.centreY());
    const LatLng back = p.fromDevice(p.centreX(), p.centreY());
    EXPECT_NEAR(degMinToDegrees(back.lat), degMinToDegrees(centre.lat), 1e-6);
    EXPECT_NEAR(degMinToDegrees(back.lng), degMinToDegrees(centre.lng), 1e-6);
  }
  const Projection p = ofKind(ProjectionKind::Mercator, {5000, -3500});
  EXPECT_LT(p.toDevice({5500, -3500}).y, p.centreY());
  EXPECT_NEAR(p.toPlane({6000, -3500}).y - p.toPlane({5000, -3500}).y,
              std::log(std::tan(PI / 4 + PI / 6)) - std::log(std::tan(PI / 4 + 25 * PI / 180)), 1e-12);
  EXPECT_EQ(p.toPlane({8901, 0}).y, 2);
  EXPECT_TRUE(p.fromDevice(p.centreX() + 2000 * 4, p.centreY()).isUnset());  // beyond 180E
}

TEST(Projection, NoKindProjectsNothing) {
  Projection p;
  EXPECT_FALSE(p.toDevice({0, 0}).visible);
  EXPECT_TRUE(p.fromDevice(0, 0).isUnset());
}

TEST(Projection, ForwardAndInverseRoundTrip) {
  for (ProjectionKind kind : {ProjectionKind::Lambert, ProjectionKind::Mercator, ProjectionKind::Orthographic}) {
    const Projection p = ofKind(kind, {5000, -3500}, 20000);
    for (double lat : {4000.0, 5030.0, 5800.0})
      for (double lng : {-4500.0, -3500.0, -2015.5}) {
        const DevicePoint d = p.toDevice({lat, lng});
        ASSERT_TRUE(d.visible);
        const LatLng back = p.fromDevice(d.x, d.y);
        // One device unit at this scale is about 0.003 degrees.
        EXPECT_NEAR(degMinToDegrees(back.lat), degMinToDegrees(lat), 6e-3) << int(kind) << " " << lat << " " << lng;
        EXPECT_NEAR(degMinToDegrees(back.lng), degMinToDegrees(lng), 6e-3) << int(kind) << " " << lat << " " << lng;
      }
  }
}

// The forward mappings agree with PROJ on a sphere of radius 1.
class ProjAgreement : public ::testing::Test {
 protected:
  void compare(const std::string& definition, const Projection& ours, double centreLngDeg) {
    std::unique_ptr<PJ, decltype(&proj_destroy)> pj(proj_create(PJ_DEFAULT_CTX, definition.c_str()), proj_destroy);
    ASSERT_NE(pj, nullptr) << definition;
    int compared = 0;
    for (double lat = -80; lat <= 85; lat += 5)
      for (double lng = centreLngDeg - 175; lng <= centreLngDeg + 175; lng += 7) {
        const double wrapped = std::remainder(lng, 360.0);
        const PlanePoint p = ours.toPlane({degreesToDegMin(lat), degreesToDegMin(wrapped)});
        if (p.x == FAR_SIDE && p.y == FAR_SIDE) continue;
        const PJ_COORD in = proj_coord(proj_torad(wrapped), proj_torad(lat), 0, 0);
        const PJ_COORD out = proj_trans(pj.get(), PJ_FWD, in);
        if (!std::isfinite(out.xy.x)) continue;
        EXPECT_NEAR(p.x, out.xy.x, 1e-9) << lat << " " << wrapped;
        EXPECT_NEAR(p.y, out.xy.y, 1e-9) << lat << " " << wrapped;
        ++compared;
      }
    EXPECT_GT(compared, 200);
  }
};

TEST_F(ProjAgreement, LambertConformalConic) {
  compare("+proj=lcc +lat_1=45 +lat_2=60 +lat_0=50 +lon_0=-35 +R=1", lambert({5000, -3500}, 4500, 6000), -35);
  compare("+proj=lcc +lat_1=-30 +lat_2=-45 +lat_0=-33.5 +lon_0=151 +R=1", lambert({-3330, 15100}, -3000, -4500), 151);
}

// Every band, between the nodes of the tabulated terms, to 85 degrees.
TEST_F(ProjAgreement, LambertBandsBetweenTableNodes) {
  const double bands[10][2] = {{70, 85},   {60, 75},   {45, 60},   {30, 45},   {15, 30},
                               {-15, -30}, {-30, -45}, {-45, -60}, {-60, -75}, {-70, -85}};
  for (const auto& band : bands) {
    const double centreLat = (band[0] + band[1]) / 2;
    const std::string definition = "+proj=lcc +lat_1=" + std::to_string(band[0]) +
                                   " +lat_2=" + std::to_string(band[1]) + " +lat_0=" + std::to_string(centreLat) +
                                   " +lon_0=-35 +R=1";
    std::unique_ptr<PJ, decltype(&proj_destroy)> pj(proj_create(PJ_DEFAULT_CTX, definition.c_str()), proj_destroy);
    const Projection ours =
        lambert({degreesToDegMin(centreLat), -3500}, degreesToDegMin(band[0]), degreesToDegMin(band[1]));
    for (double lat = -84.987; lat < 85; lat += 0.3713)
      for (double lng = -214.9; lng < 145; lng += 3.917) {
        const double wrapped = std::remainder(lng, 360.0);
        const PlanePoint p = ours.toPlane({degreesToDegMin(lat), degreesToDegMin(wrapped)});
        const PJ_COORD out = proj_trans(pj.get(), PJ_FWD, proj_coord(proj_torad(wrapped), proj_torad(lat), 0, 0));
        if (!std::isfinite(out.xy.x) || std::fabs(out.xy.x) > 1e3) continue;
        ASSERT_NEAR(p.x, out.xy.x, 1e-9 * std::max(1.0, std::fabs(out.xy.x))) << band[0] << " " << lat << " " << lng;
        ASSERT_NEAR(p.y, out.xy.y, 1e-9 * std::max(1.0, std::fabs(out.xy.y))) << band[0] << " " << lat << " " << lng;
      }
  }
}

TEST_F(ProjAgreement, Orthographic) {
  compare("+proj=ortho +lat_0=50 +lon_0=-35 +R=1", ofKind(ProjectionKind::Orthographic, {5000, -3500}), -35);
  compare("+proj=ortho +lat_0=-20.5 +lon_0=170 +R=1", ofKind(ProjectionKind::Orthographic, {-2030, 17000}), 170);
}

}  // namespace
}  // namespace korvant
