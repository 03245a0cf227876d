#include "navdata/dafiffiles.h"

#include <algorithm>
#include <filesystem>

#include "base/datafile.h"
#include "base/filereader.h"

namespace korvant {

DafifAirportSet joinDafifRunways(std::vector<DafifAirport> airports, const std::vector<DafifRunway>& runways) {
  DafifAirportSet set;
  set.runways.resize(airports.size());
  std::size_t line = 0;
  for (std::size_t i = 0; i < airports.size(); ++i) {
    const std::string& key = airports[i].key;
    while (line < runways.size() && runways[line].key < key) ++line;
    while (line < runways.size() && runways[line].key == key) set.runways[i].push_back(runways[line++]);
  }
  set.airports = std::move(airports);
  return set;
}

void DafifFiles::setFolders(std::string dataFolder, std::string runFolder) {
  std::lock_guard lock(mutex_);
  dataFolder_ = std::move(dataFolder);
  runFolder_ = std::move(runFolder);
  files_.clear();
  joined_.reset();
}

std::string DafifFiles::firstFound(const std::string& name, bool (*accept)(const std::string&)) const {
  // The run folder is looked in only when the data folder has nothing: the
  // paint's key asks for every file.
  // DataFolder is used as given (it ends in a separator); RunFolder is joined.
  if (!dataFolder_.empty())
    if (const std::string found = resolveCaseInsensitive(dataFolder_ + name); accept(found)) return found;
  if (!runFolder_.empty())
    if (const std::string found = resolveCaseInsensitive(joinFolder(runFolder_, name)); accept(found)) return found;
  return {};
}

std::string DafifFiles::pathOf(const std::string& name) const {
  return firstFound(name, [](const std::string& p) { return stampOf(p).size >= 0; });
}

std::string DafifFiles::folderInPlaceOf(const std::string& name) const {
  return firstFound(name, [](const std::string& p) {
    std::error_code ec;
    return std::filesystem::is_directory(p, ec);
  });
}

template <typename T>
std::shared_ptr<const T> DafifFiles::parsed(const std::string& name,
                                            const std::function<T(std::string_view)>& parse) const {
  const std::string path = pathOf(name);
  if (path.empty()) return nullptr;
  return files_.decoded<T>(path, name, parse);
}

std::vector<std::string> DafifFiles::cutFiles() const {
  std::vector<std::string> cut;
  for (const char* name : DAFIF_FILES)
    if (stampOf(pathOf(name)).size > static_cast<long long>(DAFIF_FILE_LIMIT)) cut.emplace_back(name);
  return cut;
}

std::shared_ptr<const DafifAirportSet> DafifFiles::airports() const {
  const auto dafa = parsed<std::vector<DafifAirport>>("DAFA.BIN", readDafifAirports);
  if (!dafa) return nullptr;
  const auto rwy0 = parsed<std::vector<DafifRunway>>("RWY0.TXT", readDafifRunways);
  // The join is kept under a key that changes with either file.
  const std::string stamps = stampText(pathOf("DAFA.BIN")) + stampText(pathOf("RWY0.TXT"));
  std::lock_guard lock(mutex_);
  if (joined_ && joinedStamps_ == stamps) return joined_;
  joined_ = std::make_shared<const DafifAirportSet>(joinDafifRunways(*dafa, rwy0 ? *rwy0 : std::vector<DafifRunway>{}));
  joinedStamps_ = stamps;
  return joined_;
}

std::shared_ptr<const std::vector<DafifNavaid>> DafifFiles::navaids() const {
  return parsed<std::vector<DafifNavaid>>("DAFN.BIN", readDafifNavaids);
}

std::shared_ptr<const std::vector<DafifWaypoint>> DafifFiles::waypoints(const std::string& name) const {
  return parsed<std::vector<DafifWaypoint>>(name, readDafifWaypoints);
}

std::shared_ptr<const std::vector<DafifSegment>> DafifFiles::segments(const std::string& name) const {
  return parsed<std::vector<DafifSegment>>(name, readDafifSegments);
}

std::shared_ptr<const std::vector<DafifSegmentLabel>> DafifFiles::identifiers() const {
  return parsed<std::vector<DafifSegmentLabel>>("ATSID.TXT", readDafifIdentifiers);
}

std::shared_ptr<const std::vector<DafifSegmentLabel>> DafifFiles::distances() const {
  return parsed<std::vector<DafifSegmentLabel>>("SEGDIST.TXT", readDafifDistances);
}

std::shared_ptr<const std::vector<DafifOrtcaBlock>> DafifFiles::ortca() const {
  return parsed<std::vector<DafifOrtcaBlock>>("DAFORTCA.TXT", readDafifOrtca);
}

std::string DafifFiles::signature() const {
  std::string text;
  for (const char* name : DAFIF_FILES) text += stampText(pathOf(name));
  return text;
}

}  // namespace korvant
