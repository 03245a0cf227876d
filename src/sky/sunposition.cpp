#include "sky/sunposition.h"

#include "geo/angles.h"

#include <cmath>

namespace korvant {

namespace {

constexpr double RAD = 0.01745329252;
constexpr double DEG = 57.29577951;
constexpr int KEPLER_ROUNDS = 20;  // every finite anomaly converges within 3

double frac(double x) { return x - std::floor(x); }

// Days from 1900 January 0.5, Gregorian.
double dayNumber(int year, int month, double day, double hours) {
  double y = year, m = month;
  if (month <= 2) {
    y -= 1;
    m += 12;
  }
  const double a = std::floor(y / 100);
  const double b = 2 - a + std::floor(a / 4);
  return std::floor(365.25 * y) + std::floor(30.6001 * (m + 1)) + day + hours / 24 + b - 694025 - 0.5;
}

}  // namespace

std::optional<SunPosition> sunPosition(std::time_t utc) {
  std::tm t{};
  if (!gmtime_r(&utc, &t)) return std::nullopt;
  const int year = t.tm_year + 1900, month = t.tm_mon + 1;
  const double ut = t.tm_hour + t.tm_min / 60.0 + t.tm_sec / 3600.0;
  const double d = dayNumber(year, month, t.tm_mday, ut);
  const double T = d / 36525;

  const double L = 279.69668 + 360 * frac(100.0021359 * T) + 0.0003025 * T * T;
  const double M = 358.47583 + 360 * frac(99.99736042 * T) - (0.00015 + 0.0000033 * T) * T * T;
  const double e = 0.01675104 - 0.0000418 * T - 0.000000126 * T * T;

  double mr = std::fmod(M * RAD, 2 * M_PI);
  if (mr < 0) mr += 2 * M_PI;
  if (!std::isfinite(mr)) return std::nullopt;
  double E = mr;
  for (int round = 0; round < KEPLER_ROUNDS; ++round) {
    const double residual = E - e * std::sin(E) - mr;
    if (std::fabs(residual) <= 1e-14) break;
    E -= residual / (1 - e * std::cos(E));
  }
  const double nu = 2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(E / 2));

  const double a1 = 153.23 + 360 * frac(62.55209472 * T);
  const double b1 = 216.57 + 360 * frac(125.1041894 * T);
  const double c1 = 312.69 + 360 * frac(91.56766028 * T);
  const double d1 = 350.74 + 360 * frac(1236.853095 * T) - 0.00144 * T * T;
  const double e1 = 231.19 + 20.2 * T;
  const double h1 = 353.4 + 360 * frac(183.1353208 * T);
  const double dl = 0.00134 * std::cos(a1 * RAD) + 0.00154 * std::cos(b1 * RAD) + 0.002 * std::cos(c1 * RAD) +
                    0.00179 * std::sin(d1 * RAD) + 0.00178 * std::sin(e1 * RAD);
  const double dr = 0.00000543 * std::sin(a1 * RAD) + 0.00001575 * std::sin(b1 * RAD) +
                    0.00001627 * std::sin(c1 * RAD) + 0.00003076 * std::cos(d1 * RAD) + 0.00000927 * std::sin(h1 * RAD);

  double sunLong = (L - M + dl) * RAD + nu;
  sunLong = std::fmod(sunLong, 2 * M_PI);
  if (sunLong < 0) sunLong += 2 * M_PI;
  SunPosition sun;
  sun.radiusVector = 1.0000002 * (1 - e * std::cos(E)) + dr;

  const double l2 = 279.6967 + 360 * frac(100.0021358 * T) + 0.000303 * T * T;
  const double lp = 270.4342 + 360 * frac(1336.855231 * T) - 0.001133 * T * T;
  const double m2 = 358.4758 + 360 * frac(99.99736056 * T) - 0.00015 * T * T;
  const double mp = 296.1046 + 360 * frac(13255523.59 * T) + 0.009192 * T * T;
  const double om = 259.1833 - 360 * frac(5.372616667 * T) + 0.002078 * T * T;
  const auto s = [](double deg) { return std::sin(deg * RAD); };
  const auto c = [](double deg) { return std::cos(deg * RAD); };
  const double dpsi = -(17.2327 + 0.01737 * T) * s(om) - (1.2729 + 0.00013 * T) * s(2 * l2) + 0.2088 * s(2 * om) -
                      0.2037 * s(2 * lp) + (0.1261 - 0.00031 * T) * s(m2) + 0.0675 * s(mp) -
                      (0.0497 - 0.00012 * T) * s(2 * l2 + m2) - 0.0342 * s(2 * lp - om) - 0.0261 * s(2 * lp + mp) +
                      0.0214 * s(2 * l2 - m2) - 0.0149 * s(2 * l2 - 2 * lp + mp) + 0.0124 * s(2 * l2 - om) +
                      0.0114 * s(2 * lp - mp);
  const double deps = (9.21 + 0.00091 * T) * c(om) + (0.55229 - 0.00029 * T) * c(2 * l2) - 0.0904 * c(2 * om) +
                      0.0884 * c(2 * lp) + 0.0216 * c(2 * l2 + m2) + 0.0183 * c(2 * lp - om) + 0.0113 * c(2 * lp + mp) -
                      0.0093 * c(2 * l2 - m2) - 0.0066 * c(2 * l2 - om);
  const double eps0 = 23.45229444 - (46.845 * T + 0.0059 * T * T - 0.00181 * T * T * T) / 3600;
  const double eps = (eps0 + deps / 3600) * RAD;

  const double lambda = (sunLong * DEG + dpsi / 3600 - 0.00569) * RAD;
  const double beta = 0;
  double cosBeta = std::cos(beta);
  if (std::fabs(cosBeta) < 1e-20) cosBeta = 1e-20;
  double arg = std::sin(beta) * std::cos(eps) + cosBeta * std::sin(eps) * std::sin(lambda);
  if (arg > 1) arg = 1;
  if (arg < -1) arg = -1;
  sun.declination = std::asin(arg) * DEG;
  double alpha = std::atan((std::sin(lambda) * std::cos(eps) - std::tan(beta) * std::sin(eps)) / std::cos(lambda));
  if (std::cos(lambda) < 0) alpha += M_PI;
  alpha = std::fmod(alpha, 2 * M_PI);
  if (alpha < 0) alpha += 2 * M_PI;
  sun.rightAscension = alpha * DEG / 15;

  // Greenwich mean sidereal time from January 0.0 of the year.
  const double d0 = dayNumber(year, 1, 0, 0);
  const double t0 = d0 / 36525;
  const double r0 = 6.6460656 + 0.051262 * t0 + 0.00002581 * t0 * t0;
  const double b = 24 - r0 - 2400 * (t0 - (year - 1900) / 100.0);
  const double dDate = dayNumber(year, month, t.tm_mday, 0);
  double gmst = 1.002737908 * ut + 0.0657098 * (dDate - d0) - b;
  if (gmst > 24) gmst -= 24;
  if (gmst < 0) gmst += 24;

  double ha = gmst - sun.rightAscension;
  if (ha < 0) ha += 24;
  sun.subsolarLongitude = wrap180(-15 * ha);
  if (!std::isfinite(sun.declination) || !std::isfinite(sun.subsolarLongitude)) return std::nullopt;
  return sun;
}

}  // namespace korvant
