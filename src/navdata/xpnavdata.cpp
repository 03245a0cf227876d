#include "navdata/xpnavdata.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <unordered_map>

#include "base/datafile.h"
#include "base/filecache.h"
#include "base/filereader.h"
#include "base/gunzip.h"
#include "geo/greatcircle.h"
#include "navdata/fixrecords.h"

namespace korvant {

namespace {

std::optional<std::uint64_t> packIdent(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) value = (value << 8) | static_cast<unsigned char>(c);
  return value << (8 * (8 - text.size()));
}

std::string unpackIdent(std::uint64_t value) {
  std::string text;
  for (int shift = 56; shift >= 0; shift -= 8) {
    const char c = static_cast<char>((value >> shift) & 0xFF);
    if (c == '\0') break;
    text += c;
  }
  return text;
}

std::uint16_t packRegion(std::string_view text) {
  if (text.size() != 2) return 0;
  return static_cast<std::uint16_t>((static_cast<unsigned char>(text[0]) << 8) | static_cast<unsigned char>(text[1]));
}

// The whitespace-separated columns of a line, at most `limit` (up to 12) of
// them, held without a heap allocation: a world set has millions of lines.
struct Columns {
  std::array<std::string_view, 12> at;
  std::size_t count = 0;

  std::size_t size() const { return count; }
  bool empty() const { return count == 0; }
  const std::string_view& operator[](std::size_t i) const { return at[i]; }
};

Columns columns(std::string_view line, std::size_t limit) {
  Columns out;
  limit = std::min(limit, out.at.size());
  std::size_t at = 0;
  while (out.count < limit) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) ++at;
    if (at >= line.size()) break;
    const std::size_t start = at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r') ++at;
    out.at[out.count++] = line.substr(start, at - start);
  }
  return out;
}

// from_chars: a world set holds millions of numbers, and strtod, with its
// copy to a terminated string and its locale, was a third of the reading.
std::optional<double> number(std::string_view text) {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  if (text.empty() || text.size() > 24) return std::nullopt;
  double v = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

// Walks the records of a data file: the two header lines, then one record a
// line until "99". Says the lines it could not use and a missing end.
class RecordWalk {
 public:
  RecordWalk(std::string_view text, std::string file) : text_(text), file_(std::move(file)) {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") at_ = 3;
    for (int header = 0; header < 2 && next(); ++header)
      if (header == 1) {
        // "1101 Version - ...": the layout's number.
        const Columns c = columns(line_, 1);
        // A number a layout can be; anything else names none (and never
        // overflows the conversion: the fuzz target found 1.2e10).
        if (const auto v = number(c.empty() ? std::string_view() : c[0]); v && *v >= 0 && *v < 100000)
          version_ = static_cast<int>(*v);
      }
  }
  // The layout the second line names, 0 when it names none.
  int version() const { return version_; }
  // Said once for a layout this reader does not read; no line is read then.
  Problems unread() const {
    Problem p{Reason::NavDataLayoutNotRead, file_};
    p.count = version_;
    return {p};
  }
  // The next record line, or false at "99" or the end.
  bool next() {
    while (at_ < text_.size()) {
      std::size_t end = text_.find('\n', at_);
      if (end == std::string_view::npos) end = text_.size();
      line_ = text_.substr(at_, end - at_);
      at_ = end + 1;
      ++number_;
      const Columns first = columns(line_, 1);
      if (first.empty()) continue;
      if (first[0] == "99") {
        ended_ = true;
        return false;
      }
      return true;
    }
    return false;
  }
  std::string_view line() const { return line_; }
  void refuse(Reason why) {
    if (refused_++ > 0) return;
    firstRefusal_ = why;
    firstRefusedLine_ = number_;
  }
  Problems problems() const {
    Problems m;
    if (refused_ > 0) {
      Problem p{Reason::NavDataLinesNotUsed, file_, static_cast<int>(firstRefusedLine_)};
      p.count = refused_;
      p.cause = firstRefusal_;
      m.push_back(p);
    }
    if (!ended_) m.push_back({Reason::NavDataCutShort, file_});
    return m;
  }

 private:
  std::string_view text_, line_;
  std::string file_;
  Reason firstRefusal_ = Reason::None;
  long firstRefusedLine_ = 0;
  std::size_t at_ = 0;
  long number_ = 0, refused_ = 0;
  int version_ = 0;
  bool ended_ = false;
};

bool oneOf(int version, std::initializer_list<int> versions) {
  return std::find(versions.begin(), versions.end(), version) != versions.end();
}

std::optional<LatLng> position(std::string_view lat, std::string_view lng) {
  const auto a = number(lat), b = number(lng);
  if (!a || !b || std::fabs(*a) > 90 || std::fabs(*b) > 180) return std::nullopt;
  return LatLng{degreesToDegMin(*a), degreesToDegMin(*b)};
}

}  // namespace

