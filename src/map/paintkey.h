#pragma once
// Everything a stage of the paint depends on: a kept image of a stage is
// still right while its key compares equal.
#include <vector>

#include "map/mapframe.h"
#include "map/paintlayers.h"

namespace korvant {

struct PaintKey {
  MapView view;
  LayerSwitches switches;
  MapFontSettings fontSettings;
  DetailRanges detail;
  bool procedureMap = false, procedureMapEmpty = false;
  // The surface: device-independent size, pixel ratio, logical resolution.
  int width = 0, height = 0;
  double devicePixelRatio = 1;
  int dpi = 96;
  // The inputs of the stage's layers, row by row; null for the others.
  std::vector<LayerInputs> inputs;

  bool operator==(const PaintKey& other) const {
    if (!(view == other.view && switches == other.switches && fontSettings == other.fontSettings &&
          detail == other.detail && procedureMap == other.procedureMap &&
          procedureMapEmpty == other.procedureMapEmpty && width == other.width && height == other.height &&
          devicePixelRatio == other.devicePixelRatio && dpi == other.dpi && inputs.size() == other.inputs.size()))
      return false;
    for (std::size_t i = 0; i < inputs.size(); ++i)
      if (!sameInputs(inputs[i], other.inputs[i])) return false;
    return true;
  }
};

// The key of a kept stage.
inline PaintKey paintKey(const MapFrame& frame, PaintStage stage, int width, int height, double devicePixelRatio,
                         int dpi) {
  PaintKey key{frame.view,
               frame.switches,
               frame.fontSettings,
               frame.detail,
               frame.procedureMap,
               frame.procedureMapEmpty,
               width,
               height,
               devicePixelRatio,
               dpi,
               {}};
  // Decluttered, a label below gives way to one above and the other way
  // round: each stage depends on every layer.
  key.inputs.resize(frame.layers.size());
  for (std::size_t row = 0; row < frame.layers.size(); ++row)
    if (frame.layers[row].stage == stage || (frame.switches.declutter && keptStage(frame.layers[row].stage)))
      key.inputs[row] = frame.inputs[row];
  return key;
}

}  // namespace korvant
