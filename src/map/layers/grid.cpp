// The latitude/longitude grid: meridians every 10 degrees and parallels every
// 5, as chains of 5-degree pieces.
#include <vector>

#include "map/layers/layers.h"

namespace korvant {

namespace {

struct GridNode {
  DevicePoint device;
  bool qualifies = false;  // visible and near the surface
  SideOfCentre side;
};

constexpr int kLatNodes = 37;  // -9000 ... 9000 by 500
constexpr int kLngNodes = 73;  // -18000 ... 18000 by 500

// A piece is skipped across the far side; otherwise drawn when both ends
// qualify, and only the pen moves when just the first one does.
void drawPiece(MapCanvas& canvas, const GridNode& a, const GridNode& b) {
  if (FarSideRule::skips(a.side, b.side) || !a.qualifies) return;
  canvas.moveTo(a.device.x, a.device.y);
  if (b.qualifies) canvas.lineTo(b.device.x, b.device.y);
}

}  // namespace

void drawGrid(PaintContext& paint) {
  // Every node is shared by up to four pieces: project and measure it once.
  std::vector<GridNode> nodes(kLatNodes * kLngNodes);
  const auto node = [&](int i, int j) -> GridNode& { return nodes[i * kLngNodes + j]; };
  for (int i = 0; i < kLatNodes; ++i)
    for (int j = 0; j < kLngNodes; ++j) {
      const LatLng p{-9000.0 + 500 * i, -18000.0 + 500 * j};
      GridNode& n = node(i, j);
      n.device = paint.projection.toDevice(p.lat, p.lng);
      n.qualifies = n.device.visible && paint.projection.nearSurface(n.device.x, n.device.y, 100);
      n.side = paint.farSide.side(p);
    }

  paint.canvas.selectPen(paint.pick(colors::green, colors::black), 1,
                         paint.color ? PenStyle::Solid : PenStyle::Dot);
  for (int j = 0; j < kLngNodes; j += 2)
    for (int i = 0; i + 1 < kLatNodes; ++i) drawPiece(paint.canvas, node(i, j), node(i + 1, j));
  for (int i = 0; i + 1 < kLatNodes; ++i)
    for (int j = 0; j + 1 < kLngNodes; ++j) drawPiece(paint.canvas, node(i, j), node(i, j + 1));
}

}  // namespace korvant
