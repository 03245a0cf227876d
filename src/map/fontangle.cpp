#include "map/fontangle.h"

namespace korvant {

namespace {
int normalizeAngle(int angle) {
  angle %= 3600;
  return angle < 0 ? angle + 3600 : angle;
}
}  // namespace

FontAngle::FontAngle(MapCanvas& canvas) : canvas_(canvas), model_(canvas.currentFont()) {}

int FontAngle::entryFor(int angle) { return normalizeAngle(angle) / 20; }

bool FontAngle::select(int angle) {
  const int a = normalizeAngle(angle);
  std::optional<FontSpec>& entry = entries_[a / 20];
  if (!entry) {
    FontSpec font = model_;
    font.escapement = a;
    entry = font;
  }
  return canvas_.selectFont(*entry);
}

}  // namespace korvant
