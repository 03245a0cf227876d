#pragma once
// A UTC moment from its calendar fields, for tests of times.
#include <ctime>

#include "base/utctime.h"

namespace korvant::test {

inline std::time_t utc(int year, int month, int day, int hour, int minute = 0) {
  return utcTime(year, month, day, hour, minute);
}

}  // namespace korvant::test
