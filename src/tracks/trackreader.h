#pragma once
// Reading a saved track message, plain text or HTML: the family, the header
// lines and every track line, handed to the track model.
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "tracks/trackmodel.h"

namespace korvant {

inline constexpr std::size_t TRACK_LINE_LIMIT = 1500;

// The largest track message the program reads, text, web page or feed.
inline constexpr std::size_t TRACK_MESSAGE_LIMIT = 16 * 1024 * 1024;

// The message's tracks. `extension` is the file's, as ".html" or "TXT". A
// saved JSON feed (extension .json, or a first non-blank "[" or "{") is read
// as the lines of its messages; a feed that cannot be read is refused. The
// set's family is None when no line of any family was found. With the
// store's diagnostics asked for, each track line's unresolved fixes are
// among the problems.
Result<TrackModel> readTrackMessage(std::istream& in, std::string_view extension, const TrackStore& store);

// The slot letter of Pacific track number 1 to 13: N to Z; 0 for any other.
inline char pacificTrackLetter(long number) {
  return number >= 1 && number <= 13 ? static_cast<char>('M' + number) : 0;
}

// A Pacific track line after its "TDM TRK " prefix: numbered tracks become
// letters N to Z, amendment clutter and date-time groups go.
std::string cleanTdmLine(std::string line);

// An Australian flex track, joined from its TDM ("TDM TRK SY16 ...", the
// validity, the route, "RTS/..."): its name, validity and route; nothing
// when the text is no AUSOTS TDM or says there is no track.
struct AusotsTrack {
  std::string name, validity, route;
};
std::optional<AusotsTrack> readAusotsTdm(std::string_view text);

// Takes one flex-route track off the front of `rest`; false, with `rest`
// emptied, when there is none.
bool splitFlexRoute(std::string& rest, std::string& track);

}  // namespace korvant
