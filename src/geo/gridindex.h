#pragma once
// Items filed by the one-degree cell of a position, built once when the
// data is read: a paint asks for the cells a cap of the sphere may touch
// and visits their items only, cell by cell, rather than the whole world.
#include <cstdint>
#include <span>
#include <vector>

#include "geo/latlng.h"
#include "geo/spherecap.h"

namespace korvant {

class GridIndex {
 public:
  static constexpr int ROWS = 180, COLUMNS = 360, CELLS = ROWS * COLUMNS;

  GridIndex() = default;
  // Item i is filed at positions[i]; an unset position is filed nowhere.
  explicit GridIndex(std::span<const LatLng> positions);

  // The cell of a position, -1 when it is unset.
  static int cellOf(const LatLng& position);
  // The cells that may hold a position of the cap, in cell order.
  static std::vector<int> cellsTouching(const SphereCap& cap);

  std::span<const std::uint32_t> items(int cell) const {
    if (cell < 0 || cell >= CELLS || start_.empty()) return {};
    return {items_.data() + start_[cell], items_.data() + start_[cell + 1]};
  }
  std::size_t size() const { return items_.size(); }

  // Every item filed in a cell the cap may touch, once, in cell order.
  template <class Visit>
  void visit(const SphereCap& cap, Visit&& visit) const {
    if (items_.empty()) return;
    if (cap.whole()) {
      for (const std::uint32_t i : items_) visit(i);
      return;
    }
    for (const int cell : cellsTouching(cap))
      for (const std::uint32_t i : items(cell)) visit(i);
  }

 private:
  std::vector<std::uint32_t> start_;  // CELLS + 1 offsets into items_
  std::vector<std::uint32_t> items_;
};

}  // namespace korvant
