#pragma once
// How much of the dense data the map shows at a range, as charts do: every
// airway and navaid up close, only the high airways and VOR-class navaids
// farther out, and beyond that only what the route flies. The finer coast
// takes over from the fix file's below its own range.
#include "base/settings.h"

namespace korvant {

struct DetailRanges {
  double navDetail = 400;      // NavDetailRange: NM, the last range with every airway and navaid
  double navRouteOnly = 1500;  // NavRouteRange: NM, the last range with the high ones
  double fineCoast = 500;      // FineCoastRange: NM, the last range with the finer coast

  bool operator==(const DetailRanges&) const = default;
};

// A key that is no whole number of NM from 1 to 11000 keeps its default.
DetailRanges readDetailRanges(Settings& settings);

enum class NavDetail { All, HighOnly, RouteOnly };
NavDetail navDetailAt(double range, const DetailRanges& ranges);

}  // namespace korvant
