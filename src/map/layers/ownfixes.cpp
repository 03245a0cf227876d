// The program's own fixes with the symbol of their kind, and the aliases of
// the obsolete-waypoint layer.
#include "map/layers/layers.h"
#include "map/symbols.h"

namespace korvant {

namespace {

bool shown(const LayerSwitches& sw, int kind) {
  switch (kind) {
    case 0:
    case 4: return sw.ownWaypoints;
    case 1: return sw.ownAirports;
    case 2:
    case 3: return sw.ownStations;
    case 5: return sw.obsoleteWaypoints;
    default: return false;  // no switch shows the other kinds
  }
}

void drawSymbol(MapCanvas& canvas, int kind, int x, int y, int r, Color color) {
  switch (kind) {
    case 1: drawSquare(canvas, x, y, r, color); return;
    case 2: drawHexagon(canvas, x, y, r, color); return;
    case 3: drawDoubleCircle(canvas, x, y, r, color); return;
    case 0:
    case 4:
    case 5: drawTriangle(canvas, x, y, r, color); return;
    default: drawCross(canvas, x, y, r, color); return;
  }
}

LabelClass labelClass(int kind) {
  switch (kind) {
    case 1: return LabelClass::Airport;
    case 2:
    case 3: return LabelClass::Navaid;
    default: return LabelClass::Waypoint;
  }
}

struct FixPainter {
  PaintContext& paint;
  Color color;
  int r;
  bool symbols;

  void draw(const std::string& name, int kind, const LatLng& position) {
    const DevicePoint d = paint.projection.toDevice(position);
    if (!d.visible || d.x < 0 || d.y < 0 || d.x >= paint.width || d.y >= paint.height) return;
    paint.canvas.setLabelClass(labelClass(kind));
    if (symbols) {
      drawSymbol(paint.canvas, kind, d.x, d.y, r, color);
      paint.canvas.textOut(d.x + 5 * r / 4, d.y + r / 2, name);
    } else {
      paint.canvas.textOut(d.x, d.y, name);
    }
  }
};

}  // namespace

void drawOwnFixes(PaintContext& paint) {
  const LayerSwitches& sw = paint.switches();
  if (!sw.ownWaypoints && !sw.ownStations && !sw.ownAirports && !sw.obsoleteWaypoints) return;
  MapCanvas& canvas = paint.canvas;
  canvas.selectFont(paint.fonts.small);
  const Color color = paint.pick(colors::blue, colors::black);
  canvas.setTextColor(color);
  canvas.setTextAlign({HAlign::Left, VAlign::Top});
  canvas.setBackgroundTransparent(true);
  FixPainter painter{paint, color, canvas.textMetrics().averageCharWidth, sw.symbolsNonDafif};

  const FixStore& store = *paint.in<FixesInputs>().fixes;
  FixSection fixes = store.openSection(FixSectionId::Fixes);
  for (Fix fix; fixes.readFix(fix);)
    if (shown(sw, fix.kind)) painter.draw(fix.name, fix.kind, fix.position);

  if (!sw.obsoleteWaypoints) return;
  FixSection aliases = store.openSection(FixSectionId::Aliases);
  for (Alias alias; aliases.readAlias(alias);) {
    LatLng target;
    if (store.resolvePosition(alias.target, {0, 0}, target)) painter.draw(alias.name, 5, target);
  }
}

}  // namespace korvant
