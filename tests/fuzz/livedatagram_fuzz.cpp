// Whatever arrives on the simulator's port: the same bytes as an X-Plane
// RREF reply, a Data Output datagram and a FlightGear line. A sample read
// holds only what an aircraft can have; the bytes cut in two, as two
// datagrams into each source's feed, move the aircraft along a route and
// its trail without fault.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "flight/flightprogress.h"
#include "flight/flighttrail.h"
#include "flight/livedatagram.h"
#include "flight/livefeed.h"

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
  const korvant::FlightRoute route{"", {{"A", {5000, -3000}, 0}, {"B", {5100, -2000}, 0}}};
  for (const auto source :
       {korvant::LiveSource::XPlane, korvant::LiveSource::XPlaneData, korvant::LiveSource::FlightGear}) {
    korvant::LiveFeed feed({source});
    korvant::FlightProgress progress(route);
    korvant::FlightTrail trail;
    const std::size_t half = size / 2;
    for (const auto part : {bytes.first(half), bytes.subspan(half)})
      if (const auto state = feed.accept(part, "127.0.0.1:49000", 1, 1796817600)) {
        progress.update(*state);
        trail.add(*state);
        if (!std::isfinite(state->utc)) std::abort();
      }
    if (progress.next() > route.points.size()) std::abort();
  }
  return 0;
}
