// The pilot's navigation data on the map: its airways, high ones darker than
// low ones, each named in a box at the middle of its segment; its navaids, a
// VOR as a hexagon and an NDB as a double circle, with their identifiers.
// Up close everything; farther out the high airways and VOR-class navaids;
// beyond that only what the route or plan flies, so the map stays readable.
// Only the cells about the surface are visited.
#include <algorithm>
#include <utility>
#include <vector>

#include "map/labelroom.h"
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

// The navigation data, and what the route and the plan fly of it: farther
// out the layers show that alone.
struct NavDataInputs {
  std::shared_ptr<const FixStore> fixes;
  std::shared_ptr<const PlottedRoute> plottedRoute;
  std::shared_ptr<const LoadedProcedure> procedure;
  bool operator==(const NavDataInputs&) const = default;
};

RouteUse routeUse(const NavDataInputs& input, const XpNavData& data) {
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

// A segment as it lies on the surface.
struct PlacedAirway {
  DevicePoint a, b;
  std::uint32_t segment;
};

bool placeAirway(const PaintContext& paint, const XpNavData& data, std::uint32_t i, PlacedAirway& placed) {
  const XpSegment& s = data.segments()[i];
  const std::vector<XpPoint>& points = data.points();
  DevicePoint& a = placed.a;
  DevicePoint& b = placed.b;
  placed.segment = i;
  if (!placedOnMap(paint, points[s.from].position, a, kSegmentReach) ||
      !placedOnMap(paint, points[s.to].position, b, kSegmentReach))
    return false;
  // Both ends off one side: the line cannot cross the surface.
  const Projection& proj = paint.projection;
  return !((a.x < proj.left() && b.x < proj.left()) || (a.y < proj.top() && b.y < proj.top()) ||
           (a.x > proj.left() + proj.width() && b.x > proj.left() + proj.width()) ||
           (a.y > proj.top() + proj.height() && b.y > proj.top() + proj.height()));
}

// The low airways' lines, then the high ones' over them, then every name:
// one pen for each run, so the canvas draws each run at once.
void drawAirways(PaintContext& paint, const XpNavData& data, const std::vector<PlacedAirway>& placed) {
  MapCanvas& canvas = paint.canvas;
  const Projection& proj = paint.projection;
  const Color lowColor = paint.pick(Color{112, 176, 112}, colors::black);
  const Color highColor = paint.pick(Color{96, 96, 176}, colors::black);
  for (const int level : {1, 2}) {
    canvas.selectPen(level == 2 ? highColor : lowColor, 1, level == 2 ? PenStyle::Solid : PenStyle::Dash);
    for (const PlacedAirway& p : placed) {
      if ((data.segments()[p.segment].level == 2) != (level == 2)) continue;
      canvas.moveTo(p.a.x, p.a.y);
      canvas.lineTo(p.b.x, p.b.y);
    }
  }
  // The high airways' names first: where both cannot stand, theirs does.
  LabelRoom room(proj.left(), proj.top(), proj.width(), proj.height(), 4 * paint.lineHeight);
  for (const int level : {2, 1})
    for (const PlacedAirway& p : placed) {
      const XpSegment& s = data.segments()[p.segment];
      if ((s.level == 2) != (level == 2)) continue;
      // A name longer than its line is left out: it would not say which line
      // it names, and the airway's next segment says it.
      const std::string name = data.airwayName(s);
      const double dx = double(p.b.x) - p.a.x, dy = double(p.b.y) - p.a.y;
      const double length = double(name.size() + 2) * paint.charWidth;
      if (dx * dx + dy * dy < length * length) continue;
      if (!room.take(static_cast<int>((double(p.a.x) + p.b.x) / 2), static_cast<int>((double(p.a.y) + p.b.y) / 2)))
        continue;
      drawLineLabel(canvas, name, p.a, p.b, LabelAlign::Centre, LabelPlacement::AtAnchorTop, LabelFrame::Box,
                    level == 2 ? highColor : lowColor);
    }
}

void drawNavaid(PaintContext& paint, const XpNavData& data, const XpPoint& p, int size, LabelRoom& room) {
  DevicePoint d;
  if (!placedOnMap(paint, p.position, d, kPointReach)) return;
  const bool ndb = p.kind == FIX_KIND_NDB;
  const Color color = paint.pick(ndb ? Color{160, 64, 160} : Color{0, 96, 160}, colors::black);
  MapCanvas& canvas = paint.canvas;
  canvas.drawSymbol(ndb ? Symbol::DoubleCircle : Symbol::Hexagon, d.x, d.y, size, color);
  if (!room.take(d.x, d.y)) return;
  canvas.setTextColor(color);
  // A DME alone says so: it gives a distance, no course.
  canvas.textOut(d.x + size, d.y + size, p.kind == FIX_KIND_DME ? data.nameOf(p) + " DME" : data.nameOf(p));
}

}  // namespace

