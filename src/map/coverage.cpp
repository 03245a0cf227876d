#include "map/coverage.h"

#include <cmath>

#include "tracks/resolvedtrack.h"
#include "tracks/trackvalidity.h"

namespace korvant {

namespace {

constexpr int STEP = 8;  // pixels between samples along a line

}  // namespace

MapCoverage::MapCoverage(const PaintContext& paint, const TrackSets& sets, const PlottedRoute* route, std::time_t at)
    : reach_(paint.lineHeight) {
  const Projection& proj = paint.projection;
  const LayerSwitches& sw = paint.switches();
  const auto onSurface = [&](const DevicePoint& d) { return d.visible && proj.nearSurface(d.x, d.y, 0); };
  std::vector<DevicePoint> line;
  for (const TrackModel* set : sets.held()) {
    const TrackModel& tracks = *set;
    for (int slot = 0; slot < TRACK_SLOTS; ++slot) {
      if (tracks.slotTexts[slot].empty()) continue;
      if (!(isWestboundSlot(slot) ? sw.routeGroup[1] : sw.routeGroup[0])) continue;
      if (sw.validTracksOnly && !validAt(tracks, slot, at)) continue;
      line.clear();
      forEachTrackFix(tracks, slot,
                      [&](const std::string&, const LatLng& position) { line.push_back(proj.toDevice(position)); });
      for (std::size_t i = 1; i < line.size(); ++i) sampleLine(line[i - 1], line[i]);
      if (line.size() < 2) continue;
      // Each end, and its letter beyond it.
      for (const auto& [end, inner] :
           {std::pair{line.front(), line[1]}, std::pair{line.back(), line[line.size() - 2]}}) {
        if (!onSurface(end)) continue;
        points_.push_back({end.x, end.y, END_WEIGHT});
        const double dx = end.x - inner.x, dy = end.y - inner.y, norm = std::hypot(dx, dy);
        if (norm >= 1)
          points_.push_back({static_cast<int>(end.x + dx / norm * 1.2 * reach_),
                             static_cast<int>(end.y + dy / norm * 1.2 * reach_), END_WEIGHT});
      }
    }
  }
  if (route) {
    DevicePoint previous;
    for (std::size_t i = 0; i < route->points.size(); ++i) {
      const DevicePoint d = proj.toDevice(route->points[i].position);
      if (i > 0) sampleLine(previous, d);
      if (onSurface(d)) points_.push_back({d.x, d.y, END_WEIGHT});
      previous = d;
    }
  }
}

void MapCoverage::sampleLine(const DevicePoint& a, const DevicePoint& b) {
  if (!a.visible || !b.visible) return;
  const double length = std::hypot(double(b.x - a.x), double(b.y - a.y));
  // A line across the far side, or thrown wide by the projection, says
  // nothing about the surface.
  if (length > 1e5) return;
  const int n = static_cast<int>(length / STEP);
  for (int k = 0; k <= n; ++k) {
    const double f = n > 0 ? double(k) / n : 0;
    points_.push_back({static_cast<int>(a.x + f * (b.x - a.x)), static_cast<int>(a.y + f * (b.y - a.y)), 1});
  }
}

long MapCoverage::within(const Rect& r) const {
  long sum = 0;
  for (const Point& p : points_) {
    const int margin = p.weight > 1 ? reach_ : 0;
    if (p.x >= r.left - margin && p.x < r.right + margin && p.y >= r.top - margin && p.y < r.bottom + margin)
      sum += p.weight;
  }
  return sum;
}

}  // namespace korvant
