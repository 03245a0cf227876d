#pragma once
// Projection and far-side terms of a rectangular grid of positions, each row
// and each column worked out once.
#include <vector>

#include "map/paintcontext.h"

namespace korvant {

class GridTerms {
 public:
  GridTerms(const PaintContext& paint, std::vector<double> lats, std::vector<double> lngs);

  DevicePoint device(int row, int column) const { return paint_.projection.toDevice(projLat_[row], projLng_[column]); }
  SideOfCentre side(int row, int column) const {
    return paint_.farSide.side(sideLat_[row], sideLng_[column], {lats_[row], lngs_[column]});
  }
  bool qualifies(const DevicePoint& d) const { return d.visible && paint_.projection.nearSurface(d.x, d.y, 100); }

 private:
  const PaintContext& paint_;
  std::vector<double> lats_, lngs_;
  std::vector<Projection::LatTerm> projLat_;
  std::vector<Projection::LngTerm> projLng_;
  std::vector<FarSideRule::LatTerm> sideLat_;
  std::vector<FarSideRule::LngTerm> sideLng_;
};

// first, first + step, ... up to and including last.
std::vector<double> steps(double first, double last, double step);

}  // namespace korvant
