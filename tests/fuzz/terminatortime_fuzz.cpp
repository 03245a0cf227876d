// The start hour dialog's text, and the sun for whatever moment it gives or
// the input's bytes name: always an answer or none, never a hang.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "sky/sunposition.h"
#include "sky/terminatortime.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvant;
  const TerminatorTimeParse parsed = parseTerminatorTime(std::string_view(reinterpret_cast<const char*>(data), size));
  if (parsed.ok && parsed.timeText != "NOW") {
    if (parseTerminatorTime(parsed.timeText).time != parsed.time) std::abort();  // the text it shows reads back
    const std::optional<SunPosition> sun = sunPosition(parsed.time);
    if (!sun || !(std::fabs(sun->declination) <= 24)) std::abort();
  }
  if (size >= sizeof(std::int64_t)) {
    std::int64_t t = 0;
    std::memcpy(&t, data, sizeof t);
    if (const std::optional<SunPosition> sun = sunPosition(static_cast<std::time_t>(t)))
      if (!std::isfinite(sun->declination) || !std::isfinite(sun->subsolarLongitude)) std::abort();
  }
  return 0;
}