std::string XpNavData::nameOf(const XpPoint& p) const { return unpackIdent(p.name); }
std::string XpNavData::airwayName(const XpSegment& s) const { return unpackIdent(s.airway); }

Problems XpNavData::readFixes(std::string_view text, const std::string& file) {
  RecordWalk walk(text, file);
  // 600 (FlightGear, X-Plane 10 and before): lat lon ident; 1100 on: lat lon
  // ident terminal-area region [type] [name].
  const bool old = walk.version() == 600;
  if (!old && !oneOf(walk.version(), {1100, 1101, 1200})) return walk.unread();
  while (walk.next()) {
    const Columns c = columns(walk.line(), old ? 3 : 5);
    if (c.size() < (old ? 3u : 5u)) {
      walk.refuse(Reason::LineTooFewColumns);
      continue;
    }
    const auto where = position(c[0], c[1]);
    const auto name = packIdent(c[2]);
    if (!where || !name) {
      walk.refuse(where ? Reason::IdentifierTooLong : Reason::PositionOutOfRange);
      continue;
    }
    points_.push_back({*name, *where, old ? std::uint16_t{0} : packRegion(c[4]), FIX_KIND_WAYPOINT});
  }
  sorted_ = false;
  return walk.problems();
}

Problems XpNavData::readNavaids(std::string_view text, const std::string& file) {
  RecordWalk walk(text, file);
  // 740 and 810 (FlightGear, X-Plane 10 and before): code lat lon elevation
  // frequency range variation ident name; 1100 on put the terminal area and
  // the region between the ident and the name.
  const bool old = oneOf(walk.version(), {740, 810});
  if (!old && !oneOf(walk.version(), {1100, 1150, 1200})) return walk.unread();
  const std::size_t needed = old ? 9 : 10;
  while (walk.next()) {
    const Columns c = columns(walk.line(), needed);
    if (c.empty()) continue;
    const auto code = number(c[0]);
    // NDBs, VORs and DMEs or TACANs standing alone; localisers, glide
    // slopes, markers and a VOR's own DME are no en-route points.
    if (!code || (*code != 2 && *code != 3 && *code != 13)) continue;
    if (c.size() < needed) {
      walk.refuse(Reason::LineTooFewColumns);
      continue;
    }
    const auto where = position(c[1], c[2]);
    const auto name = packIdent(c[7]);
    if (!where || !name) {
      walk.refuse(where ? Reason::IdentifierTooLong : Reason::PositionOutOfRange);
      continue;
    }
    points_.push_back({*name, *where, packRegion(c[9]),
                       static_cast<std::int8_t>(*code == 2   ? FIX_KIND_NDB
                                                : *code == 3 ? FIX_KIND_VOR
                                                             : FIX_KIND_DME)});
  }
  sorted_ = false;
  return walk.problems();
}

namespace {

// Within a name, by region and then navaids after fixes: an airway's end is
// found by halving, not by passing every point of its name (a name a
// hundred thousand fixes share in another region).
std::uint32_t regionAndClass(const XpPoint& p) {
  return static_cast<std::uint32_t>(p.region) * 2 + (p.kind != FIX_KIND_WAYPOINT ? 1 : 0);
}

}  // namespace

void XpNavData::sortPoints() {
  if (sorted_) return;
  std::stable_sort(points_.begin(), points_.end(), [](const XpPoint& a, const XpPoint& b) {
    return a.name != b.name ? a.name < b.name : regionAndClass(a) < regionAndClass(b);
  });
  sorted_ = true;
  indexedPoints_ = 0;
}

