// Flight plan files of any bytes: a plan or the header's refusal, positions
// finite, and each user item a command of the overlay language.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzzsupport.h"
#include "geo/earthposition.h"
#include "procedures/flightplan.h"
#include "procedures/useroverlay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvant;
  const auto plan = readFlightPlan(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!plan) {
    if (plan.problems.empty()) std::abort();  // a refusal always says why
    return 0;
  }
  for (const UW_Wpt& w : plan->waypoints) {
    if (!std::isfinite(w.position.lat) || !std::isfinite(w.position.lng)) std::abort();
    if (w.isUserItem()) {
      (void)parseOverlayLine(w.text, 0);
      continue;
    }
    // The readers' one rule: no position off the Earth, whatever the format.
    const LatLng::Degrees d = w.position.decimalDegrees();
    if (!offEarthReason(d.lat, d.lng).empty()) std::abort();
  }
  (void)planEnds(*plan);
  return 0;
}
