#pragma once
// Everything a stage of the paint depends on, as a value: a kept image of a
// stage is still right while its key compares equal.
#include <ctime>
#include <string>

#include "map/mappainter.h"
#include "map/paintinput.h"

namespace korvant {

struct PaintKey {
  MapView view;
  LayerSwitches switches;
  MapFontSettings fontSettings;
  unsigned fixesRevision = 0;
  TrackModel tracks;
  std::string trackFile;
  bool procedureMap = false;
  int procedureRevision = 0;
  // The surface: device-independent size, pixel ratio, logical resolution.
  int width = 0, height = 0;
  double devicePixelRatio = 1;
  int dpi = 96;
  // The simulator files' sizes and times, while a layer reads them.
  std::string simSignature;
  std::string runwaysAirport;
  std::string dafifSignature;        // while a DAFIF layer reads the files
  std::time_t terminatorTime = 0;    // while a terminator layer is on
  std::string userOverlaySignature;  // while USER.TXT is drawn
  MagneticModel magnetic;
  int plottedRouteRevision = 0;
  // The title block prints the time to the minute, local and UTC.
  long printedMinute = 0;
  long utcOffset = 0;

  bool operator==(const PaintKey&) const = default;
};

// The key of a stage; the Overlay stage is never kept.
inline PaintKey paintKey(const PaintInput& input, PaintStage stage, int width, int height, double devicePixelRatio,
                         int dpi) {
  PaintKey key;
  key.view = input.view;
  key.switches = input.switches;
  key.fontSettings = input.fontSettings;
  key.fixesRevision = input.fixes.revision();
  key.tracks = input.tracks;
  key.procedureMap = input.procedureMap;
  key.magnetic = input.magnetic;
  if (input.plottedRoute) key.plottedRouteRevision = input.plottedRoute->revision;
  if (input.terminator &&
      (input.switches.showTerminator || input.switches.showCivilTwilight || input.switches.showNext6Hours))
    key.terminatorTime = effectiveTerminatorTime(*input.terminator, input.clock);
  if (input.userOverlay && input.switches.showUserTxt) key.userOverlaySignature = input.userOverlay->signature();
  if (input.dafif && !(input.switches.dafif == DafifSwitches{})) key.dafifSignature = input.dafif->signature();
  if (input.procedure && input.procedure->shown()) key.procedureRevision = input.procedure->revision;
  key.width = width;
  key.height = height;
  key.devicePixelRatio = devicePixelRatio;
  key.dpi = dpi;
  // Decluttered, a label below gives way to one above and the other way
  // round: each stage depends on everything.
  if (stage == PaintStage::Above || input.switches.declutter) {
    const LayerSwitches& sw = input.switches;
    key.runwaysAirport = std::string(input.runwaysAirport);
    if (sw.ps1Wpt || sw.ps1Sta || sw.ps1Apt || !key.runwaysAirport.empty() || key.procedureRevision)
      key.simSignature = input.sim.signature();
    const std::time_t now = input.clock.now();
    key.trackFile = std::string(input.trackFile);
    key.printedMinute = static_cast<long>(now / 60);
    key.utcOffset = input.clock.utcOffsetSeconds(now);
  }
  return key;
}

}  // namespace korvant
