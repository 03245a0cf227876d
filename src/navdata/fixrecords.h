#pragma once
// The records of the fix file KORVANT.DAT. Positions are packed degrees and
// minutes, stored in five bytes (shortcoord.h): about 1e-9 minute of precision.
#include <array>
#include <cstdint>
#include <string>

#include "geo/latlng.h"

namespace korvant {

// Directory entries the program reads.
enum class FixSectionId : std::uint32_t {
  Fixes = 0,
  BoundaryLines = 4,
  RouteSets = 5,
  TerrainPoints = 6,
  Aliases = 10,
};

inline constexpr int FIX_DIRECTORY_ENTRIES = 11;
inline constexpr std::size_t FIX_FILE_MAX_BYTES = 300000;
inline constexpr std::size_t FIX_MARKER_SEARCH_BYTES = 1002;
inline constexpr std::uint8_t FIX_FILE_MARKER = 0x1A;
inline constexpr int MAX_LINE_POINTS = 50;
inline constexpr int FIX_NAME_LENGTH = 5;
inline constexpr int DESIGNATOR_LENGTH = 7;

inline constexpr std::size_t FIX_RECORD_BYTES = 16;
inline constexpr std::size_t BOUNDARY_POINT_BYTES = 10;
inline constexpr std::size_t ROUTE_HEADER_BYTES = 9;
inline constexpr std::size_t ROUTE_POINT_BYTES = 26;
inline constexpr std::size_t TERRAIN_POINT_BYTES = 11;
inline constexpr std::size_t ALIAS_RECORD_BYTES = 10;

// The kinds of the fix file's named fixes that the flight plans tell apart.
inline constexpr int FIX_KIND_WAYPOINT = 0, FIX_KIND_AIRPORT = 1, FIX_KIND_VOR = 2, FIX_KIND_NDB = 3;
// No kind of the file's: a plan's user point or a position, which the plan
// writers write by its coordinates and never as a named fix.
inline constexpr int FIX_KIND_USER = -2;
// No kind of the file's either: a DME or TACAN standing alone in the
// navigation data, named as one; a plan, having no DME type, carries it as a VOR.
inline constexpr int FIX_KIND_DME = 16;

struct Fix {
  std::string name;  // up to 5 characters, compared case-sensitively
  std::uint8_t kind = 0;
  LatLng position;
};

struct BoundaryLine {
  int count = 0;
  std::array<LatLng, MAX_LINE_POINTS> points;
};

struct RouteSetPoint {
  LatLng position;
  std::int16_t value1 = 0;
  LatLng labelAnchor;  // where the label of the leg ending here goes
  std::uint16_t value2 = 0;
  std::int16_t value3 = 0;
};

struct RouteSet {
  std::uint8_t flags = 0;  // bits 0-3 the route class, bits 6 and 7 the pens
  std::string designator;
  int count = 0;
  std::array<RouteSetPoint, MAX_LINE_POINTS> points;

  int routeClass() const { return flags & 0x0f; }
  bool pen6() const { return flags & 0x40; }
  bool pen7() const { return flags & 0x80; }
};

struct TerrainPoint {
  std::uint8_t pen = 0;  // 0 joins to the point before; anything else starts a line
  LatLng position;
};

struct Alias {
  std::string name;
  std::string target;  // a fix name or a coordinate text
};

}  // namespace korvant
