#pragma once
// Today's tracks from the network, as far as the core knows them: where each
// family is fetched from, how long a fetch may take, and the name a fetched
// message is kept under for offline use. The fetch itself is the platform's.
#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "base/settings.h"

namespace korvant {

struct TrackSource {
  std::string_view family;  // "nat", "pacots", "ausots": the saved file's prefix
  std::string_view key;     // the control-file key of its address
  std::string url;          // empty when none is set
};

// The three families in fetch order, with the addresses the settings give.
std::vector<TrackSource> trackSources(Settings& settings);

struct FetchLimits {
  int connectSeconds = 10;   // until the server answers
  int transferSeconds = 60;  // the whole transfer
  int maxRedirects = 5;
  std::size_t maxBytes = 16 * 1024 * 1024;
};

// The timeouts of TrackConnectTimeout and TrackTransferTimeout; a value that
// is no positive number of seconds keeps the default.
FetchLimits fetchLimits(Settings& settings);

// "http://..." or "https://...", in any case: read from the network, not a file.
bool isWebAddress(std::string_view text);

// ".json" for a feed, ".html" for a page, else ".txt": what the reader needs
// to be told of fetched bytes that have no file name.
std::string_view trackMessageExtension(std::string_view bytes);

// "nat-20261207T1430Z.json": the family, the UTC minute of the fetch, and the
// extension the reader needs for what the bytes are (a feed, a page, text).
std::string fetchedTrackFileName(std::string_view family, std::time_t when, std::string_view bytes);

}  // namespace korvant
