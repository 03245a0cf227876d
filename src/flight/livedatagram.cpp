#include "flight/livedatagram.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

#include "base/utctime.h"

namespace korvant {

namespace {

constexpr std::size_t kHeader = 5;       // four letters and one byte
constexpr std::size_t kRrefPair = 8;     // index, value
constexpr std::size_t kDataRecord = 36;  // row, eight values
constexpr std::size_t kDatarefBytes = 400;
constexpr double kFeetPerMetre = 1 / 0.3048;
constexpr double kKnotsPerMetreSecond = 3600 / 1852.0;
// Beyond any aircraft: what lies outside is a wrong or damaged value.
constexpr double kHighestFt = 200000, kLowestFt = -2000, kFastestKt = 5000;

std::uint32_t word(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}
std::int32_t integer(std::span<const std::uint8_t> bytes, std::size_t at) {
  return std::bit_cast<std::int32_t>(word(bytes, at));
}
double real(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<double>(std::bit_cast<float>(word(bytes, at)));
}
void put(std::vector<std::uint8_t>& out, std::int32_t value) {
  const auto u = std::bit_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(u >> shift));
}

bool hasHeader(std::span<const std::uint8_t> datagram, const char* name) {
  return datagram.size() >= kHeader && std::memcmp(datagram.data(), name, 4) == 0;
}

// The datagram's records after the header, or the reason it has none.
std::optional<Problem> checkFrame(std::span<const std::uint8_t> datagram, const char* name, std::size_t record) {
  if (!hasHeader(datagram, name)) return Problem{Reason::LiveNotOfItsKind, {}, 0, name};
  if ((datagram.size() - kHeader) % record != 0) return Problem{Reason::LiveCutShort, {}, 0, name};
  return std::nullopt;
}

// Each value as a simulator may give it: finite and within what an aircraft
// can have. A value outside refuses the whole sample.
struct Checked {
  LiveSample sample;
  std::optional<Problem> problem;

  void refuse(const char* what) {
    if (!problem) problem = Problem{Reason::LiveValueOutOfRange, {}, 0, what};
  }
  void position(double lat, double lng) {
    if (!std::isfinite(lat) || !std::isfinite(lng) || std::fabs(lat) > 90 || std::fabs(lng) > 180)
      return refuse("position");
    sample.position = LatLng{degreesToDegMin(lat), degreesToDegMin(lng)};
  }
  void altitude(double feet) {
    if (!std::isfinite(feet) || feet < kLowestFt || feet > kHighestFt) return refuse("altitude");
    sample.altitudeFt = feet;
  }
  void pressureAltitude(double feet) {
    if (!std::isfinite(feet) || feet < kLowestFt || feet > kHighestFt) return refuse("pressure altitude");
    sample.pressureAltitudeFt = feet;
  }
  static std::optional<double> direction(double degrees) {
    if (!std::isfinite(degrees) || std::fabs(degrees) > 720) return std::nullopt;
    degrees = std::fmod(degrees, 360.0);
    if (degrees < 0) degrees += 360;
    // A hair below 0 comes back as 360 itself.
    return degrees < 360 ? degrees : 0;
  }
  void track(double degrees) {
    sample.trackDeg = direction(degrees);
    if (!sample.trackDeg) refuse("track");
  }
  void heading(double degrees) {
    sample.headingDeg = direction(degrees);
    if (!sample.headingDeg) refuse("heading");
  }
  void groundSpeed(double knots) {
    if (!std::isfinite(knots) || knots < 0 || knots > kFastestKt) return refuse("ground speed");
    sample.groundSpeedKt = knots;
  }
  void zulu(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0 || seconds > 86401) return refuse("time");
    sample.zuluSeconds = seconds;
  }
  Result<LiveSample> result() {
    Result<LiveSample> r;
    if (problem)
      r.problems.push_back(*problem);
    else
      r.value = sample;
    return r;
  }
};

Result<LiveSample> refused(const Problem& p) {
  Result<LiveSample> r;
  r.problems.push_back(p);
  return r;
}

// "2026-12-08T21:15:30", as FlightGear's /sim/time/gmt reads.
std::optional<std::time_t> gmtTime(std::string_view text) {
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':')
    return std::nullopt;
  const auto number = [&](std::size_t at, std::size_t n) {
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data() + at, text.data() + at + n, v);
    return ec == std::errc() && end == text.data() + at + n ? v : -1;
  };
  const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
  const int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
  if (year < 1970 || year > 2199 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 ||
      minute < 0 || minute > 59 || second < 0 || second > 60)
    return std::nullopt;
  const std::time_t when = utcTime(year, month, day, hour, minute, second);
  std::tm back{};
  // 31 February comes back as March: no such day.
  if (!gmtime_r(&when, &back) || back.tm_mday != day) return std::nullopt;
  return when;
}

}  // namespace

