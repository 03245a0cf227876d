#include "geo/gridindex.h"

#include <algorithm>
#include <cmath>

namespace korvant {

namespace {

// Nothing of a one-degree cell lies farther than this from its middle.
constexpr double kCellHalfDiagonal = 0.71;

}  // namespace

int GridIndex::cellOf(const LatLng& position) {
  if (position.isUnset()) return -1;
  const LatLng::Degrees d = position.decimalDegrees();
  if (!std::isfinite(d.lat) || !std::isfinite(d.lng)) return -1;
  const int row = std::clamp(static_cast<int>(std::floor(d.lat + 90)), 0, ROWS - 1);
  double lng = std::fmod(d.lng + 180, 360.0);
  if (lng < 0) lng += 360;
  const int column = std::clamp(static_cast<int>(lng), 0, COLUMNS - 1);
  return row * COLUMNS + column;
}

GridIndex::GridIndex(std::span<const LatLng> positions) {
  if (positions.empty()) return;
  std::vector<int> cells(positions.size());
  start_.assign(CELLS + 1, 0);
  for (std::size_t i = 0; i < positions.size(); ++i) {
    cells[i] = cellOf(positions[i]);
    if (cells[i] >= 0) ++start_[cells[i] + 1];
  }
  for (int c = 0; c < CELLS; ++c) start_[c + 1] += start_[c];
  items_.resize(start_[CELLS]);
  std::vector<std::uint32_t> next(start_.begin(), start_.end() - 1);
  for (std::size_t i = 0; i < positions.size(); ++i)
    if (cells[i] >= 0) items_[next[cells[i]]++] = static_cast<std::uint32_t>(i);
}

std::vector<int> GridIndex::cellsTouching(const SphereCap& cap) {
  std::vector<int> cells;
  const double reach = cap.radiusDegrees() + kCellHalfDiagonal;
  const int firstRow = std::clamp(static_cast<int>(std::floor(cap.centreLatDegrees() - reach + 90)), 0, ROWS - 1);
  const int lastRow = std::clamp(static_cast<int>(std::floor(cap.centreLatDegrees() + reach + 90)), 0, ROWS - 1);
  for (int row = firstRow; row <= lastRow; ++row) {
    const double lat = row - 90 + 0.5;
    for (int column = 0; column < COLUMNS; ++column)
      if (cap.mayTouch(lat, column - 180 + 0.5, kCellHalfDiagonal)) cells.push_back(row * COLUMNS + column);
  }
  return cells;
}

}  // namespace korvant
