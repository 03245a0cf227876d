#pragma once
// Everything a stage of the paint depends on, as a value: a kept image of a
// stage is still right while its key compares equal.
#include <ctime>
#include <string>

#include "map/mappainter.h"
#include "map/paintinput.h"

namespace korvant {

struct PaintKey {
  MapView view;
  LayerSwitches switches;
  MapFontSettings fontSettings;
  DetailRanges detail;
  unsigned fixesRevision = 0;
  TrackSets tracks;
  std::string trackFile;
  bool procedureMap = false;
  int procedureRevision = 0;
  // The surface: device-independent size, pixel ratio, logical resolution.
  int width = 0, height = 0;
  double devicePixelRatio = 1;
  int dpi = 96;
  // The simulator files' sizes and times, while a layer reads them.
  std::string simSignature;
  std::string runwaysAirport;
  std::string dafifSignature;        // while a DAFIF layer reads the files
  std::time_t terminatorTime = 0;    // while a terminator layer is on
  std::time_t validityTime = 0;      // while the tracks' validity is drawn or filters them
  std::string userOverlaySignature;  // while USER.TXT is drawn
  MagneticModel magnetic;
  int plottedRouteRevision = 0;
  // The title block prints the time to the minute, local and UTC.
  long printedMinute = 0;
  long utcOffset = 0;
  // What a layer beyond the standard ones reads.
  std::string otherInputs;

  bool operator==(const PaintKey&) const = default;
};

// The key of a stage; the Overlay stage is never kept.
inline PaintKey paintKey(const PaintInput& input, PaintStage stage, int width, int height, double devicePixelRatio,
                         int dpi) {
  PaintKey key;
  key.view = input.view;
  key.switches = input.switches;
  key.fontSettings = input.fontSettings;
  key.detail = input.detail;
  key.fixesRevision = input.fixes.revision();
  key.tracks = input.tracks;
  key.procedureMap = input.procedureMap;
  key.magnetic = input.magnetic;
  // Whether the procedure map is empty decides what the lower stage draws.
  if (input.procedure && input.procedure->shown()) key.procedureRevision = input.procedure->revision;
  key.width = width;
  key.height = height;
  key.devicePixelRatio = devicePixelRatio;
  key.dpi = dpi;
  // Each layer adds what it reads to its stage's key. Decluttered, a label
  // below gives way to one above and the other way round: each stage depends
  // on every layer.
  for (const PaintLayer& layer : input.layers.empty() ? standardPaintLayers() : input.layers)
    if (layer.key && (layer.stage == stage || input.switches.declutter)) layer.key(input, key);
  return key;
}

}  // namespace korvant
