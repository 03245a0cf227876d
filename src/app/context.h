#pragma once
// The program's single instances, passed explicitly to whatever needs them.
#include <array>
#include <string>

#include "app/clock.h"
#include "app/diagnostics.h"
#include "app/layerswitches.h"
#include "app/messageboxes.h"
#include "app/onceflags.h"
#include "app/settings.h"
#include "map/mapview.h"
#include "navdata/fixstore.h"
#include "tracks/trackmodel.h"

namespace korvant {

enum class ToolMode { None, Info, Distance, Intersection };

// The map tools' overlay: Info uses point A, Distance A and B, Intersection all four.
struct ToolState {
  ToolMode mode = ToolMode::None;
  std::array<LatLng, 4> points;
};

struct AppContext {
  AppContext(MessageBoxes& messageBoxes, const Clock& systemClock)
      : boxes(messageBoxes), clock(systemClock), settings(messageBoxes, once) {}
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  MessageBoxes& boxes;
  const Clock& clock;
  OnceFlags once;
  Settings settings;
  DiagnosticStream dump;
  LayerSwitches switches;
  FixStore fixes;
  MapView view;
  // The procedure map is selected: the paint draws the loaded procedure.
  bool procedureMap = false;
  TrackModel tracks;
  // The full path of the last track message read, for the title block.
  std::string trackFile;
  ToolState tools;
  std::string programPath;  // as given at launch
};

}  // namespace korvant
