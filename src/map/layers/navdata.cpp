// The pilot's navigation data on the map: its airways, high ones darker than
// low ones, each named in a box at the middle of its segment; its navaids, a
// VOR as a hexagon and an NDB as a double circle, with their identifiers.
#include "geo/greatcircle.h"
#include "map/layers/layers.h"
#include "map/segmentlabel.h"
#include "navdata/fixrecords.h"

namespace korvant {

namespace {

bool placedOnMap(const PaintContext& paint, const LatLng& p, DevicePoint& d) {
  d = paint.projection.toDevice(p);
  return d.visible && paint.projection.nearSurface(d.x, d.y, 1);
}

}  // namespace

void drawNavDataAirways(PaintContext& paint) {
  const XpNavData* data = paint.input.fixes.navData();
  if (!data) return;
  MapCanvas& canvas = paint.canvas;
  canvas.selectFont(paint.fonts.small);
  canvas.setBackgroundTransparent(true);
  canvas.setLabelClass(LabelClass::Airway);
  const std::vector<XpPoint>& points = data->points();
  for (const XpSegment& s : data->segments()) {
    const LatLng& from = points[s.from].position;
    const LatLng& to = points[s.to].position;
    DevicePoint a, b;
    if (!placedOnMap(paint, from, a) || !placedOnMap(paint, to, b)) continue;
    const bool high = s.level == 2;
    const Color color =
        high ? paint.pick(Color{96, 96, 176}, colors::black) : paint.pick(Color{112, 176, 112}, colors::black);
    canvas.selectPen(color, 1, high ? PenStyle::Solid : PenStyle::Dash);
    canvas.moveTo(a.x, a.y);
    canvas.lineTo(b.x, b.y);
    const CourseDistance leg = courseAndDistance(from, to);
    drawSegmentLabel(canvas, paint.projection, data->airwayName(s), from, leg.course, leg.distance / 2,
                     LabelAlign::Centre, LabelPlacement::AtAnchorTop, LabelFrame::Box, color);
  }
}

void drawNavDataNavaids(PaintContext& paint) {
  const XpNavData* data = paint.input.fixes.navData();
  if (!data) return;
  MapCanvas& canvas = paint.canvas;
  canvas.selectFont(paint.fonts.small);
  canvas.setTextAlign({HAlign::Left, VAlign::Top});
  canvas.setBackgroundTransparent(true);
  canvas.setLabelClass(LabelClass::Navaid);
  const int size = std::max(2, paint.lineHeight / 3);
  for (const XpPoint& p : data->points()) {
    if (p.kind != FIX_KIND_VOR && p.kind != FIX_KIND_NDB && p.kind != FIX_KIND_DME) continue;
    DevicePoint d;
    if (!placedOnMap(paint, p.position, d)) continue;
    const bool ndb = p.kind == FIX_KIND_NDB;
    const Color color = paint.pick(ndb ? Color{160, 64, 160} : Color{0, 96, 160}, colors::black);
    canvas.drawSymbol(ndb ? Symbol::DoubleCircle : Symbol::Hexagon, d.x, d.y, size, color);
    canvas.setTextColor(color);
    // A DME alone says so: it gives a distance, no course.
    canvas.textOut(d.x + size, d.y + size, p.kind == FIX_KIND_DME ? data->nameOf(p) + " DME" : data->nameOf(p));
  }
}

}  // namespace korvant