void XpNavData::finish() {
  sortPoints();
  if (indexedPoints_ == points_.size() && indexedSegments_ == segments_.size()) return;
  std::vector<LatLng> at(points_.size());
  for (std::size_t i = 0; i < points_.size(); ++i) at[i] = points_[i].position;
  pointIndex_ = GridIndex(at);
  at.resize(segments_.size());
  longSegments_.clear();
  for (std::size_t i = 0; i < segments_.size(); ++i) {
    const LatLng& from = points_[segments_[i].from].position;
    const LatLng& to = points_[segments_[i].to].position;
    if (surelyWithinNm(from, to, SHORT_SEGMENT_NM) || distanceNmFast(from, to) <= SHORT_SEGMENT_NM) {
      at[i] = from;
    } else {
      at[i] = LatLng::unset();
      longSegments_.push_back(static_cast<std::uint32_t>(i));
    }
  }
  segmentIndex_ = GridIndex(at);
  indexedPoints_ = points_.size();
  indexedSegments_ = segments_.size();
}

std::optional<std::uint32_t> XpNavData::indexAt(std::string_view name, const LatLng& where) const {
  const auto key = packIdent(name);
  if (!key || !sorted_) return std::nullopt;
  return pointAt(*key, where);
}

std::pair<std::size_t, std::size_t> XpNavData::named(std::uint64_t name) const {
  const auto range = std::equal_range(points_.begin(), points_.end(), XpPoint{name, {}, 0, 0},
                                      [](const XpPoint& a, const XpPoint& b) { return a.name < b.name; });
  return {static_cast<std::size_t>(range.first - points_.begin()),
          static_cast<std::size_t>(range.second - points_.begin())};
}

std::optional<std::uint32_t> XpNavData::pointAt(std::uint64_t name, const LatLng& where) const {
  const auto [first, last] = named(name);
  for (std::size_t i = first; i < last; ++i)
    if (surelyWithinNm(points_[i].position, where, 0.5) || distanceNmFast(points_[i].position, where) < 0.5)
      return static_cast<std::uint32_t>(i);
  return std::nullopt;
}

