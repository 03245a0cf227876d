#pragma once
// Positions to device points of one painted surface and back, for the
// Lambert conformal conic, Mercator and orthographic kinds, on a sphere.
// Positions are packed degrees and minutes (LatLng). Each surface keeps its
// own state, so the mouse maps against the last screen paint. Lambert and
// orthographic agree with PROJ's spherical forms to 1e-9 Earth radii.
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
  int cx = 0, cy = 0;  // zero unless Lambert
  PlanePoint plane;    // zero unless Lambert
  unsigned pixelScale = 0;
};

// The back-hemisphere marker of the orthographic kind, in Earth radii.
inline constexpr double FAR_SIDE = 2.0;

enum class ProjectionKind { Lambert, Mercator, Orthographic };

// A device rectangle; left/right and top/bottom may come in either order.
struct SurfaceRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Everything one surface's projection is set up from.
struct Viewport {
  LatLng centre;               // packed degrees and minutes
  double stdParallel1 = 1500;  // Lambert standard parallels, packed
  double stdParallel2 = 3000;
  SurfaceRect surface;      // device units
  unsigned pixelScale = 0;  // device units per Earth radius
  ProjectionKind kind = ProjectionKind::Lambert;
  double radius = 1.0;  // Earth radii
};

template <int Channels>
class HermiteTable;

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

  // Device units per Earth radius for a surface (device units) and range (NM).
  static unsigned scaleForRange(int width, int height, double range);

  void setup(const Viewport& viewport);

  // Plane coordinates in Earth radii, y north; FAR_SIDE in both on the
  // orthographic back hemisphere.
  PlanePoint toPlane(const LatLng& position) const;
  // Device units; Lambert and Mercator clamp to the 16-bit range, so a point
  // far off the surface still gives a drawable line end.
  DevicePoint toDevice(const LatLng& position) const;
  DetailedDevicePoint toDeviceDetailed(const LatLng& position) const;
  // NO_POSITION in both coordinates where the point shows no position.
  LatLng fromDevice(int px, int py) const;
  LatLng centre() const { return {centreLat_, centreLng_}; }
  // Within `reach` surface widths (and heights) beyond the surface's edges:
  // a line's end may lie off the map, but not so far that the line is false.
  bool nearSurface(int px, int py, double reach) const;

  ProjectionKind kind() const { return kind_; }
  bool isSetUp() const { return setUp_; }
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return right_ - left_; }
  int height() const { return bottom_ - top_; }
  int centreX() const { return cx_; }
  int centreY() const { return cy_; }
  unsigned pixelScale() const { return pixelScale_; }

 private:
  ProjectionKind kind_ = ProjectionKind::Lambert;
  bool setUp_ = false;
  double centreLat_ = 0, centreLng_ = 0;
  double phi0_ = 0, lambda0_ = 0;
  double radius_ = 1;
  double n_ = 0, f_ = 0, rho0_ = 0;
  double sinPhi0_ = 0, cosPhi0_ = 1;
  double mercatorY0_ = 0;  // the centre latitude's plane y: the Mercator's centre row
  int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
  int cx_ = 0, cy_ = 0;
  unsigned pixelScale_ = 0;
  const HermiteTable<1>* lambertTable_ = nullptr;  // the cone's latitude factor, when tabulated
  const HermiteTable<2>* sineCosine_ = nullptr;    // sine and cosine of the cone angle
};

}  // namespace korvant
