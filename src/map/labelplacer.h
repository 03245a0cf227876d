#pragma once
// Rectangles in device units, some turned with their text, and a grid of
// buckets that answers whether a new one overlaps any placed so far.
#include <array>
#include <vector>

#include "map/canvas.h"

namespace korvant {

struct LabelBox {
  // Corners in order round the rectangle; the bounds enclose them.
  std::array<double, 4> x{}, y{};
  double left = 0, top = 0, right = 0, bottom = 0;
  bool turned = false;

  static LabelBox upright(double left, double top, double right, double bottom);
  // A text's cell: `width` along its baseline from the alignment point
  // (`x`, `y`), `ascent` and `height` across it, turned by `escapement`
  // tenths of a degree counter-clockwise.
  static LabelBox text(int x, int y, TextAlign align, int width, int ascent, int height, int escapement);
  // A line `width` wide from (x0, y0) to (x1, y1).
  static LabelBox line(double x0, double y0, double x1, double y1, double width);
  LabelBox shifted(double dx, double dy) const;
};

// Whether two boxes share any area; touching edges do not.
bool overlaps(const LabelBox& a, const LabelBox& b);

class LabelPlacer {
 public:
  // Buckets of `cell` units over the surface; boxes beyond it fall into the edge buckets.
  LabelPlacer(int width, int height, int cell = 32);

  // Each box placed has a kind, a set of bits; `fits` looks past the boxes
  // of the kinds in `ignore` (kind 0 is never looked past).
  bool fits(const LabelBox& box, unsigned ignore = 0) const;
  void insert(const LabelBox& box, unsigned kind = 0);
  std::size_t size() const { return boxes_.size(); }

 private:
  struct Span {
    int c0, r0, c1, r1;
  };
  Span span(const LabelBox& box) const;

  struct Bounds {
    double left, top, right, bottom;
    bool turned;
    unsigned kind;
  };
  int cell_, columns_, rows_;
  std::vector<Bounds> bounds_;  // beside the boxes, for a quick first look
  std::vector<LabelBox> boxes_;
  std::vector<std::vector<int>> buckets_;
  mutable std::vector<unsigned> seen_;  // the query that last looked at each box
  mutable unsigned query_ = 0;
};

}  // namespace korvant
