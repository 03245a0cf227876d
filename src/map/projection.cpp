#include "map/projection.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace korvant {

namespace {

constexpr double kQuarterPi = PI / 4;

// The integer part of a device coordinate, clamped first so that the
// conversion is always defined.
int clampedTrunc(double v) {
  if (std::isnan(v)) return -32768;
  return static_cast<int>(std::clamp(v, -32768.0, 32767.0));
}

// Orthographic device offsets stay within the disc, but a huge scale must
// still not overflow the conversion.
int safeTrunc(double v) {
  if (std::isnan(v)) return INT_MIN;
  return static_cast<int>(std::clamp(v, double(INT_MIN), double(INT_MAX)));
}

}  // namespace

unsigned Projection::scaleForRange(int width, int height, double range) {
  const double r = range < 0.1 ? 0.1 : range;
  const double scale = std::min(width, height) * 1600.0 / r;
  return scale <= 0 ? 0u : static_cast<unsigned>(std::min(scale, double(UINT_MAX)));
}

void Projection::setup(const Viewport& v) {
  kind_ = v.kind;
  setUp_ = true;
  centreLat_ = v.centre.lat;
  centreLng_ = v.centre.lng;
  phi0_ = degMinToRadians(centreLat_ <= -9000 ? -8959.999 : centreLat_);
  lambda0_ = degMinToRadians(centreLng_);
  radius_ = v.radius;
  const SurfaceRect& r = v.surface;
  left_ = std::min(r.left, r.right);
  right_ = std::max(r.left, r.right);
  top_ = std::min(r.top, r.bottom);
  bottom_ = std::max(r.top, r.bottom);
  cx_ = (right_ - left_) / 2;
  cy_ = (bottom_ - top_) / 2;
  pixelScale_ = v.pixelScale;
  if (kind_ == ProjectionKind::Lambert) {
    const double phi1 = degMinToRadians(v.stdParallel1), phi2 = degMinToRadians(v.stdParallel2);
    n_ = std::log(std::cos(phi1) / std::cos(phi2)) /
         std::log(std::tan(kQuarterPi + phi2 / 2) / std::tan(kQuarterPi + phi1 / 2));
    f_ = std::cos(phi1) * std::pow(std::tan(kQuarterPi + phi1 / 2), n_) / n_;
    rho0_ = radius_ * f_ / std::pow(std::tan(kQuarterPi + phi0_ / 2), n_);
  } else if (kind_ == ProjectionKind::Orthographic) {
    sinPhi0_ = std::sin(phi0_);
    cosPhi0_ = std::cos(phi0_);
  }
}

Projection::LatTerm Projection::latTerm(double lat) const {
  switch (kind_) {
    case ProjectionKind::Lambert: {
      if (lat == 9000)
        lat = 8959.98;
      else if (lat == -9000)
        lat = -8959.98;
      const double phi = degMinToRadians(lat);
      return {radius_ * f_ / std::pow(std::tan(kQuarterPi + phi / 2), n_), 0};
    }
    case ProjectionKind::Mercator:
      if (lat < -8900 || lat > 8900) return {2, 0};
      return {radius_ * std::log(std::tan(kQuarterPi + degMinToRadians(lat) / 2)), 0};
    case ProjectionKind::Orthographic: {
      const double phi = degMinToRadians(lat);
      return {std::sin(phi), std::cos(phi)};
    }
  }
  return {};
}

Projection::LngTerm Projection::lngTerm(double lng) const {
  switch (kind_) {
    case ProjectionKind::Lambert: {
      double dLambda = degMinToRadians(lng) - lambda0_;
      if (dLambda > PI)
        dLambda -= 2 * PI;
      else if (dLambda < -PI)
        dLambda += 2 * PI;
      const double theta = n_ * dLambda;
      return {std::sin(theta), std::cos(theta)};
    }
    case ProjectionKind::Mercator: return {(degMinToRadians(lng) - lambda0_) * radius_, 0};
    case ProjectionKind::Orthographic: {
      const double dLambda = degMinToRadians(lng) - lambda0_;
      return {std::sin(dLambda), std::cos(dLambda)};
    }
  }
  return {};
}

