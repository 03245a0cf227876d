// Track messages: any bytes, as text, as HTML and as a saved JSON feed, read
// into the model and reported without a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "navdata/fixstore.h"
#include "tracks/trackreader.h"
#include "tracks/trackreport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static korvant::FixStore fixes;  // empty: coordinate texts still resolve
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const char* extension : {".txt", ".html", ".json"}) {
    std::istringstream in(text);
    korvant::Problems notes;
    const korvant::Result<korvant::TrackModel> read = korvant::readTrackMessage(in, extension, {fixes, &notes});
    if (read) (void)korvant::trackReport(*read, {}, 1796633100);  // with the validity words
  }
  return 0;
}
