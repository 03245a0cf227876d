// Every position text form, and the formatters on whatever they produce.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "geo/positiontext.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  korvant::LatLng parsed;
  if (korvant::parsePositionText(text, parsed)) {
    (void)korvant::formatLat(parsed.lat);
    (void)korvant::formatLng(parsed.lng);
  }
  if (korvant::readCompactPosition(text, parsed) && (parsed.lat > 9000 || parsed.lat < -9000)) __builtin_trap();
  (void)korvant::readDafifPosition(text);
  korvant::LatLng position;
  (void)korvant::readOverlayPosition(text, position);
  (void)korvant::formatLat(korvant::readLatWide(text));
  return 0;
}
