#include "navdata/fixfile.h"

#include <memory>

#include "navdata/fixstore.h"
#include "navdata/shortcoord.h"

namespace korvant {

namespace {

class ByteWriter {
 public:
  std::vector<std::uint8_t> bytes;

  void u8(std::uint8_t v) { bytes.push_back(v); }
  void u16(std::uint16_t v) {
    u8(static_cast<std::uint8_t>(v & 0xff));
    u8(static_cast<std::uint8_t>(v >> 8));
  }
  void u32At(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  void text(const std::string& t, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) u8(i < t.size() ? static_cast<std::uint8_t>(t[i]) : 0);
  }
  void position(const LatLng& p) {
    std::uint8_t b[2 * SHORT_COORD_BYTES];
    encodeShortCoord(p.lat, b);
    encodeShortCoord(p.lng, b + SHORT_COORD_BYTES);
    bytes.insert(bytes.end(), b, b + sizeof b);
  }
};

}  // namespace

std::vector<std::uint8_t> writeFixFile(const FixFileContents& c) {
  ByteWriter w;
  const std::string preamble = c.preamble.value_or("");
  w.bytes.assign(preamble.begin(), preamble.end());
  w.u8(FIX_FILE_MARKER);
  const std::size_t directory = w.bytes.size();
  w.bytes.resize(directory + 8 * FIX_DIRECTORY_ENTRIES, 0);
  const auto entry = [&](FixSectionId id, std::size_t count) {
    const std::size_t at = directory + 8 * static_cast<std::size_t>(id);
    w.u32At(at, static_cast<std::uint32_t>(w.bytes.size()));
    w.u32At(at + 4, static_cast<std::uint32_t>(count));
  };
  for (int i = 0; i < FIX_DIRECTORY_ENTRIES; ++i) entry(static_cast<FixSectionId>(i), 0);

  entry(FixSectionId::Fixes, c.fixes.size());
  for (const Fix& f : c.fixes) {
    w.text(f.name, FIX_NAME_LENGTH);
    w.u8(f.kind);
    w.position(f.position);
  }
  entry(FixSectionId::BoundaryLines, c.boundaryLines.size());
  for (const BoundaryLine& line : c.boundaryLines) {
    w.u8(static_cast<std::uint8_t>(line.count));
    for (int i = 0; i < line.count; ++i) w.position(line.points[i]);
  }
  entry(FixSectionId::RouteSets, c.routeSets.size());
  for (const RouteSet& r : c.routeSets) {
    w.u8(static_cast<std::uint8_t>(r.count));
    w.u8(r.flags);
    w.text(r.designator, DESIGNATOR_LENGTH);
    for (int i = 0; i < r.count; ++i) {
      const RouteSetPoint& p = r.points[i];
      w.position(p.position);
      w.u16(static_cast<std::uint16_t>(p.value1));
      w.position(p.labelAnchor);
      w.u16(p.value2);
      w.u16(static_cast<std::uint16_t>(p.value3));
    }
  }
  entry(FixSectionId::TerrainPoints, c.terrain.size());
  for (const TerrainPoint& t : c.terrain) {
    w.u8(t.pen);
    w.position(t.position);
  }
  entry(FixSectionId::Aliases, c.aliases.size());
  for (const Alias& a : c.aliases) {
    w.text(a.name, FIX_NAME_LENGTH);
    w.text(a.target, FIX_NAME_LENGTH);
  }
  return std::move(w.bytes);
}

FixFileContents readFixFileContents(const std::vector<std::uint8_t>& bytes) {
  FixFileContents c;
  const auto image = std::make_shared<const std::vector<std::uint8_t>>(bytes);
  c.preamble = fixFilePreamble(bytes);

  FixSection fixes = openFixSection(image, FixSectionId::Fixes);
  for (Fix f; fixes.readFix(f);) c.fixes.push_back(f);
  FixSection lines = openFixSection(image, FixSectionId::BoundaryLines);
  for (BoundaryLine l; lines.readBoundaryLine(l);) c.boundaryLines.push_back(l);
  FixSection routes = openFixSection(image, FixSectionId::RouteSets);
  for (RouteSet r; routes.readRouteSet(r);) c.routeSets.push_back(r);
  FixSection terrain = openFixSection(image, FixSectionId::TerrainPoints);
  for (TerrainPoint t; terrain.readTerrainPoint(t);) c.terrain.push_back(t);
  FixSection aliases = openFixSection(image, FixSectionId::Aliases);
  for (Alias a; aliases.readAlias(a);) c.aliases.push_back(a);
  return c;
}

}  // namespace korvant
