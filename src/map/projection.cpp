#include "map/projection.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

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

// A smooth function of one variable as values and slopes at even steps,
// read back by cubic Hermite interpolation: a few multiplications instead of
// a call into libm. Immutable once built.
template <int Channels>
class HermiteTable {
 public:
  // `Channels` functions of one variable, each with its derivative.
  template <typename F>
  HermiteTable(double first, double last, int steps, F valueAndSlope)
      : first_(first), lastIndex_(steps), step_((last - first) / steps), inverse_(steps / (last - first)) {
    for (int i = 0; i <= steps; ++i) {
      const double x = first + i * step_;
      for (int c = 0; c < Channels; ++c) {
        const auto [value, derivative] = valueAndSlope(c, x);
        nodes_.push_back(value);
        nodes_.push_back(derivative * step_);
      }
    }
  }
  // Every channel at x into out[0 .. Channels); false, with nothing
  // written, when x lies outside the table.
  bool at(double x, double* out) const {
    constexpr std::size_t stride = 2 * Channels;
    const double t = (x - first_) * inverse_;
    if (!(t >= 0 && t < lastIndex_)) return false;
    const auto i = static_cast<std::size_t>(t);
    const double u = t - static_cast<double>(i);
    // On a node (to rounding) its value stands exactly: 0 on the centre's
    // meridian must stay 0, not a hair either side of a pixel.
    if (u < 1e-9 || u > 1 - 1e-9) {
      const double* node = &nodes_[(u < 0.5 ? i : i + 1) * stride];
      for (int c = 0; c < Channels; ++c) out[c] = node[2 * c];
      return true;
    }
    const double u2 = u * u, u3 = u2 * u;
    const double h00 = 2 * u3 - 3 * u2 + 1, h10 = u3 - 2 * u2 + u, h01 = 3 * u2 - 2 * u3, h11 = u3 - u2;
    const double* a = &nodes_[i * stride];
    const double* b = a + stride;
    for (int c = 0; c < Channels; ++c)
      out[c] = h00 * a[2 * c] + h10 * a[2 * c + 1] + h01 * b[2 * c] + h11 * b[2 * c + 1];
    return true;
  }

 private:
  double first_;
  double lastIndex_;  // of the last node: t beyond it is outside the table
  double step_, inverse_;
  std::vector<double> nodes_;  // per node, per channel: value, slope times the step
};

namespace {

// Interpolation error bounds: h^4 / 384 times the fourth derivative. Sine and
// cosine in steps of 2 pi / 16384 err by less than 1e-16; the Lambert factor
// in steps of 0.01 degree up to 80 degrees by less than 1e-14 of itself.
constexpr int kSineSteps = 16384;
constexpr double kLambertTableLimit = 80 * PI / 180;
constexpr int kLambertSteps = 16000;

// Sine and cosine together.
const HermiteTable<2>& sineCosineTable() {
  // Symmetric round 0, which is a node: the centre's meridian maps exactly.
  constexpr double limit = PI * (1 + 2.0 / kSineSteps);
  static const HermiteTable<2> table(-limit, limit, kSineSteps + 2, [](int channel, double x) {
    return channel == 0 ? std::pair{std::sin(x), std::cos(x)} : std::pair{std::cos(x), -std::sin(x)};
  });
  return table;
}

// tan(pi/4 + phi/2)^-n for the cone constants of the few bands in use,
// built once per constant; other constants go without a table.
const HermiteTable<1>* lambertTable(double n) {
  constexpr int kSlots = 12;
  static std::mutex mutex;
  static std::array<std::pair<double, std::unique_ptr<const HermiteTable<1>>>, kSlots> tables;
  std::lock_guard lock(mutex);
  for (auto& [constant, table] : tables) {
    if (table && constant == n) return table.get();
    if (!table) {
      const auto g = [n](double phi) { return std::pow(std::tan(kQuarterPi + phi / 2), -n); };
      constant = n;
      table = std::make_unique<const HermiteTable<1>>(-kLambertTableLimit, kLambertTableLimit, kLambertSteps,
                                                      [n, g](int, double phi) {
                                                        const double value = g(phi);
                                                        return std::pair{value, -n * value / std::cos(phi)};
                                                      });
      return table.get();
    }
  }
  return nullptr;
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
    lambertTable_ = std::isfinite(n_) && n_ != 0 ? lambertTable(n_) : nullptr;
    sineCosine_ = &sineCosineTable();
    // From the same terms as every point, so that the centre maps exactly.
    double g = 0;
    if (!lambertTable_ || !lambertTable_->at(phi0_, &g)) g = 1 / std::pow(std::tan(kQuarterPi + phi0_ / 2), n_);
    rho0_ = radius_ * f_ * g;
  } else if (kind_ == ProjectionKind::Orthographic) {
    sinPhi0_ = std::sin(phi0_);
    cosPhi0_ = std::cos(phi0_);
  } else if (kind_ == ProjectionKind::Mercator) {
    // The centre's latitude on the centre row, as every other projection
    // has it: with the equator there a view of the North Atlantic showed
    // Brazil under a title block naming 50N.
    mercatorY0_ = 0;
    mercatorY0_ = latTerm(std::clamp(centreLat_, -8900.0, 8900.0)).a;
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
      if (double g; lambertTable_ && lambertTable_->at(phi, &g)) return {radius_ * f_ * g, 0};
      return {radius_ * f_ / std::pow(std::tan(kQuarterPi + phi / 2), n_), 0};
    }
    case ProjectionKind::Mercator:
      if (lat < -8900 || lat > 8900) return {2, 0};
      return {radius_ * std::log(std::tan(kQuarterPi + degMinToRadians(lat) / 2)) - mercatorY0_, 0};
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
      if (double sc[2]; sineCosine_ && sineCosine_->at(theta, sc)) return {sc[0], sc[1]};
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

// Flattened: the terms and the plane inline, one dispatch on the kind each.
[[gnu::flatten]] DevicePoint Projection::toDevice(const LatLng& p) const {
  return toDevice(latTerm(p.lat), lngTerm(p.lng));
}

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
      const double phi = PI / 2 - 2 * std::atan(std::exp(-(y + mercatorY0_) / radius_));
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

bool Projection::nearSurface(int px, int py, double reach) const {
  const double w = right_ - left_, h = bottom_ - top_;
  return px >= left_ - reach * w && px <= right_ + reach * w && py >= top_ - reach * h && py <= bottom_ + reach * h;
}

}  // namespace korvant
