// Every position text form, and the formatters on whatever they produce.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "geo/positiontext.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  double lat = 0, lng = 0;
  if (korvant::parsePositionText(text, lat, lng)) {
    (void)korvant::formatLat(lat);
    (void)korvant::formatLng(lng);
  }
  (void)korvant::readDafifPosition(text);
  korvant::LatLng position;
  (void)korvant::readOverlayPosition(text, position);
  (void)korvant::formatLat(korvant::readLatWide(text));
  return 0;
}
