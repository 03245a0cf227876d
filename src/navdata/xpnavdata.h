#pragma once
// The pilot's own navigation data in X-Plane's text formats: earth_fix.dat
// (versions 1101 and 1200), earth_nav.dat (1150 and 1200) and earth_awy.dat
// (1100). Held lean: one packed point per fix or navaid, sorted by name for
// lookups, and one record per airway segment and airway name.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "geo/gridindex.h"
#include "geo/latlng.h"

namespace korvant {

// Past this a file is no navigation data of this world.
inline constexpr std::size_t NAV_DATA_FILE_LIMIT = 256u << 20;

struct XpPoint {
  std::uint64_t name = 0;  // up to eight characters, packed
  LatLng position;
  std::uint16_t region = 0;  // the ICAO region's two letters
  std::int8_t kind = 0;      // the fix file's kinds: 0 fix, 2 VOR, 3 NDB; FIX_KIND_DME
};

struct XpSegment {
  std::uint64_t airway = 0;
  std::uint32_t from = 0, to = 0;  // point indexes
  char direction = 'N';            // N both ways, F only from-to, B only to-from
  std::uint8_t level = 1;          // 1 low, 2 high
};

// Segments up to this long are filed by the cell of their first end: a
// search for those crossing an area widens it by this much. The few longer
// ones are kept apart.
inline constexpr double SHORT_SEGMENT_NM = 250;

// An airway flown between two of its points.
// An airway's points searched at most, so that a huge or looping airway
// costs bounded time.
inline constexpr std::size_t AIRWAY_SEARCH_POINTS = 10000;

// Why an airway was not flown between two names.
enum class AirwayMiss { None, NoAirway, EntryNotOnIt, ExitNotOnIt, NotJoined, SearchCut };
// The words for it: "NOT IN THE NAVIGATION DATA", "UL607 HAS NO POINT SPI", ...
std::string airwayMissWords(AirwayMiss miss, std::string_view airway, std::string_view from, std::string_view to);

struct AirwayPath {
  std::vector<LatLng> points;  // from the first to the last, both included
  std::vector<std::string> names;
  int segments = 0;
  bool againstDirection = false;  // only a one-way airway's wrong way joins them
};

class XpNavData {
 public:
  // Each reader takes one file's text and says what it could not use; the
  // airways need the points, so they are read last.
  // Each takes its layouts by the number on the file's second line (fixes
  // 600, 1100, 1101, 1200; navaids 740, 810, 1100, 1150, 1200; airways 600,
  // 640, 1100, 1101) and says once, with the number, a layout it does not
  // read. `file` names the file in what is said.
  Problems readFixes(std::string_view text, const std::string& file = "earth_fix.dat");
  Problems readNavaids(std::string_view text, const std::string& file = "earth_nav.dat");
  Problems readAirways(std::string_view text, const std::string& file = "earth_awy.dat");

  // Sorts the points for lookups: after the fixes and navaids are read.
  // Files the points and segments by cell once they are all read, so that a
  // paint visits only what lies about its surface.
  void finish();

  bool empty() const { return points_.empty(); }
  std::size_t pointCount() const { return points_.size(); }
  const std::vector<XpPoint>& points() const { return points_; }
  const std::vector<XpSegment>& segments() const { return segments_; }
  std::string nameOf(const XpPoint& p) const;
  std::string airwayName(const XpSegment& s) const;
  // The points, and the segments up to SHORT_SEGMENT_NM by their first end,
  // filed by cell; the longer segments apart (after finish()).
  const GridIndex& pointIndex() const { return pointIndex_; }
  const GridIndex& segmentIndex() const { return segmentIndex_; }
  const std::vector<std::uint32_t>& longSegments() const { return longSegments_; }
  // The point of that name within half a mile of `where`, or none.
  std::optional<std::uint32_t> indexAt(std::string_view name, const LatLng& where) const;

  // The point of that name nearest `reference`, or none.
  const XpPoint* nearest(std::string_view name, const LatLng& reference) const;
  // The airway's segments between its points of those names, by the fewest
  // segments: the entry is the airway's point named `from` nearest `near`
  // (a point of that name off the airway is never taken), the exit its
  // point named `to` that the fewest segments reach. None when the airway
  // does not join them; `miss`, when given, says why.
  std::optional<AirwayPath> airwayPath(std::string_view airway, std::string_view from, std::string_view to,
                                       const LatLng& near, AirwayMiss* miss = nullptr) const;

 private:
  // Sorted by name for lookups; the cells are filed by finish() alone.
  void sortPoints();
  std::pair<std::size_t, std::size_t> named(std::uint64_t name) const;
  // The point of that name within half a mile of `where`.
  std::optional<std::uint32_t> pointAt(std::uint64_t name, const LatLng& where) const;

  std::vector<XpPoint> points_;
  std::vector<XpSegment> segments_;
  bool sorted_ = true;
  GridIndex pointIndex_, segmentIndex_;
  std::vector<std::uint32_t> longSegments_;
  std::size_t indexedPoints_ = 0, indexedSegments_ = 0;
};

// The three files of a folder; a file missing or unreadable is said, and the
// rest used. Nothing when no file could be read, or when `stop` is set (looked
// at between the files: a window closing does not wait for the rest).
Result<XpNavData> readXpNavData(const std::string& folder, const std::atomic<bool>* stop = nullptr);

// The three files' paths, sizes and times: the data is read again only when
// this changes (an AIRAC update installed while the program runs).
std::string xpNavDataSignature(const std::string& folder);

}  // namespace korvant
