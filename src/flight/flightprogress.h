#pragma once
// The aircraft along its route: which points it has passed and when, which
// is next, how far each remaining point lies along the route and when the
// aircraft will be there at its present ground speed. A point is passed once
// the aircraft is abeam it or beyond, measured along the leg that leads to
// it; the time over it is interpolated between the two samples either side.
#include <cstddef>
#include <optional>
#include <vector>

#include "flight/aircraftstate.h"
#include "flight/flightroute.h"

namespace korvant {

struct PointAhead {
  std::size_t index = 0;
  double distanceNm = 0;         // along the route from the aircraft
  std::optional<double> etaUtc;  // none while the aircraft stands still
};

class FlightProgress {
 public:
  // Slower than this the aircraft is taxiing or parked: no ETA.
  static constexpr double MOVING_KT = 30;

  explicit FlightProgress(FlightRoute route);

  void update(const AircraftState& now);

  const FlightRoute& route() const { return route_; }
  // The index of the next point; the route's size once all are passed.
  std::size_t next() const { return next_; }
  // The time over each point passed while watched; none for points passed
  // before the first sample.
  const std::vector<std::optional<double>>& timesOver() const { return ata_; }
  // Every point not yet passed, the next first.
  std::vector<PointAhead> ahead() const;
  const std::optional<AircraftState>& aircraft() const { return last_; }

 private:
  // How far past point `i` the aircraft at `at` is, NM: negative before it.
  double beyond(std::size_t i, const LatLng& at, double trackDeg) const;

  FlightRoute route_;
  std::vector<double> legNm_;  // legNm_[i] joins points i and i + 1
  std::vector<std::optional<double>> ata_;
  std::size_t next_ = 0;
  std::optional<AircraftState> last_;
};

}  // namespace korvant
