#pragma once
// What the program holds that the map is drawn from, as the window's thread
// sees it now. A paint never reads it: each layer's row takes from it what
// its painter reads, as a value of the layer's own (map/mapframe.h).
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "base/clock.h"
#include "base/datasets.h"
#include "base/layerswitches.h"
#include "flight/aircraftstate.h"
#include "flight/etops.h"
#include "flight/flighttrail.h"
#include "map/detailranges.h"
#include "map/mapfonts.h"
#include "map/mapview.h"
#include "map/tooloverlay.h"
#include "navdata/dafiffiles.h"
#include "navdata/fixstore.h"
#include "navdata/simfiles.h"
#include "procedures/loadedprocedure.h"
#include "procedures/plantrackmatch.h"
#include "procedures/plottedroute.h"
#include "procedures/useroverlayfile.h"
#include "sky/magvar.h"
#include "sky/terminatortime.h"
#include "tracks/tracksets.h"

namespace korvant {

struct PaintLayer;

struct PaintInput {
  MapView view;
  LayerSwitches switches;
  MapFontSettings fontSettings;
  DetailRanges detail = {};  // how much of the dense data each range shows
  std::shared_ptr<const FixStore> fixes;
  std::shared_ptr<const TrackSets> tracks;
  std::string trackFile;  // full path of the message read, for the title block
  ToolState tools;
  bool procedureMap = false;                           // the procedure map is selected
  const Clock* clock = nullptr;                        // thread-safe, and outlives every paint
  std::shared_ptr<const SimFiles> sim;                 // the PS1 simulator's files
  std::string runwaysAirport;                          // an airport whose runways are drawn, or empty
  std::shared_ptr<const LoadedProcedure> procedure;    // drawn on the procedure map
  std::shared_ptr<const DafifFiles> dafif;             // the DAFIF-layout files
  TerminatorTime terminator;                           // the moment the terminator is drawn for
  std::shared_ptr<const UserOverlayFile> userOverlay;  // USER.TXT
  MagneticModel magnetic = {};                         // the variation and magnetic courses drawn
  std::shared_ptr<const PlottedRoute> plottedRoute;    // a route string or a best track's connections
  std::shared_ptr<const PlannedTrackRuns> trackRuns;   // the tracks the plan and the route fly
  std::shared_ptr<const EtopsPicture> etops;           // the ETOPS layer's, when it is on
  std::shared_ptr<const FlightTrail> trail;            // where the aircraft flew
  std::optional<AircraftState> aircraft;               // the aircraft in the simulator, while connected
  const DataSets* sets = nullptr;                      // every data set held by its type
  std::span<const PaintLayer> layers = {};             // the layers drawn; empty: the standard ones

  // The moment the tracks' validity is judged at, to the minute: the
  // terminator's time, else now.
  std::time_t validityTime() const {
    const std::time_t t = effectiveTerminatorTime(terminator, *clock);
    return t - t % 60;
  }
};

}  // namespace korvant
