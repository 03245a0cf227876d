#pragma once
// One paint's whole input, immutable once taken: the view, the switches
// and the fonts, and each layer's own inputs as its row took them on the
// window's thread. A paint reads this and nothing else: not the window's
// state, not a clock; so a paint may run on another thread while the window
// changes anything, and a frame taken again over unchanged data compares
// equal, layer by layer. The files a layer draws (the simulator's, DAFIF's,
// USER.TXT) are decoded by its take step, on the window's thread, and the
// frame holds what was decoded. One exception remains: a fix file too large
// to be held in memory is read by the paint, section by section.
#include <atomic>
#include <span>
#include <vector>

#include "map/layerinput.h"
#include "map/paintinput.h"

namespace korvant {

struct MapFrame {
  MapView view;
  LayerSwitches switches;
  MapFontSettings fontSettings;
  DetailRanges detail;
  bool procedureMap = false;           // the procedure map is selected
  bool procedureMapEmpty = false;      // ... with nothing loaded on it
  std::span<const PaintLayer> layers;  // the table drawn, never empty
  std::vector<LayerInputs> inputs;     // row by row; null where a layer reads nothing of its own
  // Set by another thread when the paint is no longer wanted: the layers not
  // yet drawn are left out.
  const std::atomic<bool>* stop = nullptr;

  bool stopped() const { return stop && stop->load(std::memory_order_relaxed); }
};

// Every row's inputs taken from what the program holds now; on the window's
// thread, which alone changes what the shares point to.
MapFrame takeFrame(const PaintInput& input);

}  // namespace korvant
