#pragma once
// The texts a whole paint draws, each as the box it covers, and how many
// pairs of them overlap.
#include <vector>

#include "map/mappainter.h"
#include "map/maprecorder.h"

namespace korvant::test {

// `measure` gives the fonts: a recording canvas, or a Qt surface.
inline std::vector<LabelBox> textBoxesDrawn(const PaintInput& input, MapCanvas& measure, int width, int height) {
  MapRecorder drawn(measure);
  drawn.beginLayer(LabelLayer::TitleBlock, LabelClass::Always);  // every text drawn becomes a box
  MapPainter(input, drawn).paint({.width = width, .height = height, .printing = false});
  std::vector<LabelBox> texts;
  for (const LabelGroup& g : drawn.labels().groups)
    for (const int t : g.texts) texts.push_back(drawn.labels().events[static_cast<int>(g.layer)][t]);
  return texts;
}

inline int overlappingPairs(const std::vector<LabelBox>& boxes) {
  int pairs = 0;
  for (std::size_t i = 0; i < boxes.size(); ++i)
    for (std::size_t j = i + 1; j < boxes.size(); ++j) pairs += overlaps(boxes[i], boxes[j]);
  return pairs;
}

}  // namespace korvant::test
