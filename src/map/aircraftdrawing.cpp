#include "map/aircraftdrawing.h"

#include <algorithm>
#include <cmath>

#include "geo/greatcircle.h"

namespace korvant {

namespace {

// Dark on its white halo: a magenta symbol vanished on the magenta route.
constexpr Color kAircraft{0, 0, 0};
constexpr Color kTrail{200, 0, 120};

// The outline, nose up, x right: pairs of points, each a line.
constexpr double kShape[][4] = {
    {0, -13, 0, 11},                   // fuselage
    {-12, 1, 12, 1},                   // wings
    {-12, 1, 0, -4},                   // swept leading edges
    {12, 1, 0, -4},  {-5, 10, 5, 10},  // tailplane
};

// The screen direction of the track at the aircraft: north turns with the
// projection, so the nose points at a position a little along the track.
bool screenAxes(const Projection& projection, const AircraftState& a, double& sx, double& sy, DevicePoint& at) {
  at = projection.toDevice(a.position);
  if (!at.visible) return false;
  const DevicePoint ahead = projection.toDevice(destination(a.position, a.trackDeg, 1).position);
  double dx = ahead.x - at.x, dy = ahead.y - at.y;
  const double length = std::hypot(dx, dy);
  if (!ahead.visible || length < 1e-9) {
    // Too close in at this range to tell: the track as if north were up.
    dx = std::sin(a.trackDeg * PI / 180);
    dy = -std::cos(a.trackDeg * PI / 180);
  } else {
    dx /= length;
    dy /= length;
  }
  sx = dx;
  sy = dy;
  return true;
}

bool crosses(const DevicePoint& a, const DevicePoint& b, const Rect& r) {
  return std::max(a.x, b.x) >= r.left - 2 && std::min(a.x, b.x) <= r.right + 2 && std::max(a.y, b.y) >= r.top - 2 &&
         std::min(a.y, b.y) <= r.bottom + 2;
}

}  // namespace

std::vector<DevicePoint> trailOnSurface(const Projection& projection, const FlightTrail& trail) {
  std::vector<DevicePoint> out;
  out.reserve(trail.points().size());
  for (const TrailPoint& p : trail.points()) out.push_back(projection.toDevice(p.position));
  return out;
}

void drawTrail(MapCanvas& canvas, std::span<const DevicePoint> trail, const DevicePoint* aircraft, const Rect& within,
               bool color) {
  canvas.selectPen(color ? kTrail : colors::black, 2, color ? PenStyle::Solid : PenStyle::Dot);
  const auto line = [&](const DevicePoint& a, const DevicePoint& b) {
    if (!a.visible || !b.visible || !crosses(a, b, within)) return;
    canvas.moveTo(a.x, a.y);
    canvas.lineTo(b.x, b.y);
  };
  for (std::size_t i = 1; i < trail.size(); ++i) line(trail[i - 1], trail[i]);
  if (aircraft && !trail.empty()) line(trail.back(), *aircraft);
}

Rect aircraftBox(const Projection& projection, const AircraftState& aircraft) {
  const DevicePoint at = projection.toDevice(aircraft.position);
  if (!at.visible) return {};
  const int reach = AIRCRAFT_REACH + 3;
  return {at.x - reach, at.y - reach, at.x + reach + 1, at.y + reach + 1};
}

void drawAircraft(MapCanvas& canvas, const Projection& projection, const AircraftState& aircraft, bool color) {
  double fx = 0, fy = 0;  // forward
  DevicePoint at;
  if (!screenAxes(projection, aircraft, fx, fy, at)) return;
  const double rx = -fy, ry = fx;  // right of the nose
  const auto point = [&](double x, double y, int& px, int& py) {
    // Shape y grows toward the tail.
    px = at.x + static_cast<int>(std::lround(x * rx - y * fx));
    py = at.y + static_cast<int>(std::lround(x * ry - y * fy));
  };
  // A white halo first, so that the symbol reads over any line of the map.
  for (const auto& [pen, width] : {std::pair{colors::white, 7}, std::pair{color ? kAircraft : colors::black, 3}}) {
    canvas.selectPen(pen, width, PenStyle::Solid);
    for (const auto& s : kShape) {
      int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
      point(s[0], s[1], x1, y1);
      point(s[2], s[3], x2, y2);
      canvas.moveTo(x1, y1);
      canvas.lineTo(x2, y2);
    }
  }
}

void drawFlight(MapCanvas& canvas, const Projection& projection, const FlightTrail& trail,
                const AircraftState* aircraft, bool color) {
  const std::vector<DevicePoint> points = trailOnSurface(projection, trail);
  DevicePoint at;
  if (aircraft) at = projection.toDevice(aircraft->position);
  const Rect everywhere{-(1 << 20), -(1 << 20), 1 << 20, 1 << 20};
  drawTrail(canvas, points, aircraft ? &at : nullptr, everywhere, color);
  if (aircraft) drawAircraft(canvas, projection, *aircraft, color);
}

}  // namespace korvant
