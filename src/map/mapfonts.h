#pragma once
// The three map fonts of one paint and the line metrics of the small one.
#include <string>

#include "base/settings.h"
#include "map/canvas.h"

namespace korvant {

struct MapFonts {
  FontSpec small, medium, large;
};

// The control-file values the fonts are built from, as they stand.
struct MapFontSettings {
  std::string face;      // MapFont
  long videoSize = 7;    // MapFontVideoSize, points
  long printerSize = 6;  // MapFontPrinterSize, points

  bool operator==(const MapFontSettings&) const = default;
};

MapFontSettings readMapFontSettings(Settings& settings);

// The text size in points: MapFontPrinterSize (1 ... 72, default 6) while
// printing, MapFontVideoSize (1 ... 71, default 7) on the screen.
int mapTextSize(const MapFontSettings& settings, bool printing);

// Heights in device units for `pixelsPerInch`.
MapFonts buildMapFonts(const MapFontSettings& settings, bool printing, int pixelsPerInch);

}  // namespace korvant
