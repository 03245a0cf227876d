// Where the sun sets and rises: the terminator (90 degrees 50 minutes from
// the subsolar point), the civil twilight line (96 degrees) and the
// terminators of the next six whole hours, each a chain of 120 great-circle
// destination points, the hours written where their curve leaves the map.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "geo/greatcircle.h"
#include "map/layers/layers.h"
#include "sky/sunposition.h"
#include "sky/terminatortime.h"

namespace korvant {

namespace {

constexpr double TERMINATOR_NM = 5459.84473111111;
constexpr double TWILIGHT_NM = 5770.56;
constexpr int LABEL_SLOTS = 4;

struct Pen {
  Color color;
  int width;
  PenStyle style;
};

// The points at one distance round the subsolar point: the great-circle
// destination formula with the centre's and the distance's sines worked out
// once for the curve's 121 points.
class DistanceCircle {
 public:
  DistanceCircle(const LatLng& centre, double nm) : lng_(degMinToRadians(centre.lng)) {
    const double lat = degMinToRadians(centre.lat), d = nm / NM_PER_DEGREE * (PI / 180);
    sinLat_ = std::sin(lat);
    cosLat_ = std::cos(lat);
    sinD_ = std::sin(d);
    cosD_ = std::cos(d);
  }
  LatLng at(double course) const {
    const double c = course * (PI / 180);
    const double sc = std::sin(c), cc = std::cos(c);
    const double s = std::clamp(sinLat_ * cosD_ + cosLat_ * sinD_ * cc, -1.0, 1.0);
    double lng = lng_ + std::atan2(sc * sinD_, cosLat_ * cosD_ - sinLat_ * sinD_ * cc);
    if (lng > PI) lng -= 2 * PI;
    if (lng < -PI) lng += 2 * PI;
    return {radiansToDegMin(std::asin(s)), radiansToDegMin(lng)};
  }

 private:
  double lng_, sinLat_, cosLat_, sinD_, cosD_;
};

struct Label {
  int x, y;
  int course;
};

bool inside(int x, int y, int w, int h) { return x >= 0 && x < w && y >= 0 && y < h; }

// The segment cut to the rectangle 0 ... w-1, 0 ... h-1 in whole device
// units, the slopes scaled by 256; false when nothing of it is inside.
bool clipSegment(int& x1, int& y1, int& x2, int& y2, int w, int h) {
  const int right = w - 1, bottom = h - 1;
  for (int round = 0; round < 8; ++round) {
    const bool in1 = inside(x1, y1, w, h), in2 = inside(x2, y2, w, h);
    if (in1 && in2) return true;
    if ((x1 < 0 && x2 < 0) || (x1 > right && x2 > right) || (y1 < 0 && y2 < 0) || (y1 > bottom && y2 > bottom))
      return false;
    int& ox = in1 ? x2 : x1;
    int& oy = in1 ? y2 : y1;
    const int px = in1 ? x1 : x2, py = in1 ? y1 : y2;
    const long long dx = static_cast<long long>(ox) - px, dy = static_cast<long long>(oy) - py;
    if (ox < 0 || ox > right) {
      if (dx == 0) return false;
      const int edge = ox < 0 ? 0 : right;
      oy = static_cast<int>(py + ((dy * 256) / dx * (edge - px)) / 256);
      ox = edge;
    } else {
      if (dy == 0) return false;
      const int edge = oy < 0 ? 0 : bottom;
      ox = static_cast<int>(px + ((dx * 256) / dy * (edge - py)) / 256);
      oy = edge;
    }
  }
  return inside(x1, y1, w, h) && inside(x2, y2, w, h);
}

class CurveSet {
 public:
  CurveSet(PaintContext& paint, int steps) : paint_(paint), steps_(steps) {
    const TextMetrics m = paint.canvas.textMetrics();
    h_ = m.height + m.externalLeading;
    w_ = m.averageCharWidth;
  }