PlanePoint Projection::toPlane(const LatTerm& lat, const LngTerm& lng) const {
  switch (kind_) {
    case ProjectionKind::Lambert: return {lat.a * lng.a, rho0_ - lat.a * lng.b};  // rho sin theta, rho0 - rho cos theta
    case ProjectionKind::Mercator: return {lng.a, lat.a};
    case ProjectionKind::Orthographic: {
      const double sinPhi = lat.a, cosPhi = lat.b, sinDl = lng.a, cosDl = lng.b;
      if (sinPhi0_ * sinPhi + cosPhi0_ * cosPhi * cosDl <= 0) return {FAR_SIDE, FAR_SIDE};
      return {radius_ * cosPhi * sinDl, radius_ * (cosPhi0_ * sinPhi - sinPhi0_ * cosPhi * cosDl)};
    }
  }
  return {};
}

PlanePoint Projection::toPlane(const LatLng& p) const { return toPlane(latTerm(p.lat), lngTerm(p.lng)); }

DevicePoint Projection::toDevice(const LatLng& p) const { return toDevice(latTerm(p.lat), lngTerm(p.lng)); }

DevicePoint Projection::toDevice(const LatTerm& lat, const LngTerm& lng) const {
  if (!setUp_) return {0, 0, false};
  const PlanePoint p = toPlane(lat, lng);
  const double scale = pixelScale_;  // unsigned: do the arithmetic in double
  if (kind_ == ProjectionKind::Orthographic) {
    if (p.x > 1 || p.y > 1) return {INT_MIN, INT_MIN, false};
    return {safeTrunc(std::trunc(scale * p.x) + cx_), safeTrunc(cy_ - std::trunc(scale * p.y)), true};
  }
  return {clampedTrunc(scale * p.x + cx_), clampedTrunc(cy_ - scale * p.y), true};
}

DetailedDevicePoint Projection::toDeviceDetailed(const LatLng& p) const {
  DetailedDevicePoint d;
  d.point = toDevice(p);
  if (kind_ == ProjectionKind::Lambert) {
    d.cx = cx_;
    d.cy = cy_;
    d.plane = toPlane(p);
    d.pixelScale = pixelScale_;
  }
  return d;
}

LatLng Projection::fromDevice(int px, int py) const {
  if (pixelScale_ == 0) return LatLng::unset();
  const double scale = pixelScale_;
  const double x = (double(px) - cx_) / scale, y = (double(cy_) - py) / scale;
  switch (kind_) {
    case ProjectionKind::Lambert: {
      double rho = std::sqrt(x * x + (rho0_ - y) * (rho0_ - y));
      if (std::fabs(rho) <= 1e-8) return {n_ >= 0 ? 9000.0 : -9000.0, 0};
      double theta;
      if (n_ < 0) {
        rho = -rho;
        theta = std::atan2(-x, -(rho0_ - y));
      } else {
        theta = std::atan2(x, rho0_ - y);
      }
      const double phi = 2 * std::atan(std::pow(radius_ * f_ / rho, 1 / n_)) - PI / 2;
      double lng = radiansToDegMin(theta / n_ + lambda0_);
      if (lng > 18000)
        lng -= 35960;
      else if (lng < -18000)
        lng += 35960;
      return {radiansToDegMin(phi), lng};
    }
    case ProjectionKind::Mercator: {
      const double phi = PI / 2 - 2 * std::atan(std::exp(-y / radius_));
      const double lng = radiansToDegMin(x / radius_ + lambda0_);
      if (lng < -18000 || lng > 18000) return LatLng::unset();
      return {radiansToDegMin(phi), lng};
    }
    case ProjectionKind::Orthographic: {
      if (x == 0 && y == 0) return {centreLat_, centreLng_};
      const double rho = std::sqrt(x * x + y * y);
      if (rho / radius_ >= 1) return LatLng::unset();
      const double c = std::asin(rho / radius_);
      const double sinC = std::sin(c), cosC = std::cos(c);
      const double phi = std::asin(std::clamp(cosC * sinPhi0_ + y * sinC * cosPhi0_ / rho, -1.0, 1.0));
      double offset;
      if (phi0_ == PI / 2)
        offset = std::atan2(x, -y);
      else if (phi0_ == -PI / 2)
        offset = std::atan2(x, y);
      else
        offset = std::atan2(x * sinC, rho * cosPhi0_ * cosC - y * sinPhi0_ * sinC);
      // remainder() brings any centre longitude into -pi ... pi without a loop.
      const double lambda = std::remainder(lambda0_ + offset, 2 * PI);
      return {radiansToDegMin(phi), radiansToDegMin(lambda)};
    }
  }
  return LatLng::unset();
}

bool Projection::nearSurface(int px, int py, double factor) const {
  const double w = right_ - left_, h = bottom_ - top_;
  return px >= left_ - factor * w && px <= right_ + factor * w && py >= top_ - factor * h && py <= bottom_ + factor * h;
}

}  // namespace korvant
