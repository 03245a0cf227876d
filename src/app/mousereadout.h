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
                         bool kilometres, const MagneticModel& magnetic = {});

class MouseOnMap {
 public:
  explicit MouseOnMap(AppContext& app) : app_(app) {}

  // The text to append to the input field, if the press counts and the point
  // is on the map.
  std::optional<std::string> leftPress(int x, int y, const Projection& projection);
  void leftDoubleClick() { ++clickSwallow_; }
  // Recentres on the point, range unchanged; false when it is off the map.
  bool rightRelease(int x, int y, const Projection& projection);
  // A drag from one point to another: the position under the first comes
  // under the second, the range unchanged; false when it is off the map.
  bool pan(int fromX, int fromY, int toX, int toY, const Projection& projection);
  // The steps of a drag: the held position under the pointer with the
  // Lambert band of the drag's start, so that the map never jumps under the
  // hand; at its end the band of the centre reached, the held position still
  // under the pointer.
  void dragTo(const LatLng& held, int x, int y, int width, int height);
  void endDrag(const LatLng& held, int x, int y, int width, int height);
  // One range step of the wheel about the pointer: the position under it
  // stays under it. Off the map, the step is taken about the centre.
  // False when the range cannot step further.
  bool zoomAt(int x, int y, bool in, const Projection& projection);

 private:
  // Moves the centre until `held` lies under (x, y) on a surface of that
  // size, in the view's Lambert band when `keepBand`, else the centre's.
  void bringUnder(const LatLng& held, int x, int y, int width, int height, bool keepBand);

  AppContext& app_;
  int clickSwallow_ = 0;
};

}  // namespace korvant
