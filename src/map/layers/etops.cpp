// A twin's diversion picture over the route, the route itself set off by a
// band under the tracks: each adequate airport's circle
// at the approved time (dashed) and at the threshold (dotted, fainter), the
// stretches beyond the approved time in red, and marks where the route
// enters and leaves ETOPS (EEP, EXP) and at each equal-time point (ETP with
// its two airports). Every label is one the pilot asked for: kept.
#include <algorithm>
#include <cmath>

#include "map/layers/layers.h"
#include "map/linedrawing.h"
#include "map/symbols.h"

namespace korvant {

namespace {

constexpr double WIDENED = 100;  // surfaces of room on every side
constexpr Color kEtops{0, 96, 160};
constexpr Color kThreshold{128, 176, 208};
constexpr Color kRouteBand{255, 232, 130};

void drawChain(LineDrawer& lines, const std::vector<LatLng>& points) {
  for (std::size_t i = 0; i + 1 < points.size(); ++i) lines.drawStraight(points[i], points[i + 1], WIDENED, 0, -1);
}

// Each kind of mark by a symbol of its own: an airport a square, where the
// flight enters and leaves ETOPS a triangle, an equal-time point a double
// circle, so that they are told apart before their names are read.
void drawMark(PaintContext& paint, const LatLng& position, const std::string& text, Color color, Symbol symbol) {
  const DevicePoint d = paint.projection.toDevice(position);
  if (!d.visible || !paint.projection.nearSurface(d.x, d.y, 0)) return;
  MapCanvas& canvas = paint.canvas;
  const int unit = std::max(1, paint.lineHeight);
  canvas.setLabelClass(LabelClass::Kept);
  drawSymbolOutline(canvas, symbol, d.x, d.y, unit / 2 + 1, color);
  canvas.setTextColor(color);
  canvas.setTextAlign({HAlign::Left, VAlign::Top});
  canvas.textOut(d.x + paint.charWidth / 2 + unit / 2, d.y + unit / 2, text);
  canvas.setLabelClass(LabelClass::Always);
  canvas.setTextAlign({HAlign::Left, VAlign::Bottom});
}

struct EtopsInputs {
  std::shared_ptr<const EtopsPicture> picture;
  bool operator==(const EtopsInputs&) const = default;
};

}  // namespace

LayerInputs takeEtops(const PaintInput& input) { return input.etops ? layerInputs(EtopsInputs{input.etops}) : nullptr; }

void drawEtopsRoute(PaintContext& paint) {
  const EtopsPicture* picture = paint.in<EtopsInputs>().picture.get();
  if (!picture) return;
  // A highlighter's band under the tracks: the one the plan is for stands
  // out among its neighbours and keeps its own colour and labels on top.
  paint.canvas.selectPen(paint.pick(kRouteBand, colors::lightGrey), std::max(5, paint.lineHeight), PenStyle::Solid);
  LineDrawer lines(paint);
  for (std::size_t i = 0; i + 1 < picture->route.size(); ++i)
    lines.drawLine(LineType::GreatCircle, picture->route[i], picture->route[i + 1], WIDENED, 0);
}

void drawEtops(PaintContext& paint) {
  const EtopsPicture* picture = paint.in<EtopsInputs>().picture.get();
  if (!picture) return;
  MapCanvas& canvas = paint.canvas;
  canvas.setBackgroundTransparent(true);
  LineDrawer lines(paint);
  const Color ring = paint.pick(kEtops, colors::black), faint = paint.pick(kThreshold, colors::grey);
  canvas.selectPen(faint, 1, PenStyle::Dot);
  for (const std::vector<LatLng>& r : picture->thresholdRings) drawChain(lines, r);
  canvas.selectPen(ring, 1, PenStyle::Dash);
  for (const std::vector<LatLng>& r : picture->approvedRings) drawChain(lines, r);
  canvas.selectPen(paint.pick(colors::red, colors::black), 3, PenStyle::Solid);
  for (const std::vector<LatLng>& g : picture->gapLines) drawChain(lines, g);

  canvas.selectFont(paint.fonts.small);
  const EtopsPlan& plan = picture->plan;
  const auto ident = [&](std::size_t i) { return picture->airports[i].ident; };
  for (const std::size_t i : picture->circled)
    drawMark(paint, picture->airports[i].position, ident(i), ring, Symbol::Square);
  if (plan.entry) drawMark(paint, plan.entry->position, "EEP", ring, Symbol::Triangle);
  if (plan.exit) drawMark(paint, plan.exit->position, "EXP", ring, Symbol::Triangle);
  for (const EqualTimePoint& e : plan.etps)
    drawMark(paint, e.at.position, "ETP " + ident(e.before) + "/" + ident(e.after), ring, Symbol::DoubleCircle);
}

}  // namespace korvant
