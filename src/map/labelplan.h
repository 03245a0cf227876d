#pragma once
// Which recorded texts and symbols are drawn, and where: the title block,
// legend and the user's own drawing always; then, class by class, every
// label whose box (and its symbol's) overlaps nothing placed before it, a
// fix's label moved to the left, above or below its symbol when that fits.
// A symbol whose label was left out stays only where it overlaps nothing.
#include <vector>

#include "map/labelrecorder.h"

namespace korvant {

struct LabelDecision {
  bool keep = true;
  int dx = 0, dy = 0;  // where a kept text moves
};

struct LabelPlan {
  std::vector<LabelDecision> layers[static_cast<int>(LabelLayer::Count)];
  int textsKept = 0, textsDropped = 0, textsMoved = 0, symbolsDropped = 0;

  // One layer's decisions by event index; empty for a layer never recorded.
  const std::vector<LabelDecision>& of(LabelLayer layer) const { return layers[static_cast<int>(layer)]; }
};

LabelPlan planLabels(const LabelRecord& record, int width, int height);

}  // namespace korvant
