#include "navdata/fixstore.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <system_error>

#include "base/datafile.h"
#include "base/filereader.h"
#include "geo/greatcircle.h"
#include "geo/positiontext.h"
#include "navdata/shortcoord.h"

namespace korvant {

namespace {

std::uint32_t readU32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

std::uint16_t readU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

std::string readName(const std::uint8_t* p, std::size_t length) {
  std::size_t n = 0;
  while (n < length && p[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(p), n);
}

LatLng readPosition(const std::uint8_t* p) { return {decodeShortCoord(p), decodeShortCoord(p + SHORT_COORD_BYTES)}; }

// The name field packed into an integer; bytes after a NUL are zero.
std::uint64_t packName(std::string_view name) {
  std::uint64_t packed = 0;
  for (std::size_t i = 0; i < static_cast<std::size_t>(FIX_NAME_LENGTH); ++i) {
    const std::uint8_t c = i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0;
    packed = packed << 8 | c;
  }
  return packed;
}

std::size_t findMarker(const std::vector<std::uint8_t>& bytes) {
  const std::size_t limit = std::min(bytes.size(), FIX_MARKER_SEARCH_BYTES);
  for (std::size_t i = 0; i < limit; ++i)
    if (bytes[i] == FIX_FILE_MARKER) return i;
  return std::string::npos;
}

}  // namespace

const std::uint8_t* FixSection::take(std::size_t size) {
  if (left_ == 0 || !bytes_) return nullptr;
  if (pos_ > bytes_->size() || bytes_->size() - pos_ < size) {
    left_ = 0;
    return nullptr;
  }
  const std::uint8_t* p = bytes_->data() + pos_;
  pos_ += size;
  return p;
}

bool FixSection::readFix(Fix& fix) {
  const std::uint8_t* p = take(FIX_RECORD_BYTES);
  if (!p) return false;
  fix.name = readName(p, FIX_NAME_LENGTH);
  fix.kind = p[5];
  fix.position = readPosition(p + 6);
  --left_;
  return true;
}

bool FixSection::readBoundaryLine(BoundaryLine& line) {
  const std::uint8_t* head = take(1);
  if (!head) return false;
  const int n = *head;
  if (n == 0) {
    left_ = 0;
    return false;
  }
  const std::uint8_t* p = take(BOUNDARY_POINT_BYTES * n);
  if (!p) return false;
  line.count = std::min(n, MAX_LINE_POINTS);
  for (int i = 0; i < line.count; ++i) line.points[i] = readPosition(p + BOUNDARY_POINT_BYTES * i);
  --left_;
  return true;
}

bool FixSection::readRouteSet(RouteSet& routeSet) {
  const std::uint8_t* head = take(ROUTE_HEADER_BYTES);
  if (!head) return false;
  const int n = head[0];
  if (n == 0) {
    left_ = 0;
    return false;
  }
  const std::uint8_t* p = take(ROUTE_POINT_BYTES * n);
  if (!p) return false;
  routeSet.flags = head[1];
  routeSet.designator = readName(head + 2, DESIGNATOR_LENGTH);
  routeSet.count = std::min(n, MAX_LINE_POINTS);
  for (int i = 0; i < routeSet.count; ++i) {
    const std::uint8_t* q = p + ROUTE_POINT_BYTES * i;
    RouteSetPoint& point = routeSet.points[i];
    point.position = readPosition(q);
    point.value1 = static_cast<std::int16_t>(readU16(q + 10));
    point.labelAnchor = readPosition(q + 12);
    point.value2 = readU16(q + 22);
    point.value3 = static_cast<std::int16_t>(readU16(q + 24));
  }
  --left_;
  return true;
}

bool FixSection::readTerrainPoint(TerrainPoint& point) {
  const std::uint8_t* p = take(TERRAIN_POINT_BYTES);
  if (!p) return false;
  point.pen = p[0];
  point.position = readPosition(p + 1);
  --left_;
  return true;
}

bool FixSection::readAlias(Alias& alias) {
  const std::uint8_t* p = take(ALIAS_RECORD_BYTES);
  if (!p) return false;
  alias.name = readName(p, FIX_NAME_LENGTH);
  alias.target = readName(p + FIX_NAME_LENGTH, FIX_NAME_LENGTH);
  --left_;
  return true;
}

FixSection openFixSection(const FixFileBytes& bytes, FixSectionId id) {
  if (!bytes) return {};
  const std::size_t marker = findMarker(*bytes);
  if (marker == std::string::npos) return {};
  const std::size_t entry = marker + 1 + 8 * static_cast<std::size_t>(id);
  if (entry + 8 > bytes->size()) return {};
  const std::uint32_t offset = readU32(bytes->data() + entry);
  const std::uint32_t count = readU32(bytes->data() + entry + 4);
  if (offset >= bytes->size()) return {};
  return FixSection(bytes, offset, count);
}

std::optional<std::string> fixFilePreamble(const std::vector<std::uint8_t>& bytes) {
  const std::size_t marker = findMarker(bytes);
  if (marker == std::string::npos) return std::nullopt;
  return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(marker));
}

Problems FixStore::setPath(const std::string& folder, std::string_view fileName) {
  path_.clear();
  state_ = State::NotTried;
  bytes_.reset();
  terrain_.clear();
  terrainRuns_.clear();
  // Too long a path is checked first: the system cannot even look at the folder then.
  if (folder.size() + fileName.size() + 1 >= PATH_MAX) return {{Reason::PathTooLong, folder, 0, std::string(fileName)}};
  std::error_code ec;
  if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return {{Reason::NoWorkingFolder, folder}};
  path_ = joinFolder(folder, fileName);
  return {};
}

void FixStore::loadBytes(std::vector<std::uint8_t> bytes) {
  if (bytes.size() > FIX_FILE_MAX_BYTES) bytes.resize(FIX_FILE_MAX_BYTES);
  setInMemory(std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes)));
}

