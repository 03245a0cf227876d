#include "map/routedrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "base/textops.h"
#include "geo/greatcircle.h"
#include "map/symbols.h"
#include "sky/legcourse.h"
#include "tracks/trackvalidity.h"

namespace korvant {

RouteDrawer::RouteDrawer(PaintContext& paint, const RouteSources& sources, const LatLng& reference)
    : paint_(paint),
      sources_(sources),
      lines_(paint),
      angles_(paint.canvas),
      reference_(reference),
      routeFont_(paint.canvas.currentFont()) {}

void RouteDrawer::drawTrackLetters(const std::string& text) {
  const std::size_t n = routePoints_.size();
  if (n < 2) return;
  const LatLng &first = routePoints_[0], &second = routePoints_[1];
  const LatLng &beforeLast = routePoints_[n - 2], &last = routePoints_[n - 1];
  MapCanvas& canvas = paint_.canvas;
  canvas.selectFont(routeFont_);
  lastAngle_.reset();
  const TextMetrics m = canvas.textMetrics();
  const double away = 1.2 * m.height;
  canvas.setTextAlign({HAlign::Center, VAlign::Baseline});
  canvas.setLabelClass(LabelClass::TrackLetter);
  for (const auto& [end, inner] : {std::pair{first, second}, std::pair{last, beforeLast}}) {
    const DevicePoint e = paint_.projection.toDevice(end);
    const DevicePoint i = paint_.projection.toDevice(inner);
    if (!e.visible || !i.visible || !paint_.projection.nearSurface(e.x, e.y, 0)) continue;
    double dx = e.x - i.x, dy = e.y - i.y;
    const double norm = std::hypot(dx, dy);
    if (norm < 1) continue;
    dx /= norm;
    dy /= norm;
    canvas.textOut(static_cast<int>(std::lround(e.x + dx * away)),
                   static_cast<int>(std::lround(e.y + dy * away + m.ascent / 2.0)), text);
  }
  canvas.setLabelClass(LabelClass::Track);
}

void RouteDrawer::selectRoutePen(RouteKind kind, int penWidth) {
  if (kind == RouteKind::Eastbound) {
    penColor_ = paint_.pick(colors::red, colors::black);
    penWidth_ = paint_.currentColor ? penWidth : 1;
    penStyle_ = paint_.currentColor ? PenStyle::Solid : PenStyle::DashDot;
  } else if (kind == RouteKind::Westbound) {
    penColor_ = colors::black;
    penWidth_ = paint_.currentColor ? penWidth : 1;
    penStyle_ = paint_.currentColor ? PenStyle::Solid : PenStyle::DashDotDot;
  } else {
    penColor_ = paint_.pick(colors::green, colors::black);
    penWidth_ = penWidth;
    penStyle_ = PenStyle::Solid;
  }
  paint_.canvas.selectPen(penColor_, penWidth_, penStyle_);
}

void RouteDrawer::drawTrackRoutes(const TrackModel& tracks) {
  const LayerSwitches& sw = paint_.switches();
  // On paper the screen's two pixels: a hairline fades, and a heavier line
  // hides the fixes' symbols along it.
  const int penWidth = paint_.printing ? paint_.penWidth(2) : paint_.width < 1281 ? 1 : 2;
  std::optional<std::time_t> validAtTime;
  if (sw.validTracksOnly) validAtTime = sources_.validAt;
  const bool symbols = paint_.switches().symbolsNonDafif;
  for (int slot = 0; slot < TRACK_SLOTS; ++slot) {
    // The chain the reader resolved: the map shows the fixes the report and
    // the exports name.
    const std::vector<TrackFix>& chain = tracks.chains[slot];
    if (chain.empty()) continue;
    if (validAtTime && !validAt(tracks, slot, *validAtTime)) continue;
    const bool westbound = isWestboundSlot(slot);
    if (!(westbound ? sw.routeGroup[1] : sw.routeGroup[0])) continue;
    routePoints_.clear();
    selectRoutePen(westbound ? RouteKind::Westbound : RouteKind::Eastbound, penWidth);
    for (std::size_t i = 1; i < chain.size(); ++i)
      drawLegBetween(chain[i - 1].position, chain[i].position, LineType::GreatCircle, 100, 1, sw.routeBearings,
                     sw.routeDistances, symbols);
    // A Pacific or Australian track by its own name ("1", "SY16"), a North
    // Atlantic one by its letter.
    const std::string& name = tracks.names[slot];
    drawTrackLetters(name.empty() ? std::string(1, static_cast<char>('A' + slot)) : name);
  }
}

void RouteDrawer::drawRoute(RouteKind kind, int penWidth, LineType type, std::string_view route, int offset,
                            bool courseLabels, bool distanceLabels) {
  if (kind == RouteKind::BothWays) {
    drawRoute(RouteKind::Eastbound, penWidth, type, route, offset, courseLabels, distanceLabels);
    std::string reversed, rest(route);
    for (std::string w = nextWord(rest); !w.empty(); w = nextWord(rest)) reversed = w + " " + reversed;
    drawRoute(RouteKind::Westbound, penWidth, type, reversed, offset, courseLabels, distanceLabels);
    return;
  }
  selectRoutePen(kind, penWidth);
  const bool symbols = paint_.switches().symbolsNonDafif;
  std::string rest(route), previous = "***";
  for (std::string word = nextWord(rest); !word.empty(); word = nextWord(rest)) {
    drawLeg(previous, word, type, 100, offset, courseLabels, distanceLabels, symbols);
    previous = std::move(word);
  }
}

void RouteDrawer::drawLeg(std::string_view first, std::string_view second, LineType type, double reach, int offset,
                          bool courseLabels, bool distanceLabels, bool symbols) {
  const FixStore& fixes = sources_.fixes;
  LatLng a, b;
  const bool haveFirst = fixes.resolvePositionWithAlias(first, reference_, a);
  const bool haveSecond = fixes.resolvePositionWithAlias(second, reference_, b);
  if (haveSecond) reference_ = b;
  if (haveFirst && haveSecond) drawLegBetween(a, b, type, reach, offset, courseLabels, distanceLabels, symbols);
}

void RouteDrawer::drawLegBetween(const LatLng& a, const LatLng& b, LineType type, double reach, int offset,
                                 bool courseLabels, bool distanceLabels, bool symbols) {
  if (routePoints_.empty()) routePoints_.push_back(a);
  routePoints_.push_back(b);
  const LegCourse leg = legCourse(a, b, sources_.magnetic);
  const LegLabels labels{courseLabels,
                         distanceLabels,
                         leg.courseTenths,
                         leg.isTrue,
                         leg.midpoint,
                         leg.distance,
                         paint_.switches().kilometerDistances,
                         ""};
  drawLabelledLine(type, a, b, reach, offset, labels, leg.trueCourse, symbols);
}

void RouteDrawer::drawLabelledLine(LineType type, const LatLng& a, const LatLng& b, double reach, int offset,
                                   const LegLabels& labels, double trueCourse, bool symbols, int angleStep) {
  MapCanvas& canvas = paint_.canvas;
  const Projection& proj = paint_.projection;
  const DevicePoint p = proj.toDevice(a), q = proj.toDevice(b);
  const bool pOn = p.visible && proj.nearSurface(p.x, p.y, 0), qOn = q.visible && proj.nearSurface(q.x, q.y, 0);

  if ((labels.course || labels.distance) && pOn && qOn) {
    // Along the leg as it lies on the surface, upright: -900 ... 900.
    int dx = q.x - p.x, dy = q.y - p.y;
    if (dx < 0) {
      dx = -dx;
      dy = -dy;
    }
    int angle = static_cast<int>(std::lround(-10 * std::atan2(double(dy), double(dx)) * DEGREES_PER_RADIAN));
    while (angle > 900) angle -= 1800;
    while (angle < -900) angle += 1800;
    if (!lastAngle_ || std::abs(angle - *lastAngle_) > angleStep) {
      angles_.select(angle);
      lastAngle_ = angle;
    }
  }

  const TextMetrics metrics = canvas.textMetrics();
  const int w = metrics.averageCharWidth;
  if (symbols) {
    const Color c = paint_.pick(colors::blue, colors::black);
    if (p.visible) drawTriangle(canvas, p.x, p.y, w, c);
    if (q.visible) drawTriangle(canvas, q.x, q.y, w, c);
    canvas.selectPen(penColor_, penWidth_, penStyle_);
  }

  const double length = std::hypot(double(q.x - p.x), double(q.y - p.y));
  if (labels.distance && length > 3 * w) {
    const DevicePoint m = proj.toDevice(labels.anchor);
    if (m.visible) {
      const double shown = labels.kilometres ? labels.distanceNm * KM_PER_NM : labels.distanceNm;
      canvas.setTextAlign({HAlign::Center, VAlign::Bottom});
      canvas.textOut(m.x, m.y, std::to_string(static_cast<long>(std::lround(shown))));
      if (length > 4 * w && !labels.name.empty()) {
        canvas.setTextAlign({HAlign::Center, VAlign::Top});
        canvas.textOut(m.x, m.y, labels.name);
      }
    }
  }
  if (labels.course && length > (labels.isTrue ? 15 : 13) * w && p.visible) {
    canvas.setTextAlign({q.x < p.x ? HAlign::Right : HAlign::Left, VAlign::Bottom});
    canvas.textOut(p.x, p.y, courseLabelText(labels.courseTenths, labels.isTrue));
  }

  lines_.drawLine(type, a, b, reach, offset, trueCourse);
}

void RouteDrawer::drawRouteSets() {
  const LayerSwitches& sw = paint_.switches();
  FixSection section = sources_.fixes.openSection(FixSectionId::RouteSets);
  RouteSet set;
  while (section.readRouteSet(set)) {
    const int routeClass = set.routeClass();
    if (routeClass >= 2 && routeClass <= 7 && !sw.routeGroup[routeClass]) continue;
    const bool both = set.pen6() && set.pen7();
    if (set.pen6() || set.pen7()) {
      penColor_ = set.pen6() ? paint_.pick(colors::red, colors::black) : colors::black;
      penWidth_ = 1;
      penStyle_ = PenStyle::Solid;
      paint_.canvas.selectPen(penColor_, penWidth_, penStyle_);
    }
    for (int i = 1; i < set.count; ++i) {
      const RouteSetPoint& from = set.points[i - 1];
      const RouteSetPoint& to = set.points[i];
      // A negative course word is a true course.
      const LegLabels forward{sw.routeBearings, sw.routeDistances, std::abs(int(to.value3)), to.value3 < 0,
                              to.labelAnchor,   to.value1 * 0.05,  sw.kilometerDistances,    set.designator};
      drawLabelledLine(LineType::GreatCircle, from.position, to.position, 10, both ? 1 : 0, forward, -1, false, 30);
      if (both) {
        paint_.canvas.selectPen(colors::black, 1, PenStyle::Solid);
        const LegLabels backward{sw.routeBearings, false, int(to.value2),        false,
                                 to.labelAnchor,   0,     sw.kilometerDistances, ""};
        drawLabelledLine(LineType::GreatCircle, to.position, from.position, 10, 1, backward, -1, false, 30);
        paint_.canvas.selectPen(penColor_, penWidth_, penStyle_);
      }
    }
  }
}

}  // namespace korvant
