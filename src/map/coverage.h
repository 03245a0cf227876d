#pragma once
// Where the day's tracks and the plotted route lie on the surface, as
// weighted points: their lines sampled every few pixels, their ends (where
// the track letters stand) and the route's points counting as many as a
// whole line. A block of text is put where it covers least.
#include <vector>

#include "map/canvas.h"
#include "map/paintcontext.h"
#include "procedures/plottedroute.h"
#include "tracks/tracksets.h"

namespace korvant {

class MapCoverage {
 public:
  // The tracks drawn (those valid at `validAt` when only those are) and the route.
  MapCoverage(const PaintContext& paint, const TrackSets& tracks, const PlottedRoute* route, std::time_t validAt);

  // The weight of what lies within `r`; an end or a route point within a
  // line's height of it counts, as its label reaches that far.
  long within(const Rect& r) const;

 private:
  static constexpr int END_WEIGHT = 1000;

  struct Point {
    int x, y, weight;
  };
  void sampleLine(const DevicePoint& a, const DevicePoint& b);

  std::vector<Point> points_;
  int reach_;
};

}  // namespace korvant
