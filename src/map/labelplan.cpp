#include "map/labelplan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace korvant {

namespace {

// Eight directions: the four sides first, then the corners.
constexpr double kAround[8][2] = {{1, 0}, {-1, 0}, {0, -1}, {0, 1}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}};

struct Planner {
  const LabelRecord& record;
  LabelPlan& plan;
  LabelPlacer placer;

  const LabelBox& box(const LabelGroup& g, int event) const { return record.events[static_cast<int>(g.layer)][event]; }
  LabelDecision& decision(const LabelGroup& g, int event) { return plan.layers[static_cast<int>(g.layer)][event]; }

  bool fits(const LabelGroup& g, double dx, double dy) const {
    if (g.symbol >= 0 && !placer.fits(box(g, g.symbol))) return false;
    const bool still = dx == 0 && dy == 0;
    return std::all_of(g.texts.begin(), g.texts.end(),
                       [&](int t) { return placer.fits(still ? box(g, t) : box(g, t).shifted(dx, dy)); });
  }

  void keep(const LabelGroup& g, double dx, double dy) {
    if (g.symbol >= 0) placer.insert(box(g, g.symbol));
    for (const int t : g.texts) {
      placer.insert(box(g, t).shifted(dx, dy));
      decision(g, t) = {true, static_cast<int>(dx), static_cast<int>(dy)};
    }
    plan.textsKept += static_cast<int>(g.texts.size());
    if (dx != 0 || dy != 0) plan.textsMoved += static_cast<int>(g.texts.size());
  }

  // A fix's one label beside its symbol: to the right as drawn, else to the
  // left, above or below it at the same distance.
  bool placeBeside(const LabelGroup& g) {
    const LabelBox& s = box(g, g.symbol);
    const LabelBox& t = box(g, g.texts[0]);
    const double gap = std::max(0.0, t.left - s.right);
    const double centre = (s.left + s.right - t.left - t.right) / 2;
    const double moves[3][2] = {
        {s.left - gap - t.right, 0}, {centre, s.top - gap - t.bottom}, {centre, s.bottom + gap - t.top}};
    return keepAtFirstThatFits(g, moves);
  }

  // Kept moved by the first of the moves where it fits.
  template <std::size_t N>
  bool keepAtFirstThatFits(const LabelGroup& g, const double (&moves)[N][2]) {
    for (const auto& m : moves)
      if (fits(g, m[0], m[1])) {
        keep(g, m[0], m[1]);
        return true;
      }
    return false;
  }

  // A track's letter where two tracks end together: a cell's height off, in
  // the first of eight directions that is free.
  bool placeNearby(const LabelGroup& g) {
    const LabelBox& t = box(g, g.texts[0]);
    const double h = t.bottom - t.top;
    const double moves[8][2] = {{0, -h}, {0, h}, {-h, 0}, {h, 0}, {-h, -h}, {h, -h}, {-h, h}, {h, h}};
    return keepAtFirstThatFits(g, moves);
  }

  // The box round all of a group's texts.
  LabelBox textBounds(const LabelGroup& g) const {
    double left = 1e300, top = 1e300, right = -1e300, bottom = -1e300;
    for (const int t : g.texts) {
      const LabelBox& b = box(g, t);
      left = std::min(left, b.left), top = std::min(top, b.top);
      right = std::max(right, b.right), bottom = std::max(bottom, b.bottom);
    }
    return LabelBox::upright(left, top, right, bottom);
  }

  // Whether the texts fit moved, clear of their own symbol once moved.
  bool textsFit(const LabelGroup& g, const LabelBox& bounds, double dx, double dy) const {
    if ((dx != 0 || dy != 0) && g.symbol >= 0 && overlaps(bounds.shifted(dx, dy), box(g, g.symbol))) return false;
    return std::all_of(g.texts.begin(), g.texts.end(), [&](int t) { return placer.fits(box(g, t).shifted(dx, dy)); });
  }

