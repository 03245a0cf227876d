// Whatever arrives on the simulator's port: the same bytes as an X-Plane
// RREF reply, a Data Output datagram and a FlightGear line. A sample read
// holds only what an aircraft can have.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "flight/livedatagram.h"

namespace {

void check(const korvant::Result<korvant::LiveSample>& read) {
  if (read.value.has_value() == !read.problems.empty()) std::abort();
  if (!read) return;
  const korvant::LiveSample& s = *read;
  if (s.trackDeg && !(*s.trackDeg >= 0 && *s.trackDeg < 360)) std::abort();
  if (s.groundSpeedKt && !(*s.groundSpeedKt >= 0)) std::abort();
  if (s.altitudeFt && !std::isfinite(*s.altitudeFt)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  check(korvant::readXPlaneRref(bytes));
  check(korvant::readXPlaneData(bytes));
  check(korvant::readFlightGearLine(std::string_view(reinterpret_cast<const char*>(data), size)));
  return 0;
}
