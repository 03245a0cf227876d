#pragma once
// The user overlay's commands carried out on the map: USER.TXT's lines, and a
// flight plan's own annotations.
#include "map/paintcontext.h"
#include "procedures/useroverlay.h"

namespace korvant {

struct OverlayState {
  bool drawing = true;
  Color color{255, 255, 255};
  FontSpec font;
  int lineHeight = 0, charWidth = 0;
  HAlign horizontal = HAlign::Left;
  VAlign vertical = VAlign::Bottom;
  bool stackActive = false;
  int stackX = 0, stackY = 0;
  int badLines = 0;  // reported so far in this reading
};

// A reading's start: drawing on, 8 points, white, the given alignment.
OverlayState startOverlay(PaintContext& paint, HAlign horizontal, VAlign vertical);
void runOverlayCommand(PaintContext& paint, OverlayState& state, const OverlayCommand& command);

}  // namespace korvant
