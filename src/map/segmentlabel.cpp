#include "map/segmentlabel.h"

#include "geo/angles.h"

#include <cmath>

#include "geo/greatcircle.h"
#include "map/fontangle.h"

namespace korvant {

namespace {

int roundToInt(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

void drawSegmentLabel(MapCanvas& canvas, const Projection& projection, std::string_view text, const LatLng& start,
                      double course, double distance, LabelAlign align, LabelPlacement placement, LabelFrame frame,
                      Color color) {
  const LatLng anchor = destinationWithEllipsoidCourse(start, course, distance).position;
  const DevicePoint d = projection.toDevice(anchor);
  if (!d.visible || !projection.nearSurface(d.x, d.y, 1)) return;

  double lineDirection;
  if (anchor.lat == 9000)
    lineDirection = 180;
  else if (anchor.lat == -9000)
    lineDirection = 360;
  else
    lineDirection = ellipsoidInitialCourse(anchor, start);
  lineDirection = wrapCourse360(lineDirection + 180);

  const LatLng above = projection.fromDevice(d.x, d.y - 300);
  const double up = above.isUnset() ? 0 : ellipsoidInitialCourse(anchor, above);
  drawLabelAt(canvas, text, d, wrapCourse360(lineDirection - up), align, placement, frame, color);
}

void drawLineLabel(MapCanvas& canvas, std::string_view text, const DevicePoint& a, const DevicePoint& b,
                   LabelAlign align, LabelPlacement placement, LabelFrame frame, Color color) {
  const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
  if (dx == 0 && dy == 0) return;
  const DevicePoint middle{static_cast<int>((double(a.x) + b.x) / 2), static_cast<int>((double(a.y) + b.y) / 2), true};
  // Clockwise from the surface's up to the line's way, to the nearest 5
  // degrees: the text engine keeps its glyphs for each angle, and a label
  // 2.5 degrees off its line cannot be told from one along it.
  const double way = std::round(std::atan2(dx, -dy) * 180 / PI / 5) * 5;
  drawLabelAt(canvas, text, middle, wrapCourse360(way), align, placement, frame, color);
}

void drawLabelAt(MapCanvas& canvas, std::string_view text, const DevicePoint& d, double diff, LabelAlign align,
                 LabelPlacement placement, LabelFrame frame, Color color) {
  const bool topAtAnchor = placement == LabelPlacement::Below || placement == LabelPlacement::AtAnchorTop;
  const FontSpec previous = canvas.currentFont();
  FontAngle angles(canvas);
  int escapement = 900 - static_cast<int>(10 * diff);
  if (escapement < -900) escapement += 1800;
  angles.select(escapement);

  const TextMetrics metrics = canvas.textMetrics();
  const int m = metrics.height + metrics.externalLeading, w = metrics.averageCharWidth;
  const HAlign h = align == LabelAlign::Left    ? HAlign::Left
                   : align == LabelAlign::Right ? HAlign::Right
                                                : HAlign::Center;
  canvas.setTextAlign({h, topAtAnchor ? VAlign::Top : VAlign::Baseline});
  canvas.setTextColor(color);
  canvas.setBackgroundTransparent(true);

  double t = 90 - diff;
  if (t > 90)
    t -= 180;
  else if (t < -90)
    t += 180;
  const double s = std::sin(t * PI / 180), c = std::cos(t * PI / 180);
  int shift = 0;
  if (placement == LabelPlacement::Below)
    shift = 9 * m / 16;
  else if (placement == LabelPlacement::Straddling)
    shift = m / 2;
  else if (placement == LabelPlacement::Above)
    shift = -(m / 2);
  const double x = d.x + roundToInt(shift * s), y = d.y + roundToInt(shift * c);
  canvas.textOut(static_cast<int>(x), static_cast<int>(y), text);

  if (frame == LabelFrame::Box) {
    const int textWidth = canvas.textWidth(text);
    const int a = align == LabelAlign::Left ? 0 : align == LabelAlign::Centre ? 1 : 2;
    const int half = (a * textWidth) / 2;
    const int hFactor = placement == LabelPlacement::Below ? 7 : placement == LabelPlacement::AtAnchorTop ? 6 : 0;
    const int inset = (m * hFactor) / 6 + m / 6;
    const int n = textWidth + w, sideLength = (7 * m) / 6;
    // Along the text (c, -s); towards its lower side (s, c).
    const double p0x = x - (half + w) * c + inset * s, p0y = y + (half + w) * s + inset * c;
    const double p1x = p0x + n * c, p1y = p0y - n * s;
    const double p2x = p1x - sideLength * s, p2y = p1y - sideLength * c;
    const double p3x = p2x - n * c, p3y = p2y + n * s;
    canvas.selectPen(color, 1, PenStyle::Solid);
    canvas.beginTextFrame();
    canvas.moveTo(roundToInt(p0x), roundToInt(p0y));
    canvas.lineTo(roundToInt(p1x), roundToInt(p1y));
    canvas.lineTo(roundToInt(p2x), roundToInt(p2y));
    canvas.lineTo(roundToInt(p3x), roundToInt(p3y));
    canvas.lineTo(roundToInt(p0x), roundToInt(p0y));
    canvas.endTextFrame();
  }
  canvas.selectFont(previous);
}

}  // namespace korvant
