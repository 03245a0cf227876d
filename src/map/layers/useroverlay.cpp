// USER.TXT on the map: lines, arcs and texts in positions, through the
// current projection, with the command language's state carried from line
// to line. A line whose position does not read is reported at the left.
#include <algorithm>
#include <cmath>

#include "geo/greatcircle.h"
#include "map/layers/layers.h"
#include "map/layers/overlaycommands.h"
#include "map/linedrawing.h"

namespace korvant {

namespace {

constexpr double NEAR_FACTOR = 2;

// USER.TXT as read when the paint was asked for: read again, on the window's
// thread, when the file changed, so that the paint reads a parsed value.
struct UserOverlayInputs {
  std::shared_ptr<const UserOverlay> overlay;
  bool operator==(const UserOverlayInputs&) const = default;
};

void selectSize(PaintContext& paint, OverlayState& s, long size) {
  if (size < 0) return;
  // Points to device units at the surface's resolution, bounded so that a
  // wild size cannot ask the platform for an absurd font.
  const long height = std::min<long>(static_cast<long>(paint.pixelsPerInch) * std::min(size, 10000L) / 72, 4000);
  s.font = {paint.frame.fontSettings.face, static_cast<int>(std::max(1L, height)), 400, 0};
  paint.canvas.selectFont(s.font);
  const TextMetrics m = paint.canvas.textMetrics();
  s.lineHeight = m.height + m.externalLeading;
  s.charWidth = m.averageCharWidth;
}

PenStyle penStyle(OverlayLineStyle style) {
  switch (style) {
    case OverlayLineStyle::Dash: return PenStyle::Dash;
    case OverlayLineStyle::Dot: return PenStyle::Dot;
    case OverlayLineStyle::DashDot: return PenStyle::DashDot;
    case OverlayLineStyle::DashDotDot: return PenStyle::DashDotDot;
    case OverlayLineStyle::Solid: break;
  }
  return PenStyle::Solid;
}

void reportBadLine(PaintContext& paint, OverlayState& s, const OverlayCommand& c) {
  ++s.badLines;
  MapCanvas& canvas = paint.canvas;
  canvas.selectFont(paint.fonts.small);
  canvas.setTextColor(colors::red);
  canvas.setBackgroundTransparent(false);
  canvas.setTextAlign({HAlign::Left, VAlign::Bottom});
  canvas.textOut(10, 10 * s.badLines, "USER.TXT LINE " + std::to_string(c.line) + ": NO POSITION: " + c.source);
  canvas.setBackgroundTransparent(true);
  canvas.selectFont(s.font);
  canvas.setTextColor(s.color);
}

void text(PaintContext& paint, OverlayState& s, const OverlayCommand& c) {
  MapCanvas& canvas = paint.canvas;
  canvas.selectFont(s.font);
  if (c.op == OverlayOp::TextStack) s.stackActive = false;
  const DevicePoint p = paint.projection.toDevice(c.a);
  if (!p.visible) return;
  s.stackX = p.x;
  s.stackY = p.y;
  s.stackActive = true;
  if (!paint.projection.nearSurface(p.x, p.y, NEAR_FACTOR)) return;
  const bool box = c.op == OverlayOp::TextBox;
  canvas.setTextAlign({s.horizontal, box ? VAlign::Top : s.vertical});
  canvas.textOut(p.x, p.y, c.text);
  if (!box) return;
  const int w = canvas.textWidth(c.text), h = s.lineHeight, cw = s.charWidth;
  const int b = s.horizontal == HAlign::Left ? 0 : s.horizontal == HAlign::Center ? -(w / 2) : -w;
  canvas.selectPen(s.color, 1, PenStyle::Solid);
  canvas.moveTo(p.x + b - cw, p.y - h / 4);
  canvas.lineTo(p.x + w + cw + b, p.y - h / 4);
  canvas.lineTo(p.x + w + cw + b, p.y + 5 * h / 4);
  canvas.lineTo(p.x + b - cw, p.y + 5 * h / 4);
  canvas.lineTo(p.x + b - cw, p.y - h / 4);
}

void routeText(PaintContext& paint, OverlayState& s, const OverlayCommand& c) {
  MapCanvas& canvas = paint.canvas;
  const CourseDistance ab = courseAndDistance(c.a, c.b);
  const double d = c.value > 0 ? c.value : ab.distance / 2;
  const LatLng p = destination(c.a, ab.course, d).position;
  const DevicePoint pp = paint.projection.toDevice(p);
  if (!pp.visible || !paint.projection.nearSurface(pp.x, pp.y, NEAR_FACTOR)) return;
  const LatLng q = destination(p, courseAndDistance(p, c.b).course, 0.04 * paint.view().range).position;
  const DevicePoint qq = paint.projection.toDevice(q);
  const double angle = std::atan2(double(pp.x - qq.x), double(qq.y - pp.y)) * 180 / PI;
  if (!std::isfinite(angle)) return;
  // Never upside down: the escapement stays within -90 ... 90 degrees.
  int escapement = 900 - static_cast<int>(std::trunc(10 * angle));
  if (escapement > 900) escapement -= 1800;
  if (escapement < -900) escapement += 1800;
  double theta = 90 - angle;
  if (theta > 90) theta -= 180;
  if (theta < -90) theta += 180;
  const double st = std::sin(theta * PI / 180), ct = std::cos(theta * PI / 180);
  const int h = s.lineHeight;
  const int ax = pp.x - static_cast<int>(std::lround(h / 2.0 * st));
  const int ay = pp.y - static_cast<int>(std::lround(h / 2.0 * ct));
  FontSpec rotated = s.font;
  rotated.escapement = escapement;
  canvas.selectFont(rotated);
  canvas.setTextAlign({HAlign::Center, VAlign::Bottom});
  canvas.textOut(ax, ay, c.text);
  if (c.op == OverlayOp::TextBoxR) {
    const double w = canvas.textWidth(c.text) + s.charWidth;
    double x = ax - w / 2 * ct + h / 4.0 * st, y = ay + w / 2 * st + h / 4.0 * ct;
    canvas.selectPen(s.color, 1, PenStyle::Solid);
    const auto to = [&](double dx, double dy) {
      x += dx;
      y += dy;
      canvas.lineTo(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    };
    canvas.moveTo(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    to(w * ct, -w * st);
    to(-1.5 * h * st, -1.5 * h * ct);
    to(-w * ct, w * st);
    to(1.5 * h * st, 1.5 * h * ct);
  }
  canvas.selectFont(s.font);
}

void arc(PaintContext& paint, OverlayState& s, const OverlayCommand& c) {
  double radius = c.value < 1 ? 1 : std::min(c.value, 10800.0);
  double start = c.start, end = c.end;
  if (!std::isfinite(start) || !std::isfinite(end)) return;
  if (start == end) {
    start = 0;
    end = 360;
  }
  if (start > end) std::swap(start, end);
  start = std::max(start, 0.0);
  end = std::min(end, 360.0);
  const DevicePoint centre = paint.projection.toDevice(c.a);
  if (!centre.visible) return;
  paint.canvas.selectPen(s.color, 1, PenStyle::Solid);
  DevicePoint previous = paint.projection.toDevice(destination(c.a, start, radius).position);
  if (!previous.visible) return;
  for (double course = start + 10; course <= end; course += 10) {
    const DevicePoint p = paint.projection.toDevice(destination(c.a, course, radius).position);
    if (!p.visible) return;
    paint.canvas.moveTo(previous.x, previous.y);
    paint.canvas.lineTo(p.x, p.y);
    previous = p;
  }
}

}  // namespace

OverlayState startOverlay(PaintContext& paint, HAlign horizontal, VAlign vertical) {
  OverlayState s;
  s.horizontal = horizontal;
  s.vertical = vertical;
  paint.canvas.setBackgroundTransparent(true);
  selectSize(paint, s, 8);
  paint.canvas.setTextColor(s.color);
  paint.canvas.selectPen(s.color, 1, PenStyle::Solid);
  return s;
}

void runOverlayCommand(PaintContext& paint, OverlayState& s, const OverlayCommand& c) {
  if (c.op == OverlayOp::NoDraw || c.op == OverlayOp::Draw) {
    s.drawing = c.op == OverlayOp::Draw;
    return;
  }
  if (!s.drawing) return;
  if (c.bad) {
    reportBadLine(paint, s, c);
    return;
  }
  MapCanvas& canvas = paint.canvas;
  switch (c.op) {
    case OverlayOp::FontSize: selectSize(paint, s, static_cast<long>(c.value)); break;
    case OverlayOp::Color: {
      const long packed = c.red + 256L * c.green + 65536L * c.blue;
      s.color = {static_cast<std::uint8_t>(packed & 0xFF), static_cast<std::uint8_t>((packed >> 8) & 0xFF),
                 static_cast<std::uint8_t>((packed >> 16) & 0xFF)};
      canvas.selectPen(s.color, 1, PenStyle::Solid);
      canvas.setTextColor(s.color);
      break;
    }
    case OverlayOp::Align:
      for (const std::string& w : c.words) {
        if (w == "LEFT") s.horizontal = HAlign::Left;
        if (w == "CENTER") s.horizontal = HAlign::Center;
        if (w == "RIGHT") s.horizontal = HAlign::Right;
        if (w == "TOP") s.vertical = VAlign::Top;
        if (w == "BOTTOM") s.vertical = VAlign::Bottom;
      }
      canvas.setTextAlign({s.horizontal, s.vertical});
      break;
    case OverlayOp::Line: {
      if (c.a.isUnset() || c.b.isUnset()) break;
      canvas.selectPen(s.color, 1, penStyle(c.style));
      LineDrawer lines(paint);
      lines.drawLine(LineType::GreatCircle, c.a, c.b, 100, 0);
      break;
    }
    case OverlayOp::Text:
    case OverlayOp::TextBox:
    case OverlayOp::TextStack: text(paint, s, c); break;
    case OverlayOp::Stack:
      if (!s.stackActive) break;
      s.stackY += s.lineHeight;
      canvas.selectFont(s.font);
      canvas.textOut(s.stackX, s.stackY, c.text);
      break;
    case OverlayOp::TextR:
    case OverlayOp::TextBoxR: routeText(paint, s, c); break;
    case OverlayOp::Arc: arc(paint, s, c); break;
    default: break;
  }
}

LayerInputs takeUserOverlay(const PaintInput& input) {
  if (!input.switches.showUserTxt || !input.userOverlay) return layerInputs(UserOverlayInputs{});
  return layerInputs(UserOverlayInputs{input.userOverlay->overlay()});
}

void drawUserOverlay(PaintContext& paint) {
  if (!paint.switches().showUserTxt) return;
  const std::shared_ptr<const UserOverlay>& overlay = paint.in<UserOverlayInputs>().overlay;
  if (!overlay) return;  // said once, when the switch went on
  const auto h = overlay->horizontal == "CENTER"  ? HAlign::Center
                 : overlay->horizontal == "RIGHT" ? HAlign::Right
                                                  : HAlign::Left;
  OverlayState s = startOverlay(paint, h, overlay->vertical == "TOP" ? VAlign::Top : VAlign::Bottom);
  paint.canvas.setTextAlign({s.horizontal, s.vertical});
  for (std::size_t i = 0; i < overlay->size(); ++i) runOverlayCommand(paint, s, overlay->command(i));
  paint.canvas.setBackgroundTransparent(true);
}

}  // namespace korvant
