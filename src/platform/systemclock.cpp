#include "platform/systemclock.h"

#include <time.h>

#include <cstdlib>

namespace korvant {

// KORVANT_NOW (seconds since 1970, UTC) holds the clock still, so that the
// README's pictures, which print the time, come out the same on every run.
std::time_t SystemClock::now() const {
  static const char* fixed = std::getenv("KORVANT_NOW");
  if (fixed && *fixed) {
    char* end = nullptr;
    const long long t = std::strtoll(fixed, &end, 10);
    // Up to the end of the year 9999: past it the calendar's years overflow
    // the integers the time functions hold them in.
    constexpr long long kLatest = 253402300799;
    if (*end == '\0' && t > 0 && t <= kLatest) return static_cast<std::time_t>(t);
  }
  return std::time(nullptr);
}

long SystemClock::utcOffsetSeconds(std::time_t at) const {
  struct tm local {};
  localtime_r(&at, &local);
  return local.tm_gmtoff;
}

}  // namespace korvant
