#include "map/symbols.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace korvant {

namespace {

void polyline(MapCanvas& canvas, Color color, std::initializer_list<std::pair<int, int>> points) {
  canvas.selectPen(color, symbolLineWidth(canvas), PenStyle::Solid);
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

int symbolLineWidth(const MapCanvas& canvas) { return std::max(1, canvas.logicalPixelsPerInchY() / 96); }

void drawSymbolOutline(MapCanvas& canvas, Symbol symbol, int x, int y, int r, Color color) {
  switch (symbol) {
    case Symbol::Triangle: polyline(canvas, color, {{x, y - r}, {x - r, y + r}, {x + r, y + r}, {x, y - r}}); return;
    case Symbol::Square:
      polyline(canvas, color, {{x - r, y - r}, {x - r, y + r}, {x + r, y + r}, {x + r, y - r}, {x - r, y - r}});
      return;
    case Symbol::Hexagon: {
      const int h = r / 2;
      polyline(canvas, color,
               {{x + r, y}, {x + h, y - r}, {x - h, y - r}, {x - r, y}, {x - h, y + r}, {x + h, y + r}, {x + r, y}});
      return;
    }
    case Symbol::Cross:
      polyline(canvas, color, {{x - r, y - r}, {x + r, y + r}});
      canvas.moveTo(x - r, y + r);
      canvas.lineTo(x + r, y - r);
      return;
    case Symbol::DoubleCircle:
      canvas.selectPen(color, symbolLineWidth(canvas), PenStyle::Solid);
      circle(canvas, x, y, r);
      circle(canvas, x, y, r / 2);
      return;
  }
}

void MapCanvas::fillPolygon(std::span<const Point> points, Color color) {
  if (points.empty()) return;
  selectPen(color, 1, PenStyle::Solid);
  moveTo(points.back().x, points.back().y);
  for (const Point& p : points) lineTo(p.x, p.y);
}

void MapCanvas::drawSymbol(Symbol symbol, int x, int y, int r, Color color) {
  drawSymbolOutline(*this, symbol, x, y, r, color);
}

void drawTriangle(MapCanvas& canvas, int x, int y, int r, Color color) {
  canvas.drawSymbol(Symbol::Triangle, x, y, r, color);
}
void drawSquare(MapCanvas& canvas, int x, int y, int r, Color color) {
  canvas.drawSymbol(Symbol::Square, x, y, r, color);
}
void drawHexagon(MapCanvas& canvas, int x, int y, int r, Color color) {
  canvas.drawSymbol(Symbol::Hexagon, x, y, r, color);
}
void drawCross(MapCanvas& canvas, int x, int y, int r, Color color) {
  canvas.drawSymbol(Symbol::Cross, x, y, r, color);
}
void drawDoubleCircle(MapCanvas& canvas, int x, int y, int r, Color color) {
  canvas.drawSymbol(Symbol::DoubleCircle, x, y, r, color);
}

}  // namespace korvant
