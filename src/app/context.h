#pragma once
// The program's single instances, passed explicitly to whatever needs them.
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "app/backgroundjobs.h"
#include "app/etopsplan.h"
#include "app/flightsession.h"
#include "base/clock.h"
#include "base/datasets.h"
#include "base/diagnostics.h"
#include "base/layerswitches.h"
#include "base/messageboxes.h"
#include "base/onceflags.h"
#include "base/settings.h"
#include "base/shared.h"
#include "map/mapview.h"
#include "map/paintinput.h"
#include "map/tooloverlay.h"
#include "navdata/fixstore.h"
#include "tracks/trackreader.h"
#include "tracks/tracksets.h"

namespace korvant {

struct AppContext {
  AppContext(MessageBoxes& messageBoxes, const Clock& systemClock)
      : boxes(messageBoxes), clock(systemClock), settings(once) {}
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  // What the map is drawn from now: each layer takes what it reads from it
  // (map/mapframe.h).
  PaintInput paintInput() {
    PaintInput in;
    in.view = view;
    in.switches = switches;
    in.fontSettings = readMapFontSettings(settings);
    in.detail = readDetailRanges(settings);
    in.fixes = fixes.share();
    in.tracks = tracks.share();
    in.trackFile = trackFile;
    in.tools = tools;
    in.procedureMap = procedureMap;
    in.clock = &clock;
    in.sim = sim.share();
    in.runwaysAirport = runwaysAirport;
    in.procedure = procedure.share();
    in.dafif = dafif.share();
    in.terminator = terminator;
    in.userOverlay = userOverlay.share();
    in.magnetic = magneticModel();
    in.plottedRoute = plottedRoute.share();
    in.trackRuns = trackRuns();
    in.etops = shownEtops(*this);
    in.trail = flight.trail.share();
    in.aircraft = flight.aircraft;
    in.sets = &sets;
    return in;
  }

  // Which stored tracks the plan and the route string fly: worked out again
  // only when one of the three has changed.
  std::shared_ptr<const PlannedTrackRuns> trackRuns() {
    const TrackRunsKey key{tracks.share(), procedure.share(), plottedRoute.share()};
    if (!trackRuns_ || key != trackRunsKey_) {
      trackRuns_ = std::make_shared<const PlannedTrackRuns>(plannedTrackRuns(procedure->plan, *plottedRoute, *tracks));
      trackRunsKey_ = key;
    }
    return trackRuns_;
  }

  // The chosen model at the terminator's time when one is set, else today.
  MagneticModel magneticModel() const {
    if (magneticModelId == MagneticModelId::Wmm2000) return {};
    const double year = magneticYear ? *magneticYear : decimalYear(effectiveTerminatorTime(terminator, clock));
    return {magneticModelId, year};
  }

  MessageBoxes& boxes;
  const Clock& clock;
  OnceFlags once;
  Settings settings;
  DiagnosticStream dump;
  LayerSwitches switches;
  Shared<FixStore> fixes;
  MapView view;
  // The checked item of the menu's preset group (a preset name, the
  // procedure map or the test pattern), empty for none.
  std::string checkedPreset;
  // The procedure map is selected: the paint draws the loaded procedure.
  bool procedureMap = false;
  Shared<TrackSets> tracks;
  // The full path of the last track message read, for the title block.
  std::string trackFile;
  ToolState tools;
  Shared<SimFiles> sim;
  Shared<DafifFiles> dafif;
  // The terminator time: NOW until the start hour dialog says otherwise.
  TerminatorTime terminator;
  // MAGMODEL, and a date for it that overrides the clock (korvant-plot --date).
  MagneticModelId magneticModelId = MagneticModelId::Wmm2000;
  std::optional<double> magneticYear;
  // USER.TXT in the working folder.
  Shared<UserOverlayFile> userOverlay;
  // An airport whose runways the map shows (the headless renderer's --runways).
  std::string runwaysAirport;
  // The procedure or route last read, drawn on the procedure map.
  Shared<LoadedProcedure> procedure;
  // A route string read, or the connections of a city pair's best track.
  Shared<PlottedRoute> plottedRoute;
  std::string routeString;  // the last route string read, for the dialog
  std::string programPath;  // as given at launch
  std::string workFolder;   // where KORVANT.CTL was read
  // The aircraft in the simulator: drawn over the map, never by its paint.
  FlightState flight;
  // The ETOPS layer's picture, made again when the route or a setting changes.
  EtopsCache etops;
  // The data sets of the layers added since, by their types.
  DataSets sets;
  // The window's runner of work off its thread; none in korvant-plot.
  BackgroundJobs* backgroundJobs = nullptr;

 private:
  using TrackRunsKey = std::tuple<std::shared_ptr<const TrackSets>, std::shared_ptr<const LoadedProcedure>,
                                  std::shared_ptr<const PlottedRoute>>;
  std::shared_ptr<const PlannedTrackRuns> trackRuns_;
  TrackRunsKey trackRunsKey_;
};

}  // namespace korvant
