// The loaded procedure or route as flown: the airports' runways, its turns
// and legs, the courses it intercepts, a triangle at each leg's end, and its
// title block. Everything was worked out when the file was read; this only
// projects it, and leaves out whatever is not a finite position.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geo/greatcircle.h"
#include "geo/positiontext.h"
#include "map/layers/layers.h"
#include "map/layers/overlaycommands.h"
#include "map/linedrawing.h"
#include "map/symbols.h"
#include "procedures/plantrackmatch.h"

namespace korvant {

namespace {

constexpr double WIDENED = 100;  // surfaces of room on every side
constexpr int MAX_ARC_RADIUS = 1 << 20;

// The procedure or plan read, the tracks the plan flies, and the
// simulator's files its runways come from.
struct ProcedureInputs {
  std::shared_ptr<const LoadedProcedure> procedure;
  std::shared_ptr<const PlannedTrackRuns> trackRuns;
  std::vector<SimAirport> runways;  // of its airports, as found when it is shown
  std::string simSignature;         // their files' sizes and times
  bool operator==(const ProcedureInputs& o) const {
    return procedure == o.procedure && trackRuns == o.trackRuns && simSignature == o.simSignature;
  }
};

bool finite(const LatLng& p) { return std::isfinite(p.lat) && std::isfinite(p.lng) && !p.isUnset(); }

// The device point when it lies within the widened surface.
bool place(const PaintContext& paint, const LatLng& p, DevicePoint& d) {
  if (!finite(p)) return false;
  d = paint.projection.toDevice(p);
  return d.visible && paint.projection.nearSurface(d.x, d.y, WIDENED);
}

void drawShape(PaintContext& paint, LineDrawer& lines, const ProcedureShape& s, Color legColor) {
  MapCanvas& canvas = paint.canvas;
  DevicePoint a, b, c;
  switch (s.kind) {
    case ProcedureShape::Kind::GreatCircle:
      if (!finite(s.a) || !finite(s.b)) return;
      canvas.selectPen(legColor, paint.penWidth(s.width), PenStyle::Solid);
      lines.drawLine(LineType::GreatCircle, s.a, s.b, WIDENED, 0);
      return;
    case ProcedureShape::Kind::Line:
    case ProcedureShape::Kind::CourseLine:
      if (!place(paint, s.a, a) || !place(paint, s.b, b)) return;
      if (s.kind == ProcedureShape::Kind::CourseLine)
        canvas.selectPen(colors::lightGrey, 1, PenStyle::Dot);
      else
        canvas.selectPen(legColor, paint.penWidth(s.width), PenStyle::Solid);
      canvas.moveTo(a.x, a.y);
      canvas.lineTo(b.x, b.y);
      return;
    case ProcedureShape::Kind::Arc: {
      if (!place(paint, s.a, a) || !place(paint, s.b, b) || !place(paint, s.centre, c)) return;
      if (a.x == b.x && a.y == b.y) return;
      const double r = std::hypot(double(b.x - c.x), double(b.y - c.y));
      const int radius = static_cast<int>(std::clamp(r, 1.0, double(MAX_ARC_RADIUS)));
      canvas.selectPen(legColor, 1, PenStyle::Solid);
      // Counter-clockwise from the first point: a right turn runs end to start.
      if (s.right)
        canvas.arc(c.x, c.y, radius, b.x, b.y, a.x, a.y);
      else
        canvas.arc(c.x, c.y, radius, a.x, a.y, b.x, b.y);
      return;
    }
  }
}

void drawMarkers(PaintContext& paint, const ProcedureGeometry& geometry) {
  MapCanvas& canvas = paint.canvas;
  const int r = std::max(2, paint.charWidth);
  canvas.setTextColor(colors::black);
  canvas.setTextAlign({HAlign::Center, VAlign::Top});
  canvas.setLabelClass(LabelClass::Kept);  // each triangle with its label and data lines, moved as one
  for (const FixMarker& m : geometry.markers) {
    DevicePoint d;
    if (!place(paint, m.position, d)) continue;
    drawTriangle(canvas, d.x, d.y, r, colors::black);
    int y = d.y + r + 1;
    canvas.textOut(d.x, y, m.label);
    if (!paint.switches().waypointData) continue;
    for (const std::string& line : m.waypointLines) canvas.textOut(d.x, y += paint.lineHeight, line);
  }
  canvas.setLabelClass(LabelClass::Always);
}

void drawProcedureTitle(PaintContext& paint, const LoadedProcedure& loaded) {
  MapCanvas& canvas = paint.canvas;
  const int line = paint.lineHeight;
  const int right = paint.width - 2 * paint.charWidth;
  canvas.setTextColor(colors::black);
  canvas.setTextAlign({HAlign::Left, VAlign::Top});
  // The legs' lines down the left edge, as many as the surface holds.
  int i = 2;
  for (const DepArr& leg : loaded.legs) {
    if (2 * i * line >= paint.height) break;
    canvas.textOut(2 * paint.charWidth, 2 * i++ * line, legText(leg));
  }
  canvas.setTextAlign({HAlign::Right, VAlign::Top});
  const ProcedureGeometry& g = loaded.geometry;
  if (!loaded.source.route) {
    if (g.runwayFound) {
      canvas.textOut(right, 12 * line, formatLat(g.runway.lat));
      canvas.textOut(right, 29 * line / 2, formatLng(g.runway.lng));
      canvas.textOut(right, 17 * line, "ELEV " + std::to_string(g.elevation));
    }
    char var[32];
    std::snprintf(var, sizeof var, "VAR %.1f%c", std::fabs(g.variation), g.variation >= 0 ? 'W' : 'E');
    canvas.textOut(right, 39 * line / 2, var);
  }
  canvas.textOut(right, paint.height - 8 * line, "FILE DATE:  " + loaded.fileDate);
  canvas.selectFont(paint.fonts.medium);
  canvas.textOut(right, 4 * line, loaded.title);
  canvas.textOut(right, 8 * line, loaded.source.fileName);
  canvas.selectFont(paint.fonts.small);
}

// A flight plan: its legs as great circles, a triangle and the identifier at
// each waypoint, its own annotations as overlay commands, and a thin direct
// line from the first waypoint to the last.
void drawFlightPlan(PaintContext& paint, const FlightPlan& plan) {
  if (plan.waypoints.empty()) return;
  MapCanvas& canvas = paint.canvas;
  OverlayState overlay = startOverlay(paint, HAlign::Left, VAlign::Bottom);
  for (const char* line : {"DRAW", "COLOR 0 0 0", "FONTSIZE 7"})
    runOverlayCommand(paint, overlay, parseOverlayLine(line, 0));
  const Color color = paint.pick(colors::flightPlan, colors::black);
  LineDrawer lines(paint);
  const UW_Wpt* previous = nullptr;
  const UW_Wpt* first = nullptr;
  for (const UW_Wpt& w : plan.waypoints) {
    if (w.isUserItem()) {
      runOverlayCommand(paint, overlay, parseOverlayLine(w.text, 0));
      continue;
    }
    if (!finite(w.position)) continue;
    if (previous) {
      canvas.selectPen(color, paint.penWidth(2), PenStyle::Solid);
      lines.drawLine(LineType::GreatCircle, previous->position, w.position, WIDENED, 0);
    }
    if (!first) first = &w;
    previous = &w;
    drawRouteMark(paint, w.position, w.identifier);
    canvas.selectFont(overlay.font);
    canvas.setTextColor(overlay.color);
  }
  if (first && previous) {
    canvas.selectPen(color, paint.penWidth(1), PenStyle::Solid);
    lines.drawLine(LineType::GreatCircle, first->position, previous->position, WIDENED, 0);
  }
  if (const auto& runs = paint.in<ProcedureInputs>().trackRuns) drawTrackRunNames(paint, plan, runs->plan, color);
  canvas.setBackgroundTransparent(true);
}

}  // namespace

void drawTrackRunNames(PaintContext& paint, const FlightPlan& plan, const std::vector<PlanTrackRun>& runs,
                       Color color) {
  MapCanvas& canvas = paint.canvas;
  // The stretch that flies a stored track is named after it, at the middle
  // of its middle leg.
  std::vector<const UW_Wpt*> points;
  for (const UW_Wpt& w : plan.waypoints)
    if (!w.isUserItem()) points.push_back(&w);
  canvas.selectFont(paint.fonts.small);
  canvas.setTextColor(color);
  canvas.setTextAlign({HAlign::Center, VAlign::Bottom});
  for (const PlanTrackRun& run : runs) {
    const std::size_t leg = (run.first + run.last) / 2;
    const LatLng& a = points[leg]->position;
    const LatLng& b = points[leg + 1]->position;
    const CourseDistance cd = courseAndDistance(a, b);
    DevicePoint d;
    canvas.setLabelClass(LabelClass::Kept);
    if (place(paint, destination(a, cd.course, cd.distance / 2).position, d)) canvas.textOut(d.x, d.y - 2, run.name);
    canvas.setLabelClass(LabelClass::Always);
  }
}

void drawRouteMark(PaintContext& paint, const LatLng& position, std::string_view name) {
  DevicePoint d;
  if (!place(paint, position, d)) return;
  MapCanvas& canvas = paint.canvas;
  const int unit = std::max(1, paint.lineHeight);
  canvas.setLabelClass(LabelClass::Kept);
  drawTriangle(canvas, d.x, d.y, unit, colors::black);
  canvas.selectFont(paint.fonts.small);
  canvas.setTextColor(colors::black);
  canvas.setTextAlign({HAlign::Left, VAlign::Bottom});
  canvas.textOut(d.x + paint.charWidth / 2, d.y + 2 * unit, name);
  canvas.setLabelClass(LabelClass::Always);
}

LayerInputs takeProcedure(const PaintInput& input) {
  ProcedureInputs in{input.procedure, input.trackRuns, {}, ""};
  if (input.procedure && input.procedure->shown() && input.procedure->source.kind != RouteFileKind::FlightPlan) {
    for (const std::string& airport : input.procedure->geometry.runwayAirports)
      if (std::optional<SimAirport> found = input.sim->seekSimAirport(airport)) in.runways.push_back(std::move(*found));
    in.simSignature = input.sim->signature();
  }
  return layerInputs(std::move(in));
}

void drawProcedure(PaintContext& paint) {
  const ProcedureInputs& in = paint.in<ProcedureInputs>();
  const LoadedProcedure* loaded = in.procedure.get();
  if (!loaded || !loaded->shown()) return;
  if (loaded->source.kind == RouteFileKind::FlightPlan) {
    drawFlightPlan(paint, loaded->plan);
    return;
  }
  const ProcedureGeometry& geometry = loaded->geometry;
  for (const SimAirport& airport : in.runways) drawSimRunways(paint, airport);

  MapCanvas& canvas = paint.canvas;
  canvas.selectFont(paint.fonts.small);
  canvas.setBackgroundTransparent(true);
  const Color legColor = paint.pick(colors::procedure, colors::black);
  LineDrawer lines(paint);
  for (const ProcedureShape& shape : geometry.shapes) drawShape(paint, lines, shape, legColor);
  drawMarkers(paint, geometry);
  drawProcedureTitle(paint, *loaded);
}

}  // namespace korvant
