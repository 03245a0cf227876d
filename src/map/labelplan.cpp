#include "map/labelplan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace korvant {

namespace {

// Eight directions: the four sides first, then the corners.
constexpr double kAround[8][2] = {{1, 0}, {-1, 0}, {0, -1}, {0, 1}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}};

// What the placer holds besides texts: the symbols that stay whatever
// comes later (a route's points, the marks along a track or procedure),
// placed before any label so that none is written under them.
constexpr unsigned kKeptSymbol = 1;
constexpr unsigned markOf(LabelClass cls) { return 2u << static_cast<int>(cls); }
constexpr unsigned kAnyStandingSymbol = ~0u;

struct Planner {
  const LabelRecord& record;
  LabelPlan& plan;
  LabelPlacer placer;

  static bool standing(const LabelGroup& g) { return g.symbol >= 0 && (g.mark || g.cls == LabelClass::Kept); }

  void placeStandingSymbols() {
    for (const LabelGroup& g : record.groups)
      if (standing(g)) placer.insert(box(g, g.symbol), g.mark ? markOf(g.cls) : kKeptSymbol);
  }

  const LabelBox& box(const LabelGroup& g, int event) const { return record.events[static_cast<int>(g.layer)][event]; }
  LabelDecision& decision(const LabelGroup& g, int event) { return plan.layers[static_cast<int>(g.layer)][event]; }

  // A group's texts may be written across the marks of their own class,
  // and of the classes in `ignore`.
  bool fits(const LabelGroup& g, double dx, double dy, unsigned ignore = 0) const {
    if (g.symbol >= 0 && !standing(g) && !placer.fits(box(g, g.symbol))) return false;
    const bool still = dx == 0 && dy == 0;
    return std::all_of(g.texts.begin(), g.texts.end(), [&](int t) {
      return placer.fits(still ? box(g, t) : box(g, t).shifted(dx, dy), markOf(g.cls) | ignore);
    });
  }

  void keep(const LabelGroup& g, double dx, double dy) {
    if (g.symbol >= 0 && !standing(g)) placer.insert(box(g, g.symbol));
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
  bool keepAtFirstThatFits(const LabelGroup& g, const double (&moves)[N][2], unsigned ignore = 0) {
    for (const auto& m : moves)
      if (fits(g, m[0], m[1], ignore)) {
        keep(g, m[0], m[1]);
        return true;
      }
    return false;
  }

  // A track's letter where tracks end together: where it stands, else one
  // or two cells' height off in the first of eight directions that is free;
  // failing all, the same across the tracks' marks rather than not at all.
  bool placeLetter(const LabelGroup& g) {
    const LabelBox& t = box(g, g.texts[0]);
    const double h = t.bottom - t.top, f = 2 * h;
    const double moves[17][2] = {{0, 0},  {0, -h}, {0, h},  {-h, 0}, {h, 0},   {-h, -h}, {h, -h}, {-h, h}, {h, h},
                                 {0, -f}, {0, f},  {-f, 0}, {f, 0},  {-f, -f}, {f, -f},  {-f, f}, {f, f}};
    return keepAtFirstThatFits(g, moves) || keepAtFirstThatFits(g, moves, markOf(LabelClass::Track));
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

  // Whether the texts fit moved, clear of every symbol.
  bool textsFit(const LabelGroup& g, double dx, double dy) const {
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
      if (textsFit(g, std::round(m[0]), std::round(m[1]))) {
        keep(g, std::round(m[0]), std::round(m[1]));
        return;
      }
    // The leader's end: the symbol's middle; the box's near corner or edge
    // `reach` from it in one of eight directions. The line crosses no text
    // nor another leader, only symbols, which crowd where leaders are needed.
    const double ax = (s.left + s.right) / 2, ay = (s.top + s.bottom) / 2;
    // A symbol spans x - r ... x + r + 1.
    const int fromX = static_cast<int>(std::floor(ax)), fromY = static_cast<int>(std::floor(ay));
    for (const double reach : {2 * h, 3.5 * h, 5 * h, 7 * h})
      for (const auto& d : kAround) {
        const double left = d[0] > 0 ? ax + reach : d[0] < 0 ? ax - reach - w : ax - w / 2;
        const double top = d[1] > 0 ? ay + reach : d[1] < 0 ? ay - reach - h : ay - h / 2;
        const double dx = std::round(left - t.left), dy = std::round(top - t.top);
        const int toX = static_cast<int>(std::lround(std::clamp(ax, t.left + dx, t.right + dx)));
        const int toY = static_cast<int>(std::lround(std::clamp(ay, t.top + dy, t.bottom + dy)));
        const LabelBox line = LabelBox::line(fromX, fromY, toX, toY, 1);
        if (!textsFit(g, dx, dy) || !placer.fits(line, kAnyStandingSymbol)) continue;
        keep(g, dx, dy);
        placer.insert(line);
        LabelDecision& first = decision(g, g.texts[0]);
        first.leader = true;
        first.fromX = fromX, first.fromY = fromY, first.toX = toX, first.toY = toY;
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
    if (letter && placeLetter(g)) return;
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
  plan.layers.resize(record.events.size());
  for (std::size_t layer = 0; layer < record.events.size(); ++layer)
    plan.layers[layer].resize(record.events[layer].size());
  Planner planner{record, plan, LabelPlacer(width, height)};
  for (const LabelBox& ground : record.grounds) planner.placer.insert(ground);
  planner.placeStandingSymbols();

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
