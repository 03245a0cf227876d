// The latitude/longitude grid: meridians every 10 degrees and parallels every
// 5, as chains of 5-degree pieces.
#include <vector>

#include "map/layers/gridterms.h"
#include "map/layers/layers.h"

namespace korvant {

namespace {

struct GridNode {
  DevicePoint device;
  bool qualifies = false;  // visible and near the surface
  SideOfCentre side;
};

// A piece is skipped across the far side; otherwise drawn when both ends
// qualify, and only the pen moves when just the first one does.
void drawPiece(MapCanvas& canvas, const GridNode& a, const GridNode& b) {
  if (FarSideRule::skips(a.side, b.side) || !a.qualifies) return;
  canvas.moveTo(a.device.x, a.device.y);
  if (b.qualifies) canvas.lineTo(b.device.x, b.device.y);
}

}  // namespace

void drawGrid(PaintContext& paint) {
  // Nodes every 5 degrees both ways; each is shared by up to four pieces.
  const GridTerms terms(paint, steps(-9000, 9000, 500), steps(-18000, 18000, 500));
  constexpr int lats = 37, lngs = 73;
  std::vector<GridNode> nodes(lats * lngs);
  const auto node = [&](int i, int j) -> GridNode& { return nodes[i * lngs + j]; };
  for (int i = 0; i < lats; ++i)
    for (int j = 0; j < lngs; ++j) {
      GridNode& n = node(i, j);
      n.device = terms.device(i, j);
      n.qualifies = terms.qualifies(n.device);
      n.side = terms.side(i, j);
    }

  paint.canvas.selectPen(paint.pick(colors::green, colors::black), 1,
                         paint.currentColor ? PenStyle::Solid : PenStyle::Dot);
  for (int j = 0; j < lngs; j += 2)
    for (int i = 0; i + 1 < lats; ++i) drawPiece(paint.canvas, node(i, j), node(i + 1, j));
  for (int i = 0; i + 1 < lats; ++i)
    for (int j = 0; j + 1 < lngs; ++j) drawPiece(paint.canvas, node(i, j), node(i, j + 1));
}

}  // namespace korvant
