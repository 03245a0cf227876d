#pragma once
// The three map fonts of one paint and the line metrics of the small one.
#include "app/settings.h"
#include "map/canvas.h"

namespace korvant {

struct MapFonts {
  FontSpec small, medium, large;
};

// The text size in points: MapFontPrinterSize (1 ... 72, default 6) while
// printing, MapFontVideoSize (1 ... 71, default 7) on the screen.
int mapTextSize(Settings& settings, bool printing);

MapFonts buildMapFonts(Settings& settings, bool printing, int pixelsPerInch);

}  // namespace korvant
