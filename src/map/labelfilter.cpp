#include "map/labelfilter.h"

namespace korvant {

void LabelFilter::beginLayer(LabelLayer layer) {
  decisions_ = &plan_.of(layer);
  index_ = 0;
}

const LabelDecision* LabelFilter::next() {
  if (!decisions_) return nullptr;
  const std::size_t i = index_++;
  return i < decisions_->size() ? &(*decisions_)[i] : nullptr;
}

void LabelFilter::textOut(int x, int y, std::string_view text) {
  const LabelDecision* d = next();
  if (!d) {
    target_.textOut(x, y, text);
  } else if (d->keep) {
    target_.textOut(x + d->dx, y + d->dy, text);
  }
}

void LabelFilter::drawSymbol(Symbol symbol, int x, int y, int r, Color color) {
  const LabelDecision* d = next();
  if (!d || d->keep) {
    target_.drawSymbol(symbol, x, y, r, color);
  } else {
    // The symbol's pen stays selected, as after a drawn symbol.
    target_.selectPen(color, 1, PenStyle::Solid);
  }
}

}  // namespace korvant
