#pragma once
// KORVANT.DAT in memory: section enumeration and the fix lookup that turns
// any typed or file text into a position.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "geo/spherecap.h"
#include "navdata/coastfile.h"
#include "navdata/fixrecords.h"
#include "navdata/xpnavdata.h"

namespace korvant {

using FixFileBytes = std::shared_ptr<const std::vector<std::uint8_t>>;

// A forward cursor over one section. Each cursor keeps its own place, so an
// enumeration may look fixes up while it runs (the alias layer does).
class FixSection {
 public:
  FixSection() = default;
  FixSection(FixFileBytes bytes, std::size_t offset, std::uint32_t count)
      : bytes_(std::move(bytes)), pos_(offset), left_(count) {}

  bool readFix(Fix& fix);
  // A line of more than 50 points keeps its first 50; the next record still
  // starts where it should.
  bool readBoundaryLine(BoundaryLine& line);
  bool readRouteSet(RouteSet& routeSet);
  bool readTerrainPoint(TerrainPoint& point);
  bool readAlias(Alias& alias);

  std::uint32_t recordsLeft() const { return left_; }

 private:
  // The next `size` bytes of the record, or null (ending the section) when
  // the record would run past the data.
  const std::uint8_t* take(std::size_t size);

  FixFileBytes bytes_;
  std::size_t pos_ = 0;
  std::uint32_t left_ = 0;
};

// Sections of any byte image of a fix file; an image without the marker or
// with a directory entry past the end gives empty sections.
FixSection openFixSection(const FixFileBytes& bytes, FixSectionId id);

// The text before the marker, or nothing when there is no marker.
std::optional<std::string> fixFilePreamble(const std::vector<std::uint8_t>& bytes);

class FixStore {
 public:
  // The file in `folder` (the current folder at start-up). A folder that
  // cannot be read or a path that is too long leaves the store without a file.
  // What went wrong, for the caller to say, or nothing.
  Problems setPath(const std::string& folder, std::string_view fileName);
  void setPathDirectly(std::string path) {
    path_ = std::move(path);
    state_ = State::NotTried;
    // The file is read afresh for every section now; what was kept of it is not its.
    terrain_.clear();
    terrainRuns_.clear();
  }
  // For tests and tools: the store over bytes already in memory.
  void loadBytes(std::vector<std::uint8_t> bytes);

  // Reads the file into memory (at most 300,000 bytes). When that fails, every
  // section and lookup reads the file afresh instead, with the same results.
  // Before load() the store reads the file directly too: lookups never
  // change the store, so a paint may share it.
  void load();

  const std::string& path() const { return path_; }
  bool loadedIntoMemory() const { return state_ == State::InMemory; }

  FixSection openSection(FixSectionId id) const;

  // A coordinate text first, then the fix of that name nearest `reference`
  // (haversine distance in NM on the 60.11 NM-per-degree sphere); among equally
  // near ones the first in the file. Positions are packed degrees and minutes.
  bool findFix(std::string_view text, const LatLng& reference, LatLng& position) const;
  // Texts of 1 to 25 characters only.
  bool resolvePosition(std::string_view text, const LatLng& reference, LatLng& position) const;
  // As resolvePosition, then once more through the alias table.
  bool resolvePositionWithAlias(std::string_view text, const LatLng& reference, LatLng& position) const;
  // The kind of the fix of that name at that position (0 waypoint, 1 airport,
  // 2 VOR, 3 NDB, ...), or -1 when the file (or the navigation data) has none there.
  int kindOf(std::string_view name, const LatLng& position) const;
  // The pilot's navigation data: a name the fix file lacks is looked up
  // there, nearest the reference as in the file. Null for none.
  void setNavData(std::shared_ptr<const XpNavData> data) { navData_ = std::move(data); }
  const XpNavData* navData() const { return navData_.get(); }
  // The finer coastline of regional ranges (COAST.DAT), or null.
  void setCoast(std::shared_ptr<const CoastData> coast) { coast_ = std::move(coast); }
  const CoastData* coast() const { return coast_.get(); }
  // The terrain's points in runs of a few, each with a cap holding it and
  // the line joining it to the run before: built when the file is in
  // memory, so a paint skips the runs away from its surface. Empty when the
  // file is read directly.
  struct TerrainRun {
    std::uint32_t first = 0, count = 0;
    SphereCap cap;
  };
  const std::vector<TerrainPoint>& terrainPoints() const { return terrain_; }
  const std::vector<TerrainRun>& terrainRuns() const { return terrainRuns_; }
  // Replaces an alias name by its target text.
  bool applyAlias(std::string& text) const;

 private:
  enum class State { NotTried, InMemory, Direct };
  // One fix record by name, in file order within a name.
  struct IndexEntry {
    std::uint64_t name;
    std::uint32_t order;
    LatLng position;
    std::uint8_t kind;
  };
  FixFileBytes currentBytes() const;
  FixFileBytes readFile() const;
  void setInMemory(FixFileBytes bytes);
  bool findFixByName(std::string_view text, const LatLng& reference, LatLng& position) const;
  int kindInFile(std::string_view name, const LatLng& position) const;

  std::string path_;
  State state_ = State::NotTried;
  FixFileBytes bytes_;
  // Built once the file is in memory: a lookup is then a binary search
  // instead of a scan of every fix.
  std::vector<IndexEntry> index_;
  std::vector<TerrainPoint> terrain_;
  std::vector<TerrainRun> terrainRuns_;
  std::shared_ptr<const XpNavData> navData_;
  std::shared_ptr<const CoastData> coast_;
};

}  // namespace korvant
