#include "flight/livesample.h"

namespace korvant {

void mergeLiveSample(LiveSample& held, const LiveSample& newer) {
  if (newer.position) held.position = newer.position;
  if (newer.altitudeFt) held.altitudeFt = newer.altitudeFt;
  if (newer.trackDeg) held.trackDeg = newer.trackDeg;
  if (newer.pressureAltitudeFt) held.pressureAltitudeFt = newer.pressureAltitudeFt;
  if (newer.headingDeg) held.headingDeg = newer.headingDeg;
  if (newer.groundSpeedKt) held.groundSpeedKt = newer.groundSpeedKt;
  if (newer.zuluSeconds) held.zuluSeconds = newer.zuluSeconds;
  if (newer.utc) held.utc = newer.utc;
}

}  // namespace korvant