void FixStore::setInMemory(FixFileBytes bytes) {
  bytes_ = std::move(bytes);
  state_ = State::InMemory;
  index_.clear();
  FixSection section = openFixSection(bytes_, FixSectionId::Fixes);
  Fix fix;
  for (std::uint32_t order = 0; section.readFix(fix); ++order)
    index_.push_back({packName(fix.name), order, fix.position, fix.kind});
  std::sort(index_.begin(), index_.end(), [](const IndexEntry& a, const IndexEntry& b) {
    return a.name != b.name ? a.name < b.name : a.order < b.order;
  });
  terrain_.clear();
  terrainRuns_.clear();
  FixSection terrain = openFixSection(bytes_, FixSectionId::TerrainPoints);
  for (TerrainPoint point; terrain.readTerrainPoint(point);) terrain_.push_back(point);
  // Runs short enough that each cap is small beside an oceanic surface.
  constexpr std::uint32_t kRun = 24;
  std::vector<LatLng> held;
  for (std::uint32_t first = 0; first < terrain_.size(); first += kRun) {
    const std::uint32_t count = std::min<std::uint32_t>(kRun, static_cast<std::uint32_t>(terrain_.size()) - first);
    held.clear();
    if (first > 0 && terrain_[first].pen == 0) held.push_back(terrain_[first - 1].position);
    for (std::uint32_t i = first; i < first + count; ++i) held.push_back(terrain_[i].position);
    // A cap holds the arcs between its points while it is under a hemisphere.
    SphereCap cap = SphereCap::holding(terrain_[first + count / 2].position, held, 0.01);
    if (cap.radiusDegrees() >= 90) cap = SphereCap();
    terrainRuns_.push_back({first, count, cap});
  }
}

FixFileBytes FixStore::readFile() const {
  if (path_.empty()) return nullptr;
  const FileRead file = readFilePrefix(resolveCaseInsensitive(path_), FIX_FILE_MAX_BYTES);
  if (!file.ok() || file.bytes.empty()) return nullptr;
  return std::make_shared<const std::vector<std::uint8_t>>(file.bytes.begin(), file.bytes.end());
}

void FixStore::load() {
  if (state_ == State::InMemory) return;
  if (FixFileBytes bytes = readFile())
    setInMemory(std::move(bytes));
  else
    state_ = State::Direct;
}

