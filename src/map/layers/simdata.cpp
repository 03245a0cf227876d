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

// The files' records as decoded on the window's thread: a file changed on
// disk is decoded again there, into another set.
struct SimDataInputs {
  std::shared_ptr<const std::vector<SimPoint>> waypoints;
  std::array<std::shared_ptr<const std::vector<SimPoint>>, SIM_DRAW_REGIONS.size()> stations, airports;
  bool operator==(const SimDataInputs&) const = default;
};

// An airport's runways as found, told apart by the files' sizes and times.
struct RunwaysInputs {
  std::optional<SimAirport> found;
  std::string airport, signature;
  bool operator==(const RunwaysInputs& o) const { return airport == o.airport && signature == o.signature; }
};

}  // namespace

LayerInputs takeSimData(const PaintInput& input) {
  const LayerSwitches& sw = input.switches;
  const SimFiles& files = *input.sim;
  SimDataInputs in;
  if (sw.ps1Wpt) in.waypoints = files.waypoints();
  for (std::size_t r = 0; r < SIM_DRAW_REGIONS.size(); ++r) {
    if (sw.ps1Sta) in.stations[r] = files.stations(SIM_DRAW_REGIONS[r]);
    if (sw.ps1Apt) in.airports[r] = files.airports(SIM_DRAW_REGIONS[r]);
  }
  return layerInputs(std::move(in));
}

LayerInputs takeRunways(const PaintInput& input) {
  if (input.runwaysAirport.empty()) return nullptr;
  return layerInputs(
      RunwaysInputs{input.sim->seekSimAirport(input.runwaysAirport), input.runwaysAirport, input.sim->signature()});
}

void drawRunways(PaintContext& paint) {
  if (const auto& found = paint.in<RunwaysInputs>().found) drawSimRunways(paint, *found);
}

void drawSimData(PaintContext& paint) {
  const LayerSwitches& sw = paint.switches();
  if (!sw.ps1Wpt && !sw.ps1Sta && !sw.ps1Apt) return;
  const SimDataInputs& in = paint.in<SimDataInputs>();
  MapCanvas& canvas = paint.canvas;
  canvas.selectFont(paint.fonts.small);
  canvas.setTextAlign({HAlign::Left, VAlign::Top});
  canvas.setBackgroundTransparent(true);
  if (sw.ps1Wpt) {
    canvas.setLabelClass(LabelClass::Waypoint);
    if (const auto& waypoints = in.waypoints) {
      canvas.setTextColor(paint.pick(colors::blue, colors::black));
      drawIdents(paint, *waypoints);
    }
  }
  if (sw.ps1Sta) {
    canvas.setLabelClass(LabelClass::Navaid);
    canvas.setTextColor(paint.pick(colors::red, colors::black));
    for (const auto& stations : in.stations)
      if (stations) drawIdents(paint, *stations);
  }
  if (sw.ps1Apt) {
    canvas.setLabelClass(LabelClass::Airport);
    canvas.setTextColor(paint.pick(kBrown, colors::black));
    for (const auto& airports : in.airports)
      if (airports) drawIdents(paint, *airports);
  }
}

void drawSimRunways(PaintContext& paint, const SimAirport& found) {
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
  draw(found.airport);
  for (const SimAirportRecord& r : found.runways) draw(r);
}

}  // namespace korvant
