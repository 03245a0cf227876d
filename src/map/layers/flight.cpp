// What moves: the aircraft in the simulator and the trail it left, drawn
// over the map at every frame and never kept with it.
#include "map/aircraftdrawing.h"
#include "map/layers/layers.h"
#include "map/surfacecap.h"

namespace korvant {

namespace {

struct TrailInputs {
  std::shared_ptr<const FlightTrail> trail;
  std::optional<AircraftState> aircraft;  // the trail's last line runs to it
  bool operator==(const TrailInputs&) const = default;
};

struct AircraftInputs {
  AircraftState aircraft;
  bool operator==(const AircraftInputs&) const = default;
};

}  // namespace

LayerInputs takeTrail(const PaintInput& input) {
  if (!input.trail || input.trail->empty()) return nullptr;
  return layerInputs(TrailInputs{input.trail, input.aircraft});
}

LayerInputs takeAircraft(const PaintInput& input) {
  return input.aircraft ? layerInputs(AircraftInputs{*input.aircraft}) : nullptr;
}

void drawFlightTrail(PaintContext& paint) {
  const TrailInputs& in = paint.in<TrailInputs>();
  const Projection& proj = paint.projection;
  const std::vector<TrailPoint>& trail = in.trail->points();
  // The window repaints the aircraft's box many times a second over a day's
  // trail: only the runs that may reach the area are projected.
  const SphereCap area = areaCap(proj, paint.area);
  std::vector<DevicePoint> points;
  for (const FlightTrail::Run& run : in.trail->runs()) {
    if (!run.cap.meets(area)) continue;
    points.clear();
    for (std::size_t i = run.first; i < run.end; ++i) points.push_back(proj.toDevice(trail[i].position));
    drawTrail(paint.canvas, points, nullptr, paint.area, paint.currentColor);
  }
  if (!in.aircraft) return;
  const DevicePoint last = proj.toDevice(trail.back().position), at = proj.toDevice(in.aircraft->position);
  drawTrail(paint.canvas, {&last, 1}, &at, paint.area, paint.currentColor);
}

void drawOwnAircraft(PaintContext& paint) {
  drawAircraft(paint.canvas, paint.projection, paint.in<AircraftInputs>().aircraft, paint.currentColor,
               paint.fonts.small);
}

}  // namespace korvant
