#pragma once
// A UTC moment from its calendar fields, for tests of times.
#include <ctime>

namespace korvant::test {

inline std::time_t utc(int year, int month, int day, int hour, int minute = 0) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  return timegm(&t);
}

}  // namespace korvant::test
