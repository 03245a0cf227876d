#include "map/mapfonts.h"

#include "base/textops.h"

namespace korvant {

MapFontSettings readMapFontSettings(Settings& settings) {
  return {settings.lookup("MapFont"), readLeadingInt(settings.lookup("MapFontVideoSize")),
          readLeadingInt(settings.lookup("MapFontPrinterSize"))};
}

int mapTextSize(const MapFontSettings& settings, bool printing) {
  const long size = printing ? settings.printerSize : settings.videoSize;
  const long limit = printing ? 72 : 71;
  if (size < 1 || size > limit) return printing ? 6 : 7;
  return static_cast<int>(size);
}

MapFonts buildMapFonts(const MapFontSettings& settings, bool printing, int pixelsPerInch) {
  const int s = mapTextSize(settings, printing);
  const auto font = [&](int points) { return FontSpec{settings.face, points * pixelsPerInch / 72, 400, 0}; };
  return {font(s), font(s + (printing ? 2 : 3)), font(s + 6)};
}

}  // namespace korvant
