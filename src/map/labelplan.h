#pragma once
// Which recorded texts and symbols are drawn, and where: the title block,
// legend and the user's own drawing always; the symbols that always stay (a
// route's points, the marks along tracks and procedures) before any label,
// so that none lies under them; then, class by class, every label whose box
// (and its symbol's) overlaps nothing placed before it, a fix's label moved
// to the left, above or below its symbol when that fits. A symbol whose
// label was left out stays only where it overlaps nothing.
#include <vector>

#include "map/canvas.h"
#include "map/labelplacer.h"

namespace korvant {

// The layers that write labels, each with the class its labels have unless
// it says otherwise.

struct LabelGroup {
  int layer;  // the row of the paint's layer table that drew it
  LabelClass cls;
  int symbol = -1;         // the event index of its symbol, or none
  std::vector<int> texts;  // the event indices of its texts
  // A mark along a track or a procedure: it always stays, and gives way to
  // the labels of its own class, which are written across it.
  bool mark = false;
};

// What the layers drew, in order: each layer's texts and symbols as one
// numbered stream of events with their boxes, the groups they form, and the
// grounds filled.
struct LabelRecord {
  std::vector<std::vector<LabelBox>> events;  // by layer
  std::vector<LabelGroup> groups;             // in the order they began
  std::vector<LabelBox> grounds;
};

struct LabelDecision {
  bool keep = true;
  int dx = 0, dy = 0;  // where a kept text moves
  // A line from its symbol to the moved text, drawn with the text.
  bool leader = false;
  int fromX = 0, fromY = 0, toX = 0, toY = 0;
};

struct LabelPlan {
  std::vector<std::vector<LabelDecision>> layers;
  int textsKept = 0, textsDropped = 0, textsMoved = 0, symbolsDropped = 0, leaders = 0;

  // One layer's decisions by event index; empty for a layer never recorded.
  const std::vector<LabelDecision>& of(int layer) const {
    static const std::vector<LabelDecision> none;
    return layer >= 0 && static_cast<std::size_t>(layer) < layers.size() ? layers[layer] : none;
  }
};

LabelPlan planLabels(const LabelRecord& record, int width, int height);

}  // namespace korvant
