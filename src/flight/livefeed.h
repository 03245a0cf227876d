#pragma once
// One simulator's stream of datagrams turned into the aircraft's states: the
// pieces X-Plane sends are joined, the time taken from the simulator's clock,
// a second sender and damaged datagrams counted and said once, and the
// stream's state (waiting, how many positions a second, silent) kept for the
// message bar. Plain C++: the sockets are the window's and korvant-plot's.
#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/result.h"
#include "flight/aircraftstate.h"
#include "flight/livesample.h"

namespace korvant {

enum class LiveSource { XPlane, XPlaneData, FlightGear };

struct LiveSettings {
  LiveSource source = LiveSource::XPlane;
  std::string host = "127.0.0.1";  // X-Plane's, asked with RREF requests
  int xplanePort = 49000;
  int livePort = 49003;  // where Data Output and FlightGear's lines arrive
  int rate = 5;          // RREF replies asked a second
};

// XPLANE, XPLANE-DATA, FLIGHTGEAR (any case).
std::optional<LiveSource> liveSourceByName(std::string_view name);
std::string_view liveSourceName(LiveSource source);

// korvant-plot's SOURCE: "xplane:HOST:PORT", "xplane-data:PORT",
// "flightgear:PORT"; the rest of `base` kept. Nothing when it is none.
std::optional<LiveSettings> parseLiveAddress(std::string_view text, LiveSettings base);

// The seconds of the UTC day a simulator gives, on the day of the system's
// clock nearest it: a flight over midnight, or a clock a little off, stays
// on the right day.
double utcFromZuluSeconds(double zuluSeconds, std::time_t systemNow);

struct LiveStatus {
  enum class State { Waiting, Receiving, Silent } state = State::Waiting;
  int positionsPerSecond = 0;  // in the last whole second
  int silentSeconds = 0;       // since the last datagram read
};

class LiveFeed {
 public:
  // No data for this long is said as silence, and X-Plane is asked again;
  // the sender followed that long silent gives way to the next that decodes.
  static constexpr double SILENT_AFTER_S = 10;
  static constexpr double ASK_AGAIN_S = 3;
  // A sender is followed for good once this many of its datagrams in a row
  // decode: a stray datagram before the simulator's does not lock it out.
  static constexpr int FOLLOWED_AFTER = 3;
  // A sample implying more than this from the last is set aside (no
  // aircraft flies it), unless so many in a row agree: a moved aircraft.
  static constexpr int MOVED_AFTER = 10;

  explicit LiveFeed(LiveSettings settings) : settings_(std::move(settings)) {}
  const LiveSettings& settings() const { return settings_; }
  // Only datagrams from this address (without its port) are taken: X-Plane's,
  // asked for its values. Empty takes any.
  void onlyFrom(std::string address) { onlyFrom_ = std::move(address); }

  // One datagram from `sender` ("address:port") at `steadySeconds` of a
  // monotonic clock; `systemNow` gives the date, or the time when the
  // simulator sends none. The aircraft's state when the datagram completes
  // one.
  std::optional<AircraftState> accept(std::span<const std::uint8_t> datagram, std::string_view sender,
                                      double steadySeconds, std::time_t systemNow);

  LiveStatus status(double steadySeconds) const;
  // X-Plane is to be asked (again) for its values: at the start, and every
  // few seconds while it sends nothing.
  bool requestDue(double steadySeconds);

  // What is to be said once: the first refused datagram, a second sender,
  // the system clock used for want of the simulator's.
  Problems takeNotes();
  // A problem of the link's own (a host that is not there), said with the feed's.
  void note(Problem problem) { notes_.push_back(std::move(problem)); }
  long long refused() const { return refused_; }
  long long fromOthers() const { return fromOthers_; }
  long long setAside() const { return setAside_; }
  const std::optional<AircraftState>& last() const { return last_; }

 private:
  Result<LiveSample> decode(std::span<const std::uint8_t> datagram) const;
  void countPosition(double steadySeconds);
  bool followed(std::string_view sender, bool decodes, double steadySeconds);
  bool impossibleFromLast(const AircraftState& state);

  LiveSettings settings_;
  LiveSample held_;
  std::optional<AircraftState> last_;
  std::string sender_;  // the one followed
  std::string onlyFrom_;
  int decodedInRow_ = 0;  // of the sender followed
  int asideInRow_ = 0;    // samples set aside one after the other
  long long setAside_ = 0;
  bool saidAside_ = false;
  std::optional<double> lastData_, lastRequest_;
  long long second_ = -1;  // the whole second being counted
  int inSecond_ = 0, lastSecondCount_ = 0;
  long long refused_ = 0, fromOthers_ = 0;
  bool saidRefused_ = false, saidOther_ = false, saidClock_ = false, saidGeometric_ = false;
  Problems notes_;
};

}  // namespace korvant
