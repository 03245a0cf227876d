#include "map/mapframe.h"

#include "map/paintlayers.h"

namespace korvant {

MapFrame takeFrame(const PaintInput& input) {
  MapFrame frame;
  frame.view = input.view;
  frame.switches = input.switches;
  frame.fontSettings = input.fontSettings;
  frame.detail = input.detail;
  frame.procedureMap = input.procedureMap;
  frame.procedureMapEmpty = input.procedureMap && !(input.procedure && input.procedure->shown());
  frame.layers = input.layers.empty() ? standardPaintLayers() : input.layers;
  frame.inputs.reserve(frame.layers.size());
  for (const PaintLayer& layer : frame.layers) frame.inputs.push_back(layer.take ? layer.take(input) : nullptr);
  return frame;
}

}  // namespace korvant
