#include "sky/magvar.h"

#include "geo/angles.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>

#include "sky/wmm2025.h"

namespace korvant {

namespace {

constexpr int kMaxDegree = 12;
constexpr int kSize = kMaxDegree + 1;

// The model made ready for evaluation: Schmidt semi-normalised coefficients
// and the recursion factors of the associated Legendre functions. Immutable
// once built.
struct PreparedModel {
  double a2, b2, c2, a4, b4, c4;
  double g[kSize][kSize] = {};
  double h[kSize][kSize] = {};
  double k[kSize][kSize] = {};
};

// The field `years` after the model's epoch: each coefficient moved on by its yearly rate.
PreparedModel prepare(const WmmCoefficient (&table)[90], double years) {
  constexpr double a = 6378.137, b = 6356.7523142;
  PreparedModel p{};
  p.a2 = a * a;
  p.b2 = b * b;
  p.c2 = p.a2 - p.b2;
  p.a4 = p.a2 * p.a2;
  p.b4 = p.b2 * p.b2;
  p.c4 = p.a4 - p.b4;
  for (const WmmCoefficient& c : table) {
    p.g[c.n][c.m] = c.g + years * c.gDot;
    p.h[c.n][c.m] = c.h + years * c.hDot;
  }
  double s[kSize][kSize] = {};
  s[0][0] = 1;
  for (int n = 1; n <= kMaxDegree; ++n) {
    s[n][0] = s[n - 1][0] * (2.0 * n - 1) / n;
    for (int m = 1; m <= n; ++m) {
      const double j = m == 1 ? 2 : 1;
      s[n][m] = s[n][m - 1] * std::sqrt((n - m + 1) * j / (n + m));
    }
    for (int m = 0; m <= n; ++m) {
      p.g[n][m] *= s[n][m];
      p.h[n][m] *= s[n][m];
      p.k[n][m] = (double((n - 1) * (n - 1)) - m * m) / ((2.0 * n - 1) * (2.0 * n - 3));
    }
  }
  return p;
}

const PreparedModel& wmm2000AtEpoch() {
  static const PreparedModel prepared = prepare(WMM2000_COEFFICIENTS, 0);
  return prepared;
}

// A position on the geocentric sphere, at `heightKm` above the ellipsoid,
// and the sine and cosine of its longitude.
struct Spherical {
  double ct, st, ca, sa, aor, sinLambda, cosLambda;
};

Spherical spherical(const PreparedModel& M, const LatLng& position, double heightKm) {
  constexpr double re = 6371.2;
  const double phi = degMinToRadians(position.lat), lambda = degMinToRadians(position.lng);
  const double sinLat = std::sin(phi), cosLat = std::cos(phi);
  const double sinLat2 = sinLat * sinLat, cosLat2 = cosLat * cosLat;

  // Geodetic to geocentric.
  const double q = std::sqrt(M.a2 - M.c2 * sinLat2);
  const double q1 = heightKm * q;
  const double q2 = ((q1 + M.a2) / (q1 + M.b2)) * ((q1 + M.a2) / (q1 + M.b2));
  const double ct = sinLat / std::sqrt(q2 * cosLat2 + sinLat2);
  const double st = std::sqrt(std::max(0.0, 1 - ct * ct));
  const double r = std::sqrt(heightKm * heightKm + 2 * q1 + (M.a4 - M.c4 * sinLat2) / (q * q));
  const double d = std::sqrt(M.a2 * cosLat2 + M.b2 * sinLat2);
  return {ct, st, (heightKm + d) / r, M.c2 * cosLat * sinLat / (r * d), re / r, std::sin(lambda), std::cos(lambda)};
}

// The series' sums of the field's components; bpp the longitude component
// at a pole, from the m = 1 recursion.
template <typename T>
struct Field {
  T br, bt, bp, bpp;
};

// T is a double, or Lanes of several positions side by side: each lane goes
// through the same operations in the same order as a double would.
template <typename T>
Field<T> series(const PreparedModel& M, T ct, T st, T aor, T sinLambda, T cosLambda, bool pole) {
  T sp[kSize], cp[kSize];
  sp[0] = T{} + 0;
  cp[0] = T{} + 1;
  sp[1] = sinLambda;
  cp[1] = cosLambda;
  for (int m = 2; m <= kMaxDegree; ++m) {
    sp[m] = sp[1] * cp[m - 1] + cp[1] * sp[m - 1];
    cp[m] = cp[1] * cp[m - 1] - sp[1] * sp[m - 1];
  }

  // The Legendre functions of degrees n, n - 1 and n - 2 in three buffers
  // that take turns: a degree needs only the two before it. An order beyond
  // a buffer's degree stays zero, which the recursion needs there.
  T buffers[3][kSize] = {}, dBuffers[3][kSize] = {};
  T *P0 = buffers[0], *P1 = buffers[1], *P2 = buffers[2];
  T *dP0 = dBuffers[0], *dP1 = dBuffers[1], *dP2 = dBuffers[2];
  P1[0] = T{} + 1;
  T pp1 = T{} + 1, pp2 = T{} + 0;
  T ar = aor * aor;
  Field<T> f = {};
  for (int n = 1; n <= kMaxDegree; ++n) {
    ar *= aor;  // (re / r)^(n + 2)
    const double* k = M.k[n];
    for (int m = 0; m < n; ++m) {
      P0[m] = ct * P1[m] - k[m] * P2[m];
      dP0[m] = ct * dP1[m] - st * P1[m] - k[m] * dP2[m];
    }
    P0[n] = st * P1[n - 1];
    dP0[n] = st * dP1[n - 1] + ct * P1[n - 1];
    const double* g = M.g[n];
    const double* h = M.h[n];
    T sumR = {}, sumT = {}, sumP = {};
    for (int m = 0; m <= n; ++m) {
      const T along = g[m] * cp[m] + h[m] * sp[m];
      const T across = g[m] * sp[m] - h[m] * cp[m];
      sumR += along * P0[m];
      sumT += along * dP0[m];
      sumP += static_cast<double>(m) * across * P0[m];
    }
    f.br += static_cast<double>(n + 1) * ar * sumR;
    f.bt -= ar * sumT;
    f.bp += ar * sumP;
    if (pole) {
      T pp = pp1;
      if (n != 1) pp = ct * pp1 - k[1] * pp2;
      pp2 = pp1;
      pp1 = pp;
      f.bpp += (g[1] * sp[1] - h[1] * cp[1]) * ar * pp;
    }
    T* oldest = P2;
    P2 = P1, P1 = P0, P0 = oldest;
    T* dOldest = dP2;
    dP2 = dP1, dP1 = dP0, dP0 = dOldest;
  }
  return f;
}

double declination(double bt, double br, double bp, double ca, double sa) {
  const double x = -bt * ca - br * sa;
  return std::atan2(bp, x) * DEGREES_PER_RADIAN;
}

// Decimal degrees, positive west, at `heightKm` above the ellipsoid.
double evaluate(const PreparedModel& M, const LatLng& position, double heightKm) {
  const Spherical s = spherical(M, position, heightKm);
  const bool pole = s.st == 0;
  const Field<double> f = series(M, s.ct, s.st, s.aor, s.sinLambda, s.cosLambda, pole);
  return -declination(f.bt, f.br, pole ? f.bpp : f.bp / s.st, s.ca, s.sa);
}

// Two doubles as one value: GCC carries each operation out lane by lane in
// IEEE arithmetic, both lanes in one SSE2 instruction.
using Lanes = double __attribute__((vector_size(2 * sizeof(double))));
constexpr int kLanes = 2;

// evaluate() of two positions at once at height 0, away from the poles, to
// the same bits.
void evaluateLanes(const PreparedModel& M, const LatLng* positions, double* variations) {
  const Spherical a = spherical(M, positions[0], 0), b = spherical(M, positions[1], 0);
  const Field<Lanes> f = series<Lanes>(M, Lanes{a.ct, b.ct}, Lanes{a.st, b.st}, Lanes{a.aor, b.aor},
                                       Lanes{a.sinLambda, b.sinLambda}, Lanes{a.cosLambda, b.cosLambda}, false);
  variations[0] = -declination(f.bt[0], f.br[0], f.bp[0] / a.st, a.ca, a.sa);
  variations[1] = -declination(f.bt[1], f.br[1], f.bp[1] / b.st, b.ca, b.sa);
}

}  // namespace

double magneticVariation(const LatLng& position) { return evaluate(wmm2000AtEpoch(), position, 0); }

struct MagneticModel::Prepared : PreparedModel {};

MagneticModel::MagneticModel() : MagneticModel(MagneticModelId::Wmm2000, 2000.0) {}

MagneticModel::MagneticModel(MagneticModelId id, double decimalYear) : id_(id) {
  const bool wmm2025 = id == MagneticModelId::Wmm2025;
  const double epoch = wmm2025 ? 2025.0 : 2000.0;
  // Outside its five years a model is held at the nearer end, and says so.
  year_ = std::isfinite(decimalYear) ? std::clamp(decimalYear, epoch, epoch + 5) : epoch;
  clamped_ = year_ != decimalYear;
  // The Part's model stands at its epoch on every date.
  if (!wmm2025) year_ = epoch, clamped_ = false;
  auto prepared = std::make_shared<Prepared>();
  static_cast<PreparedModel&>(*prepared) =
      prepare(wmm2025 ? WMM2025_COEFFICIENTS : WMM2000_COEFFICIENTS, year_ - epoch);
  prepared_ = std::move(prepared);
}

double MagneticModel::variation(const LatLng& position, double heightKm) const {
  return evaluate(*prepared_, position, heightKm);
}

void MagneticModel::variations(std::span<const LatLng> positions, std::span<double> out) const {
  std::size_t i = 0;
  for (; i + kLanes <= positions.size(); i += kLanes) {
    bool pole = false;
    for (int j = 0; j < kLanes; ++j) pole |= std::fabs(positions[i + j].lat) >= 9000;
    if (!pole) {
      evaluateLanes(*prepared_, &positions[i], &out[i]);
      continue;
    }
    // At a pole the longitude component needs its own recursion.
    for (int j = 0; j < kLanes; ++j) out[i + j] = evaluate(*prepared_, positions[i + j], 0);
  }
  for (; i < positions.size(); ++i) out[i] = evaluate(*prepared_, positions[i], 0);
}

std::string MagneticModel::name() const { return id_ == MagneticModelId::Wmm2025 ? "WMM2025" : "WMM2000"; }

std::string MagneticModel::title() const {
  char text[64];
  std::snprintf(text, sizeof text, "VAR %s %.1f%s", name().c_str(), year_, clamped_ ? " (MODEL LIMIT)" : "");
  return text;
}

double decimalYear(std::time_t utc) {
  // Days since 1970-01-01, civil calendar, to the day: a model moves slowly
  // and a map need not repaint for it more than once a day.
  const std::time_t day = utc >= 0 ? utc / 86400 : (utc - 86399) / 86400;
  std::tm fields{};
  const std::time_t midnight = day * 86400;
  gmtime_r(&midnight, &fields);
  const int year = fields.tm_year + 1900;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return year + fields.tm_yday / (leap ? 366.0 : 365.0);
}

std::optional<MagneticModelId> magneticModelByName(std::string_view name) {
  std::string upper;
  for (const char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper == "WMM2000" || upper.empty()) return MagneticModelId::Wmm2000;
  if (upper == "WMM2025") return MagneticModelId::Wmm2025;
  return std::nullopt;
}

double magneticCourse(double trueCourse, double variation) { return wrapCourse360(trueCourse + variation); }

std::string variationText(double variation) {
  char text[32];
  const double magnitude = std::fabs(variation);
  const char side = variation >= 0 ? 'W' : 'E';
  // Printed in whole tenths or degrees: where the value lies clearly off a
  // rounding half, its digits come from the rounded integer as printf's
  // would; a value at a half (or beyond any variation) goes to printf.
  const bool tenths = magnitude < 10;
  const double scaled = tenths ? magnitude * 10 : magnitude;
  const double rounded = std::nearbyint(scaled);
  if (std::fabs(std::fabs(scaled - rounded) - 0.5) > 1e-6 && rounded < 1000) {
    const int units = static_cast<int>(rounded);
    const int whole = tenths ? units / 10 : units;
    int length = std::to_chars(text, text + 8, whole).ptr - text;
    if (tenths) {
      text[length++] = '.';
      text[length++] = static_cast<char>('0' + units % 10);
    }
    text[length++] = side;
    return std::string(text, static_cast<std::size_t>(length));
  }
  std::snprintf(text, sizeof text, tenths ? "%.1f%c" : "%.0f%c", magnitude, side);
  return text;
}

}  // namespace korvant
