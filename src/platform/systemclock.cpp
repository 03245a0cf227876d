#include "platform/systemclock.h"

#include <time.h>

namespace korvant {

std::time_t SystemClock::now() const { return std::time(nullptr); }

long SystemClock::utcOffsetSeconds(std::time_t at) const {
  struct tm local {};
  localtime_r(&at, &local);
  return local.tm_gmtoff;
}

}  // namespace korvant
