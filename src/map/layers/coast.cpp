// The finer coastline of regional ranges (COAST.DAT): the coarser of its
// resolutions out to FineCoastRange, the finest up close. Only the bins
// about the surface are visited; a piece is drawn point to point, straight on
// the surface, its points lying a few miles apart at most.
#include "map/layers/layers.h"
#include "map/surfacecap.h"

namespace korvant {

namespace {

// Up to this range the finest resolution.
constexpr double kFinestRange = 150;

}  // namespace

bool fineCoastShown(const PaintContext& paint) {
  const CoastData* coast = paint.in<FixesInputs>().fixes->coast();
  return coast && !coast->empty() && paint.view().range <= paint.frame.detail.fineCoast;
}

void drawFineCoast(PaintContext& paint) {
  const CoastData* coast = paint.in<FixesInputs>().fixes->coast();
  if (!coast || coast->empty()) return;
  const CoastResolution& r =
      paint.view().range <= kFinestRange ? coast->resolutions.back() : coast->resolutions.front();
  if (paint.currentColor)
    paint.canvas.selectPen(paint.printing ? colors::paleGrey : colors::screenCoast, paint.pixelsPerInch / 40,
                           PenStyle::Solid);
  else
    paint.canvas.selectPen(colors::grey, 1, PenStyle::Solid);
  const Projection& proj = paint.projection;
  const SphereCap cap = surfaceCap(proj, 0);
  // Nothing of a bin lies farther from its middle than half its diagonal.
  const double halfDiagonal = r.binDegrees() * 0.7072;
  MapCanvas& canvas = paint.canvas;
  for (int bin = 0; bin < r.columns * r.rows; ++bin) {
    if (r.binStart[bin] == r.binStart[bin + 1]) continue;
    if (!cap.mayTouch(r.binSouth(bin) + r.binDegrees() / 2, r.binWest(bin) + r.binDegrees() / 2, halfDiagonal))
      continue;
    for (std::uint32_t piece = r.binStart[bin]; piece < r.binStart[bin + 1]; ++piece) {
      bool joined = false;
      int lastX = 0, lastY = 0;
      for (std::uint32_t i = r.pieceStart[piece]; i < r.pieceStart[piece + 1]; ++i) {
        const DevicePoint d = proj.toDevice(r.point(bin, i));
        // A point off the earth's face, or so far off the surface that a
        // line to it would be false, breaks the piece.
        const bool near = d.visible && proj.nearSurface(d.x, d.y, 1);
        // Simplified to the pixel: a shore that zigzags within one pixel
        // (a damaged or hostile file's hundred thousand points in a bin) is
        // one point, not a hundred thousand lines to stroke.
        if (near && joined && d.x == lastX && d.y == lastY) continue;
        if (near && joined)
          canvas.lineTo(d.x, d.y);
        else if (near)
          canvas.moveTo(d.x, d.y);
        joined = near;
        lastX = d.x;
        lastY = d.y;
      }
    }
  }
}

}  // namespace korvant
