#pragma once
// What every layer of one paint shares.
#include <algorithm>
#include <cstdlib>

#include "map/canvas.h"
#include "map/farside.h"
#include "map/mapfonts.h"
#include "map/mapframe.h"
#include "map/projection.h"

namespace korvant {

struct PaintContext {
  const MapFrame& frame;
  MapCanvas& canvas;
  const Projection& projection;
  FarSideRule farSide;
  MapFonts fonts;
  int lineHeight = 0;  // small font: character height + external leading
  int charWidth = 0;   // small font: average character width
  int width = 0;
  int height = 0;
  // The part of the surface painted: the whole of it unless the paint is
  // of a moving layer's box alone.
  Rect area{-(1 << 20), -(1 << 20), 1 << 20, 1 << 20};
  int pixelsPerInch = 96;
  bool currentColor = true;
  bool printing = false;
  bool procedureMap = false;
  // The inputs the current layer's row took, set before it is asked
  // whether it is shown.
  const LayerInput* inputs = nullptr;

  Color pick(Color inColor, Color otherwise) const { return currentColor ? inColor : otherwise; }
  // A pen of the screen's width as wide on paper: a hairline on a printer's
  // dots would vanish under the tracks drawn at the same scale.
  int penWidth(int screenWidth) const {
    return printing ? std::max(screenWidth, screenWidth * pixelsPerInch / 96) : screenWidth;
  }
  const LayerSwitches& switches() const { return frame.switches; }
  const MapView& view() const { return frame.view; }
  // The current layer's own inputs, of the type its row takes.
  template <typename T>
  const T& in() const {
    const auto* value = dynamic_cast<const LayerValue<T>*>(inputs);
    if (!value) std::abort();  // a row whose painter reads another layer's inputs
    return value->value;
  }
};

}  // namespace korvant
