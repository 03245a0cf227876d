#pragma once
// The map paint: every enabled layer in its fixed order onto one surface.
#include <optional>

#include "map/canvas.h"
#include "map/mapframe.h"
#include "map/maprecorder.h"
#include "map/paintcontext.h"
#include "map/paintinput.h"
#include "map/paintlayers.h"
#include "map/projection.h"

namespace korvant {

struct PaintOptions {
  int width = 0;
  int height = 0;
  bool printing = false;
  std::optional<Rect> area = {};  // the part painted, when not the whole surface
};

struct PaintResult {
  // The projection of this paint: the mouse maps against it.
  Projection projection;
  // Bounds of the procedure or route drawn, packed degrees and minutes.
  double south = 10000, north = -10000, west = 20000, east = -20000;
};

class MapPainter {
 public:
  MapPainter(const MapFrame& frame, MapCanvas& canvas) : frame_(frame), canvas_(canvas) {}
  // A paint of what the program holds now, its frame taken here.
  MapPainter(const PaintInput& input, MapCanvas& canvas) : taken_(takeFrame(input)), frame_(*taken_), canvas_(canvas) {}
  MapPainter(const MapPainter&) = delete;
  MapPainter& operator=(const MapPainter&) = delete;
  PaintResult paint(const PaintOptions& options);
  // One stage alone; Above and Overlay leave the surface's ground untouched.
  PaintResult paintStage(const PaintOptions& options, PaintStage stage);
  // Decluttered, the Below and Above stages replay a recording of the whole
  // map made once for all of them; otherwise `recording` is null.
  bool declutters() const;
  MapRecording record(const PaintOptions& options);
  // One stage alone, unplanned: the two are combined once both are done.
  MapRecording recordStage(const PaintOptions& options, PaintStage stage);
  PaintResult paintStage(const PaintOptions& options, PaintStage stage, const MapRecording* recording);

 private:
  PaintContext setUp(const PaintOptions& options, Projection& projection, MapCanvas& canvas) const;
  // The layers of a stage, in order, drawn or recorded.
  void runStage(PaintContext& paint, PaintStage stage, MapRecorder* recorder) const;
  std::optional<MapFrame> taken_;
  const MapFrame& frame_;
  MapCanvas& canvas_;
};

}  // namespace korvant
