#include "sky/terminatortime.h"

#include <cctype>
#include <cstdio>
#include <limits>

namespace korvant {

namespace {

const char* const kMonths[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

bool digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The UTC moment of a calendar date at midnight; false for a date that does not exist.
bool midnightUtc(int day, int month, int year, std::time_t& out) {
  std::tm fields{};
  fields.tm_mday = day;
  fields.tm_mon = month - 1;
  fields.tm_year = year - 1900;
  out = timegm(&fields);
  std::tm back{};
  return gmtime_r(&out, &back) && back.tm_mday == day && back.tm_mon == month - 1 && back.tm_year == year - 1900;
}

}  // namespace

int normaliseTerminatorSteps(int value) {
  if (value > 360) return 360;
  if (value >= 3) return 360 / (360 / value);
  return 2;
}

TerminatorTimeParse parseTerminatorTime(std::string_view input) {
  TerminatorTimeParse result;
  std::size_t at = 0;
  while (at < input.size() && input[at] == ' ') ++at;
  std::string text;
  for (; at < input.size(); ++at) text += static_cast<char>(std::toupper(static_cast<unsigned char>(input[at])));
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  std::size_t end = 0;
  while (end < text.size() && !space(text[end])) ++end;
  const std::string first = text.substr(0, end);
  while (end < text.size() && space(text[end])) ++end;
  std::size_t dateEnd = end;
  while (dateEnd < text.size() && !space(text[dateEnd])) ++dateEnd;
  const std::string date = text.substr(end, dateEnd - end);

  if (first == "NOW") {
    result.ok = true;
    result.timeText = "NOW";
    return result;
  }
  const std::size_t digits = first.size() >= 2 && digit(first[0]) && digit(first[1]) ? 2
                             : first.size() >= 1 && digit(first[0])                  ? 1
                                                                                     : 0;
  if (digits == 0 || first.size() <= digits || first[digits] != 'Z') {
    result.error = Reason::TimeBadHour;
    return result;
  }
  const int hour = std::stoi(first.substr(0, digits));

  // Slashes, as the prompt's example writes the date, or dashes, as its pattern does.
  const bool shaped =
      (date.size() == 8 || date.size() == 10) && (date[2] == '/' || date[2] == '-') && date[5] == date[2] && [&] {
        for (std::size_t i = 0; i < date.size(); ++i)
          if (i != 2 && i != 5 && !digit(date[i])) return false;
        return true;
      }();
  const int day = shaped ? std::stoi(date.substr(0, 2)) : 0;
  const int month = shaped ? std::stoi(date.substr(3, 2)) : 0;
  if (!shaped || day < 1 || day > 31 || month < 1 || month > 12) {
    result.error = Reason::TimeBadDate;
    return result;
  }
  int year = std::stoi(date.substr(6));
  if (date.size() == 8) year += year < 50 ? 2000 : 1900;
  if (year < 1901 || year > 2036) {
    result.error = Reason::TimeYearOutOfRange;
    return result;
  }
  std::time_t midnight = 0;
  if (!midnightUtc(day, month, year, midnight)) {
    result.error = Reason::TimeBadDate;
    return result;
  }
  result.ok = true;
  result.time = midnight + static_cast<std::time_t>(hour) * 3600;
  char shown[32];
  std::snprintf(shown, sizeof shown, "%02dZ %02d/%02d/%04d", hour, day, month, year);
  result.timeText = shown;
  return result;
}

Problems setTerminatorTime(TerminatorTime& settings, std::string_view text, const Clock& clock) {
  const TerminatorTimeParse parsed = parseTerminatorTime(text);
  if (!parsed.ok) return {{parsed.error, {}, 0, std::string(text)}};
  settings.timeText = parsed.timeText;
  settings.time = settings.isNow() ? clock.now() : parsed.time;
  return {};
}

std::time_t effectiveTerminatorTime(const TerminatorTime& settings, const Clock& clock) {
  return settings.isNow() ? clock.now() : settings.time;
}

std::time_t firstNextHour(const TerminatorTime& settings, const Clock& clock) {
  if (settings.isNow()) {
    const std::time_t now = clock.now();
    return now - ((now % 3600) + 3600) % 3600 + 3600;
  }
  // A time at the end of the clock's range has no hour after it.
  if (settings.time > std::numeric_limits<std::time_t>::max() - 3600) return settings.time;
  return settings.time % 3600 == 0 ? settings.time + 3600 : settings.time;
}

std::string terminatorTitle(std::time_t utc) {
  std::tm t{};
  if (!gmtime_r(&utc, &t)) return "SEA LEVEL TERMINATOR";
  char text[64];
  std::snprintf(text, sizeof text, "SEA LEVEL TERMINATOR %02d %s %d/%02d%02dZ", t.tm_mday, kMonths[t.tm_mon],
                t.tm_year + 1900, t.tm_hour, t.tm_min);
  return text;
}

}  // namespace korvant
