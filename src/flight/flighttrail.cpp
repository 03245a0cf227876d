#include "flight/flighttrail.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <utility>

#include "base/textops.h"
#include "base/validtext.h"
#include "geo/greatcircle.h"
#include "tracks/trackexport.h"
#include "tracks/xmldocument.h"

namespace korvant {

namespace {

constexpr const char* kHeading = "; Korvant trail: UTC seconds, latitude, longitude, feet, track";

double turnBetween(double a, double b) {
  const double d = std::fabs(std::fmod(a - b, 360.0));
  return d > 180 ? 360 - d : d;
}

std::string isoTime(double utc) {
  const auto t = static_cast<std::time_t>(std::floor(utc));
  std::tm f{};
  char text[32] = "";
  if (gmtime_r(&t, &f)) std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &f);
  return text;
}

// Five numbers separated by blanks, each whole and in range.
std::optional<TrailPoint> readPoint(std::string_view line) {
  double v[5];
  for (double& value : v) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
    line.remove_prefix(static_cast<std::size_t>(end - line.data()));
  }
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.remove_suffix(1);
  if (!line.empty() || std::fabs(v[1]) > 90 || std::fabs(v[2]) > 180 || v[0] < 0 || v[0] > 1e11 ||
      std::fabs(v[3]) > 1e6 || v[4] < 0 || v[4] > 360)
    return std::nullopt;
  // Files written before the writer wrapped north have 360.0 in them. The
  // time as the writer writes it, to the tenth: what is in step with what
  // is then decided alike on every read of the file.
  return TrailPoint{
      {degreesToDegMin(v[1]), degreesToDegMin(v[2])}, v[3], std::round(v[0] * 10) / 10, v[4] == 360 ? 0.0 : v[4]};
}

}  // namespace

bool FlightTrail::add(const AircraftState& state) {
  if (!points_.empty()) {
    const TrailPoint& last = points_.back();
    if (std::fabs(state.utc - last.utc) < EVERY_S && turnBetween(state.trackDeg, last.trackDeg) < TURN_DEG)
      return false;
  }
  return add(TrailPoint{state.position, state.altitudeFt, state.utc, state.trackDeg});
}

bool FlightTrail::add(const TrailPoint& point) {
  const auto inStep = [](const TrailPoint& a, const TrailPoint& b) {
    return std::fabs(a.utc - b.utc) <= OUT_OF_STEP_S;
  };
  if (!points_.empty() && !inStep(point, points_.back())) {
    // Two in step with each other and not with the trail: the clock moved.
    if (held_ && inStep(point, *held_) && point.utc >= held_->utc) {
      points_.push_back(*std::exchange(held_, std::nullopt));
    } else {
      if (held_) ++setAside_;
      held_ = point;
      return false;
    }
  } else if (held_) {
    held_.reset();
    ++setAside_;
  }
  points_.push_back(point);
  capLastRun();
  trim();
  return true;
}

void FlightTrail::capLastRun() {
  const std::size_t last = dropped_ + points_.size() - 1;  // counted from the beginning
  const std::size_t run = last / RUN_POINTS;
  if (runCaps_.empty()) firstRun_ = run;
  while (firstRun_ + runCaps_.size() <= run) runCaps_.emplace_back();
  const std::size_t from = std::max(run * RUN_POINTS, dropped_ + 1) - 1;
  std::vector<LatLng> border;
  double longest = 0;
  for (std::size_t i = from - dropped_; i < points_.size(); ++i) {
    border.push_back(points_[i].position);
    if (border.size() > 1) longest = std::max(longest, distanceNm(border[border.size() - 2], border.back()) / 60);
  }
  // A line is drawn straight on the map, not along its great circle: half
  // its length beyond the points holds it on any projection the map has.
  runCaps_[run - firstRun_] = SphereCap::holding(border.front(), border, longest / 2 + 0.01);
}

