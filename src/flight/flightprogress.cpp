#include "flight/flightprogress.h"

#include <algorithm>
#include <cmath>

#include "geo/greatcircle.h"

namespace korvant {

FlightProgress::FlightProgress(FlightRoute route) : route_(std::move(route)), ata_(route_.points.size()) {
  for (std::size_t i = 0; i + 1 < route_.points.size(); ++i)
    legNm_.push_back(distanceNm(route_.points[i].position, route_.points[i + 1].position));
}

double FlightProgress::beyond(std::size_t i, const LatLng& at, double trackDeg) const {
  const auto& p = route_.points;
  // Along the leg that leads to the point; the first point along the one
  // that leaves it.
  if (i > 0 && legNm_[i - 1] > 0) return alongTrackNm(p[i - 1].position, p[i].position, at) - legNm_[i - 1];
  if (i + 1 < p.size() && legNm_[i] > 0) return alongTrackNm(p[i].position, p[i + 1].position, at);
  // A route of one point: abeam it across the aircraft's own track.
  const CourseDistance toPoint = courseAndDistance(at, p[i].position);
  return -toPoint.distance * std::cos((toPoint.course - trackDeg) * PI / 180);
}

void FlightProgress::update(const AircraftState& now) {
  // A point is passed only by the flight between the two samples: one that
  // lies farther along the route than the aircraft flew, or could fly in the
  // time between, is not.
  const double flown =
      last_ ? std::min(distanceNm(last_->position, now.position), mostFlownNm(now.utc - last_->utc)) : 0;
  double along = last_ && next_ < route_.points.size() ? distanceNm(last_->position, route_.points[next_].position) : 0;
  while (next_ < route_.points.size()) {
    const double after = beyond(next_, now.position, now.trackDeg);
    if (after < 0) break;
    if (last_ && along > flown * 1.1 + 10) break;
    if (last_) {
      const double before = beyond(next_, last_->position, last_->trackDeg);
      if (before < 0 && now.utc >= last_->utc)
        ata_[next_] = last_->utc + (now.utc - last_->utc) * -before / (after - before);
    }
    if (next_ < legNm_.size()) along += legNm_[next_];
    ++next_;
  }
  last_ = now;
}

std::vector<PointAhead> FlightProgress::ahead() const {
  std::vector<PointAhead> out;
  if (!last_ || next_ >= route_.points.size()) return out;
  double along = distanceNm(last_->position, route_.points[next_].position);
  for (std::size_t i = next_; i < route_.points.size(); ++i) {
    if (i > next_) along += legNm_[i - 1];
    PointAhead a{i, along, std::nullopt};
    if (last_->groundSpeedKt >= MOVING_KT) a.etaUtc = last_->utc + along / last_->groundSpeedKt * 3600;
    out.push_back(a);
  }
  return out;
}

}  // namespace korvant