Problems XpNavData::readAirways(std::string_view text, const std::string& file) {
  sortPoints();
  // 640 (FlightGear, X-Plane 10 and before; some files say 600): ident lat
  // lon ident lat lon level base top names, each end by its position. 1100:
  // ident region type ident region type direction level base top names,
  // each end a fix or navaid of the other files.
  const int version = RecordWalk(text, file).version();
  const bool old = oneOf(version, {600, 640});
  if (!old && !oneOf(version, {1100, 1101})) return RecordWalk(text, file).unread();
  const std::size_t needed = old ? 10 : 11;
  if (old) {
    // An end no fix or navaid file holds is a point of the airway's own,
    // once: the ends added so far are filed by name and a cell of a
    // hundredth of a degree, so that a file of new ends reads in linear time.
    std::vector<XpPoint> added;
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> addedByCell;
    const auto cellKey = [](std::uint64_t name, long latCell, long lngCell) {
      return name * 1000003u ^ static_cast<std::uint64_t>(latCell) * 40009u ^ static_cast<std::uint64_t>(lngCell);
    };
    // Cells about as wide as high (0.6 NM), so that a neighbour within half
    // a mile is in the next cell at most.
    const auto cellsOf = [](const LatLng& p) {
      const LatLng::Degrees d = p.decimalDegrees();
      const double across = std::max(std::cos(d.lat * PI / 180), 0.05);
      return std::pair{std::lround(std::floor(d.lat * 100)), std::lround(std::floor(d.lng * 100 * across))};
    };
    for (RecordWalk walk(text, file); walk.next();) {
      const Columns c = columns(walk.line(), needed);
      if (c.size() < needed) continue;
      for (const std::size_t at : {0u, 3u}) {
        const auto name = packIdent(c[at]);
        const auto where = position(c[at + 1], c[at + 2]);
        if (!name || !where || pointAt(*name, *where)) continue;
        const auto [latCell, lngCell] = cellsOf(*where);
        bool seen = false;
        for (long dLat = -1; dLat <= 1 && !seen; ++dLat)
          for (long dLng = -1; dLng <= 1 && !seen; ++dLng)
            if (const auto it = addedByCell.find(cellKey(*name, latCell + dLat, lngCell + dLng));
                it != addedByCell.end())
              seen = std::any_of(it->second.begin(), it->second.end(), [&](std::uint32_t i) {
                return added[i].name == *name && distanceNmFast(added[i].position, *where) < 0.5;
              });
        if (seen) continue;
        addedByCell[cellKey(*name, latCell, lngCell)].push_back(static_cast<std::uint32_t>(added.size()));
        added.push_back({*name, *where, 0, FIX_KIND_WAYPOINT});
      }
    }
    points_.insert(points_.end(), added.begin(), added.end());
    sorted_ = false;
    sortPoints();
  }
  RecordWalk walk(text, file);
  long unknownEnds = 0;
  while (walk.next()) {
    const Columns c = columns(walk.line(), needed);
    if (c.size() < needed) {
      walk.refuse(Reason::LineTooFewColumns);
      continue;
    }
    const auto end = [&](std::size_t at) -> std::optional<std::uint32_t> {
      const auto name = packIdent(c[at]);
      if (!name) return std::nullopt;
      if (old) {
        const auto where = position(c[at + 1], c[at + 2]);
        return where ? pointAt(*name, *where) : std::nullopt;
      }
      const auto type = number(c[at + 2]);
      if (!type) return std::nullopt;
      const bool navaid = *type == 2 || *type == 3;
      const std::uint32_t wanted = static_cast<std::uint32_t>(packRegion(c[at + 1])) * 2 + (navaid ? 1 : 0);
      const auto [first, last] = named(*name);
      const auto found = std::partition_point(points_.begin() + static_cast<std::ptrdiff_t>(first),
                                              points_.begin() + static_cast<std::ptrdiff_t>(last),
                                              [&](const XpPoint& p) { return regionAndClass(p) < wanted; });
      if (found == points_.begin() + static_cast<std::ptrdiff_t>(last) || regionAndClass(*found) != wanted)
        return std::nullopt;
      return static_cast<std::uint32_t>(found - points_.begin());
    };
    const auto from = end(0), to = end(3);
    if (!from || !to) {
      ++unknownEnds;
      continue;
    }
    const char direction = old ? 'N' : c[6] == "F" ? 'F' : c[6] == "B" ? 'B' : 'N';
    const std::uint8_t level = c[old ? 6 : 7] == "2" ? 2 : 1;
    // "J1-J2": one segment of several airways.
    std::string_view names = c[needed - 1];
    while (!names.empty()) {
      const std::size_t dash = names.find('-');
      if (const auto airway = packIdent(names.substr(0, dash)))
        segments_.push_back({*airway, *from, *to, direction, level});
      if (dash == std::string_view::npos) break;
      names.remove_prefix(dash + 1);
    }
  }
  std::stable_sort(segments_.begin(), segments_.end(),
                   [](const XpSegment& a, const XpSegment& b) { return a.airway < b.airway; });
  Problems m = walk.problems();
  if (unknownEnds > 0) {
    Problem p{Reason::NavDataEndsUnknown, file};
    p.count = unknownEnds;
    m.push_back(p);
  }
  return m;
}

const XpPoint* XpNavData::nearest(std::string_view name, const LatLng& reference) const {
  const auto key = packIdent(name);
  if (!key || !sorted_) return nullptr;
  const auto [first, last] = named(*key);
  const XpPoint* best = nullptr;
  double bestDistance = 0;
  for (std::size_t i = first; i < last; ++i) {
    const double d = distanceNmFast(reference, points_[i].position);
    if (!best || d < bestDistance) {
      best = &points_[i];
      bestDistance = d;
    }
  }
  return best;
}

