#pragma once
// Flight plan files (.PLN): a "[flightplan]" header, a few keys, numbered
// waypoint lines, and any other line kept as a user-overlay command that the
// plan draws with itself. Waypoint lines come in two forms, told apart by
// where the latitude stands:
//   waypoint.3=ABC, V, N50* 30.0', W001* 15.5', +000120.00[, text]
//   waypoint.1=KK, WIK, , WIK, V, N58* 27.53', W003* 06.02', +000000.00,
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "geo/latlng.h"

namespace korvant {

// Lines are read in pieces of at most this many characters.
inline constexpr std::size_t PLAN_LINE_LIMIT = 253;
inline constexpr std::size_t PLAN_FILE_LIMIT = 4u << 20;
inline constexpr const char* USER_ITEM_TYPE = "*USER";
// More points than any real plan holds (user items counted): such a file is
// refused, whatever its format.
inline constexpr std::size_t PLAN_WAYPOINT_LIMIT = 10000;

struct UW_Wpt {
  int number = -1;  // -1 for a user item
  std::string identifier;
  std::string type;  // "*USER" for a user item
  LatLng position{0, 0};
  int altitude = 0;
  std::string text;                             // the sixth field; a user item's whole line
  int elapsedS = -1;                            // from take-off, as an OFP plans it; -1 for none
  std::optional<double> windKt = std::nullopt;  // an OFP's wind component on the leg to it, tailwind positive

  bool isUserItem() const { return type == USER_ITEM_TYPE; }
};

struct SuitableAirport {
  std::string ident;
  LatLng position;
};

struct FlightPlan {
  std::string title, cruisingAltitude, departureName, destinationName;
  std::string destinationId;            // the destination's ICAO code where the file gives it apart from its name
  int cruiseMachHundredths = 0;         // an OFP's cruise Mach, 0 for none
  std::vector<UW_Wpt> waypoints;        // and user items, in file order
  std::optional<long long> takeoffUtc;  // an OFP's planned take-off, seconds since 1970
  std::vector<SuitableAirport> etopsAirports;  // an OFP's ETOPS suitable airports
};

// The altitudes a plan may give, in feet: below the Dead Sea's shore to far
// above any airliner's ceiling.
inline constexpr int PLAN_ALTITUDE_MIN = -2000;
inline constexpr int PLAN_ALTITUDE_MAX = 100000;

// "N40* 38.38'": the hemisphere letter (S and W negative), whole degrees,
// '*', minutes; a text without '*' has no minutes. A value off the Earth
// reads as its degrees alone and says why in `fault`.
double readPlanCoordinate(std::string_view field, char negative, std::string* fault = nullptr);

// Why a plan's altitude text is none (not a number, or beyond the bounds
// above); empty for an altitude or an empty text.
std::string altitudeFault(std::string_view text);

// The file's text; nothing, with "[flightplan] header not found" among the
// messages, when the header is missing.
Result<FlightPlan> readFlightPlan(std::string_view text);

// The first and last waypoint that is no user item; both 0/0 when there are none.
std::pair<LatLng, LatLng> planEnds(const FlightPlan& plan);

}  // namespace korvant
