#include "sky/magvar.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "sky/wmm2000.h"

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

PreparedModel prepare() {
  constexpr double a = 6378.137, b = 6356.7523142;
  PreparedModel p{};
  p.a2 = a * a;
  p.b2 = b * b;
  p.c2 = p.a2 - p.b2;
  p.a4 = p.a2 * p.a2;
  p.b4 = p.b2 * p.b2;
  p.c4 = p.a4 - p.b4;
  // The yearly rates are multiplied by a time difference of zero: the field
  // is that of 2000.0, so only g and h enter.
  for (const WmmCoefficient& c : WMM2000_COEFFICIENTS) {
    p.g[c.n][c.m] = c.g;
    p.h[c.n][c.m] = c.h;
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

const PreparedModel& model() {
  static const PreparedModel prepared = prepare();
  return prepared;
}

}  // namespace

double magneticVariation(const LatLng& position) {
  const PreparedModel& M = model();
  constexpr double re = 6371.2;
  const double phi = degMinToRadians(position.lat), lambda = degMinToRadians(position.lng);
  const double sinLat = std::sin(phi), cosLat = std::cos(phi);
  const double sinLat2 = sinLat * sinLat, cosLat2 = cosLat * cosLat;

  // Geodetic to geocentric, altitude 0.
  const double q = std::sqrt(M.a2 - M.c2 * sinLat2);
  const double q2 = (M.a2 / M.b2) * (M.a2 / M.b2);
  const double ct = sinLat / std::sqrt(q2 * cosLat2 + sinLat2);
  const double st = std::sqrt(std::max(0.0, 1 - ct * ct));
  const double r = std::sqrt((M.a4 - M.c4 * sinLat2) / (q * q));
  const double d = std::sqrt(M.a2 * cosLat2 + M.b2 * sinLat2);
  const double ca = d / r;
  const double sa = M.c2 * cosLat * sinLat / (r * d);

  double sp[kSize], cp[kSize];
  sp[0] = 0;
  cp[0] = 1;
  sp[1] = std::sin(lambda);
  cp[1] = std::cos(lambda);
  for (int m = 2; m <= kMaxDegree; ++m) {
    sp[m] = sp[1] * cp[m - 1] + cp[1] * sp[m - 1];
    cp[m] = cp[1] * cp[m - 1] - sp[1] * sp[m - 1];
  }

  // The Legendre functions of degrees n - 1 and n - 2, rolled forward: a
  // degree needs only the two before it.
  double P1[kSize], dP1[kSize], P2[kSize] = {}, dP2[kSize] = {}, P0[kSize], dP0[kSize];
  P1[0] = 1;
  dP1[0] = 0;
  double pp1 = 1, pp2 = 0;  // the m = 1 recursion of the poles
  const bool pole = st == 0;
  const double aor = re / r;
  double ar = aor * aor;
  double br = 0, bt = 0, bp = 0, bpp = 0;
  for (int n = 1; n <= kMaxDegree; ++n) {
    ar *= aor;  // (re / r)^(n + 2)
    const double* k = M.k[n];
    for (int m = 0; m < n; ++m) {
      const double p2 = n - 2 >= m ? P2[m] : 0, dp2 = n - 2 >= m ? dP2[m] : 0;
      P0[m] = ct * P1[m] - k[m] * p2;
      dP0[m] = ct * dP1[m] - st * P1[m] - k[m] * dp2;
    }
    P0[n] = st * P1[n - 1];
    dP0[n] = st * dP1[n - 1] + ct * P1[n - 1];
    const double* g = M.g[n];
    const double* h = M.h[n];
    double sumR = 0, sumT = 0, sumP = 0;
    for (int m = 0; m <= n; ++m) {
      const double along = g[m] * cp[m] + h[m] * sp[m];
      const double across = g[m] * sp[m] - h[m] * cp[m];
      sumR += along * P0[m];
      sumT += along * dP0[m];
      sumP += m * across * P0[m];
    }
    br += (n + 1) * ar * sumR;
    bt -= ar * sumT;
    bp += ar * sumP;
    if (pole) {
      // At the poles the longitude component comes from the m = 1 recursion.
      const double pp = n == 1 ? pp1 : ct * pp1 - k[1] * pp2;
      pp2 = pp1;
      pp1 = pp;
      bpp += (g[1] * sp[1] - h[1] * cp[1]) * ar * pp;
    }
    for (int m = 0; m <= n; ++m) {
      P2[m] = m < n ? P1[m] : 0;
      dP2[m] = m < n ? dP1[m] : 0;
      P1[m] = P0[m];
      dP1[m] = dP0[m];
    }
  }
  bp = pole ? bpp : bp / st;

  const double x = -bt * ca - br * sa;
  const double y = bp;
  const double declination = std::atan2(y, x) * DEGREES_PER_RADIAN;
  return -declination;
}

double magneticCourse(double trueCourse, double variation) {
  double course = trueCourse + variation;
  if (course > 360)
    course -= 360;
  else if (course <= 0)
    course += 360;
  return course;
}

std::string variationText(double variation) {
  char text[32];
  const double magnitude = std::fabs(variation);
  std::snprintf(text, sizeof text, magnitude >= 10 ? "%.0f%c" : "%.1f%c", magnitude, variation >= 0 ? 'W' : 'E');
  return text;
}

}  // namespace korvant
