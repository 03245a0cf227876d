#pragma once
// What a paint in the background reads, taken on the window's thread when
// it starts: the small state by value, the data sets as shares. The window
// may change anything while such a paint runs; the paint sees none of it.
#include <memory>
#include <string>

#include "base/shared.h"
#include "map/paintinput.h"

namespace korvant {

struct PaintSnapshot {
  MapView view;
  LayerSwitches switches;
  MapFontSettings fontSettings;
  std::shared_ptr<const FixStore> fixes;
  std::shared_ptr<const TrackSets> tracks;
  std::string trackFile;
  ToolState tools;
  bool procedureMap = false;
  const Clock* clock = nullptr;  // thread-safe, and outlives every paint
  std::shared_ptr<const SimFiles> sim;
  std::string runwaysAirport;
  std::shared_ptr<const LoadedProcedure> procedure;
  std::shared_ptr<const DafifFiles> dafif;
  TerminatorTime terminator;
  std::shared_ptr<const UserOverlayFile> userOverlay;
  MagneticModel magnetic;
  std::shared_ptr<const PlottedRoute> plottedRoute;
  std::shared_ptr<const PlannedTrackRuns> trackRuns;
  std::shared_ptr<const EtopsPicture> etops;
  DetailRanges detail = {};

  PaintInput input() const {
    PaintInput in{view,
                  switches,
                  fontSettings,
                  *fixes,
                  *tracks,
                  trackFile,
                  tools,
                  procedureMap,
                  *clock,
                  *sim,
                  runwaysAirport,
                  procedure.get(),
                  dafif.get(),
                  &terminator,
                  userOverlay.get(),
                  magnetic,
                  plottedRoute.get(),
                  trackRuns.get(),
                  etops.get()};
    in.detail = detail;
    return in;
  }
};

}  // namespace korvant
