#include "flight/progressreport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "geo/positiontext.h"

namespace korvant {

namespace {

std::string positionText(const LatLng& p) { return formatLat(p.lat) + " " + formatLng(p.lng); }

std::string pointLine(const char* word, const FlightPoint& point, const PointAhead& a) {
  char distance[32];
  std::snprintf(distance, sizeof distance, " %.0f NM", std::round(a.distanceNm));
  std::string line = std::string(word) + " " + point.ident + " " + positionText(point.position) + distance;
  if (a.etaUtc) line += " " + hhmm(*a.etaUtc) + "Z";
  return line;
}

}  // namespace

std::string hhmm(double utc) {
  const auto minute = static_cast<std::time_t>(std::floor(utc / 60 + 0.5)) * 60;
  std::tm f{};
  char text[8] = "????";
  if (gmtime_r(&minute, &f)) std::snprintf(text, sizeof text, "%02d%02d", f.tm_hour % 100, f.tm_min % 100);
  return text;
}

std::string flightLevelText(double altitudeFt) {
  char text[16];
  std::snprintf(text, sizeof text, "FL%03ld", std::lround(std::clamp(altitudeFt, -2000.0, 200000.0) / 100));
  return text;
}

std::string aircraftLine(const AircraftState& s) {
  char rest[64];
  std::snprintf(rest, sizeof rest, " GS %.0f %s %03.0f AT ", std::round(s.groundSpeedKt),
                s.headingForTrack ? "HDG" : "TRK", std::fmod(std::round(s.trackDeg), 360.0));
  return "AIRCRAFT " + positionText(s.position) + " " + flightLevelText(s.altitudeFt) + rest + hhmm(s.utc) + "Z";
}

std::vector<std::string> progressLines(const FlightProgress& progress) {
  std::vector<std::string> lines;
  if (!progress.aircraft()) return lines;
  lines.push_back(aircraftLine(*progress.aircraft()));
  const auto& points = progress.route().points;
  for (std::size_t i = 0; i < progress.next(); ++i)
    if (const auto& t = progress.timesOver()[i]) lines.push_back("ATA " + points[i].ident + " " + hhmm(*t) + "Z");
  for (const PointAhead& a : progress.ahead())
    lines.push_back(pointLine(a.index == progress.next() ? "NEXT" : "ETA", points[a.index], a));
  return lines;
}

}  // namespace korvant
