#pragma once
// The PS1 simulator's navigation records: 747WPT.DAT (12-byte waypoints),
// 747*.STA (14-byte stations) and 747*.APT (50-byte airports, each followed
// by its runway records). Integers are little-endian; a position is built
// from signed whole degrees and signed tenths of minutes into packed degrees
// and minutes (-12 and -305 give -1230.5).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "geo/latlng.h"

namespace korvant {

inline constexpr std::size_t SIM_WAYPOINT_BYTES = 12;
inline constexpr std::size_t SIM_STATION_BYTES = 14;
inline constexpr std::size_t SIM_AIRPORT_BYTES = 50;
// A layer draws records 0 to 64,000 of a file.
inline constexpr std::size_t SIM_RECORD_LIMIT = 64001;

struct SimPoint {
  std::string ident;  // upper case
  LatLng position;
};

// One 50-byte record of an airport file: an airport, or (byte 14 '_') one of
// the runways that follow it.
struct SimAirportRecord {
  std::string ident;  // bytes 14-17, upper case
  LatLng position;    // the airport, or the runway's midpoint
  bool runway = false;
  std::uint8_t flags23 = 0, flags25 = 0;  // bit 7 parallel flags, bit 6 number rounding
  int trueHeading = 0;                    // whole degrees
  int elevation = 0;                      // feet, from the airport record
  int length = 0;                         // feet
};

SimPoint decodeSimWaypoint(const std::uint8_t* record);
SimPoint decodeSimStation(const std::uint8_t* record);
SimAirportRecord decodeSimAirport(const std::uint8_t* record);

// Whole records of a file's bytes, at most SIM_RECORD_LIMIT; a short last
// record ends the file quietly.
std::vector<SimPoint> readSimWaypoints(std::string_view bytes);
std::vector<SimPoint> readSimStations(std::string_view bytes);
std::vector<SimAirportRecord> readSimAirports(std::string_view bytes, std::size_t limit = SIM_RECORD_LIMIT);

// The records the writer lays down, for the sample builder and tests.
void encodeSimPosition(const LatLng& position, std::uint8_t* bytes);
std::string encodeSimWaypoint(const SimPoint& point);
std::string encodeSimStation(const SimPoint& point);
std::string encodeSimAirport(const SimAirportRecord& record);

}  // namespace korvant
