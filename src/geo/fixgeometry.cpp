#include "geo/fixgeometry.h"

#include "geo/angles.h"

#include <cmath>
#include <sstream>

#include "geo/greatcircle.h"

namespace korvant {

double angleDiff(double a, double b) { return -wrap180(a - b); }

bool sameSide(double c1, double cRef, double c2) { return (angleDiff(cRef, c1) < 0) == (angleDiff(cRef, c2) < 0); }

namespace {

void say(const GeometryDiagnostics& diagnostics, const std::string& text, std::initializer_list<double> values = {}) {
  if (!diagnostics) return;
  std::ostringstream line;
  line << text;
  bool first = true;
  for (double v : values) {
    line << (first ? "" : " ") << v;
    first = false;
  }
  diagnostics(line.str());
}

bool atPole(const LatLng& p) { return p.lat == 9000 || p.lat == -9000; }

}  // namespace

Intersection intersectLines(const LatLng& p1, const LatLng& p2, const LatLng& point3, const LatLng& point4, int limit,
                            const GeometryDiagnostics& diagnostics) {
  Intersection result;
  if (limit <= 0) limit = DEFAULT_INTERSECT_LIMIT;
  if (atPole(p1) || atPole(p2) || atPole(point3) || atPole(point4)) return result;
  LatLng p3 = point3, p4 = point4;

  const CourseDistance cd12 = courseAndDistance(p1, p2);
  CourseDistance cd13 = courseAndDistance(p1, p3), cd14 = courseAndDistance(p1, p4);
  CourseDistance cd34 = courseAndDistance(p3, p4);
  const double c31 = courseAndDistance(p3, p1).course, c32 = courseAndDistance(p3, p2).course;
  const double c12 = cd12.course, d12 = cd12.distance;

  if (c12 != cd13.course && c12 != cd14.course) {
    if (angleDiff(c12, cd13.course) == 180 || angleDiff(c12, cd14.course) == 180) {
      say(diagnostics, "ANGLE IS 180");
      return result;
    }
    if (sameSide(cd13.course, c12, cd14.course)) {
      say(diagnostics, "SAME SIDE OF 1-2  ", {cd13.course, c12, cd14.course});
      return result;
    }
    if (sameSide(c31, cd34.course, c32)) {
      say(diagnostics, "SAME SIDE OF 3-4  ", {c31, cd34.course, c32});
      return result;
    }
    double previous = 20000.0;
    LatLng x;
    double d1x = 0;
    for (int i = 0; i < limit; ++i) {
      const double desired = std::fabs(angleDiff(c12, cd13.course));
      const double span = std::fabs(angleDiff(cd13.course, cd14.course));
      const double step = desired / span * cd34.distance;
      // Point 1 on line 3-4 itself leaves no angle to divide: no crossing found.
      if (!std::isfinite(step)) {
        say(diagnostics, "NO ANGLE AT POINT 1");
        return Intersection{};
      }
      x = destination(p3, cd34.course, step).position;
      if (i < limit - 2 && std::fabs(step - previous) < 0.001) i = limit - 2;  // one more round
      const CourseDistance cd1x = courseAndDistance(p1, x);
      d1x = cd1x.distance;
      const double actual = std::fabs(angleDiff(cd13.course, cd1x.course));
      if (actual >= desired) {
        p4 = x;
        cd14 = courseAndDistance(p1, p4);
      } else {
        p3 = x;
        cd13 = courseAndDistance(p1, p3);
      }
      cd34 = courseAndDistance(p3, p4);
      previous = step;
      ++result.rounds;
    }
    result = {true, x, d1x, result.rounds};
    return result;
  }
  if (c12 != cd13.course) {  // point 4 on the course line
    if (d12 >= cd14.distance) {
      say(diagnostics, "POINT 4 IN LINE");
      return {true, p4, cd14.distance, 0};
    }
    say(diagnostics, "POINT 4 TO FAR");
    return result;
  }
  if (c12 != cd14.course) {  // point 3 on the course line
    if (d12 >= cd13.distance) {
      say(diagnostics, "POINT 3 IN LINE");
      return {true, p3, cd13.distance, 0};
    }
    say(diagnostics, "POINT 3 TOO FAR");
    return result;
  }
  if (d12 > cd13.distance) {
    say(diagnostics, "3-4 OVERLAPS");
    return {true, p3, cd13.distance, 0};
  }
  if (d12 > cd14.distance) {
    say(diagnostics, "4-3 OVERLAPS");
    return {true, p4, cd14.distance, 0};
  }
  say(diagnostics, "ALL IN LINE - NO OVERLAP");
  return result;
}

Intersection intersectRadials(const LatLng& a, double courseA, const LatLng& b, double courseB,
                              const GeometryDiagnostics& diagnostics) {
  double length = 3 * distanceNm(a, b);
  if (length < 100)
    length = 100;
  else if (length > 700)
    length = 700;
  const LatLng a2 = destination(a, courseA, length).position;
  const LatLng b2 = destination(b, courseB, length).position;
  return intersectLines(a, a2, b, b2, 0, diagnostics);
}

ArcCrossings courseMeetsArc(const LatLng& start, double course, double offset, const LatLng& station, double radius) {
  ArcCrossings result;
  const CourseDistance ps = courseAndDistance(start, station);
  double delta = ps.distance / NM_PER_DEGREE * PI / 180;
  const double rho = radius / NM_PER_DEGREE * PI / 180;
  const double flown = course - offset;
  double a = (ps.course - flown) * PI / 180;
  if (a < -PI)
    a += 2 * PI;
  else if (a > PI)
    a -= 2 * PI;

  const auto along = [&](double t) {
    if (t < 0) t += 2 * PI;
    return destination(start, flown, t * 180 / PI * NM_PER_DEGREE).position;
  };
  // Napier's analogy for the side from the start to the crossing.
  const auto crossing = [&](double x) {
    return along(2 * std::atan2(std::tan((rho - delta) / 2) * std::sin((a + x) / 2), std::sin((a - x) / 2)));
  };

  double q = std::sin(a) * std::sin(delta) / std::sin(rho);
  // A station to the left of the course gives q below -1: no crossing either.
  if (!(std::fabs(q) <= 1)) return result;
  double x = std::asin(q);

  if (std::sin(rho) < std::sin(delta)) {  // the start lies outside the arc
    if (a == 0) {
      // Straight at the station: the formula is 0/0 there, the crossings
      // lie at delta - rho and delta + rho along the course.
      result = {2, along(delta - rho), along(delta + rho)};
    } else {
      result = {2, crossing(x), crossing(PI - x)};
    }
    if (distanceNm(start, result.second) < distanceNm(start, result.first)) std::swap(result.first, result.second);
    return result;
  }
  if (std::sin(rho) == std::sin(delta)) {  // on the arc
    delta -= 0.00001;
    q = std::sin(a) * std::sin(delta) / std::sin(rho);
    x = std::asin(std::fmax(-1.0, std::fmin(1.0, q)));
    if (a != 0 && std::fabs(a) >= PI / 2) {
      result.count = 1;
      result.first = start;
      return result;
    }
    if (a == 0) {
      result.count = 1;
      result.first = along(2 * rho);
      return result;
    }
  }
  result.count = 1;
  result.first = crossing(x);
  return result;
}

}  // namespace korvant
