#include "map/mapfonts.h"

#include "app/textops.h"

namespace korvant {

int mapTextSize(Settings& settings, bool printing) {
  const long size = readLeadingInt(settings.lookup(printing ? "MapFontPrinterSize" : "MapFontVideoSize"));
  const long limit = printing ? 72 : 71;
  if (size < 1 || size > limit) return printing ? 6 : 7;
  return static_cast<int>(size);
}

MapFonts buildMapFonts(Settings& settings, bool printing, int pixelsPerInch) {
  const int s = mapTextSize(settings, printing);
  const std::string face = settings.lookup("MapFont");
  const auto font = [&](int points) { return FontSpec{face, points * pixelsPerInch / 72, 400, 0}; };
  return {font(s), font(s + (printing ? 2 : 3)), font(s + 6)};
}

}  // namespace korvant
