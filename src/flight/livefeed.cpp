#include "flight/livefeed.h"

#include <charconv>
#include <cmath>
#include <utility>

#include "base/textops.h"
#include "flight/livedatagram.h"
#include "geo/greatcircle.h"

namespace korvant {

namespace {

constexpr double kDay = 86400;

std::optional<int> portNumber(std::string_view text) {
  int port = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (ec != std::errc() || end != text.data() + text.size() || port < 1 || port > 65535) return std::nullopt;
  return port;
}

}  // namespace

std::optional<LiveSource> liveSourceByName(std::string_view name) {
  const std::string upper = toUpper(std::string(name));
  if (upper == "XPLANE") return LiveSource::XPlane;
  if (upper == "XPLANE-DATA") return LiveSource::XPlaneData;
  if (upper == "FLIGHTGEAR") return LiveSource::FlightGear;
  return std::nullopt;
}

std::string_view liveSourceName(LiveSource source) {
  switch (source) {
    case LiveSource::XPlane: return "XPLANE";
    case LiveSource::XPlaneData: return "XPLANE-DATA";
    case LiveSource::FlightGear: return "FLIGHTGEAR";
  }
  return {};
}

std::optional<LiveSettings> parseLiveAddress(std::string_view text, LiveSettings base) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::optional<LiveSource> source = liveSourceByName(text.substr(0, colon));
  if (!source) return std::nullopt;
  std::string_view rest = text.substr(colon + 1);
  base.source = *source;
  if (*source == LiveSource::XPlane) {
    // The host may be a name or an address; the port follows the last colon.
    const std::size_t last = rest.rfind(':');
    if (last == std::string_view::npos || last == 0) return std::nullopt;
    const std::optional<int> port = portNumber(rest.substr(last + 1));
    if (!port) return std::nullopt;
    base.host = std::string(rest.substr(0, last));
    base.xplanePort = *port;
    return base;
  }
  const std::optional<int> port = portNumber(rest);
  if (!port) return std::nullopt;
  base.livePort = *port;
  return base;
}

double utcFromZuluSeconds(double zuluSeconds, std::time_t systemNow) {
  const double now = static_cast<double>(systemNow);
  double utc = now - std::fmod(now, kDay) + zuluSeconds;
  if (utc - now > kDay / 2) utc -= kDay;
  if (now - utc > kDay / 2) utc += kDay;
  return utc;
}

Result<LiveSample> LiveFeed::decode(std::span<const std::uint8_t> datagram) const {
  if (settings_.source == LiveSource::FlightGear) {
    const std::string_view text(reinterpret_cast<const char*>(datagram.data()), datagram.size());
    return readFlightGearLine(text);
  }
  // X-Plane sends its Data Output rows to any address it is given, so either
  // kind may come to either socket; what is neither is said as not of the
  // kind the source sends.
  const auto headed = [&](const char* name) {
    return datagram.size() >= 4 && std::string_view(reinterpret_cast<const char*>(datagram.data()), 4) == name;
  };
  const bool data = settings_.source == LiveSource::XPlaneData ? !headed("RREF") : headed("DATA");
  return data ? readXPlaneData(datagram) : readXPlaneRref(datagram);
}

// The sender whose datagrams keep decoding is followed: the first that
// decodes until FOLLOWED_AFTER of its own in a row do, then for good, unless
// it falls silent (a simulator restarted on a new port) or keeps sending
// what does not decode.
bool LiveFeed::followed(std::string_view sender, bool decodes, double steadySeconds) {
  const bool silent = lastData_ && steadySeconds - *lastData_ >= SILENT_AFTER_S;
  const bool other = !sender_.empty() && sender != sender_;
  const bool allowed = onlyFrom_.empty() || sender.substr(0, sender.rfind(':')) == onlyFrom_;
  if (allowed && (sender_.empty() || (other && decodes && (decodedInRow_ < FOLLOWED_AFTER || silent)))) {
    if (other && decodedInRow_ >= FOLLOWED_AFTER)
      notes_.push_back({Reason::LiveSenderChanged, {}, 0, std::string(sender), 0, {}, sender_});
    if (other) {  // another aircraft's stream: nothing of the last one's carries over
      held_ = {};
      last_.reset();
      asideInRow_ = 0;
    }
    sender_ = sender;
    decodedInRow_ = 0;
    return true;
  }
  if (allowed && !other) return true;
  ++fromOthers_;
  if (!saidOther_) {
    saidOther_ = true;
    notes_.push_back({Reason::LiveSecondSender, {}, 0, std::string(sender), 0, {}, sender_});
  }
  return false;
}

