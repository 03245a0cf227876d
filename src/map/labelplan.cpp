#include "map/labelplan.h"

#include <algorithm>
#include <numeric>

namespace korvant {

namespace {

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

  void place(const LabelGroup& g) {
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
