#pragma once
// The DAFIF-layout files the map draws: two binary files of fixed records
// (airports, navaids) whose positions are doubles cut to their top five
// bytes, and text files of whitespace-separated fields, a record a fixed
// number of fields. Every reader takes the file's bytes, skips a record whose
// position is impossible and ends quietly at a short record.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "geo/latlng.h"

namespace korvant {

inline constexpr std::size_t DAFA_RECORD_BYTES = 63;
inline constexpr std::size_t DAFN_RECORD_BYTES = 68;
// Lines of the ORTCA file beyond this are cut.
inline constexpr std::size_t ORTCA_LINE_LIMIT = 100;

// A double of which only the five most significant bytes are stored.
double readFiveByteDouble(const unsigned char* bytes);
void writeFiveByteDouble(double value, unsigned char* out);
// The value a double keeps through five bytes.
double fiveByteValue(double value);

struct DafifAirport {
  std::string ident;  // 4 bytes, trailing blanks dropped
  LatLng position;
  unsigned longestRunway = 0;  // feet
  unsigned number = 0;         // shown first in the full label
  std::string key;             // 7 bytes: ties the airport to its RWY0.TXT lines
  std::string name;            // 30 bytes, trailing blanks dropped
};

struct DafifNavaid {
  std::string ident;
  LatLng position;
  std::array<char, 2> cls{' ', ' '};  // "HA", "L ", "T ", "MH", ...
};

struct DafifWaypoint {
  std::string ident;
  LatLng position;
  char type = ' ';  // B, H, L, R, T
};

struct DafifRunway {
  std::string key;
  std::string number1, number2;
  LatLng end1, end2;
};

// One ATS route segment of RADIALK.TXT or RADIALX.TXT.
struct DafifSegment {
  LatLng end1, end2;
  char level = ' ';  // B, L, H
  bool draw = false;
  int radial1 = 0, radial2 = 0;     // magnetic, out of each end towards the other
  double length = 0;                // NM
  double course1 = 0, course2 = 0;  // true, out of each end towards the other
};

// An identifier (ATSID.TXT) or distance (SEGDIST.TXT) label of a segment.
struct DafifSegmentLabel {
  LatLng position;  // the segment's first end
  double course = 0;
  char level = ' ';
  double value = 0;   // the identifier's number, or the distance
  std::string ident;  // identifiers only
};

struct DafifOrtcaValue {
  LatLng position;
  int value = 0;  // hundreds of feet
};
struct DafifOrtcaBlock {
  double size = 0;  // degrees, as the file says
  std::vector<DafifOrtcaValue> values;
};

std::vector<DafifAirport> readDafifAirports(std::string_view bytes);
std::vector<DafifNavaid> readDafifNavaids(std::string_view bytes);
// Waypoints whose flag field is "Y" are left out.
std::vector<DafifWaypoint> readDafifWaypoints(std::string_view text);
std::vector<DafifRunway> readDafifRunways(std::string_view text);
std::vector<DafifSegment> readDafifSegments(std::string_view text);
std::vector<DafifSegmentLabel> readDafifIdentifiers(std::string_view text);
std::vector<DafifSegmentLabel> readDafifDistances(std::string_view text);
// The blocks in file order; a data line without its third word ends the file.
std::vector<DafifOrtcaBlock> readDafifOrtca(std::string_view text);

// Record writers for the builder.
std::string encodeDafifAirport(const DafifAirport& airport);
std::string encodeDafifNavaid(const DafifNavaid& navaid);

}  // namespace korvant
