#pragma once
// korvant-plot's oceanic lines for the route flown: the time at every point
// from a departure time and a speed, the position report at each oceanic
// point and the clearance request, with the stored track the route flies
// and its set's TMI.
#include <optional>
#include <string>
#include <vector>

#include "flight/flightroute.h"
#include "flight/oceanicwords.h"

namespace korvant {

struct AppContext;

struct OceanicRequest {
  std::optional<int> departureMinutes;  // of the UTC day, from --departure HHMM
  double groundSpeedKt = 0;             // 0: from the Mach
  double mach = 0;                      // 0: CruiseMach, else none
  std::string callsign;                 // empty: the key Callsign
  int flightLevel = 0;                  // 0: the plan's, the track's lowest, else 350
};

// The flight as planned, without a simulator: the times at every point
// (the plan's own from its take-off or the departure given, else from the
// departure and a speed), the position reports and the clearance request.
// Nothing without a departure time, given or the plan's.
struct PlannedOceanic {
  std::vector<std::string> notes;  // where the times come from
  bool noSpeed = false;            // a departure time but neither a speed nor a Mach
  std::vector<PointTime> times;    // one for each point, or none
  int flightLevel = 0;             // the level the times are worked out at
  std::vector<std::string> reports;
  std::string trackLine;  // "THE ROUTE IS NAT C: REQUEST TRACK C"
  std::string clearance;
};
PlannedOceanic plannedOceanic(AppContext& app, const FlightRoute& route, const OceanicRequest& request);

// "ETA <ident> <pos> <n> NM <hhmm>Z" for every point, the distance from the
// first; then the position reports and the clearance request when the
// route has oceanic points. What cannot be worked out is said in a line.
std::vector<std::string> oceanicReportLines(AppContext& app, const FlightRoute& route, const OceanicRequest& request);

// The route's oceanic points, the stored track it flies whole (its name,
// empty for none) with its set's TMI, and its destination.
struct RouteOceanic {
  std::optional<OceanicSpan> span;
  std::string track, tmi, destination;
};
RouteOceanic routeOceanic(AppContext& app, const FlightRoute& route);

// The position reports' facts of the aircraft flown: the key Callsign, its
// level, the key CruiseMach.
ReportFacts liveReportFacts(AppContext& app, double altitudeFt);

// The flight's keys, each read whole and within its range; a value refused
// is said as given ("CruiseMach 1e308 IS NOT A MACH FROM 0.30 TO 2.50") and
// taken as none.
inline constexpr double MACH_LOWEST = 0.3, MACH_HIGHEST = 2.5;
inline constexpr int FLIGHT_LEVEL_LOWEST = 100, FLIGHT_LEVEL_HIGHEST = 600;
struct FlightKeys {
  std::string callsign;    // empty for none
  double mach = 0;         // 0 for none
  int maxFlightLevel = 0;  // 0 for none
  std::vector<std::string> faults;
};
FlightKeys flightKeys(AppContext& app);
// "KVT 123\n" as the pilot typed it, safe to print in a line of its own.
std::string givenValue(std::string_view text);

// "HHMM" as minutes of the day, or nothing.
std::optional<int> departureMinutes(const std::string& text);

}  // namespace korvant
