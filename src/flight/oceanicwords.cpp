#include "flight/oceanicwords.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "flight/progressreport.h"
#include "geo/greatcircle.h"
#include "geo/positiontext.h"
#include "procedures/plantrackmatch.h"

namespace korvant {

namespace {

// Whole degrees and minutes, a rounded 60 minutes carried.
DegreesMinutes wholeMinutes(double packed) {
  DegreesMinutes d = splitPackedMagnitude(packed);
  d.minutes = std::round(d.minutes);
  if (d.minutes >= 60) {
    ++d.degrees;
    d.minutes = 0;
  }
  return d;
}

std::string spokenHalf(double packed, bool latitude) {
  const DegreesMinutes d = wholeMinutes(packed);
  char text[32];
  std::snprintf(text, sizeof text, latitude ? "%02d" : "%03d", d.degrees);
  std::string out = text;
  if (d.minutes > 0) {
    std::snprintf(text, sizeof text, " %02d", static_cast<int>(d.minutes));
    out += text;
  }
  out += latitude ? (packed < 0 ? " SOUTH" : " NORTH") : (packed < 0 ? " WEST" : " EAST");
  return out;
}

// The entry point and a random route's points as the request writes them.
std::string writtenPoint(const FlightPoint& p) {
  return namesAPosition(p.ident) ? minutePosition(p.position) : p.ident;
}

std::string threeDigits(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%03d", n);
  return text;
}

// Three digits and perhaps an amendment letter.
bool isTmi(const std::string& t) {
  return (t.size() == 3 || (t.size() == 4 && std::isupper(static_cast<unsigned char>(t[3])))) &&
         std::all_of(t.begin(), t.begin() + 3, [](char ch) { return std::isdigit(static_cast<unsigned char>(ch)); });
}

}  // namespace

bool isAirportIdent(std::string_view ident) {
  return ident.size() == 4 && std::all_of(ident.begin(), ident.end(), [](char ch) {
           return std::isupper(static_cast<unsigned char>(ch)) || std::isdigit(static_cast<unsigned char>(ch));
         });
}

bool isCallsign(std::string_view c) {
  return c.size() >= 2 && c.size() <= 7 && std::all_of(c.begin(), c.end(), [](char ch) {
           return std::isupper(static_cast<unsigned char>(ch)) || std::isdigit(static_cast<unsigned char>(ch));
         });
}

double trueAirspeedKt(double mach, double altitudeFt) {
  const double metres = std::clamp(altitudeFt * 0.3048, -2000.0, 20000.0);
  const double kelvin = 288.15 - 0.0065 * std::min(metres, 11000.0);
  const double soundMetresPerSecond = std::sqrt(1.4 * 287.05287 * kelvin);
  return mach * soundMetresPerSecond * 3600 / 1852;
}

std::vector<PointTime> plannedTimes(const FlightRoute& route, double departureUtc, double groundSpeedKt) {
  return plannedTimes(route, departureUtc, std::vector<double>(route.points.size(), groundSpeedKt));
}

std::vector<PointTime> plannedTimes(const FlightRoute& route, double departureUtc,
                                    const std::vector<double>& legSpeedsKt) {
  std::vector<PointTime> out;
  double along = 0, utc = departureUtc;
  for (std::size_t i = 0; i < route.points.size() && !legSpeedsKt.empty(); ++i) {
    if (i > 0) {
      const double leg = distanceNm(route.points[i - 1].position, route.points[i].position);
      along += leg;
      utc += leg / legSpeedsKt[std::min(i - 1, legSpeedsKt.size() - 1)] * 3600;
    }
    out.push_back({along, utc});
  }
  return out;
}

std::optional<std::vector<PointTime>> ownTimes(const FlightRoute& route, double takeoffUtc) {
  const std::size_t n = route.points.size();
  std::vector<PointTime> out = plannedTimes(route, 0, 1);
  std::vector<std::size_t> known;  // the points whose time the plan gives, the first always
  for (std::size_t i = 0; i < n; ++i) {
    const int elapsed = i == 0 ? std::max(route.points[0].elapsedS, 0) : route.points[i].elapsedS;
    if (elapsed < 0) continue;
    out[i].utc = elapsed;
    known.push_back(i);
  }
  if (known.size() < 2) return std::nullopt;
  for (std::size_t k = 0; k + 1 < known.size(); ++k) {
    const PointTime a = out[known[k]], b = out[known[k + 1]];
    for (std::size_t i = known[k] + 1; i < known[k + 1]; ++i)
      out[i].utc = b.alongNm > a.alongNm
                       ? a.utc + (b.utc - a.utc) * (out[i].alongNm - a.alongNm) / (b.alongNm - a.alongNm)
                       : a.utc;
  }
  const PointTime last = out[known.back()];
  const double secondsPerNm = last.alongNm > 0 ? (last.utc - out[0].utc) / last.alongNm : 0;
  for (std::size_t i = known.back() + 1; i < n; ++i)
    out[i].utc = last.utc + (out[i].alongNm - last.alongNm) * secondsPerNm;
  for (PointTime& t : out) t.utc += takeoffUtc;
  return out;
}

bool namesAPosition(std::string_view ident) {
  LatLng p;
  return parsePositionText(ident, p);
}

std::optional<OceanicSpan> oceanicSpan(const FlightRoute& route, std::optional<OceanicSpan> track) {
  const std::size_t n = route.points.size();
  if (track && track->first < track->last && track->last < n) return track;
  std::size_t firstPosition = n, lastPosition = n;
  for (std::size_t i = 0; i < n; ++i)
    if (namesAPosition(route.points[i].ident)) {
      if (firstPosition == n) firstPosition = i;
      lastPosition = i;
    }
  if (firstPosition == n) return std::nullopt;
  OceanicSpan span{firstPosition, lastPosition};
  // The last named point before, unless it is where the flight departs (an
  // airport's four letters): a report is never made over the departure.
  const bool departure = firstPosition == 1 && isAirportIdent(route.points[0].ident);
  if (span.first > 0 && !departure) --span.first;
  if (span.last + 1 < n) ++span.last;  // the first named point after
  if (span.first == span.last) return std::nullopt;
  return span;
}

bool mainlyEastWest(const FlightRoute& route, const OceanicSpan& span) {
  const double course = courseAndDistance(route.points[span.first].position, route.points[span.last].position).course;
  return std::fabs(std::sin(course * PI / 180)) >= std::fabs(std::cos(course * PI / 180));
}

std::string spokenPoint(const FlightPoint& point, bool eastWest) {
  if (!namesAPosition(point.ident)) return point.ident;
  const std::string lat = spokenHalf(point.position.lat, true), lng = spokenHalf(point.position.lng, false);
  return eastWest ? lat + " " + lng : lng + " " + lat;
}

std::string positionReport(const FlightRoute& route, std::size_t i, double timeOver, double estimate,
                           const ReportFacts& facts, bool eastWest) {
  const auto& p = route.points;
  // A report without its callsign is none to read out: what is missing is said.
  if (!isCallsign(facts.callsign)) return "POSITION REPORT " + p[i].ident + ": NO CALLSIGN";
  std::string line = "POSITION REPORT " + p[i].ident + ": POSITION, " + facts.callsign + ", " +
                     spokenPoint(p[i], eastWest) + " AT " + hhmm(timeOver) + ", FLIGHT LEVEL " +
                     threeDigits(facts.flightLevel);
  if (facts.mach > 0) line += ", MACH " + threeDigits(facts.mach);
  line += ", ESTIMATING " + spokenPoint(p[i + 1], eastWest) + " AT " + hhmm(estimate);
  if (i + 2 < p.size()) line += ", NEXT " + spokenPoint(p[i + 2], eastWest);
  return line;
}

std::vector<std::string> positionReports(const FlightRoute& route, const OceanicSpan& span,
                                         const std::vector<double>& times, const ReportFacts& facts) {
  std::vector<std::string> out;
  if (span.last >= route.points.size() || times.size() < route.points.size()) return out;
  const bool eastWest = mainlyEastWest(route, span);
  for (std::size_t i = span.first; i < span.last; ++i)
    out.push_back(positionReport(route, i, times[i], times[i + 1], factsAt(route, i, facts), eastWest));
  return out;
}

ReportFacts factsAt(const FlightRoute& route, std::size_t i, ReportFacts facts) {
  if (i >= route.points.size()) return facts;
  const FlightPoint& p = route.points[i];
  if (p.levelFt >= 1000 && p.levelFt < 100000) facts.flightLevel = static_cast<int>(std::lround(p.levelFt / 100.0));
  if (p.machHundredths > 0) facts.mach = p.machHundredths;
  return facts;
}

std::string clearanceRequest(const FlightRoute& route, const OceanicSpan& span, const std::vector<double>& times,
                             const ClearanceFacts& given) {
  // The level and Mach filed for the entry point, where the request asks for them.
  const bool spanGood = span.last < route.points.size() && times.size() >= route.points.size();
  ClearanceFacts f = given;
  if (spanGood) f.report = factsAt(route, span.first, f.report);
  std::vector<std::string> missing;
  if (!isCallsign(f.report.callsign)) missing.push_back("NO CALLSIGN");
  if (!isAirportIdent(f.destination)) missing.push_back("NO DESTINATION");
  if (f.report.flightLevel < 100 || f.report.flightLevel > 999) missing.push_back("NO FLIGHT LEVEL");
  if (f.report.mach < 10 || f.report.mach > 999) missing.push_back("NO MACH");
  // A track is requested by its set's TMI; a random route quotes it when known.
  if (!f.track.empty() && !isTmi(f.tmi)) missing.push_back("NO TMI");
  if (!spanGood) missing.push_back("NO OCEANIC POINTS");
  if (!missing.empty()) {
    std::string said = "CLEARANCE REQUEST: ";
    for (std::size_t i = 0; i < missing.size(); ++i) said += (i ? ", " : "") + missing[i];
    return said;
  }
  std::string via = "TRACK " + f.track;
  if (f.track.empty()) {
    via.clear();
    // The destination ends the route, not the oceanic part of it.
    const std::size_t last =
        span.last > span.first + 1 && route.points[span.last].ident == f.destination ? span.last - 1 : span.last;
    for (std::size_t i = span.first; i <= last; ++i) via += (i > span.first ? " " : "") + writtenPoint(route.points[i]);
  }
  std::string out = "CLEARANCE REQUEST: " + f.report.callsign + " REQUEST CLEARANCE TO " + f.destination + " VIA " +
                    via + ", ENTRY POINT " + writtenPoint(route.points[span.first]) + " AT " + hhmm(times[span.first]) +
                    ", FLIGHT LEVEL " + threeDigits(f.report.flightLevel) + ", MACH " + threeDigits(f.report.mach);
  if (f.maxFlightLevel > 0) out += ", MAX FLIGHT LEVEL " + threeDigits(f.maxFlightLevel);
  return isTmi(f.tmi) ? out + ", TMI " + f.tmi : out;
}

}  // namespace korvant
