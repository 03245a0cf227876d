#pragma once
// The map's layers in paint order, one row each: its name, stage, when it is
// drawn, its painter, the switches that turn it (with their menu items and
// property-sheet boxes), how its labels are planned, and the step that
// takes what its painter reads. The paint, the keys of the window's kept
// images, the menus, the property sheet and korvant-plot's --layer all read
// this table: a new layer is one row and one painter file.
#include <span>
#include <string_view>

#include "base/layercontrols.h"
#include "map/canvas.h"
#include "map/labelplan.h"
#include "map/layerinput.h"
#include "map/paintcontext.h"

namespace korvant {

// The paint's fixed layer order in stages, so that a window can keep what
// lies under and over the map tools' lines from paint to paint. The stages
// painted in order on one surface are the whole paint. Below and Above are
// kept by the window; Overlay and Moving never are: the tools' lines are
// drawn between the kept images, and what moves (the aircraft, its trail)
// over them, the window repainting only the box it moved in.
enum class PaintStage {
  Below,    // the white ground, terrain, grid, ticks, labels, boundaries, tracks and route sets
  Overlay,  // the map tools' lines
  Above,    // the title block, variation, own fixes and every layer after them
  Moving,   // the aircraft and its trail
};

// Kept from paint to paint by the window.
constexpr bool keptStage(PaintStage stage) { return stage == PaintStage::Below || stage == PaintStage::Above; }

// What decides whether a layer is drawn, besides the paint itself.
struct LayerConditions {
  bool declutter = false;          // labels are planned: the title block comes last
  bool procedureMapEmpty = false;  // the procedure map is chosen with nothing loaded
};

struct PaintLayer {
  std::string_view name;
  PaintStage stage;
  bool (*shown)(const PaintContext&, const LayerConditions&);
  void (*draw)(PaintContext&);
  // The switches that turn the layer or change what it draws; a switch
  // with command 0 gets one from its name.
  std::span<const SwitchEntry> switches = {};
  // Decluttered, a labelled layer's texts go through the label plan.
  bool labelled = false;
  LabelClass labelClass = LabelClass::Always;
  // Runs on the window's thread before every paint and returns what the
  // painter reads (PaintContext::in), as one immutable value; null when it
  // reads nothing beyond the view, the switches, the fonts and the ranges.
  // A kept stage is painted again when a value of its layers differs.
  LayerInputs (*take)(const PaintInput&) = nullptr;
};

std::span<const PaintLayer> standardPaintLayers();

}  // namespace korvant
