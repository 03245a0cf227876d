#pragma once
// A twin's diversion planning along its route (WGS-84): where the route
// enters and leaves the area beyond the threshold time from every adequate
// airport, the stretches beyond the approved diversion time, the diversion
// airports in the order the route passes them, and the equal-time point
// between each consecutive pair, where turning back and going on take the
// same time. Times at the one-engine-inoperative speed, in still air or
// with a wind component (tailwind outbound positive) applied to going on
// and against turning back.
#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "flight/flightroute.h"

namespace korvant {

struct EtopsAirport {
  std::string ident;
  LatLng position;
};

struct EtopsSettings {
  int minutes = 0;  // the approved diversion time, 60 to 370
  double speedKt = 420;
  int thresholdMinutes = 60;
  double windKt = 0;              // for the whole route
  std::vector<double> legWindKt;  // one for each leg when the plan gives them, in place of windKt
};

// The limits the settings are held to.
inline constexpr int ETOPS_MINUTES_MIN = 60, ETOPS_MINUTES_MAX = 370;
inline constexpr double ETOPS_SPEED_MIN = 100, ETOPS_SPEED_MAX = 700;

struct RoutePlace {
  LatLng position;
  double alongNm = 0;  // from the route's first point
};

struct EqualTimePoint {
  std::size_t before = 0, after = 0;  // the two airports' indices
  RoutePlace at;
  double nmToBefore = 0, nmToAfter = 0;
  double minutesToBefore = 0, minutesToAfter = 0;
};

struct EtopsGap {
  RoutePlace from, to;
};

struct EtopsPlan {
  std::optional<RoutePlace> entry, exit;
  std::vector<std::size_t> diversion;  // airports' indices, in the route's order
  std::vector<EqualTimePoint> etps;
  std::vector<EtopsGap> gaps;  // beyond the approved time from every airport
  // What could not be worked out, said plainly; the plan is empty when the
  // settings or the airports make it none.
  std::vector<std::string> faults;
};

// Why the settings are none ("ETOPS SPEED 0 KT IS NOT 100 TO 700 KT"), or empty.
std::string etopsSettingsFault(const EtopsSettings& settings);

// The equal-time points' search looks at the times this often in one plan
// at most (a few seconds): airports that hand over to each other all along
// a route under a wind near the speed would otherwise take hours. What is
// left is said.
inline constexpr std::size_t ETOPS_WORK_LIMIT = 1'000'000;

// `stop`, when given, is looked at as the work goes on: once it is set the
// plan ends at once, incomplete, for a caller that no longer wants it.
EtopsPlan planEtops(const FlightRoute& route, const std::vector<EtopsAirport>& airports, const EtopsSettings& settings,
                    const std::atomic<bool>* stop = nullptr, std::size_t workLimit = ETOPS_WORK_LIMIT);

// What the map's layer draws and the report says: made whole for one route
// and its settings, never changed after, so a paint may hold it.
struct EtopsPicture {
  EtopsSettings settings;
  std::vector<EtopsAirport> airports;
  EtopsPlan plan;
  // The airports whose circles are drawn, each with its ring at the
  // approved time and at the threshold (geodesic circles, closed).
  std::vector<std::size_t> circled;
  std::vector<std::vector<LatLng>> approvedRings, thresholdRings;
  std::vector<std::vector<LatLng>> gapLines;  // each gap along the route, a point every 20 NM
  std::vector<LatLng> route;                  // the route planned, set off from the other tracks on the map
  std::vector<std::string> notes;             // where the settings and airports come from
};

// The plan and the rings: of every airport when `circleEvery` (a list the
// pilot or the plan gave), else of the diversion airports alone.
EtopsPicture etopsPicture(const FlightRoute& route, std::vector<EtopsAirport> airports, const EtopsSettings& settings,
                          bool circleEvery, const std::atomic<bool>* stop = nullptr);

}  // namespace korvant