std::vector<FlightTrail::Run> FlightTrail::runs() const {
  std::vector<Run> out;
  out.reserve(runCaps_.size());
  for (std::size_t k = 0; k < runCaps_.size(); ++k) {
    const std::size_t run = firstRun_ + k;
    const std::size_t first = std::max(run * RUN_POINTS, dropped_ + 1) - 1 - dropped_;
    const std::size_t end = std::min((run + 1) * RUN_POINTS, dropped_ + points_.size()) - dropped_;
    if (first < end) out.push_back({first, end, runCaps_[k]});
  }
  return out;
}

void FlightTrail::trim() {
  const double newest = points_.back().utc;
  // Points later than the newest (a simulator set back in time) stay: the
  // count bounds them.
  const auto old =
      std::find_if(points_.begin(), points_.end(), [&](const TrailPoint& p) { return p.utc >= newest - KEPT_S; });
  auto drop = static_cast<std::size_t>(old - points_.begin());
  if (points_.size() - drop > MOST_POINTS) drop = points_.size() - MOST_POINTS;
  points_.erase(points_.begin(), points_.begin() + static_cast<std::ptrdiff_t>(drop));
  dropped_ += drop;
  // A run whose points are all gone goes; one partly gone keeps its cap,
  // which still holds what is left of it.
  std::size_t gone = 0;
  while (gone < runCaps_.size() && (firstRun_ + gone + 1) * RUN_POINTS <= dropped_) ++gone;
  runCaps_.erase(runCaps_.begin(), runCaps_.begin() + static_cast<std::ptrdiff_t>(gone));
  firstRun_ += gone;
}

std::string trailText(const FlightTrail& trail) {
  std::string out = std::string(kHeading) + "\n";
  char line[128];
  for (const TrailPoint& p : trail.points()) {
    const LatLng::Degrees d = p.position.decimalDegrees();
    // 359.97 rounds to 360.0, which the reader refuses: north is 0.0.
    const double track = std::round(p.trackDeg * 10) / 10;
    std::snprintf(line, sizeof line, "%.1f %.7f %.7f %.0f %.1f\n", p.utc, d.lat, d.lng, p.altitudeFt,
                  track >= 360 ? 0.0 : track);
    out += line;
  }
  return out;
}

Result<FlightTrail> readTrailText(std::string_view text) {
  Result<FlightTrail> r;
  r.value.emplace();
  Problem unread{Reason::TrailLinesNotUsed};
  int lineNumber = 0;
  for (const std::string& line : textLines(text)) {
    ++lineNumber;
    if (line.empty() || line.front() == ';') continue;
    const std::optional<TrailPoint> p = readPoint(line);
    const std::size_t asideBefore = r.value->setAside();
    if (p) r.value->add(*p);
    // A point whose time is out of step with the trail is not used either.
    if ((!p || r.value->setAside() > asideBefore) && unread.count++ == 0) unread.line = lineNumber;
  }
  if (r.value->held()) {
    ++unread.count;
    r.value->dropHeld();
  }
  if (unread.count > 0) r.problems.push_back(unread);
  return r;
}

std::string trailGpx(const FlightTrail& trail, std::string_view name) {
  pugi::xml_document document;
  auto root = startXmlDocument(document, "gpx");
  root.append_attribute("version") = "1.1";
  root.append_attribute("creator") = "Korvant";
  root.append_attribute("xmlns") = "http://www.topografix.com/GPX/1/1";
  auto track = root.append_child("trk");
  track.append_child("name").text() = printableText(name).c_str();
  auto segment = track.append_child("trkseg");
  char number[32];
  for (const TrailPoint& p : trail.points()) {
    const LatLng::Degrees d = p.position.decimalDegrees();
    auto point = segment.append_child("trkpt");
    std::snprintf(number, sizeof number, "%.6f", d.lat);
    point.append_attribute("lat") = number;
    point.append_attribute("lon") = gpxLongitude(d.lng).c_str();
    std::snprintf(number, sizeof number, "%.1f", p.altitudeFt * 0.3048);
    point.append_child("ele").text() = number;
    point.append_child("time").text() = isoTime(p.utc).c_str();
  }
  return xmlText(document, "  ");
}

}  // namespace korvant
