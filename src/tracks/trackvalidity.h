#pragma once
// When a set of tracks is valid: read from the message's own words
// ("OCT 08/0100Z TO OCT 08/0800Z", or a TDM's "1511071900 1511080800") and
// said against a chosen time as the legend and the report print it.
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "tracks/trackmodel.h"

namespace korvant {

struct ValidityPeriod {
  std::time_t from = 0, to = 0;  // UTC; valid from `from` until before `to`

  bool operator==(const ValidityPeriod&) const = default;
};

// The period of a validity text, or none when it names none. A North
// Atlantic text gives no year: it is the one that puts the period nearest
// to `near`.
std::optional<ValidityPeriod> readValidityPeriod(std::string_view text, std::time_t near);

// "VALID", "NOT YET VALID (FROM 11/0100Z)" or "EXPIRED 11/0800Z".
std::string validityWords(const ValidityPeriod& period, std::time_t at);

// The line followed by its words at `at` when it names a period
// ("OCT 08/0100Z TO OCT 08/0800Z  EXPIRED 08/0800Z"), else the line itself.
std::string withValidityWords(const std::string& line, std::time_t at);

// A set's TMI as the legend and the report say it: "TMI 281", and when its
// day of the year is not the day of `at` (UTC), "TMI 281 IS 08 OCT: NOT
// TODAY". Empty for no TMI.
std::string tmiWords(const std::string& tmi, std::time_t at);
// The validity line with its words, and the direction's TMI after them.
std::string withValidityAndTmi(const std::string& line, const std::string& tmi, std::time_t at);

// The period of a stored track: its own, else its direction's.
std::optional<ValidityPeriod> trackValidity(const TrackModel& model, int slot, std::time_t near);

// A track whose period is known and does not hold `at` is not valid then; a
// track with no period is taken as valid.
bool validAt(const TrackModel& model, int slot, std::time_t at);

}  // namespace korvant
