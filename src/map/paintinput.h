#pragma once
// Everything one paint draws, read-only: the paint changes nothing but its
// canvas, so any of these may be shared with the rest of the program.
#include <atomic>
#include <span>
#include <string_view>

#include "base/clock.h"
#include "base/layerswitches.h"
#include "flight/etops.h"
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
  const MapView& view;
  const LayerSwitches& switches;
  MapFontSettings fontSettings;
  const FixStore& fixes;
  const TrackSets& tracks;
  std::string_view trackFile;  // full path of the message read, for the title block
  const ToolState& tools;
  bool procedureMap = false;                     // the procedure map is selected
  const Clock& clock;                            // the title block's printed time
  const SimFiles& sim;                           // the PS1 simulator's files
  std::string_view runwaysAirport = {};          // an airport whose runways are drawn, or empty
  const LoadedProcedure* procedure = nullptr;    // drawn on the procedure map
  const DafifFiles* dafif = nullptr;             // the DAFIF-layout files, when there are any
  const TerminatorTime* terminator = nullptr;    // the moment the terminator is drawn for
  const UserOverlayFile* userOverlay = nullptr;  // USER.TXT
  MagneticModel magnetic = {};                   // the variation and magnetic courses drawn
  const PlottedRoute* plottedRoute = nullptr;    // a route string or a best track's connections
  const PlannedTrackRuns* trackRuns = nullptr;   // the tracks the plan and the route fly; none without
  const EtopsPicture* etops = nullptr;           // the ETOPS layer's, when it is on
  std::span<const PaintLayer> layers = {};       // the layers drawn; empty: the standard ones
  // Set by another thread when the paint is no longer wanted: the layers not
  // yet drawn are left out.
  const std::atomic<bool>* stop = nullptr;
  DetailRanges detail = {};  // how much of the dense data each range shows

  bool stopped() const { return stop && stop->load(std::memory_order_relaxed); }

  // The same input for another view, as a background paint keeps its own.
  PaintInput withView(const MapView& other, const std::atomic<bool>* stopFlag) const {
    return {other,        switches,  fontSettings,   fixes,     tracks,   trackFile,  tools,       procedureMap,
            clock,        sim,       runwaysAirport, procedure, dafif,    terminator, userOverlay, magnetic,
            plottedRoute, trackRuns, etops,          layers,    stopFlag, detail};
  }

  // The moment the tracks' validity is judged at, to the minute: the
  // terminator's time, else now.
  std::time_t validityTime() const {
    const std::time_t t = terminator ? effectiveTerminatorTime(*terminator, clock) : clock.now();
    return t - t % 60;
  }
};

}  // namespace korvant
