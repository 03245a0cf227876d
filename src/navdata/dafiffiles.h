#pragma once
// The DAFIF-layout files, found in the data folder or else the run folder
// (by name, whatever its case), read once and kept parsed while each file
// stays as it is on disk. Airports are joined to their RWY0.TXT runways when
// they are read, not at every paint. Safe to share between a paint's threads.
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/filecache.h"
#include "navdata/dafifrecords.h"

namespace korvant {

struct DafifAirportSet {
  std::vector<DafifAirport> airports;
  // The runways of each airport (same index), stepped through RWY0.TXT in
  // key order as the airports come.
  std::vector<std::vector<DafifRunway>> runways;
};

// Joins runways to airports: RWY0.TXT is read forward, lines whose key sorts
// below an airport's are passed over, those equal to it are its runways.
DafifAirportSet joinDafifRunways(std::vector<DafifAirport> airports, const std::vector<DafifRunway>& runways);

// A DAFIF file is read up to this size.
inline constexpr std::size_t DAFIF_FILE_LIMIT = 64u << 20;

inline constexpr const char* DAFIF_WAYPOINT_FILES[4] = {"WPTN.TXT", "WPTS.TXT", "WPTE.TXT", "WPTA.TXT"};
inline constexpr const char* DAFIF_ATS_FILES[4] = {"SEGDIST.TXT", "ATSID.TXT", "RADIALK.TXT", "RADIALX.TXT"};
// Every file the layers read.
inline constexpr const char* DAFIF_FILES[12] = {"DAFA.BIN",    "DAFN.BIN",  "RWY0.TXT",    "DAFORTCA.TXT",
                                                "WPTN.TXT",    "WPTS.TXT",  "WPTE.TXT",    "WPTA.TXT",
                                                "SEGDIST.TXT", "ATSID.TXT", "RADIALK.TXT", "RADIALX.TXT"};

class DafifFiles {
 public:
  // DataFolder as given (it ends in a separator), RunFolder joined with "/".
  void setFolders(std::string dataFolder, std::string runFolder);

  // Where the file is, or empty when it is in neither folder.
  std::string pathOf(const std::string& name) const;
  // A folder standing where the file is looked for, or empty.
  std::string folderInPlaceOf(const std::string& name) const;

  // Each null when its file cannot be read.
  std::shared_ptr<const DafifAirportSet> airports() const;  // runways empty without RWY0.TXT
  std::shared_ptr<const std::vector<DafifNavaid>> navaids() const;
  std::shared_ptr<const std::vector<DafifWaypoint>> waypoints(const std::string& name) const;
  std::shared_ptr<const std::vector<DafifSegment>> segments(const std::string& name) const;
  std::shared_ptr<const std::vector<DafifSegmentLabel>> identifiers() const;
  std::shared_ptr<const std::vector<DafifSegmentLabel>> distances() const;
  std::shared_ptr<const std::vector<DafifOrtcaBlock>> ortca() const;

  // The files larger than DAFIF_FILE_LIMIT: only their first part is read.
  std::vector<std::string> cutFiles() const;

  // Every file's path, size and time as one text: it changes with any of them.
  std::string signature() const;

 private:
  // The first place the file is looked for (the data folder as given, then
  // the run folder; the name in any case) that `accept` takes, or empty.
  std::string firstFound(const std::string& name, bool (*accept)(const std::string&)) const;
  template <typename T>
  std::shared_ptr<const T> parsed(const std::string& name, const std::function<T(std::string_view)>& parse) const;

  std::string dataFolder_, runFolder_;
  FileCache files_{DAFIF_FILE_LIMIT};
  // The airports joined to their runways, under both files' stamps.
  mutable std::mutex mutex_;
  mutable std::string joinedStamps_;
  mutable std::shared_ptr<const DafifAirportSet> joined_;
};

}  // namespace korvant
