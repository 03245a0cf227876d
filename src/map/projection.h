#pragma once
// Positions to device points of one painted surface and back, for the
// Lambert conformal conic, Mercator and orthographic kinds. Each surface keeps
// its own state, so the mouse maps against the last screen paint.
#include <cstdint>

#include "geo/latlng.h"

namespace korvant {

struct PlanePoint {
  double x = 0;
  double y = 0;
};

struct DevicePoint {
  int x = 0;
  int y = 0;
  bool visible = false;
};

struct DetailedDevicePoint {
  DevicePoint point;
  int cx = 0, cy = 0;    // zero unless Lambert
  PlanePoint plane;      // zero unless Lambert
  unsigned pixelScale = 0;
};

// The back-hemisphere marker of the orthographic kind.
inline constexpr double FAR_SIDE = 2.0;

class Projection {
 public:
  // Every kind maps latitude and longitude through separate terms, so a grid
  // of positions needs each row and each column worked out only once. The
  // combined result is the same to the bit as the one-point forms.
  struct LatTerm {
    double a = 0, b = 0;
  };
  struct LngTerm {
    double a = 0, b = 0;
  };
  LatTerm latTerm(double lat) const;
  LngTerm lngTerm(double lng) const;
  PlanePoint toPlane(const LatTerm& lat, const LngTerm& lng) const;
  DevicePoint toDevice(const LatTerm& lat, const LngTerm& lng) const;

  // Device units per Earth radius for a surface and range.
  static unsigned scaleForRange(int width, int height, double range);

  void setup(double centreLat, double centreLng, double radius, double stdParallel1,
             double stdParallel2, int left, int top, int right, int bottom, unsigned pixelScale,
             int kind);

  PlanePoint toPlane(double lat, double lng) const;
  DevicePoint toDevice(double lat, double lng) const;
  DetailedDevicePoint toDeviceDetailed(double lat, double lng) const;
  // NO_POSITION in both coordinates where the point shows no position.
  LatLng fromDevice(int px, int py) const;
  LatLng centre() const { return {centreLat_, centreLng_}; }
  bool nearSurface(int px, int py, double factor) const;

  int kind() const { return kind_; }
  int width() const { return right_ - left_; }
  int height() const { return bottom_ - top_; }
  int centreX() const { return cx_; }
  int centreY() const { return cy_; }
  unsigned pixelScale() const { return pixelScale_; }

 private:
  int kind_ = 0;
  double centreLat_ = 0, centreLng_ = 0;
  double phi0_ = 0, lambda0_ = 0;
  double radius_ = 1;
  double n_ = 0, f_ = 0, rho0_ = 0;
  double sinPhi0_ = 0, cosPhi0_ = 1;
  int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
  int cx_ = 0, cy_ = 0;
  unsigned pixelScale_ = 0;
};

}  // namespace korvant
