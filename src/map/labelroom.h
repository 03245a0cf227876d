#pragma once
// A coarse grid over the surface that takes one name per cell: dense layers
// ask it before they measure and record a name, so that of thousands only
// about as many as the surface has room for reach the label placer, which
// then keeps those that do not overlap.
#include <algorithm>
#include <vector>

namespace korvant {

class LabelRoom {
 public:
  LabelRoom(int left, int top, int width, int height, int cell)
      : left_(left),
        top_(top),
        cell_(std::max(1, cell)),
        columns_(std::max(1, width / cell_ + 1)),
        rows_(std::max(1, height / cell_ + 1)),
        taken_(static_cast<std::size_t>(columns_) * rows_, false) {}

  // False when a name already stands in the cell of (x, y) or the point is off the surface.
  bool take(int x, int y) {
    const int column = (x - left_) / cell_, row = (y - top_) / cell_;
    if (x < left_ || y < top_ || column >= columns_ || row >= rows_) return false;
    const std::size_t i = static_cast<std::size_t>(row) * columns_ + column;
    if (taken_[i]) return false;
    taken_[i] = true;
    return true;
  }

 private:
  int left_, top_, cell_, columns_, rows_;
  std::vector<bool> taken_;
};

}  // namespace korvant
