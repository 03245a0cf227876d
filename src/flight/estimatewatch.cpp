#include "flight/estimatewatch.h"

#include <cmath>

#include "flight/progressreport.h"

namespace korvant {

bool EstimateWatch::update(const FlightProgress& progress, const OceanicSpan& span, const ReportFacts& facts) {
  const FlightRoute& route = progress.route();
  if (progress.next() == 0 || span.last >= route.points.size()) return false;
  const std::size_t passed = progress.next() - 1;
  const std::vector<PointAhead> ahead = progress.ahead();
  const auto etaOf = [&](std::size_t i) -> std::optional<double> {
    for (const PointAhead& a : ahead)
      if (a.index == i) return a.etaUtc;
    return std::nullopt;
  };
  if (passed != reportedPoint_ && passed >= span.first && passed < span.last) {
    const std::optional<double>& over = progress.timesOver()[passed];
    const std::optional<double> next = etaOf(passed + 1);
    // A point passed before the aircraft was watched has no time to report.
    if (!over || !next) return false;
    report_ = positionReport(route, passed, *over, *next, facts, mainlyEastWest(route, span));
    revised_.clear();
    reportedPoint_ = passed;
    reportedEstimate_ = *next;
    return true;
  }
  if (passed != reportedPoint_ || !reportedEstimate_) return false;
  const std::optional<double> now = etaOf(passed + 1);
  if (!now || std::fabs(*now - *reportedEstimate_) < REVISE_AFTER_S) return false;
  revised_ = "REVISED ESTIMATE " + route.points[passed + 1].ident + " AT " + hhmm(*now);
  reportedEstimate_ = *now;
  return true;
}

}  // namespace korvant
