#pragma once
// Where the aircraft has been: a point every ten seconds or on a turn of two
// degrees, a day at most. Kept as text in the work folder between runs and
// exported as a GPX track.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "flight/aircraftstate.h"
#include "geo/spherecap.h"

namespace korvant {

struct TrailPoint {
  LatLng position;
  double altitudeFt = 0;
  double utc = 0;
  double trackDeg = 0;

  bool operator==(const TrailPoint&) const = default;
};

class FlightTrail {
 public:
  static constexpr double EVERY_S = 10;
  static constexpr double TURN_DEG = 2;
  static constexpr double KEPT_S = 86400;
  // Turning all day at many samples a second must not grow it without end.
  static constexpr std::size_t MOST_POINTS = 40000;

  // A point this far in time from the last kept is out of step: held until
  // the next shows whether the clock really moved (a new flight) or the
  // point was wrong (a line dated 2199), which is set aside.
  static constexpr double OUT_OF_STEP_S = 3600;

  // True when the state was kept as a point.
  bool add(const AircraftState& state);
  // False when the point was held or set aside.
  bool add(const TrailPoint& point);
  void clear() {
    points_.clear();
    held_.reset();
    dropped_ = 0;
    firstRun_ = 0;
    runCaps_.clear();
  }
  std::size_t setAside() const { return setAside_; }
  bool held() const { return held_.has_value(); }
  void dropHeld() {
    if (held_) ++setAside_;
    held_.reset();
  }
  const std::vector<TrailPoint>& points() const { return points_; }
  bool empty() const { return points_.empty(); }

  // The trail in runs of RUN_POINTS points, counted from the trail's
  // beginning so that trimming its front moves no run: each the points
  // [first, end) of points() (its first the last point of the run before,
  // so that every line lies in one run) and a cap holding them and the
  // lines between them. A paint of a small area projects the runs that may
  // reach it alone.
  static constexpr std::size_t RUN_POINTS = 64;
  struct Run {
    std::size_t first = 0, end = 0;
    SphereCap cap;
  };
  std::vector<Run> runs() const;

 private:
  void trim();
  // The cap of the run holding the point last added, made again.
  void capLastRun();
  std::vector<TrailPoint> points_;
  std::size_t dropped_ = 0;   // points trimmed from the front since the trail began
  std::size_t firstRun_ = 0;  // the number of the run runCaps_ begins with
  std::vector<SphereCap> runCaps_;
  std::optional<TrailPoint> held_;  // out of step with the last kept, waiting for the next
  std::size_t setAside_ = 0;
};

// The trail file: a heading line, then one point a line: UTC seconds,
// latitude and longitude in decimal degrees, altitude in feet, track.
inline constexpr const char* TRAIL_FILE_NAME = "TRAIL.TXT";
inline constexpr std::size_t TRAIL_FILE_LIMIT = 8 * 1024 * 1024;
std::string trailText(const FlightTrail& trail);
// Lines that are no point are passed over, said once with their count.
Result<FlightTrail> readTrailText(std::string_view text);

// A GPX 1.1 document of one track with a time and an elevation at each point.
std::string trailGpx(const FlightTrail& trail, std::string_view name);

}  // namespace korvant
