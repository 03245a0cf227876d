#include "map/labelrecorder.h"

namespace korvant {

void LabelRecorder::beginLayer(LabelLayer layer, LabelClass cls) {
  layer_ = layer;
  class_ = cls;
  openGroup_ = -1;
}

void LabelRecorder::setLabelClass(LabelClass cls) {
  class_ = cls;
  openGroup_ = -1;
}

void LabelRecorder::beginLabelGroup() {
  openGroup_ = static_cast<int>(record_.groups.size());
  record_.groups.push_back({layer_, class_, -1, {}});
}

int LabelRecorder::add(const LabelBox& box) {
  auto& events = record_.events[static_cast<int>(layer_)];
  events.push_back(box);
  return static_cast<int>(events.size()) - 1;
}

void LabelRecorder::textOut(int x, int y, std::string_view text) {
  const TextMetrics m = measure_.textMetrics();
  const int width = text.empty() ? 0 : measure_.textWidth(text);
  const int event = add(LabelBox::text(x, y, align_, width, m.ascent, m.height, measure_.currentFont().escapement));
  if (openGroup_ < 0) {
    record_.groups.push_back({layer_, class_, -1, {event}});
    return;
  }
  record_.groups[openGroup_].texts.push_back(event);
}

void LabelRecorder::fillRect(const Rect& rect, Color) {
  record_.grounds.push_back(LabelBox::upright(rect.left, rect.top, rect.right, rect.bottom));
}

void LabelRecorder::drawSymbol(Symbol, int x, int y, int r, Color) {
  const int event = add(LabelBox::upright(x - r, y - r, x + r + 1, y + r + 1));
  // A fix's symbol and its label go together; the marks along a track or a
  // procedure stay, and every label there stands alone.
  const bool point = class_ == LabelClass::Airport || class_ == LabelClass::Navaid || class_ == LabelClass::Waypoint;
  openGroup_ = point ? static_cast<int>(record_.groups.size()) : -1;
  record_.groups.push_back({layer_, class_, event, {}, !point});
}

}  // namespace korvant
