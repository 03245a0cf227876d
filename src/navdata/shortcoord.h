#pragma once
// The fix file's 5-byte coordinates: the five most significant bytes of the
// little-endian IEEE-754 double, assembled arithmetically so that the result
// does not depend on the host's byte order or alignment.
#include <cstdint>

namespace korvant {

inline constexpr int SHORT_COORD_BYTES = 5;

double decodeShortCoord(const std::uint8_t* bytes);
// Rounds to the nearest value that five bytes hold, so that a decoded value
// encodes back to the same bytes.
void encodeShortCoord(double value, std::uint8_t* bytes);

}  // namespace korvant
