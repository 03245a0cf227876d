#include "map/layers/gridterms.h"

namespace korvant {

GridTerms::GridTerms(const PaintContext& paint, std::vector<double> lats, std::vector<double> lngs)
    : paint_(paint), lats_(std::move(lats)), lngs_(std::move(lngs)) {
  for (double lat : lats_) {
    projLat_.push_back(paint.projection.latTerm(lat));
    sideLat_.push_back(paint.farSide.latTerm(lat));
  }
  for (double lng : lngs_) {
    projLng_.push_back(paint.projection.lngTerm(lng));
    sideLng_.push_back(paint.farSide.lngTerm(lng));
  }
}

std::vector<double> steps(double first, double last, double step) {
  std::vector<double> values;
  for (double v = first; v <= last; v += step) values.push_back(v);
  return values;
}

}  // namespace korvant