std::optional<AirwayPath> XpNavData::airwayPath(std::string_view airway, std::string_view from, std::string_view to,
                                                const LatLng& near, AirwayMiss* miss) const {
  const auto say = [&](AirwayMiss why) -> std::optional<AirwayPath> {
    if (miss) *miss = why;
    return std::nullopt;
  };
  say(AirwayMiss::None);
  const auto key = packIdent(airway);
  const auto fromKey = packIdent(from), toKey = packIdent(to);
  if (!key) return say(AirwayMiss::NoAirway);
  const auto range = std::equal_range(segments_.begin(), segments_.end(), XpSegment{*key, 0, 0, 'N', 1},
                                      [](const XpSegment& a, const XpSegment& b) { return a.airway < b.airway; });
  if (range.first == range.second) return say(AirwayMiss::NoAirway);
  // Each point's segments, found by halving: a long airway flown back and
  // forth by a long route must not scan every segment at every step.
  std::vector<std::pair<std::uint32_t, const XpSegment*>> touching;
  touching.reserve(2 * static_cast<std::size_t>(range.second - range.first));
  for (auto s = range.first; s != range.second; ++s) {
    touching.emplace_back(s->from, &*s);
    touching.emplace_back(s->to, &*s);
  }
  std::stable_sort(touching.begin(), touching.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  const auto segmentsAt = [&](std::uint32_t point) {
    return std::equal_range(touching.begin(), touching.end(),
                            std::pair<std::uint32_t, const XpSegment*>{point, nullptr},
                            [](const auto& a, const auto& b) { return a.first < b.first; });
  };
  const auto onAirway = [&](std::uint32_t point) {
    const auto [first, last] = segmentsAt(point);
    return first != last;
  };
  // The entry: of the airway's points named `from`, the one nearest `near`.
  std::optional<std::uint32_t> entry;
  double entryDistance = 0;
  if (fromKey) {
    const auto [first, last] = named(*fromKey);
    for (std::size_t i = first; i < last; ++i) {
      const auto index = static_cast<std::uint32_t>(i);
      if (!onAirway(index)) continue;
      const double d = distanceNmFast(near, points_[i].position);
      if (!entry || d < entryDistance) entry = index, entryDistance = d;
    }
  }
  if (!entry) return say(AirwayMiss::EntryNotOnIt);
  bool exitOnAirway = false;
  if (toKey) {
    const auto [first, last] = named(*toKey);
    for (std::size_t i = first; i < last && !exitOnAirway; ++i) exitOnAirway = onAirway(static_cast<std::uint32_t>(i));
  }
  if (!exitOnAirway) return say(AirwayMiss::ExitNotOnIt);
  // Fewest segments first, the airway's direction kept; only when that finds
  // nothing, against it.
  bool cut = false;
  for (const bool strict : {true, false}) {
    std::unordered_map<std::uint32_t, std::uint32_t> cameFrom;
    const std::uint32_t startIndex = *entry;
    cameFrom[startIndex] = startIndex;
    std::deque<std::uint32_t> queue{startIndex};
    std::optional<std::uint32_t> reached;
    while (!queue.empty() && !reached && cameFrom.size() < AIRWAY_SEARCH_POINTS) {
      const std::uint32_t at = queue.front();
      queue.pop_front();
      const auto [firstTouching, lastTouching] = segmentsAt(at);
      for (auto t = firstTouching; t != lastTouching; ++t) {
        const XpSegment* s = t->second;
        std::optional<std::uint32_t> next;
        if (s->from == at && (!strict || s->direction != 'B')) next = s->to;
        if (s->to == at && (!strict || s->direction != 'F')) next = s->from;
        if (!next || cameFrom.count(*next)) continue;
        cameFrom[*next] = at;
        if (points_[*next].name == *toKey) {
          reached = *next;
          break;
        }
        queue.push_back(*next);
      }
    }
    if (!reached) {
      cut = cut || !queue.empty();
      continue;
    }
    AirwayPath path;
    path.againstDirection = !strict;
    // Walked back from the exit, then turned: inserting at the front is
    // quadratic in a long airway's length.
    for (std::uint32_t at = *reached;; at = cameFrom[at]) {
      path.points.push_back(points_[at].position);
      path.names.push_back(nameOf(points_[at]));
      if (at == startIndex) break;
    }
    std::reverse(path.points.begin(), path.points.end());
    std::reverse(path.names.begin(), path.names.end());
    path.segments = static_cast<int>(path.points.size()) - 1;
    return path;
  }
  return say(cut ? AirwayMiss::SearchCut : AirwayMiss::NotJoined);
}

std::string airwayMissWords(AirwayMiss miss, std::string_view airway, std::string_view from, std::string_view to) {
  const std::string name(airway);
  switch (miss) {
    case AirwayMiss::None: return {};
    case AirwayMiss::NoAirway: return "NOT IN THE NAVIGATION DATA";
    case AirwayMiss::EntryNotOnIt: return name + " HAS NO POINT " + std::string(from);
    case AirwayMiss::ExitNotOnIt: return name + " HAS NO POINT " + std::string(to);
    case AirwayMiss::NotJoined: return name + " DOES NOT JOIN " + std::string(from) + " AND " + std::string(to);
    case AirwayMiss::SearchCut: return "NOT FOUND WITHIN 10000 POINTS OF THE AIRWAY";
  }
  return {};
}

namespace {

// The names each file goes by: X-Plane's, then FlightGear's (its Navaids
// folder), each as it is or gzipped.
constexpr const char* kFixNames[] = {"earth_fix.dat", "earth_fix.dat.gz", "fix.dat", "fix.dat.gz"};
constexpr const char* kNavNames[] = {"earth_nav.dat", "earth_nav.dat.gz", "nav.dat", "nav.dat.gz"};
constexpr const char* kAwyNames[] = {"earth_awy.dat", "earth_awy.dat.gz", "awy.dat", "awy.dat.gz"};

// The first of the names the folder holds, whatever its case; else the first name.
template <std::size_t N>
std::string pathIn(const std::string& folder, const char* const (&names)[N]) {
  for (const char* name : names) {
    const std::string path = resolveCaseInsensitive(joinFolder(folder, name));
    if (stampOf(path).size >= 0) return path;
  }
  return resolveCaseInsensitive(joinFolder(folder, names[0]));
}

}  // namespace

std::string xpNavDataSignature(const std::string& folder) {
  std::string text;
  for (const std::string& path : {pathIn(folder, kFixNames), pathIn(folder, kNavNames), pathIn(folder, kAwyNames)})
    text += path + stampText(path);
  return text;
}

Result<XpNavData> readXpNavData(const std::string& folder, const std::atomic<bool>* stop) {
  Result<XpNavData> result;
  XpNavData data;
  bool any = false;
  const auto read = [&](const std::string& path, Problems (XpNavData::*reader)(std::string_view, const std::string&)) {
    const std::string file = std::filesystem::path(path).filename().string();
    const FileRead bytes = readWholeFile(path, NAV_DATA_FILE_LIMIT);
    if (!bytes.ok()) {
      result.problems.push_back(bytes.notRead(Reason::NavDataNotRead, path, NAV_DATA_FILE_LIMIT));
      return;
    }
    // Gzipped or not, told by its first bytes rather than its name.
    std::string unpacked;
    if (isGzip(bytes.bytes)) {
      Gunzipped g = gunzip(bytes.bytes, NAV_DATA_FILE_LIMIT);
      if (!g.ok) {
        FileRead unpacked{Reason::FileNotUnpacked, {}, g.reason};
        result.problems.push_back(unpacked.notRead(Reason::NavDataNotRead, path, NAV_DATA_FILE_LIMIT));
        return;
      }
      unpacked = std::move(g.bytes);
    }
    any = true;
    const Problems said = (data.*reader)(unpacked.empty() ? std::string_view(bytes.bytes) : unpacked, file);
    result.problems.insert(result.problems.end(), said.begin(), said.end());
  };
  const auto stopped = [stop] { return stop && stop->load(); };
  for (const auto& [path, reader] : {std::pair{pathIn(folder, kFixNames), &XpNavData::readFixes},
                                     std::pair{pathIn(folder, kNavNames), &XpNavData::readNavaids},
                                     std::pair{pathIn(folder, kAwyNames), &XpNavData::readAirways}}) {
    if (stopped()) return {};
    read(path, reader);
  }
  if (stopped()) return {};
  data.finish();
  if (any) result.value = std::move(data);
  return result;
}

}  // namespace korvant
