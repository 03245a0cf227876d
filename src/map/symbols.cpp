#include "map/symbols.h"

#include <initializer_list>
#include <utility>

namespace korvant {

namespace {

void polyline(MapCanvas& canvas, Color color, std::initializer_list<std::pair<int, int>> points) {
  canvas.selectPen(color, 1, PenStyle::Solid);
  bool first = true;
  for (const auto& [x, y] : points) {
    if (first)
      canvas.moveTo(x, y);
    else
      canvas.lineTo(x, y);
    first = false;
  }
}

// A full circle as two half arcs.
void circle(MapCanvas& canvas, int x, int y, int r) {
  canvas.arc(x, y, r, x + r, y, x - r, y);
  canvas.arc(x, y, r, x - r, y, x + r, y);
}

}  // namespace

void drawTriangle(MapCanvas& canvas, int x, int y, int r, Color color) {
  polyline(canvas, color, {{x, y - r}, {x - r, y + r}, {x + r, y + r}, {x, y - r}});
}

void drawSquare(MapCanvas& canvas, int x, int y, int r, Color color) {
  polyline(canvas, color, {{x - r, y - r}, {x - r, y + r}, {x + r, y + r}, {x + r, y - r}, {x - r, y - r}});
}

void drawHexagon(MapCanvas& canvas, int x, int y, int r, Color color) {
  const int h = r / 2;
  polyline(canvas, color,
           {{x + r, y}, {x + h, y - r}, {x - h, y - r}, {x - r, y}, {x - h, y + r}, {x + h, y + r}, {x + r, y}});
}

void drawCross(MapCanvas& canvas, int x, int y, int r, Color color) {
  polyline(canvas, color, {{x - r, y - r}, {x + r, y + r}});
  canvas.moveTo(x - r, y + r);
  canvas.lineTo(x + r, y - r);
}

void drawDoubleCircle(MapCanvas& canvas, int x, int y, int r, Color color) {
  canvas.selectPen(color, 1, PenStyle::Solid);
  circle(canvas, x, y, r);
  circle(canvas, x, y, r / 2);
}

}  // namespace korvant
