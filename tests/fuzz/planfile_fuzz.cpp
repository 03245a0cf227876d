// Flight plans of every format read by content, from any bytes: a plan or a
// refusal that says why, and every position finite and on the Earth; an
// OFP's own times finite and never going back; its suitable airports and
// winds worked into ETOPS without a crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "flight/etops.h"
#include "flight/oceanicwords.h"
#include "fuzzsupport.h"
#include "geo/earthposition.h"
#include "navdata/fixstore.h"
#include "procedures/planreaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvant;
  static const FixStore fixes;  // empty: names resolve as positions or not at all
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  (void)planFileFormatOf(text);
  const Result<FlightPlan> plan = readAnyFlightPlan(text, &fixes);
  if (!plan) {
    if (plan.problems.empty()) std::abort();  // a refusal always says why
    return 0;
  }
  if (plan->waypoints.size() > PLAN_WAYPOINT_LIMIT + 1) std::abort();
  for (const UW_Wpt& w : plan->waypoints) {
    if (!std::isfinite(w.position.lat) || !std::isfinite(w.position.lng)) std::abort();
    if (w.isUserItem()) continue;
    // The readers' one rule: no position off the Earth, whatever the format.
    const LatLng::Degrees d = w.position.decimalDegrees();
    if (!offEarthReason(d.lat, d.lng).empty()) std::abort();
  }
  const FlightRoute route = flightRouteOf(*plan);
  if (const auto times = ownTimes(route, plan->takeoffUtc.value_or(0))) {
    if (times->size() != route.points.size()) std::abort();
    for (std::size_t i = 0; i < times->size(); ++i)
      if (!std::isfinite((*times)[i].utc) || (i > 0 && (*times)[i].utc < (*times)[i - 1].utc)) std::abort();
  }
  // Small plans only: the search is bounded but a long one is slow to fuzz.
  if (route.points.size() <= 40 && !plan->etopsAirports.empty() && plan->etopsAirports.size() <= 40) {
    std::vector<EtopsAirport> airports;
    for (const SuitableAirport& a : plan->etopsAirports) airports.push_back({a.ident, a.position});
    EtopsSettings settings;
    settings.minutes = 120;
    for (std::size_t i = 1; i < route.points.size(); ++i)
      settings.legWindKt.push_back(route.points[i].windKt.value_or(0));
    (void)planEtops(route, airports, settings);
  }
  return 0;
}