std::string_view xplaneDataref(XPlaneValue value) {
  switch (value) {
    case XPlaneValue::Latitude: return "sim/flightmodel/position/latitude";
    case XPlaneValue::Longitude: return "sim/flightmodel/position/longitude";
    case XPlaneValue::Elevation: return "sim/flightmodel/position/elevation";
    case XPlaneValue::GroundSpeed: return "sim/flightmodel/position/groundspeed";
    case XPlaneValue::Track: return "sim/flightmodel/position/hpath";
    case XPlaneValue::ZuluTime: return "sim/time/zulu_time_sec";
    case XPlaneValue::PressureAltitude: return "sim/flightmodel2/position/pressure_altitude";
    case XPlaneValue::Count: break;
  }
  return {};
}

std::vector<std::uint8_t> xplaneRrefRequest(XPlaneValue value, int timesPerSecond) {
  std::vector<std::uint8_t> out{'R', 'R', 'E', 'F', 0};
  put(out, timesPerSecond);
  put(out, static_cast<std::int32_t>(value));
  const std::string_view name = xplaneDataref(value);
  out.insert(out.end(), name.begin(), name.end());
  out.resize(kHeader + 8 + kDatarefBytes, 0);
  return out;
}

Result<LiveSample> readXPlaneRref(std::span<const std::uint8_t> datagram) {
  if (const auto p = checkFrame(datagram, "RREF", kRrefPair)) return refused(*p);
  Checked c;
  std::optional<double> lat, lng;
  for (std::size_t at = kHeader; at < datagram.size(); at += kRrefPair) {
    const double v = real(datagram, at + 4);
    switch (integer(datagram, at)) {
      case static_cast<int>(XPlaneValue::Latitude): lat = v; break;
      case static_cast<int>(XPlaneValue::Longitude): lng = v; break;
      case static_cast<int>(XPlaneValue::Elevation): c.altitude(v * kFeetPerMetre); break;
      case static_cast<int>(XPlaneValue::GroundSpeed): c.groundSpeed(v * kKnotsPerMetreSecond); break;
      case static_cast<int>(XPlaneValue::Track): c.track(v); break;
      case static_cast<int>(XPlaneValue::ZuluTime): c.zulu(v); break;
      case static_cast<int>(XPlaneValue::PressureAltitude): c.pressureAltitude(v); break;
      default: break;
    }
  }
  // A position is whole only with both halves; X-Plane sends them together.
  if (lat && lng) c.position(*lat, *lng);
  return c.result();
}

Result<LiveSample> readXPlaneData(std::span<const std::uint8_t> datagram) {
  if (const auto p = checkFrame(datagram, "DATA", kDataRecord)) return refused(*p);
  Checked c;
  for (std::size_t at = kHeader; at < datagram.size(); at += kDataRecord) {
    const auto slot = [&](int n) { return real(datagram, at + 4 + 4 * static_cast<std::size_t>(n)); };
    switch (integer(datagram, at)) {
      case 20:
        c.position(slot(0), slot(1));
        c.altitude(slot(2));
        // X-Plane writes -999 in a slot it does not fill: no altitude then.
        if (slot(5) != -999.0 && std::isfinite(slot(5)) && slot(5) >= kLowestFt && slot(5) <= kHighestFt)
          c.pressureAltitude(slot(5));
        break;
      case 17: c.heading(slot(2)); break;
      case 3: c.groundSpeed(slot(3)); break;
      case 1:
        if (slot(5) != -999.0) c.zulu(slot(5) * 3600);
        break;
      default: break;
    }
  }
  return c.result();
}

Result<LiveSample> readFlightGearLine(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos || fields.size() > 8) break;
    start = comma + 1;
  }
  if (fields.size() != 6 && fields.size() != 8) {
    Problem p{Reason::LiveFieldCount};
    p.count = static_cast<long long>(fields.size());
    return refused(p);
  }
  double v[8];
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i == 5) continue;  // the time
    std::string_view f = fields[i];
    while (!f.empty() && f.front() == ' ') f.remove_prefix(1);
    const auto [end, ec] = std::from_chars(f.data(), f.data() + f.size(), v[i]);
    if (ec != std::errc() || end != f.data() + f.size() || f.empty())
      return refused({Reason::LiveValueOutOfRange, {}, 0, "field " + std::to_string(i + 1)});
  }
  Checked c;
  c.position(v[0], v[1]);
  c.altitude(v[2]);
  c.heading(v[3]);
  c.groundSpeed(v[4]);
  if (fields.size() == 8) {
    c.pressureAltitude(v[6]);
    c.track(v[7]);
  }
  c.sample.utc = gmtTime(fields[5]);
  if (!c.sample.utc) c.refuse("time");
  return c.result();
}

}  // namespace korvant
