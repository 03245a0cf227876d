#include "map/aircraftdrawing.h"

#include <algorithm>
#include <cmath>

#include "flight/progressreport.h"
#include "geo/greatcircle.h"

namespace korvant {

namespace {

// Dark on its white halo: a magenta symbol vanished on the magenta route.
constexpr Color kAircraft{0, 0, 0};
constexpr Color kTrail{200, 0, 120};

// The silhouette, nose up, x right, y toward the tail: filled, it stands
// out from the lines of the map where an outline was lost among them.
constexpr double kShape[][2] = {
    {0, -13},  {1.5, -11}, {1.5, -4}, {12, 2},   {12, 4},   {1.5, 1}, {1.5, 7}, {5, 10},    {5, 11.5},
    {0, 10.5}, {-5, 11.5}, {-5, 10},  {-1.5, 7}, {-1.5, 1}, {-12, 4}, {-12, 2}, {-1.5, -4}, {-1.5, -11},
};
constexpr int kTagGap = 4;
constexpr int kTagLines = 2;
// Characters of the tag's longest line ("FL350 GS478"), with room to spare
// for a fixed or a proportional face: the tag's box is the repainted area
// and must hold what is drawn without measuring it.
constexpr int kTagEms = 8;

std::vector<std::string> tagLines(const AircraftState& a) {
  return {flightLevelText(a.altitudeFt) + " GS" + std::to_string(static_cast<long>(std::lround(a.groundSpeedKt))),
          hhmm(a.utc) + "Z"};
}

// The screen direction of the track at the aircraft: north turns with the
// projection, so the nose points at a position a little along the track.
bool screenAxes(const Projection& projection, const AircraftState& a, double& sx, double& sy, DevicePoint& at) {
  at = projection.toDevice(a.position);
  if (!at.visible) return false;
  // Device points are whole units: a position a mile ahead at an ocean's
  // range is a unit or two away, which turns the nose by up to 45 degrees.
  // Look far enough ahead for a few dozen units.
  DevicePoint ahead;
  double dx = 0, dy = 0, length = 0;
  for (double nm = 1; nm <= 400; nm = length < 1 ? nm * 64 : nm * 60 / length) {
    ahead = projection.toDevice(destination(a.position, a.trackDeg, nm).position);
    dx = ahead.x - at.x;
    dy = ahead.y - at.y;
    length = std::hypot(dx, dy);
    if (!ahead.visible || length >= 40) break;
  }
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

// The tag beside the symbol, across the track from it (on the side below,
// or on the right when the track runs across the screen), so that neither
// the way ahead nor the trail behind runs under it.
Rect tagBox(const DevicePoint& at, double fx, double fy, const FontSpec& font) {
  const int line = font.height + font.height / 4 + 1;
  const int width = kTagEms * font.height, height = kTagLines * line + 2;
  double nx = -fy, ny = fx;
  if (ny < -1e-9 || (ny < 1e-9 && nx < 0)) {
    nx = -nx;
    ny = -ny;
  }
  const int px = at.x + static_cast<int>(std::lround(nx * (AIRCRAFT_REACH + kTagGap)));
  const int py = at.y + static_cast<int>(std::lround(ny * (AIRCRAFT_REACH + kTagGap)));
  const auto start = [](int p, double n, int size) { return n > 0.3 ? p : n < -0.3 ? p - size : p - size / 2; };
  const int left = start(px, nx, width), top = start(py, ny, height);
  return {left, top, left + width, top + height};
}

Rect joined(const Rect& a, const Rect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

}  // namespace

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

Rect aircraftBox(const Projection& projection, const AircraftState& aircraft, const FontSpec& tagFont) {
  double fx = 0, fy = 0;
  DevicePoint at;
  if (!screenAxes(projection, aircraft, fx, fy, at)) return {};
  const int reach = AIRCRAFT_REACH + 3;
  const Rect symbol{at.x - reach, at.y - reach, at.x + reach + 1, at.y + reach + 1};
  return tagFont.height > 0 ? joined(symbol, tagBox(at, fx, fy, tagFont)) : symbol;
}

void drawAircraft(MapCanvas& canvas, const Projection& projection, const AircraftState& aircraft, bool color,
                  const FontSpec& tagFont) {
  double fx = 0, fy = 0;  // forward
  DevicePoint at;
  if (!screenAxes(projection, aircraft, fx, fy, at)) return;
  const double rx = -fy, ry = fx;  // right of the nose
  std::vector<Point> outline;
  outline.reserve(std::size(kShape));
  for (const auto& s : kShape)
    outline.push_back({at.x + static_cast<int>(std::lround(s[0] * rx - s[1] * fx)),
                       at.y + static_cast<int>(std::lround(s[0] * ry - s[1] * fy))});
  // A white halo first, so that the symbol reads over any line of the map.
  canvas.selectPen(colors::white, 5, PenStyle::Solid);
  canvas.moveTo(outline.back().x, outline.back().y);
  for (const Point& p : outline) canvas.lineTo(p.x, p.y);
  canvas.fillPolygon(outline, color ? kAircraft : colors::black);

  if (tagFont.height <= 0 || !canvas.selectFont(tagFont)) return;
  const Rect box = tagBox(at, fx, fy, tagFont);
  canvas.fillRect(box, colors::white);
  canvas.selectPen(colors::black, 1, PenStyle::Solid);
  canvas.moveTo(box.left, box.top);
  canvas.lineTo(box.right - 1, box.top);
  canvas.lineTo(box.right - 1, box.bottom - 1);
  canvas.lineTo(box.left, box.bottom - 1);
  canvas.lineTo(box.left, box.top);
  canvas.setTextColor(colors::black);
  canvas.setBackgroundTransparent(true);
  canvas.setTextAlign({HAlign::Center, VAlign::Top});
  const int line = (box.height() - 2) / kTagLines;
  int y = box.top + 1;
  for (const std::string& text : tagLines(aircraft)) {
    canvas.textOut((box.left + box.right) / 2, y, text);
    y += line;
  }
}

}  // namespace korvant
