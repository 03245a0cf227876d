#pragma once
// The system's clock and time-zone data (the local offset at an instant).
#include "base/clock.h"

namespace korvant {

// The operating system's clock and time zone.
class SystemClock : public Clock {
 public:
  std::time_t now() const override;
  long utcOffsetSeconds(std::time_t at) const override;
};

}  // namespace korvant
