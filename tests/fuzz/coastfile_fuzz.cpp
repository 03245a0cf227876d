// COAST.DAT as any bytes: read without a crash or a read past the bytes,
// with memory bounded by the bytes given; what is read writes back to the
// same bytes, and every point of it is a position on the earth.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "navdata/coastfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvant;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const CoastRead read = readCoastBytes(bytes);
  if (!read.fault.empty()) {
    if (!read.data.empty()) std::abort();
    return 0;
  }
  if (writeCoastFile(read.data) != bytes) std::abort();
  for (const CoastResolution& r : read.data.resolutions)
    for (int bin = 0; bin < r.columns * r.rows; ++bin)
      for (std::uint32_t piece = r.binStart[bin]; piece < r.binStart[bin + 1]; ++piece)
        for (std::uint32_t i = r.pieceStart[piece]; i < r.pieceStart[piece + 1]; ++i) {
          const LatLng p = r.point(bin, i);
          if (!(std::fabs(p.lat) <= 9000) || !(std::fabs(p.lng) <= 18000)) std::abort();
        }
  return 0;
}
