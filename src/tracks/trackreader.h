#pragma once
// Reading a saved track message, plain text or HTML: the family, the header
// lines and every track line, handed to the track model.
#include <istream>
#include <string>
#include <string_view>

#include "tracks/trackmodel.h"

namespace korvant {

enum class TrackFamily { None = 0, NorthAtlantic = 1, Pacific = 2 };

inline constexpr std::size_t TRACK_LINE_LIMIT = 1500;

// Starts from an empty model. `extension` is the file's, as ".html" or "TXT".
TrackFamily readTrackMessage(std::istream& in, std::string_view extension, TrackModel& model,
                             const TrackStore& store);

// A Pacific track line after its "TDM TRK " prefix: numbered tracks become
// letters N to Z, amendment clutter and date-time groups go.
std::string cleanTdmLine(std::string line);

// Takes one flex-route track off the front of `rest`; false, with `rest`
// emptied, when there is none.
bool splitFlexRoute(std::string& rest, std::string& track);

}  // namespace korvant
