// The PS1 simulator's waypoints, stations and airports: identifiers only,
// no symbol, each with its top-left corner at its position; and one
// airport's runways as lines through their midpoints.
#include "geo/greatcircle.h"
#include "map/layers/layers.h"
#include "navdata/simfiles.h"

namespace korvant {

namespace {

constexpr Color kBrown{165, 42, 42};

void drawIdents(PaintContext& paint, const std::vector<SimPoint>& points) {
  for (const SimPoint& p : points) {
    const DevicePoint d = paint.projection.toDevice(p.position);
    if (d.visible && paint.projection.nearSurface(d.x, d.y, 1)) paint.canvas.textOut(d.x, d.y, p.ident);
  }
}

// The files, with their sizes and times while they are drawn: a file
// changed on disk is drawn again.
struct SimInputs {
  std::shared_ptr<const SimFiles> files;
  std::string signature;
  std::string airport;  // whose runways are drawn
  bool operator==(const SimInputs&) const = default;
};

}  // namespace

LayerInputs takeSimData(const PaintInput& input) {
  const LayerSwitches& sw = input.switches;
  return layerInputs(SimInputs{input.sim, sw.ps1Wpt || sw.ps1Sta || sw.ps1Apt ? input.sim->signature() : "", ""});
}

LayerInputs takeRunways(const PaintInput& input) {
  if (input.runwaysAirport.empty()) return nullptr;
  return layerInputs(SimInputs{input.sim, input.sim->signature(), input.runwaysAirport});
}

void drawRunways(PaintContext& paint) {
  const SimInputs& in = paint.in<SimInputs>();
  drawSimRunways(paint, *in.files, in.airport);
}

void drawSimData(PaintContext& paint) {
  const LayerSwitches& sw = paint.switches();
  if (!sw.ps1Wpt && !sw.ps1Sta && !sw.ps1Apt) return;
  const SimFiles& files = *paint.in<SimInputs>().files;
  MapCanvas& canvas = paint.canvas;
  canvas.selectFont(paint.fonts.small);
  canvas.setTextAlign({HAlign::Left, VAlign::Top});
  canvas.setBackgroundTransparent(true);
  if (sw.ps1Wpt) {
    canvas.setLabelClass(LabelClass::Waypoint);
    if (const auto waypoints = files.waypoints()) {
      canvas.setTextColor(paint.pick(colors::blue, colors::black));
      drawIdents(paint, *waypoints);
    }
  }
  if (sw.ps1Sta) {
    canvas.setLabelClass(LabelClass::Navaid);
    canvas.setTextColor(paint.pick(colors::red, colors::black));
    for (const char* region : SIM_DRAW_REGIONS)
      if (const auto stations = files.stations(region)) drawIdents(paint, *stations);
  }
  if (sw.ps1Apt) {
    canvas.setLabelClass(LabelClass::Airport);
    canvas.setTextColor(paint.pick(kBrown, colors::black));
    for (const char* region : SIM_DRAW_REGIONS)
      if (const auto airports = files.airports(region)) drawIdents(paint, *airports);
  }
}

bool drawSimRunways(PaintContext& paint, const SimFiles& files, const std::string& airport) {
  const std::optional<SimAirport> found = files.seekSimAirport(airport);
  if (!found) return false;
  MapCanvas& canvas = paint.canvas;
  canvas.selectPen(paint.pick(colors::green, colors::black), 1, PenStyle::Solid);
  const auto draw = [&](const SimAirportRecord& r) {
    const double half = r.length * 0.5 / 6076;
    const LatLng a = destination(r.position, r.trueHeading, half).position;
    const LatLng b = destination(r.position, r.trueHeading + 180.0, half).position;
    const DevicePoint p = paint.projection.toDevice(a), q = paint.projection.toDevice(b);
    if (!p.visible || !q.visible) return;
    canvas.moveTo(p.x, p.y);
    canvas.lineTo(q.x, q.y);
  };
  draw(found->airport);
  for (const SimAirportRecord& r : found->runways) draw(r);
  return true;
}

}  // namespace korvant
