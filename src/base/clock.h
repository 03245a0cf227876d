#pragma once
// The system clock, behind an interface so that paints and tests can fix the time.
#include <ctime>

namespace korvant {

class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds since the epoch, UTC.
  virtual std::time_t now() const = 0;
  // Local time minus UTC, in seconds, at the given instant.
  virtual long utcOffsetSeconds(std::time_t at) const = 0;
};

}  // namespace korvant