  // A label that must stay: where the layer put it, else beside its symbol
  // (near its place, without one), else a few lines off on a leader line
  // from the symbol, else where it was after all.
  void placeKept(const LabelGroup& g) {
    if (g.texts.empty()) {
      keep(g, 0, 0);
      return;
    }
    const LabelBox t = textBounds(g);
    const LabelBox s = g.symbol >= 0 ? box(g, g.symbol) : t;
    const double w = t.right - t.left, h = t.bottom - t.top, tx = (t.left + t.right) / 2;
    std::vector<std::array<double, 2>> moves{{0, 0}};
    if (g.symbol >= 0) {
      moves.push_back({s.left - 1 - t.right, 0});
      moves.push_back({(s.left + s.right) / 2 - tx, s.top - 1 - t.bottom});
      moves.push_back({(s.left + s.right) / 2 - tx, s.bottom + 1 - t.top});
    } else {
      for (const auto& d : kAround) moves.push_back({d[0] * h, d[1] * h});
    }
    for (const auto& m : moves)
      if (textsFit(g, t, std::round(m[0]), std::round(m[1]))) {
        keep(g, std::round(m[0]), std::round(m[1]));
        return;
      }
    // The leader's end: the symbol's middle; the box's near corner or edge
    // `reach` from it in one of eight directions.
    const double ax = (s.left + s.right) / 2, ay = (s.top + s.bottom) / 2;
    for (const double reach : {2 * h, 3.5 * h, 5 * h})
      for (const auto& d : kAround) {
        const double left = d[0] > 0 ? ax + reach : d[0] < 0 ? ax - reach - w : ax - w / 2;
        const double top = d[1] > 0 ? ay + reach : d[1] < 0 ? ay - reach - h : ay - h / 2;
        const double dx = std::round(left - t.left), dy = std::round(top - t.top);
        if (!textsFit(g, t, dx, dy)) continue;
        keep(g, dx, dy);
        LabelDecision& first = decision(g, g.texts[0]);
        first.leader = true;
        // A symbol spans x - r ... x + r + 1.
        first.fromX = static_cast<int>(std::floor(ax)), first.fromY = static_cast<int>(std::floor(ay));
        first.toX = static_cast<int>(std::lround(std::clamp(ax, t.left + dx, t.right + dx)));
        first.toY = static_cast<int>(std::lround(std::clamp(ay, t.top + dy, t.bottom + dy)));
        ++plan.leaders;
        return;
      }
    keep(g, 0, 0);
  }

  void place(const LabelGroup& g) {
    if (g.cls == LabelClass::Kept) {
      placeKept(g);
      return;
    }
    if (g.cls == LabelClass::Always || g.mark || fits(g, 0, 0)) {
      keep(g, 0, 0);
      return;
    }
    const bool movable = g.symbol >= 0 && g.texts.size() == 1 && !box(g, g.texts[0]).turned;
    if (movable && placeBeside(g)) return;
    const bool letter = g.cls == LabelClass::TrackLetter && g.symbol < 0 && g.texts.size() == 1;
    if (letter && placeNearby(g)) return;
    for (const int t : g.texts) decision(g, t).keep = false;
    plan.textsDropped += static_cast<int>(g.texts.size());
    if (g.symbol < 0) return;
    if (placer.fits(box(g, g.symbol))) {
      placer.insert(box(g, g.symbol));
    } else {
      decision(g, g.symbol).keep = false;
      ++plan.symbolsDropped;
    }
  }
};

}  // namespace

LabelPlan planLabels(const LabelRecord& record, int width, int height) {
  LabelPlan plan;
  for (int layer = 0; layer < static_cast<int>(LabelLayer::Count); ++layer)
    plan.layers[layer].resize(record.events[layer].size());
  Planner planner{record, plan, LabelPlacer(width, height)};
  for (const LabelBox& ground : record.grounds) planner.placer.insert(ground);

  std::vector<int> order(record.groups.size());
  std::iota(order.begin(), order.end(), 0);
  // Class by class, each class's marks after its labels.
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const LabelGroup &x = record.groups[a], &y = record.groups[b];
    return x.cls != y.cls ? x.cls < y.cls : x.mark < y.mark;
  });
  for (const int g : order) planner.place(record.groups[g]);
  return plan;
}

}  // namespace korvant