LayerInputs takeNavData(const PaintInput& input) {
  if (!input.fixes->navData()) return layerInputs(NavDataInputs{input.fixes, nullptr, nullptr});
  return layerInputs(NavDataInputs{input.fixes, input.plottedRoute, input.procedure});
}

bool navDataLoaded(const PaintContext& paint) { return paint.in<NavDataInputs>().fixes->navData() != nullptr; }

void drawNavDataAirways(PaintContext& paint) {
  const NavDataInputs& in = paint.in<NavDataInputs>();
  const XpNavData* data = in.fixes->navData();
  if (!data) return;
  MapCanvas& canvas = paint.canvas;
  canvas.selectFont(paint.fonts.small);
  canvas.setBackgroundTransparent(true);
  canvas.setLabelClass(LabelClass::Airway);
  const NavDetail detail = navDetailAt(paint.view().range, paint.frame.detail);
  const std::vector<XpSegment>& segments = data->segments();
  std::vector<PlacedAirway> placed;
  const auto place = [&](std::uint32_t i) {
    PlacedAirway p;
    if (placeAirway(paint, *data, i, p)) placed.push_back(p);
  };
  if (detail == NavDetail::RouteOnly) {
    // The route's short legs start in its points' cells, whichever way they
    // are filed; its long ones are few.
    const RouteUse use = routeUse(in, *data);
    std::vector<int> cells;
    for (const std::uint32_t i : use.points) cells.push_back(GridIndex::cellOf(data->points()[i].position));
    std::sort(cells.begin(), cells.end());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    for (const int cell : cells)
      for (const std::uint32_t i : data->segmentIndex().items(cell))
        if (use.flies(segments[i])) place(i);
    for (const std::uint32_t i : data->longSegments())
      if (use.flies(segments[i])) place(i);
    drawAirways(paint, *data, placed);
    return;
  }
  const RouteUse use = detail == NavDetail::HighOnly ? routeUse(in, *data) : RouteUse{};
  const auto draw = [&](std::uint32_t i) {
    const XpSegment& s = segments[i];
    if (detail == NavDetail::All || s.level == 2 || use.flies(s)) place(i);
  };
  // A short segment crossing the surface starts within its length of it.
  data->segmentIndex().visit(surfaceCap(paint.projection, 0).widened(SHORT_SEGMENT_NM / 60), draw);
  for (const std::uint32_t i : data->longSegments()) draw(i);
  drawAirways(paint, *data, placed);
}

void drawNavDataNavaids(PaintContext& paint) {
  const NavDataInputs& in = paint.in<NavDataInputs>();
  const XpNavData* data = in.fixes->navData();
  if (!data) return;
  MapCanvas& canvas = paint.canvas;
  canvas.selectFont(paint.fonts.small);
  canvas.setTextAlign({HAlign::Left, VAlign::Top});
  canvas.setBackgroundTransparent(true);
  canvas.setLabelClass(LabelClass::Navaid);
  const int size = std::max(2, paint.lineHeight / 3);
  const NavDetail detail = navDetailAt(paint.view().range, paint.frame.detail);
  const std::vector<XpPoint>& points = data->points();
  const Projection& proj = paint.projection;
  LabelRoom room(proj.left(), proj.top(), proj.width(), proj.height(), 2 * paint.lineHeight);
  std::vector<std::uint32_t> flown;
  if (detail != NavDetail::All) {
    flown = routeUse(in, *data).points;
    std::sort(flown.begin(), flown.end());
    flown.erase(std::unique(flown.begin(), flown.end()), flown.end());
  }
  if (detail == NavDetail::RouteOnly) {
    for (const std::uint32_t i : flown)
      if (navaid(points[i])) drawNavaid(paint, *data, points[i], size, room);
    return;
  }
  data->pointIndex().visit(surfaceCap(paint.projection, kPointReach), [&](std::uint32_t i) {
    const XpPoint& p = points[i];
    if (!navaid(p)) return;
    if (detail == NavDetail::All || vorClass(p) || std::binary_search(flown.begin(), flown.end(), i))
      drawNavaid(paint, *data, p, size, room);
  });
}

}  // namespace korvant