  // One moment's curves; labels only for the terminator of the next hours.
  void draw(std::time_t t, bool terminator, const Pen& terminatorPen, bool twilight, const Pen& twilightPen,
            bool labels) {
    const std::optional<SunPosition> sun = sunPosition(t);
    if (!sun) return;  // no sun for that moment: nothing to draw
    const LatLng subsolar{degreesToDegMin(sun->declination), degreesToDegMin(sun->subsolarLongitude)};
    const DistanceCircle circles[2] = {{subsolar, TERMINATOR_NM}, {subsolar, TWILIGHT_NM}};
    DevicePoint previous[2] = {paint_.projection.toDevice(circles[0].at(0)),
                               paint_.projection.toDevice(circles[1].at(0))};
    std::array<Label, LABEL_SLOTS> slots{};
    int used = 0;
    const int step = 360 / steps_;
    for (int i = 1; i <= steps_; ++i) {
      const int course = i * step;
      for (int curve = 0; curve < 2; ++curve) {
        const bool on = curve == 0 ? terminator : twilight;
        if (!on) continue;  // a curve not drawn needs no points
        DevicePoint p = paint_.projection.toDevice(circles[curve].at(course));
        p.visible = p.visible && paint_.projection.nearSurface(p.x, p.y, 2);
        DevicePoint& q = previous[curve];
        if (p.visible && q.visible) {
          const Pen& pen = curve == 0 ? terminatorPen : twilightPen;
          paint_.canvas.selectPen(pen.color, pen.width, pen.style);
          paint_.canvas.moveTo(q.x, q.y);
          paint_.canvas.lineTo(p.x, p.y);
          if (curve == 0 && labels &&
              inside(q.x, q.y, paint_.width, paint_.height) != inside(p.x, p.y, paint_.width, paint_.height))
            placeLabel(q, p, course, slots, used);
        }
        q = p;
      }
    }
    if (used == 0) return;
    std::tm fields{};
    if (!gmtime_r(&t, &fields)) return;
    for (int i = 0; i < used; ++i) {
      char text[16];
      std::snprintf(text, sizeof text, "%c%02dZ", slots[i].course < 181 ? 'S' : 'R', fields.tm_hour);
      paint_.canvas.textOut(slots[i].x, slots[i].y, text);
    }
  }

 private:
  void placeLabel(const DevicePoint& a, const DevicePoint& b, int course, std::array<Label, LABEL_SLOTS>& slots,
                  int& used) {
    if (used >= LABEL_SLOTS) return;  // a fifth crossing is left out
    int x1 = a.x, y1 = a.y, x2 = b.x, y2 = b.y;
    const bool firstOutside = !inside(a.x, a.y, paint_.width, paint_.height);
    if (!clipSegment(x1, y1, x2, y2, paint_.width, paint_.height)) return;
    const int x = firstOutside ? x1 : x2, y = firstOutside ? y1 : y2;
    const int W = paint_.width, H = paint_.height;
    Label label{x, y, course};
    if (x == 0)
      label = {h_, y + w_, course};
    else if (x == W - 1)
      label = {W - 1 - h_, y + w_, course};
    else if (y == 0)
      label = {x, 3 * w_, course};
    else
      label = {x, H - 1 + w_ / 4, course};
    slots[used++] = label;
  }

  PaintContext& paint_;
  int steps_;
  int h_ = 0, w_ = 0;
};

// The moments drawn, read from the clock when the paint was asked for.
struct TerminatorInputs {
  int steps = TERMINATOR_STEPS;
  std::time_t at = 0;         // the terminator's and twilight's
  std::time_t firstHour = 0;  // the first of the next six hours
  bool operator==(const TerminatorInputs&) const = default;
};

}  // namespace

LayerInputs takeTerminator(const PaintInput& input) {
  const LayerSwitches& sw = input.switches;
  if (!(sw.showTerminator || sw.showCivilTwilight || sw.showNext6Hours)) return nullptr;
  return layerInputs(TerminatorInputs{input.terminator.steps, effectiveTerminatorTime(input.terminator, *input.clock),
                                      firstNextHour(input.terminator, *input.clock)});
}

void drawTerminatorLayers(PaintContext& paint) {
  const LayerSwitches& sw = paint.switches();
  const TerminatorInputs& in = paint.in<TerminatorInputs>();
  MapCanvas& canvas = paint.canvas;
  canvas.selectFont(paint.fonts.small);
  canvas.setTextColor(colors::black);
  canvas.setTextAlign({HAlign::Center, VAlign::Bottom});
  canvas.setBackgroundTransparent(true);
  const Pen grey{colors::grey, 2, PenStyle::Solid};
  const Pen terminator = paint.currentColor ? Pen{colors::yellow, 3, PenStyle::Solid} : grey;
  const Pen twilight =
      paint.currentColor ? Pen{colors::yellow, 1, PenStyle::Solid} : Pen{colors::grey, 1, PenStyle::Dash};
  const Pen hours = paint.currentColor ? Pen{colors::cyan, 3, PenStyle::Solid} : grey;
  CurveSet curves(paint, normaliseTerminatorSteps(in.steps));
  if (sw.showTerminator || sw.showCivilTwilight)
    curves.draw(in.at, sw.showTerminator, terminator, sw.showCivilTwilight, twilight, false);
  if (sw.showNext6Hours) {
    std::time_t t = in.firstHour;
    for (int hour = 0; hour < 6; ++hour) {
      curves.draw(t, true, hours, false, twilight, true);
      if (__builtin_add_overflow(t, std::time_t{3600}, &t)) break;  // past the clock's range: no more hours
    }
  }
  canvas.setTextAlign({HAlign::Left, VAlign::Top});
}

}  // namespace korvant
