// What moves: the aircraft in the simulator and the trail it left, drawn
// over the map at every frame and never kept with it.
#include "map/aircraftdrawing.h"
#include "map/layers/layers.h"

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
  const std::vector<DevicePoint> points = trailOnSurface(paint.projection, *in.trail);
  DevicePoint at;
  if (in.aircraft) at = paint.projection.toDevice(in.aircraft->position);
  drawTrail(paint.canvas, points, in.aircraft ? &at : nullptr, paint.area, paint.currentColor);
}

void drawOwnAircraft(PaintContext& paint) {
  drawAircraft(paint.canvas, paint.projection, paint.in<AircraftInputs>().aircraft, paint.currentColor,
               paint.fonts.small);
}

}  // namespace korvant
