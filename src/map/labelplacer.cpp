#include "map/labelplacer.h"

#include <algorithm>
#include <cmath>

namespace korvant {

LabelBox LabelBox::upright(double left, double top, double right, double bottom) {
  LabelBox b;
  b.x = {left, right, right, left};
  b.y = {top, top, bottom, bottom};
  b.left = left, b.top = top, b.right = right, b.bottom = bottom;
  return b;
}

LabelBox LabelBox::text(int x, int y, TextAlign align, int width, int ascent, int height, int escapement) {
  const double u0 = align.h == HAlign::Left ? 0 : align.h == HAlign::Center ? -width / 2.0 : -width;
  const double v0 = align.v == VAlign::Top ? 0 : align.v == VAlign::Baseline ? -ascent : -height;
  if (escapement % 3600 == 0) return upright(x + u0, y + v0, x + u0 + width, y + v0 + height);
  const double a = escapement * M_PI / 1800;
  const double c = std::cos(a), s = std::sin(a);
  LabelBox b;
  b.turned = true;
  const double us[4] = {u0, u0 + width, u0 + width, u0}, vs[4] = {v0, v0, v0 + height, v0 + height};
  for (int i = 0; i < 4; ++i) {
    // Along the baseline is (cos, -sin) on a surface whose y grows downwards.
    b.x[i] = x + us[i] * c + vs[i] * s;
    b.y[i] = y - us[i] * s + vs[i] * c;
  }
  b.left = *std::min_element(b.x.begin(), b.x.end());
  b.right = *std::max_element(b.x.begin(), b.x.end());
  b.top = *std::min_element(b.y.begin(), b.y.end());
  b.bottom = *std::max_element(b.y.begin(), b.y.end());
  return b;
}

LabelBox LabelBox::line(double x0, double y0, double x1, double y1, double width) {
  const double length = std::hypot(x1 - x0, y1 - y0);
  if (length == 0) return upright(x0 - width / 2, y0 - width / 2, x0 + width / 2, y0 + width / 2);
  // Half the width across the line, either side.
  const double nx = -(y1 - y0) / length * width / 2, ny = (x1 - x0) / length * width / 2;
  LabelBox b;
  b.turned = x0 != x1 && y0 != y1;
  b.x = {x0 + nx, x1 + nx, x1 - nx, x0 - nx};
  b.y = {y0 + ny, y1 + ny, y1 - ny, y0 - ny};
  b.left = *std::min_element(b.x.begin(), b.x.end());
  b.right = *std::max_element(b.x.begin(), b.x.end());
  b.top = *std::min_element(b.y.begin(), b.y.end());
  b.bottom = *std::max_element(b.y.begin(), b.y.end());
  return b;
}

LabelBox LabelBox::shifted(double dx, double dy) const {
  LabelBox b = *this;
  for (int i = 0; i < 4; ++i) b.x[i] += dx, b.y[i] += dy;
  b.left += dx, b.right += dx, b.top += dy, b.bottom += dy;
  return b;
}

namespace {

// Separated along one of a's edge directions.
bool separatedAlongEdgesOf(const LabelBox& a, const LabelBox& b) {
  for (int i = 0; i < 2; ++i) {
    const double ax = a.x[i + 1] - a.x[i], ay = a.y[i + 1] - a.y[i];
    double minA = 1e300, maxA = -1e300, minB = 1e300, maxB = -1e300;
    for (int k = 0; k < 4; ++k) {
      const double pa = a.x[k] * ax + a.y[k] * ay, pb = b.x[k] * ax + b.y[k] * ay;
      minA = std::min(minA, pa), maxA = std::max(maxA, pa);
      minB = std::min(minB, pb), maxB = std::max(maxB, pb);
    }
    if (maxA <= minB || maxB <= minA) return true;
  }
  return false;
}

}  // namespace

bool overlaps(const LabelBox& a, const LabelBox& b) {
  if (a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top) return false;
  if (!a.turned && !b.turned) return true;
  return !separatedAlongEdgesOf(a, b) && !separatedAlongEdgesOf(b, a);
}

LabelPlacer::LabelPlacer(int width, int height, int cell)
    : cell_(std::max(8, cell)),
      columns_(std::max(1, (width + cell_ - 1) / cell_)),
      rows_(std::max(1, (height + cell_ - 1) / cell_)),
      buckets_(static_cast<std::size_t>(columns_) * rows_) {}

LabelPlacer::Span LabelPlacer::span(const LabelBox& box) const {
  // Below zero is the first bucket, so truncation serves as well as the floor.
  const double per = 1.0 / cell_;
  const auto column = [&](double v) { return v <= 0 ? 0 : std::min(static_cast<int>(v * per), columns_ - 1); };
  const auto row = [&](double v) { return v <= 0 ? 0 : std::min(static_cast<int>(v * per), rows_ - 1); };
  return {column(box.left), row(box.top), column(box.right), row(box.bottom)};
}

bool LabelPlacer::fits(const LabelBox& box, unsigned ignore) const {
  if (!(box.left < box.right) || !(box.top < box.bottom)) return true;  // nothing to hide, nothing hidden
  ++query_;
  const Span s = span(box);
  for (int r = s.r0; r <= s.r1; ++r)
    for (int c = s.c0; c <= s.c1; ++c)
      for (const int i : buckets_[static_cast<std::size_t>(r) * columns_ + c]) {
        if (seen_[i] == query_) continue;
        seen_[i] = query_;
        const Bounds& b = bounds_[i];
        if (b.right <= box.left || box.right <= b.left || b.bottom <= box.top || box.bottom <= b.top) continue;
        if (b.kind & ignore) continue;
        if ((!b.turned && !box.turned) || overlaps(box, boxes_[i])) return false;
      }
  return true;
}

void LabelPlacer::insert(const LabelBox& box, unsigned kind) {
  if (!(box.left < box.right) || !(box.top < box.bottom)) return;
  const int index = static_cast<int>(boxes_.size());
  boxes_.push_back(box);
  bounds_.push_back({box.left, box.top, box.right, box.bottom, box.turned, kind});
  seen_.push_back(0);
  const Span s = span(box);
  for (int r = s.r0; r <= s.r1; ++r)
    for (int c = s.c0; c <= s.c1; ++c) buckets_[static_cast<std::size_t>(r) * columns_ + c].push_back(index);
}

}  // namespace korvant
