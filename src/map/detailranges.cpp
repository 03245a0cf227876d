#include "map/detailranges.h"

#include "base/textops.h"

namespace korvant {

namespace {

double rangeKey(Settings& settings, const char* key, double otherwise) {
  const long nm = readLeadingInt(settings.lookup(key));
  return nm >= 1 && nm <= 11000 ? static_cast<double>(nm) : otherwise;
}

}  // namespace

DetailRanges readDetailRanges(Settings& settings) {
  const DetailRanges d;
  return {rangeKey(settings, "NavDetailRange", d.navDetail), rangeKey(settings, "NavRouteRange", d.navRouteOnly),
          rangeKey(settings, "FineCoastRange", d.fineCoast)};
}

NavDetail navDetailAt(double range, const DetailRanges& ranges) {
  if (range <= ranges.navDetail) return NavDetail::All;
  return range <= ranges.navRouteOnly ? NavDetail::HighOnly : NavDetail::RouteOnly;
}

}  // namespace korvant
