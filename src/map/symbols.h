#pragma once
// The five outline symbols that mark fixes, each round (x, y) with half-size
// r, all in device units.
#include "map/canvas.h"

namespace korvant {

// How wide a symbol's lines are on `canvas`: one unit on a screen, a
// screen pixel's width on paper, where one unit would be a hairline the
// tracks' lines hide.
int symbolLineWidth(const MapCanvas& canvas);

// The symbol's lines and arcs, whatever the surface.
void drawSymbolOutline(MapCanvas& canvas, Symbol symbol, int x, int y, int r, Color color);

void drawTriangle(MapCanvas& canvas, int x, int y, int r, Color color);
void drawSquare(MapCanvas& canvas, int x, int y, int r, Color color);
void drawHexagon(MapCanvas& canvas, int x, int y, int r, Color color);
void drawCross(MapCanvas& canvas, int x, int y, int r, Color color);
void drawDoubleCircle(MapCanvas& canvas, int x, int y, int r, Color color);

}  // namespace korvant
