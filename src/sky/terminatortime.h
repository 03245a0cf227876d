#pragma once
// The moment the terminator is drawn for: "NOW", read from the clock at every
// paint, or an hour on a date in UTC as the start hour dialog takes it
// ("08Z 29/09/99"), for the years 1901 to 2036.
#include <ctime>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "base/problem.h"

namespace korvant {

// The chords of each curve: 120, a chord every 3 degrees.
inline constexpr int TERMINATOR_STEPS = 120;
// 360 / (360 / value) for 3 ... 360, 360 above, 2 otherwise.
int normaliseTerminatorSteps(int value);

struct TerminatorTime {
  std::string timeText = "NOW";
  std::time_t time = 0;  // UTC; meaningful unless timeText is NOW
  int steps = TERMINATOR_STEPS;

  bool isNow() const { return timeText == "NOW"; }
};

struct TerminatorTimeParse {
  bool ok = false;
  Reason error = Reason::None;  // TimeBadHour, TimeBadDate or TimeYearOutOfRange
  std::string timeText;
  std::time_t time = 0;
};

// The parser alone; an hour above 23 rolls into the following days.
TerminatorTimeParse parseTerminatorTime(std::string_view text);

// Takes the text into the settings when it parses; else leaves them and
// says why.
Problems setTerminatorTime(TerminatorTime& settings, std::string_view text, const Clock& clock);

// The moment to draw: the clock's for NOW, else the stored one.
std::time_t effectiveTerminatorTime(const TerminatorTime& settings, const Clock& clock);

// The first of the next hours: NOW rounded down to its hour, plus one hour;
// a stored time plus one hour when it is a whole hour, else itself.
std::time_t firstNextHour(const TerminatorTime& settings, const Clock& clock);

// "SEA LEVEL TERMINATOR 29 SEP 1999/0800Z"
std::string terminatorTitle(std::time_t utc);

}  // namespace korvant