// Farther from the last state than any aircraft flies in the time between.
bool LiveFeed::impossibleFromLast(const AircraftState& state) {
  if (!last_) return false;
  const double nm = distanceNm(last_->position, state.position);
  if (nm <= 1 || nm <= mostFlownNm(state.utc - last_->utc) || ++asideInRow_ >= MOVED_AFTER) {
    asideInRow_ = 0;
    return false;
  }
  ++setAside_;
  if (!saidAside_) {
    saidAside_ = true;
    Problem p{Reason::LiveImpossibleSpeed};
    p.count = std::llround(nm);
    notes_.push_back(p);
  }
  return true;
}

std::optional<AircraftState> LiveFeed::accept(std::span<const std::uint8_t> datagram, std::string_view sender,
                                              double steadySeconds, std::time_t systemNow) {
  Result<LiveSample> decoded = decode(datagram);
  if (!followed(sender, decoded.value.has_value(), steadySeconds)) return std::nullopt;
  if (!decoded.value) {
    ++refused_;
    decodedInRow_ = 0;
    if (!saidRefused_ && !decoded.problems.empty()) {
      saidRefused_ = true;
      notes_.push_back(decoded.problems.front());
    }
    return std::nullopt;
  }
  ++decodedInRow_;
  lastData_ = steadySeconds;
  const bool completesOne = decoded.value->position.has_value();
  mergeLiveSample(held_, *decoded.value);
  if (!completesOne || !held_.position) return std::nullopt;
  AircraftState state;
  state.position = *held_.position;
  // A flight level is a pressure altitude: 10 degrees colder than standard,
  // FL350 flies 1,400 ft below its geometric 35,000 ft.
  // A pressure altitude far from the height (a simulator that answers 0
  // for a value it lacks) is not believed: no day is 6,000 ft off standard.
  const bool pressure = held_.pressureAltitudeFt &&
                        (!held_.altitudeFt || std::fabs(*held_.pressureAltitudeFt - *held_.altitudeFt) <= 6000);
  state.altitudeFt = pressure ? *held_.pressureAltitudeFt : held_.altitudeFt.value_or(0);
  if (!pressure && !saidGeometric_) {
    saidGeometric_ = true;
    notes_.push_back({Reason::LiveGeometricAltitude});
  }
  if (held_.trackDeg) {
    state.trackDeg = *held_.trackDeg;
  } else if (held_.headingDeg) {
    state.trackDeg = *held_.headingDeg;
    state.headingForTrack = true;
  } else if (last_) {
    state.trackDeg = last_->trackDeg;
    state.headingForTrack = last_->headingForTrack;
  }
  state.groundSpeedKt = held_.groundSpeedKt.value_or(0);
  if (held_.utc) {
    state.utc = static_cast<double>(*held_.utc);
    state.simulatorTime = true;
  } else if (held_.zuluSeconds) {
    state.utc = utcFromZuluSeconds(*held_.zuluSeconds, systemNow);
    state.simulatorTime = true;
  } else {
    state.utc = static_cast<double>(systemNow);
    if (!saidClock_) {
      saidClock_ = true;
      notes_.push_back({Reason::LiveSystemClock});
    }
  }
  if (impossibleFromLast(state)) return std::nullopt;
  last_ = state;
  countPosition(steadySeconds);
  return state;
}

void LiveFeed::countPosition(double steadySeconds) {
  const auto second = static_cast<long long>(std::floor(steadySeconds));
  if (second != second_) {
    lastSecondCount_ = second == second_ + 1 ? inSecond_ : 0;
    second_ = second;
    inSecond_ = 0;
  }
  ++inSecond_;
}

LiveStatus LiveFeed::status(double steadySeconds) const {
  LiveStatus s;
  if (!lastData_) return s;
  const double silent = steadySeconds - *lastData_;
  if (silent >= SILENT_AFTER_S) {
    s.state = LiveStatus::State::Silent;
    s.silentSeconds = static_cast<int>(std::floor(silent));
    return s;
  }
  s.state = LiveStatus::State::Receiving;
  const auto second = static_cast<long long>(std::floor(steadySeconds));
  // The last whole second counted, once it is over.
  // In the first second of data, what it has brought so far.
  s.positionsPerSecond = second == second_ + 1 ? inSecond_
                         : second == second_   ? (lastSecondCount_ > 0 ? lastSecondCount_ : inSecond_)
                                               : 0;
  return s;
}

bool LiveFeed::requestDue(double steadySeconds) {
  if (settings_.source != LiveSource::XPlane) return false;
  const bool flowing = lastData_ && steadySeconds - *lastData_ < ASK_AGAIN_S;
  if (flowing || (lastRequest_ && steadySeconds - *lastRequest_ < ASK_AGAIN_S)) return false;
  lastRequest_ = steadySeconds;
  return true;
}

Problems LiveFeed::takeNotes() { return std::exchange(notes_, {}); }

}  // namespace korvant
