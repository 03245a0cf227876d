#pragma once
// A UTC moment from its calendar fields. Fields past their range roll over
// (the 32nd of a month is the next month's 1st), as the track messages'
// "day 31, hour 24" need.
#include <ctime>

namespace korvant {

inline std::time_t utcTime(int year, int month, int day, int hour, int minute, int second = 0) {
  std::tm fields{};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_hour = hour;
  fields.tm_min = minute;
  fields.tm_sec = second;
  return timegm(&fields);
}

}  // namespace korvant
