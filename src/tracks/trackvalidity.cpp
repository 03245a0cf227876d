#include "tracks/trackvalidity.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/textops.h"
#include "base/utctime.h"

namespace korvant {

namespace {

constexpr std::array<std::string_view, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                      "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

bool validDate(int month, int day, int hour, int minute) {
  return month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour >= 0 && hour <= 24 && minute >= 0 && minute < 60;
}

int digits(std::string_view text, std::size_t at, std::size_t count) {
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

bool allDigits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return !text.empty();
}

struct MonthDayTime {
  int month, day, hour, minute;
};

// "OCT 08/0100Z" as words: the month, then "08/0100Z".
std::optional<MonthDayTime> readMonthDayTime(std::string_view month, std::string_view rest) {
  int m = 0;
  for (std::size_t i = 0; i < kMonths.size(); ++i)
    if (month == kMonths[i]) m = static_cast<int>(i) + 1;
  if (m == 0 || rest.size() < 8 || rest[2] != '/' || rest[7] != 'Z' || !allDigits(rest.substr(0, 2)) ||
      !allDigits(rest.substr(3, 4)))
    return std::nullopt;
  const MonthDayTime t{m, digits(rest, 0, 2), digits(rest, 3, 2), digits(rest, 5, 2)};
  if (!validDate(t.month, t.day, t.hour, t.minute)) return std::nullopt;
  return t;
}

// "1511071900": YYMMDDHHMM of the years 2000-2099.
std::optional<std::time_t> readTdmTime(std::string_view word) {
  if (word.size() != 10 || !allDigits(word)) return std::nullopt;
  const int month = digits(word, 2, 2), day = digits(word, 4, 2), hour = digits(word, 6, 2),
            minute = digits(word, 8, 2);
  if (!validDate(month, day, hour, minute)) return std::nullopt;
  return utcTime(2000 + digits(word, 0, 2), month, day, hour, minute);
}

std::string dayTime(std::time_t t) {
  std::tm utc{};
  gmtime_r(&t, &utc);
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d%02dZ", utc.tm_mday, utc.tm_hour, utc.tm_min);
  return text;
}

}  // namespace

std::optional<ValidityPeriod> readValidityPeriod(std::string_view text, std::time_t near) {
  std::string rest(text);
  std::vector<std::string> words;
  for (std::string w = nextWord(rest); !w.empty() && words.size() < 64; w = nextWord(rest)) words.push_back(w);
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    if (const auto from = readTdmTime(words[i])) {
      const auto to = readTdmTime(words[i + 1]);
      if (to && *to > *from) return ValidityPeriod{*from, *to};
    }
    if (i + 4 < words.size() && words[i + 2] == "TO") {
      const auto from = readMonthDayTime(words[i], words[i + 1]);
      const auto to = readMonthDayTime(words[i + 3], words[i + 4]);
      if (!from || !to) continue;
      std::tm nearFields{};
      gmtime_r(&near, &nearFields);
      const int nearYear = nearFields.tm_year + 1900;
      std::optional<ValidityPeriod> best;
      for (int year = nearYear - 1; year <= nearYear + 1; ++year) {
        const std::time_t start = utcTime(year, from->month, from->day, from->hour, from->minute);
        // The period may run into the next year (DEC 31/2300Z TO JAN 01/0600Z).
        const int endYear = to->month < from->month ? year + 1 : year;
        const std::time_t end = utcTime(endYear, to->month, to->day, to->hour, to->minute);
        if (end <= start) continue;
        if (!best ||
            std::llabs(static_cast<long long>(start - near)) < std::llabs(static_cast<long long>(best->from - near)))
          best = ValidityPeriod{start, end};
      }
      if (best) return best;
    }
  }
  return std::nullopt;
}

std::string validityWords(const ValidityPeriod& period, std::time_t at) {
  if (at < period.from) return "NOT YET VALID (FROM " + dayTime(period.from) + ")";
  if (at >= period.to) return "EXPIRED " + dayTime(period.to);
  return "VALID";
}

std::string withValidityWords(const std::string& line, std::time_t at) {
  const std::optional<ValidityPeriod> period = readValidityPeriod(line, at);
  return period ? line + "  " + validityWords(*period, at) : line;
}

std::string tmiWords(const std::string& tmi, std::time_t at) {
  int day = 0;
  if (tmi.size() < 3 || std::from_chars(tmi.data(), tmi.data() + 3, day).ptr != tmi.data() + 3) return {};
  std::tm today{};
  if (!gmtime_r(&at, &today)) return "TMI " + tmi;
  if (day == today.tm_yday + 1) return "TMI " + tmi;
  // The day of the year nearest `at`: a set of late December read in January
  // is of the year before.
  int year = today.tm_year + 1900;
  if (day - (today.tm_yday + 1) > 182) --year;
  if ((today.tm_yday + 1) - day > 182) ++year;
  const std::time_t published = utcTime(year, 1, day, 12, 0);
  std::tm when{};
  gmtime_r(&published, &when);
  char dayOfMonth[8];
  std::snprintf(dayOfMonth, sizeof dayOfMonth, "%02d ", when.tm_mday);
  return "TMI " + tmi + " IS " + dayOfMonth + std::string(kMonths[static_cast<std::size_t>(when.tm_mon) % 12]) +
         ": NOT TODAY";
}

std::string withValidityAndTmi(const std::string& line, const std::string& tmi, std::time_t at) {
  const std::string words = tmiWords(tmi, at);
  const std::string validity = withValidityWords(line, at);
  return words.empty() || line.empty() ? validity : validity + "  " + words;
}

std::optional<ValidityPeriod> trackValidity(const TrackModel& model, int slot, std::time_t near) {
  return readValidityPeriod(model.validityText(slot), near);
}

bool validAt(const TrackModel& model, int slot, std::time_t at) {
  const std::optional<ValidityPeriod> period = trackValidity(model, slot, at);
  return !period || (at >= period->from && at < period->to);
}

}  // namespace korvant
