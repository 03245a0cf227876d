// The simulator's record files: any bytes read as waypoints, stations and
// airports, dumped, and the dump built again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "navdata/simrecords.h"
#include "navdata/simsource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvant;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  (void)readSimWaypoints(bytes);
  (void)readSimStations(bytes);
  (void)readSimAirports(bytes);
  // The dump of any file reads as a source; a folder the builder writes dumps
  // back to its own bytes.
  SimFolder folder{
      {"747WPT.DAT", std::string(bytes)}, {"747NAM.STA", std::string(bytes)}, {"747NAM.APT", std::string(bytes)}};
  SimFolderBuilder builder;
  if (builder.add(dumpSimFolder(folder)).empty()) {
    const SimFolder built = builder.finish();
    SimFolderBuilder again;
    if (!again.add(dumpSimFolder(built)).empty() || again.finish() != built) std::abort();
  }
  // The same bytes as a source text of either form.
  SimFolderBuilder source;
  (void)source.add(bytes);
  (void)source.finish();
  return 0;
}
