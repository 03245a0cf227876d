// The pilot's navigation data on the map: its airways, high ones darker than
// low ones, each named in a box at the middle of its segment; its navaids, a
// VOR as a hexagon and an NDB as a double circle, with their identifiers.
// Up close everything; farther out the high airways and VOR-class navaids;
// beyond that only what the route or plan flies, so the map stays readable.
// Only the cells about the surface are visited.
#include <algorithm>
#include <utility>
#include <vector>

#include "geo/greatcircle.h"
#include "map/layers/layers.h"
#include "map/segmentlabel.h"
#include "map/surfacecap.h"
#include "navdata/fixrecords.h"

namespace korvant {

namespace {

// A segment's end may lie a surface beyond the edges (farther, its line
// would be false); a navaid is drawn while its name can reach the surface.
constexpr double kSegmentReach = 1, kPointReach = 0.05;

bool placedOnMap(const PaintContext& paint, const LatLng& p, DevicePoint& d, double reach) {
  d = paint.projection.toDevice(p);
  return d.visible && paint.projection.nearSurface(d.x, d.y, reach);
}

using Leg = std::pair<std::uint32_t, std::uint32_t>;
Leg legOf(std::uint32_t a, std::uint32_t b) { return a < b ? Leg{a, b} : Leg{b, a}; }

// The navigation data's points the plotted route and the loaded plan pass,
// in route order (a point may come twice), and their legs as sorted pairs.
struct RouteUse {
  std::vector<std::uint32_t> points;
  std::vector<Leg> legs;