FixFileBytes FixStore::currentBytes() const {
  if (state_ == State::InMemory) return bytes_;
  return readFile();  // read directly: try the file again on every section
}

FixSection FixStore::openSection(FixSectionId id) const { return openFixSection(currentBytes(), id); }

bool FixStore::findFix(std::string_view text, const LatLng& reference, LatLng& position) const {
  if (parsePositionText(text, position)) return true;
  return findFixByName(text, reference, position);
}

namespace {

// Among fixes of one name the nearest to the reference wins, and among
// equally near ones the first offered (the first in the file).
struct NearestFix {
  explicit NearestFix(const LatLng& from) : reference(from) {}

  const LatLng& reference;
  bool found = false;
  double distance = 0;
  LatLng position;

  void offer(const LatLng& candidate) {
    const double d = distanceNm(reference, candidate);
    if (!found || d < distance) {
      found = true;
      distance = d;
      position = candidate;
    }
  }
};

}  // namespace

bool FixStore::findFixByName(std::string_view text, const LatLng& reference, LatLng& position) const {
  NearestFix nearest{reference};
  const FixFileBytes bytes = currentBytes();
  if (state_ == State::InMemory) {
    const bool nameLike = !text.empty() && text.size() <= static_cast<std::size_t>(FIX_NAME_LENGTH) &&
                          text.find('\0') == std::string_view::npos;
    if (nameLike) {
      const std::uint64_t key = packName(text);
      auto it = std::lower_bound(index_.begin(), index_.end(), key,
                                 [](const IndexEntry& e, std::uint64_t k) { return e.name < k; });
      for (; it != index_.end() && it->name == key; ++it) nearest.offer(it->position);
    }
  } else {
    FixSection section = openFixSection(bytes, FixSectionId::Fixes);
    Fix fix;
    while (section.readFix(fix))
      if (fix.name == text) nearest.offer(fix.position);
  }
  // The pilot's data and the fix file offer alike: a name in both is the
  // one nearest the point before (KONAN SPI is not Springfield, Illinois).
  if (navData_)
    if (const XpPoint* p = navData_->nearest(text, reference)) nearest.offer(p->position);
  position = nearest.found ? nearest.position : LatLng::unset();
  return nearest.found;
}

int FixStore::kindOf(std::string_view name, const LatLng& position) const {
  const int own = kindInFile(name, position);
  if (own >= 0 || !navData_) return own;
  const XpPoint* p = navData_->nearest(name, position);
  return p && p->position == position ? p->kind : -1;
}

int FixStore::kindInFile(std::string_view name, const LatLng& position) const {
  if (state_ == State::InMemory) {
    if (name.empty() || name.size() > static_cast<std::size_t>(FIX_NAME_LENGTH) ||
        name.find('\0') != std::string_view::npos)
      return -1;
    const std::uint64_t key = packName(name);
    auto it = std::lower_bound(index_.begin(), index_.end(), key,
                               [](const IndexEntry& e, std::uint64_t k) { return e.name < k; });
    for (; it != index_.end() && it->name == key; ++it)
      if (it->position == position) return it->kind;
    return -1;
  }
  FixSection section = openFixSection(currentBytes(), FixSectionId::Fixes);
  Fix fix;
  while (section.readFix(fix))
    if (fix.name == name && fix.position == position) return fix.kind;
  return -1;
}

bool FixStore::resolvePosition(std::string_view text, const LatLng& reference, LatLng& position) const {
  if (text.empty() || text.size() > 25) {
    position = LatLng::unset();
    return false;
  }
  return findFix(text, reference, position);
}

bool FixStore::resolvePositionWithAlias(std::string_view text, const LatLng& reference, LatLng& position) const {
  if (resolvePosition(text, reference, position)) return true;
  if (text.empty() || text.size() > 25) return false;
  std::string target(text);
  return applyAlias(target) && findFix(target, reference, position);
}

bool FixStore::applyAlias(std::string& text) const {
  FixSection section = openSection(FixSectionId::Aliases);
  Alias alias;
  while (section.readAlias(alias)) {
    if (alias.name == text) {
      text = alias.target;
      return true;
    }
  }
  return false;
}

}  // namespace korvant
