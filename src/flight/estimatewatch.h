#pragma once
// With the aircraft connected: the position report for the oceanic point
// just passed, with its actual time, and a revised estimate when the
// estimate for the next point moves by three minutes or more from the one
// last reported.
#include <cstddef>
#include <optional>
#include <string>

#include "flight/flightprogress.h"
#include "flight/oceanicwords.h"

namespace korvant {

class EstimateWatch {
 public:
  // Three minutes or more, exactly three included, is a revised estimate.
  static constexpr double REVISE_AFTER_S = 180;

  // After each move of the progress; `facts` the callsign, the level flown
  // and the Mach. True when a text changed.
  bool update(const FlightProgress& progress, const OceanicSpan& span, const ReportFacts& facts);

  // "POSITION REPORT ..." for the last oceanic point passed, or empty.
  const std::string& report() const { return report_; }
  // "REVISED ESTIMATE 56/30 AT 1313", or empty.
  const std::string& revised() const { return revised_; }

 private:
  std::size_t reportedPoint_ = static_cast<std::size_t>(-1);
  std::optional<double> reportedEstimate_;  // for the point after it, as last said
  std::string report_, revised_;
};

}  // namespace korvant
