#pragma once
// The five outline symbols that mark fixes, each round (x, y) with half-size
// r, all in device units.
#include "map/canvas.h"

namespace korvant {

// The symbol's lines and arcs, whatever the surface.
void drawSymbolOutline(MapCanvas& canvas, Symbol symbol, int x, int y, int r, Color color);

void drawTriangle(MapCanvas& canvas, int x, int y, int r, Color color);
void drawSquare(MapCanvas& canvas, int x, int y, int r, Color color);
void drawHexagon(MapCanvas& canvas, int x, int y, int r, Color color);
void drawCross(MapCanvas& canvas, int x, int y, int r, Color color);
void drawDoubleCircle(MapCanvas& canvas, int x, int y, int r, Color color);

}  // namespace korvant
