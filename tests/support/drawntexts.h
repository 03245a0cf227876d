#pragma once
// The texts and symbols a whole paint draws, each as the box it covers, and
// how many pairs of them overlap.
#include <vector>

#include "map/mappainter.h"
#include "map/maprecorder.h"

namespace korvant::test {

struct BoxesDrawn {
  std::vector<LabelBox> texts, symbols;
  std::vector<int> symbolOf;  // each text's own symbol (the one just before it), or -1
};

// `measure` gives the fonts: a recording canvas, or a Qt surface.
inline BoxesDrawn boxesDrawn(const PaintInput& input, MapCanvas& measure, int width, int height) {
  MapRecorder drawn(measure);
  // Every text and symbol drawn becomes a box; a symbol and the texts after it one group.
  drawn.beginLayer(0, LabelClass::Waypoint);
  MapPainter(input, drawn).paint({.width = width, .height = height, .printing = false});
  BoxesDrawn boxes;
  for (const LabelGroup& g : drawn.labels().groups) {
    const auto& events = drawn.labels().events[static_cast<int>(g.layer)];
    if (g.symbol >= 0) boxes.symbols.push_back(events[g.symbol]);
    for (const int t : g.texts) {
      boxes.texts.push_back(events[t]);
      boxes.symbolOf.push_back(g.symbol >= 0 ? static_cast<int>(boxes.symbols.size()) - 1 : -1);
    }
  }
  return boxes;
}

// How many texts lie on a symbol other than their own.
inline int textsOnOtherSymbols(const BoxesDrawn& boxes) {
  int covered = 0;
  for (std::size_t t = 0; t < boxes.texts.size(); ++t)
    for (std::size_t s = 0; s < boxes.symbols.size(); ++s)
      covered += static_cast<int>(s) != boxes.symbolOf[t] && overlaps(boxes.texts[t], boxes.symbols[s]);
  return covered;
}

inline std::vector<LabelBox> textBoxesDrawn(const PaintInput& input, MapCanvas& measure, int width, int height) {
  return boxesDrawn(input, measure, width, height).texts;
}

inline int overlappingPairs(const std::vector<LabelBox>& boxes) {
  int pairs = 0;
  for (std::size_t i = 0; i < boxes.size(); ++i)
    for (std::size_t j = i + 1; j < boxes.size(); ++j) pairs += overlaps(boxes[i], boxes[j]);
  return pairs;
}

}  // namespace korvant::test
