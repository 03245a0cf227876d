#include "map/linedrawing.h"

#include <cmath>
#include <cstdlib>

#include "geo/greatcircle.h"

namespace korvant {

SideOfCentre LineDrawer::sideOf(const LatLng& p) {
  if (p.lat != lastPoint_.lat || p.lng != lastPoint_.lng) {
    lastPoint_ = p;
    lastSide_ = paint_.farSide.side(p);
  }
  return lastSide_;
}

DevicePoint LineDrawer::deviceOf(const LatLng& p) {
  if (p.lat != lastProjected_.lat || p.lng != lastProjected_.lng) {
    lastProjected_ = p;
    lastDevice_ = paint_.projection.toDevice(p);
  }
  return lastDevice_;
}

void LineDrawer::drawStraight(const LatLng& a, const LatLng& b, double reach, int offset, double trueCourse) {
  const SideOfCentre sideA = sideOf(a);
  if (FarSideRule::skips(sideA, sideOf(b))) return;
  const Projection& proj = paint_.projection;
  DevicePoint p = deviceOf(a), q = deviceOf(b);
  if (!p.visible || !q.visible || !proj.nearSurface(p.x, p.y, reach) || !proj.nearSurface(q.x, q.y, reach)) return;
  if (offset != 0) {
    if (trueCourse < 0) trueCourse = courseAndDistance(a, b).course;
    const int shift = trueCourse >= 180 ? -offset : offset;
    if (std::abs(q.y - p.y) > std::abs(q.x - p.x)) {
      p.x += shift;
      q.x += shift;
    } else {
      p.y += shift;
      q.y += shift;
    }
  }
  paint_.canvas.moveTo(p.x, p.y);
  paint_.canvas.lineTo(q.x, q.y);
}

void LineDrawer::drawGreatCircle(const LatLng& a, const LatLng& b, double reach, int offset, double trueCourse) {
  // Short legs are one piece; the double distance decides where it is clear.
  if (offset == 0 &&
      (surelyWithinNm(a, b, GREAT_CIRCLE_PIECE_NM - 1) || distanceNmFast(a, b) < GREAT_CIRCLE_PIECE_NM - 1e-6)) {
    drawStraight(a, b, reach, 0, 0);
    return;
  }
  const CourseDistance leg = courseAndDistance(a, b);
  if (trueCourse < 0) trueCourse = leg.course;
  if (leg.distance <= GREAT_CIRCLE_PIECE_NM) {
    drawStraight(a, b, reach, offset, trueCourse);
    return;
  }
  if (a.lat == 9000 || a.lat == -9000) {
    // Courses from a pole are meridians: go down the other end's meridian first.
    const bool oppositePole = b.lat == -a.lat;
    const LatLng pole{a.lat, 0};
    const LatLng off{a.lat > 0 ? 8959.0 : -8959.0, oppositePole ? 0.0 : b.lng};
    drawStraight(pole, off, reach, offset, trueCourse);
    drawGreatCircle(off, b, reach, offset, trueCourse);
    return;
  }
  LatLng from = a;
  for (double along = GREAT_CIRCLE_PIECE_NM; along < leg.distance; along += GREAT_CIRCLE_PIECE_NM) {
    const LatLng to = destination(a, leg.course, along).position;
    drawStraight(from, to, reach, offset, trueCourse);
    from = to;
  }
  drawStraight(from, b, reach, offset, trueCourse);
}

void LineDrawer::drawLine(LineType type, const LatLng& a, const LatLng& b, double reach, int offset,
                          double trueCourse) {
  if (a.isUnset() || b.isUnset()) return;
  switch (type) {
    case LineType::GreatCircle: drawGreatCircle(a, b, reach, offset, trueCourse); return;
    case LineType::StraightOrParallel:
      if (a.lat == b.lat && a.lng != b.lng) {
        const double step = b.lng > a.lng ? 500 : -500;
        LatLng from = a;
        for (double lng = a.lng + step; step > 0 ? lng < b.lng : lng > b.lng; lng += step) {
          const LatLng to{a.lat, lng};
          drawStraight(from, to, reach, offset, trueCourse);
          from = to;
        }
        drawStraight(from, b, reach, offset, trueCourse);
        return;
      }
      [[fallthrough]];
    case LineType::Straight: drawStraight(a, b, reach, offset, trueCourse); return;
  }
}

}  // namespace korvant
