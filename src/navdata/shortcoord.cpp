#include "navdata/shortcoord.h"

#include <bit>

namespace korvant {

namespace {
constexpr int kDroppedBits = 8 * (8 - SHORT_COORD_BYTES);
}

double decodeShortCoord(const std::uint8_t* bytes) {
  std::uint64_t bits = 0;
  for (int i = SHORT_COORD_BYTES - 1; i >= 0; --i) bits = (bits << 8) | bytes[i];
  return std::bit_cast<double>(bits << kDroppedBits);
}

void encodeShortCoord(double value, std::uint8_t* bytes) {
  if (value == 0) value = 0;  // no negative zero in the file
  std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  const std::uint64_t half = std::uint64_t{1} << (kDroppedBits - 1);
  // Round half up in magnitude; a carry into the exponent is still the right value.
  if ((bits & 0x7ff0000000000000ULL) != 0x7ff0000000000000ULL) bits += half;
  bits >>= kDroppedBits;
  for (int i = 0; i < SHORT_COORD_BYTES; ++i, bits >>= 8) bytes[i] = static_cast<std::uint8_t>(bits & 0xff);
}

}  // namespace korvant
