#pragma once
// The mouse on the map: the message-bar line, the clicked position for the
// input field, and recentring.
#include <optional>
#include <string>

#include "app/context.h"
#include "map/projection.h"

namespace korvant {

// "  x:   y  N5030.00/W03500.00  VAR  15.8°W  086.17°T 101.97°M   386.09 NM".
std::string mouseReadout(int x, int y, const Projection& projection, const MapView& view, bool testPattern,
                         bool kilometres);

class MouseOnMap {
 public:
  explicit MouseOnMap(AppContext& app) : app_(app) {}

  // The text to append to the input field, if the press counts and the point
  // is on the map.
  std::optional<std::string> leftPress(int x, int y, const Projection& projection);
  void leftDoubleClick() { ++clickSwallow_; }
  // Recentres on the point, range unchanged; false when it is off the map.
  bool rightRelease(int x, int y, const Projection& projection);

 private:
  AppContext& app_;
  int clickSwallow_ = 0;
};

}  // namespace korvant
