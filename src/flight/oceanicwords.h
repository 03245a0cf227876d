#pragma once
// What the pilot says to oceanic control, from the route and its times: the
// times at every point without a simulator (a departure time and a ground
// speed, or a Mach in still air), the oceanic points, the position report
// at each of them and the clearance request. Forms as the published North
// Atlantic phraseology gives them.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "flight/flightroute.h"

namespace korvant {

// The true airspeed, knots, at a Mach number and pressure altitude in the
// standard atmosphere (its temperature falling 6.5 K a kilometre to 11 km,
// constant above).
double trueAirspeedKt(double mach, double altitudeFt);

// The time over each point from a departure over the first and a ground
// speed: distance along the route (great circle per leg) over the speed.
struct PointTime {
  double alongNm = 0;  // from the first point
  double utc = 0;
};
std::vector<PointTime> plannedTimes(const FlightRoute& route, double departureUtc, double groundSpeedKt);
// The same with a speed for each leg: `legSpeedsKt[i]` from point i to i + 1.
std::vector<PointTime> plannedTimes(const FlightRoute& route, double departureUtc,
                                    const std::vector<double>& legSpeedsKt);

// The times from the plan's own: take-off at `takeoffUtc` over the first
// point and each point's time from take-off. A point without one lies
// between two that have one by its distance along the route, after the last
// at the mean speed from take-off to it. None when no point after the first
// has a time.
std::optional<std::vector<PointTime>> ownTimes(const FlightRoute& route, double takeoffUtc);

// The oceanic points, first and last index: the stored track's own points
// when the route flies one (`trackFirst`, `trackLast`), else from the last
// named point before the first point named by its position to the first
// named point after the last one (never the departure airport before the
// first position). Nothing when the route has no such point.
struct OceanicSpan {
  std::size_t first = 0, last = 0;
};
std::optional<OceanicSpan> oceanicSpan(const FlightRoute& route, std::optional<OceanicSpan> track = std::nullopt);

// The request's own check of a callsign: 2 to 7 capital letters and digits.
bool isCallsign(std::string_view callsign);
// An airport's location indicator: four capital letters and digits.
bool isAirportIdent(std::string_view ident);

// A point named by its position ("56/20", "5530N02000W", "N56W020").
bool namesAPosition(std::string_view ident);

// Mainly east-west between the span's ends: the way coordinates are spoken.
bool mainlyEastWest(const FlightRoute& route, const OceanicSpan& span);

// "56 NORTH 020 WEST", "55 30 NORTH 020 WEST"; on a north-south route the
// longitude first, with its minutes, then the latitude in whole degrees:
// "050 30 WEST 45 NORTH". A named fix by its name.
std::string spokenPoint(const FlightPoint& point, bool eastWest);

struct ReportFacts {
  std::string callsign;
  int flightLevel = 0;  // 350
  int mach = 0;         // 82 for Mach .82; 0 when none is assigned
};

// The facts at point `i`: the level and Mach filed there (a route's speed and
// level groups, a plan's altitude) over those given.
ReportFacts factsAt(const FlightRoute& route, std::size_t i, ReportFacts facts);

// One report for each oceanic point before the exit: "POSITION REPORT
// <ident>: POSITION, KVT123, 56 NORTH 020 WEST AT 1235, FLIGHT LEVEL 350,
// ESTIMATING 56 NORTH 030 WEST AT 1310, NEXT 55 NORTH 040 WEST". `times`
// holds a time for each point of the route.
std::vector<std::string> positionReports(const FlightRoute& route, const OceanicSpan& span,
                                         const std::vector<double>& times, const ReportFacts& facts);
// The report at point `i`: over it at `timeOver`, the next point at `estimate`.
std::string positionReport(const FlightRoute& route, std::size_t i, double timeOver, double estimate,
                           const ReportFacts& facts, bool eastWest);

struct ClearanceFacts {
  ReportFacts report;
  std::string destination;
  std::string track;       // "C" when a stored track is flown, else empty
  std::string tmi;         // needed for a track; a random route quotes the set's when known
  int maxFlightLevel = 0;  // 0 for none given
};

// "CLEARANCE REQUEST: KVT123 REQUEST CLEARANCE TO EGLL VIA TRACK C, ENTRY
// POINT 5600N/05000W AT 1235, FLIGHT LEVEL 350, MACH 082, TMI 281" (a random
// route's oceanic points instead of the track), checked as the online
// networks' forms check it; a field that cannot be filled is said instead
// ("CLEARANCE REQUEST: NO CALLSIGN").
std::string clearanceRequest(const FlightRoute& route, const OceanicSpan& span, const std::vector<double>& times,
                             const ClearanceFacts& facts);

}  // namespace korvant
