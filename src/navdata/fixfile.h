#pragma once
// A whole fix file as plain data, and its byte layout: preamble, marker,
// directory of 11 entries, then the sections.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "navdata/fixrecords.h"

namespace korvant {

struct FixFileContents {
  std::optional<std::string> preamble;  // written as given; must not hold the marker
  std::vector<Fix> fixes;
  std::vector<BoundaryLine> boundaryLines;
  std::vector<RouteSet> routeSets;
  std::vector<TerrainPoint> terrain;
  std::vector<Alias> aliases;
};

// The bytes of the file, sections in the order fixes, boundary lines, route
// sets, terrain, aliases; the unused directory entries point at the first
// section with no records.
std::vector<std::uint8_t> writeFixFile(const FixFileContents& contents);

// Every record of every section of a byte image, with its preamble; not
// capped at the size the program loads.
FixFileContents readFixFileContents(const std::vector<std::uint8_t>& bytes);

}  // namespace korvant
