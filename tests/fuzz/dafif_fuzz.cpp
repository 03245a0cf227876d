// The DAFIF readers on any bytes, each target built from this file with
// DAFIF_READER naming its reader. The binary files and the runway join also
// go through the real file path and the cache.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzzsupport.h"
#include "navdata/dafiffiles.h"
#include "navdata/dafifrecords.h"
#include "navdata/dafifsource.h"

namespace {

using namespace korvant;

const DafifFiles& folderFiles() {
  static DafifFiles* files = [] {
    auto* f = new DafifFiles;
    f->setFolders(fuzz::folder().string() + "/", "");
    return f;
  }();
  return *files;
}

template <typename T>
void checkPositions(const std::vector<T>& records) {
  for (const T& r : records)
    if (!(r.position.lat >= -9000 && r.position.lat <= 9000 && r.position.lng >= -18000 && r.position.lng <= 18000))
      std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  [[maybe_unused]] const DafifFiles& files = folderFiles();
#if DAFIF_READER == 1
  checkPositions(readDafifAirports(bytes));
  fuzz::writeFile("DAFA.BIN", data, size);
  if (const auto set = files.airports(); set && set->runways.size() != set->airports.size()) std::abort();
#elif DAFIF_READER == 2
  checkPositions(readDafifNavaids(bytes));
  fuzz::writeFile("DAFN.BIN", data, size);
  (void)files.navaids();
#elif DAFIF_READER == 3
  checkPositions(readDafifWaypoints(bytes));
  fuzz::writeFile("WPTN.TXT", data, size);
  (void)files.waypoints("WPTN.TXT");
#elif DAFIF_READER == 4
  const std::vector<DafifRunway> runways = readDafifRunways(bytes);
  std::vector<DafifAirport> airports;
  for (const DafifRunway& r : runways) airports.push_back({"X", {0, 0}, 0, 0, r.key, ""});
  const DafifAirportSet set = joinDafifRunways(airports, runways);
  std::size_t joined = 0;
  for (const auto& list : set.runways) joined += list.size();
  if (joined > runways.size()) std::abort();
#elif DAFIF_READER == 5
  for (const DafifSegment& s : readDafifSegments(bytes))
    if (!(std::abs(s.end1.lat) <= 9000 && std::abs(s.end2.lng) <= 18000)) std::abort();
#elif DAFIF_READER == 6
  checkPositions(readDafifIdentifiers(bytes));
  checkPositions(readDafifDistances(bytes));
#elif DAFIF_READER == 7
  for (const DafifOrtcaBlock& b : readDafifOrtca(bytes)) checkPositions(b.values);
#elif DAFIF_READER == 8
  // The builder on any text; what it builds dumps and builds again the same.
  DafifFolderBuilder builder;
  if (!builder.add(bytes).empty()) return 0;
  const DafifFolder folder = builder.finish();
  DafifFolderBuilder again;
  if (!again.add(dumpDafifFolder(folder)).empty() || again.finish() != folder) std::abort();
#endif
  return 0;
}
