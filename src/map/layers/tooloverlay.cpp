// The map tools' lines: from the centre to the Info fix, between the Distance
// fixes, along both lines of the Intersection.
#include "map/layers/layers.h"
#include "map/linedrawing.h"

namespace korvant {

namespace {

struct ToolInputs {
  ToolState tools;
  bool operator==(const ToolInputs&) const = default;
};

}  // namespace

LayerInputs takeTools(const PaintInput& input) { return layerInputs(ToolInputs{input.tools}); }

void drawToolOverlay(PaintContext& paint) {
  const ToolState& tools = paint.in<ToolInputs>().tools;
  if (tools.mode == ToolMode::None) return;
  paint.canvas.selectPen(paint.pick(colors::magenta, colors::black), 1,
                         paint.currentColor ? PenStyle::Solid : PenStyle::Dash);
  paint.canvas.selectFont(paint.fonts.small);
  paint.canvas.setTextAlign({HAlign::Left, VAlign::Top});
  paint.canvas.setBackgroundTransparent(true);
  LineDrawer lines(paint);
  const auto& p = tools.points;
  switch (tools.mode) {
    case ToolMode::Info: lines.drawLine(LineType::GreatCircle, paint.view().centre, p[0], 5, 0); break;
    case ToolMode::Distance: lines.drawLine(LineType::GreatCircle, p[0], p[1], 5, 0); break;
    case ToolMode::Intersection:
      lines.drawLine(LineType::GreatCircle, p[0], p[1], 5, 0);
      lines.drawLine(LineType::GreatCircle, p[2], p[3], 5, 0);
      break;
    case ToolMode::None: break;
  }
}

}  // namespace korvant
