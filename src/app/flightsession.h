#pragma once
// The aircraft flown in the simulator, as the window and korvant-plot follow
// it: the settings of the link, the words of its state, the route the
// progress follows, the trail kept in the work folder.
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/controlfile.h"
#include "base/result.h"
#include "base/settings.h"
#include "base/shared.h"
#include "flight/estimatewatch.h"
#include "flight/flightprogress.h"
#include "flight/flighttrail.h"
#include "flight/livefeed.h"
#include "procedures/loadedprocedure.h"
#include "procedures/plottedroute.h"

namespace korvant {

struct AppContext;

struct FlightState {
  std::optional<AircraftState> aircraft;
  Shared<FlightTrail> trail;
  std::optional<FlightProgress> progress;
  // A route given for the flight alone (korvant-plot's --fly-track); else
  // the plan or route drawn is followed.
  std::optional<FlightRoute> chosenRoute;
  // The oceanic words while flying: the report at the point just passed, a
  // revised estimate, the clearance request with the live estimates.
  EstimateWatch watch;
  std::optional<OceanicSpan> oceanic;
  std::string track, tmi, destination;  // of the route flown
  std::string clearance;
  // The departure typed in the Flight panel, minutes of the UTC day: the
  // planned times before the simulator gives its own.
  std::optional<int> departureMinutes;
  bool followAircraft = false;
  bool connected = false;   // the window listens to the simulator
  bool panelShown = false;  // the window's Flight panel

  // The plan and route the progress was built for.
  std::pair<std::shared_ptr<const LoadedProcedure>, std::shared_ptr<const PlottedRoute>> routeKey;
};

// LiveSource, XPlaneHost, XPlanePort, LivePort, LiveRate; a value that is
// none of the key's is said and its default used.
LiveSettings readLiveSettings(Settings& settings, Problems& problems);

// The settings taken for this run and kept in KORVANT.CTL, its other lines
// as they were.
Problems saveLiveSettings(AppContext& app, const LiveSettings& live);
// Sets the keys and writes them into KORVANT.CTL in the work folder, its
// other lines as they were; a control file that cannot be read is not
// written over.
Problems saveControlValues(AppContext& app, const std::vector<ControlValue>& values);

// "Flight Settings": the keys of the reports, the request and ETOPS, as the
// dialog shows and writes them.
inline constexpr const char* kFlightSettingKeys[] = {"Callsign",     "CruiseMach", "MaxFlightLevel",
                                                     "EtopsMinutes", "EtopsSpeed", "EtopsAirports"};
std::vector<ControlValue> flightSettingValues(AppContext& app);
// What is wrong with values typed, each with its range; an empty value is none.
std::vector<std::string> flightSettingFaults(const std::vector<ControlValue>& values);

// The message bar's words: "WAITING FOR X-PLANE AT 127.0.0.1:49000",
// "X-PLANE: 5 POSITIONS A SECOND", "NO DATA FOR 10 S".
std::string liveStatusWords(const LiveStatus& status, const LiveSettings& settings);
// "X-PLANE AT 127.0.0.1:49000", "FLIGHTGEAR ON PORT 49003".
std::string liveSourceWords(const LiveSettings& settings);

// The route flown: the chosen one, else the flight plan shown, else the
// route string or best track's route drawn; empty for none.
FlightRoute shownFlightRoute(AppContext& app);

// A new state of the aircraft: the progress (along the route shown now) and
// the trail move on. True when the trail took a point.
bool takeAircraft(AppContext& app, const AircraftState& state);

// TRAIL.TXT of the work folder: restored at start, kept as the flight goes.
Problems restoreTrail(AppContext& app);
Problems keepTrail(const AppContext& app);
Problems exportTrail(const AppContext& app, const std::string& path);

}  // namespace korvant
