#pragma once
// The finer coastline of regional ranges, COAST.DAT: the world's shores and
// lakes at one or more resolutions, coarse to fine, each cut into bins of a
// whole number of degrees. A bin holds its pieces of shore, each a run of
// points given as sixteenths of a thousandth of the bin (0 ... 65535) from
// its south-west corner, so a paint visits the bins about its surface only.
//
// The file, little-endian: "KVCOAST1"; the number of resolutions; for each
// the bin size in minutes, columns, rows, pieces and points; the first piece
// of every bin (rows from the north, each from 0 E eastwards) and one past the
// last; the first point of every piece and one past the last; each piece's
// level (1 shore, 2 lake); each point's x and y.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "geo/latlng.h"

namespace korvant {

// Past this a file is no coastline of this world.
inline constexpr std::size_t COAST_FILE_LIMIT = 64u << 20;

struct CoastResolution {
  int binMinutes = 0;  // divides 10,800 (180 degrees), at least 60
  int columns = 0, rows = 0;
  std::vector<std::uint32_t> binStart = {};    // columns x rows + 1, first piece of each bin
  std::vector<std::uint32_t> pieceStart = {};  // pieces + 1, first point of each piece
  std::vector<std::uint8_t> pieceLevel = {};   // 1 shore, 2 lake
  std::vector<std::uint16_t> xy = {};          // two a point

  std::size_t pieces() const { return pieceLevel.size(); }
  std::size_t points() const { return xy.size() / 2; }
  double binDegrees() const { return binMinutes / 60.0; }
  // The bin's south-west corner in decimal degrees, longitude -180 ... 180.
  double binSouth(int bin) const { return 90 - (bin / columns + 1) * binDegrees(); }
  double binWest(int bin) const;
  LatLng point(int bin, std::size_t i) const;

  bool operator==(const CoastResolution&) const = default;
};

struct CoastData {
  std::vector<CoastResolution> resolutions;  // coarse to fine

  bool empty() const { return resolutions.empty(); }
  bool operator==(const CoastData&) const = default;
};

// The bytes of a file, and a file's bytes read back: every count, offset
// and size is checked against the others and the file's length, so any
// bytes give either the data or what is wrong with them.
std::string writeCoastFile(const CoastData& data);
struct CoastRead {
  CoastData data;
  std::string fault;  // empty when read
};
CoastRead readCoastBytes(std::string_view bytes);

// The file at `path`; its problem says why it could not be used.
Result<CoastData> readCoastFile(const std::string& path);

}  // namespace korvant