  bool flies(const XpSegment& s) const { return std::binary_search(legs.begin(), legs.end(), legOf(s.from, s.to)); }
};

RouteUse routeUse(const PaintInput& input, const XpNavData& data) {
  RouteUse use;
  const auto chain = [&](auto&& each) {
    std::optional<std::uint32_t> previous;
    each([&](const std::string& name, const LatLng& at) {
      const std::optional<std::uint32_t> i = data.indexAt(name, at);
      if (i) use.points.push_back(*i);
      if (i && previous && *i != *previous) use.legs.push_back(legOf(*i, *previous));
      previous = i;
    });
  };
  if (input.plottedRoute)
    chain([&](auto&& take) {
      for (const PlottedPoint& p : input.plottedRoute->points) take(p.name, p.position);
    });
  if (input.procedure)
    chain([&](auto&& take) {
      for (const UW_Wpt& w : input.procedure->plan.waypoints)
        if (!w.isUserItem()) take(w.identifier, w.position);
    });
  std::sort(use.legs.begin(), use.legs.end());
  return use;
}

bool vorClass(const XpPoint& p) { return p.kind == FIX_KIND_VOR; }
bool navaid(const XpPoint& p) { return p.kind == FIX_KIND_VOR || p.kind == FIX_KIND_NDB || p.kind == FIX_KIND_DME; }

void drawAirway(PaintContext& paint, const XpNavData& data, const XpSegment& s) {
  const std::vector<XpPoint>& points = data.points();
  const LatLng& from = points[s.from].position;
  const LatLng& to = points[s.to].position;
  DevicePoint a, b;
  if (!placedOnMap(paint, from, a, kSegmentReach) || !placedOnMap(paint, to, b, kSegmentReach)) return;
  // Both ends off one side: the line cannot cross the surface.
  const Projection& proj = paint.projection;
  if ((a.x < proj.left() && b.x < proj.left()) || (a.y < proj.top() && b.y < proj.top()) ||
      (a.x > proj.left() + proj.width() && b.x > proj.left() + proj.width()) ||
      (a.y > proj.top() + proj.height() && b.y > proj.top() + proj.height()))
    return;
  const bool high = s.level == 2;
  const Color color =
      high ? paint.pick(Color{96, 96, 176}, colors::black) : paint.pick(Color{112, 176, 112}, colors::black);
  MapCanvas& canvas = paint.canvas;
  canvas.selectPen(color, 1, high ? PenStyle::Solid : PenStyle::Dash);
  canvas.moveTo(a.x, a.y);
  canvas.lineTo(b.x, b.y);
  const CourseDistance leg = courseAndDistance(from, to);
  drawSegmentLabel(canvas, paint.projection, data.airwayName(s), from, leg.course, leg.distance / 2, LabelAlign::Centre,
                   LabelPlacement::AtAnchorTop, LabelFrame::Box, color);
}

void drawNavaid(PaintContext& paint, const XpNavData& data, const XpPoint& p, int size) {
  DevicePoint d;
  if (!placedOnMap(paint, p.position, d, kPointReach)) return;
  const bool ndb = p.kind == FIX_KIND_NDB;
  const Color color = paint.pick(ndb ? Color{160, 64, 160} : Color{0, 96, 160}, colors::black);
  MapCanvas& canvas = paint.canvas;
  canvas.drawSymbol(ndb ? Symbol::DoubleCircle : Symbol::Hexagon, d.x, d.y, size, color);
  canvas.setTextColor(color);
  // A DME alone says so: it gives a distance, no course.
  canvas.textOut(d.x + size, d.y + size, p.kind == FIX_KIND_DME ? data.nameOf(p) + " DME" : data.nameOf(p));
}

}  // namespace

void drawNavDataAirways(PaintContext& paint) {
  const XpNavData* data = paint.input.fixes.navData();
  if (!data) return;
  MapCanvas& canvas = paint.canvas;
  canvas.selectFont(paint.fonts.small);
  canvas.setBackgroundTransparent(true);
  canvas.setLabelClass(LabelClass::Airway);
  const NavDetail detail = navDetailAt(paint.input.view.range, paint.input.detail);
  const std::vector<XpSegment>& segments = data->segments();
  if (detail == NavDetail::RouteOnly) {
    // The route's short legs start in its points' cells, whichever way they
    // are filed; its long ones are few.
    const RouteUse use = routeUse(paint.input, *data);
    std::vector<int> cells;
    for (const std::uint32_t i : use.points) cells.push_back(GridIndex::cellOf(data->points()[i].position));
    std::sort(cells.begin(), cells.end());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    for (const int cell : cells)
      for (const std::uint32_t i : data->segmentIndex().items(cell))
        if (use.flies(segments[i])) drawAirway(paint, *data, segments[i]);
    for (const std::uint32_t i : data->longSegments())
      if (use.flies(segments[i])) drawAirway(paint, *data, segments[i]);
    return;
  }
  const RouteUse use = detail == NavDetail::HighOnly ? routeUse(paint.input, *data) : RouteUse{};
  const auto draw = [&](std::uint32_t i) {
    const XpSegment& s = segments[i];
    if (detail == NavDetail::All || s.level == 2 || use.flies(s)) drawAirway(paint, *data, s);
  };
  // A short segment crossing the surface starts within its length of it.
  data->segmentIndex().visit(surfaceCap(paint.projection, 0).widened(SHORT_SEGMENT_NM / 60), draw);
  for (const std::uint32_t i : data->longSegments()) draw(i);
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
  const NavDetail detail = navDetailAt(paint.input.view.range, paint.input.detail);
  const std::vector<XpPoint>& points = data->points();
  std::vector<std::uint32_t> flown;
  if (detail != NavDetail::All) {
    flown = routeUse(paint.input, *data).points;
    std::sort(flown.begin(), flown.end());
    flown.erase(std::unique(flown.begin(), flown.end()), flown.end());
  }
  if (detail == NavDetail::RouteOnly) {
    for (const std::uint32_t i : flown)
      if (navaid(points[i])) drawNavaid(paint, *data, points[i], size);
    return;
  }
  data->pointIndex().visit(surfaceCap(paint.projection, kPointReach), [&](std::uint32_t i) {
    const XpPoint& p = points[i];
    if (!navaid(p)) return;
    if (detail == NavDetail::All || vorClass(p) || std::binary_search(flown.begin(), flown.end(), i))
      drawNavaid(paint, *data, p, size);
  });
}

}  // namespace korvant
