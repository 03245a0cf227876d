#include "procedures/turn.h"

#include "geo/angles.h"

#include <cmath>

#include "geo/greatcircle.h"

namespace korvant {

namespace {

constexpr double FEET_PER_SECOND_PER_KNOT = 1.6878097222222221;
constexpr double SECONDS_SQUARED_PER_FOOT = 0.031080997078386276;  // 1 / g
constexpr double NM_PER_FOOT = 0.00016457884684539383;
constexpr double BANK_DEGREES = 25;

}  // namespace

double turnRadiusNm(double knots) {
  const double v = knots * FEET_PER_SECOND_PER_KNOT;
  // The time for a full circle, times the speed, over 2 pi.
  const double circle = 2 * PI * v * SECONDS_SQUARED_PER_FOOT / std::tan(BANK_DEGREES / DEGREES_PER_RADIAN);
  return circle * v / (2 * PI) * NM_PER_FOOT;
}

Turn computeTurn(const LatLng& start, double heading, bool right, double target, double knots) {
  Turn turn{start, start, false, 0};
  double angle = right ? target - heading : heading - target;
  angle = wrapCourse360(angle);
  if (!std::isfinite(angle) || angle <= 6 || angle >= 354) return turn;
  turn.radius = turnRadiusNm(knots);
  const double side = right ? 90 : -90;
  turn.centre = destination(start, heading + side, turn.radius).position;
  turn.end = destination(turn.centre, right ? heading + (angle - 90) : heading - (angle - 90), turn.radius).position;
  turn.turned = true;
  return turn;
}

}  // namespace korvant
