// A route over the day's tracks, drawn as a flight plan is drawn: its legs
// as great circles, a labelled triangle at each marked point, and a thin
// direct line when the route asks for one.
#include <cmath>

#include "map/layers/layers.h"
#include "map/linedrawing.h"
#include "procedures/plantrackmatch.h"

namespace korvant {

namespace {

constexpr double WIDENED = 100;  // surfaces of room on every side

struct PlottedRouteInputs {
  std::shared_ptr<const PlottedRoute> route;
  std::shared_ptr<const PlannedTrackRuns> trackRuns;
  bool operator==(const PlottedRouteInputs&) const = default;
};

bool drawable(const LatLng& p) { return std::isfinite(p.lat) && std::isfinite(p.lng) && !p.isUnset(); }

}  // namespace

LayerInputs takePlottedRoute(const PaintInput& input) {
  return layerInputs(PlottedRouteInputs{input.plottedRoute, input.trackRuns});
}

void drawPlottedRoute(PaintContext& paint) {
  const PlottedRouteInputs& in = paint.in<PlottedRouteInputs>();
  const PlottedRoute* route = in.route.get();
  if (!route || route->empty()) return;
  MapCanvas& canvas = paint.canvas;
  canvas.setBackgroundTransparent(true);
  const Color color = paint.pick(route->routeString ? colors::routeString : colors::bestTrack, colors::black);
  LineDrawer lines(paint);
  const std::vector<PlottedPoint>& points = route->points;
  bool labelled = route->label.empty();
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const LegStyle style = route->leg(i);
    if (style == LegStyle::Hidden || !drawable(points[i].position) || !drawable(points[i + 1].position)) continue;
    canvas.selectPen(color, paint.penWidth(style == LegStyle::Dashed ? 1 : 2),
                     style == LegStyle::Dashed ? PenStyle::Dash : PenStyle::Solid);
    lines.drawLine(LineType::GreatCircle, points[i].position, points[i + 1].position, WIDENED, 0);
    // The label above the middle of the first leg on the map: which track the
    // dashed connections join.
    const DevicePoint a = paint.projection.toDevice(points[i].position);
    const DevicePoint b = paint.projection.toDevice(points[i + 1].position);
    if (labelled || !a.visible || !b.visible || !paint.projection.nearSurface(a.x, a.y, 0) ||
        !paint.projection.nearSurface(b.x, b.y, 0))
      continue;
    labelled = true;
    canvas.selectFont(paint.fonts.small);
    canvas.setTextColor(color);
    canvas.setTextAlign({HAlign::Center, VAlign::Bottom});
    canvas.setLabelClass(LabelClass::Kept);
    canvas.textOut((a.x + b.x) / 2, (a.y + b.y) / 2 - 2, route->label);
    canvas.setLabelClass(LabelClass::Always);
    canvas.setTextAlign({HAlign::Left, VAlign::Bottom});
  }
  if (route->directLine && points.size() > 1 && drawable(points.front().position) && drawable(points.back().position)) {
    canvas.selectPen(color, paint.penWidth(1), PenStyle::Solid);
    lines.drawLine(LineType::GreatCircle, points.front().position, points.back().position, WIDENED, 0);
  }
  // A route string names the tracks it flies as a plan does.
  if (route->routeString && in.trackRuns) drawTrackRunNames(paint, in.trackRuns->routePlan, in.trackRuns->route, color);
  for (const PlottedPoint& p : points)
    if (p.marked && drawable(p.position)) drawRouteMark(paint, p.position, p.name);
}

}  // namespace korvant
