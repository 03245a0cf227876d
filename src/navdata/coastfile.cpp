#include "navdata/coastfile.h"

#include <cstring>

#include "base/filereader.h"

namespace korvant {

namespace {

constexpr char kMagic[8] = {'K', 'V', 'C', 'O', 'A', 'S', 'T', '1'};
// Far beyond any shore data set: bounds what a header may ask to be held.
constexpr std::uint32_t kMostResolutions = 8;
constexpr std::uint32_t kMostPoints = 16u << 20;

void put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}
void put16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xff));
  out.push_back(static_cast<char>(v >> 8));
}

class Bytes {
 public:
  explicit Bytes(std::string_view b) : b_(b) {}
  bool u32(std::uint32_t& v) {
    if (b_.size() - pos_ < 4) return false;
    v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t(static_cast<unsigned char>(b_[pos_ + i])) << (8 * i);
    pos_ += 4;
    return true;
  }
  bool u16(std::uint16_t& v) {
    if (b_.size() - pos_ < 2) return false;
    v = static_cast<std::uint16_t>(static_cast<unsigned char>(b_[pos_]) |
                                   (static_cast<unsigned char>(b_[pos_ + 1]) << 8));
    pos_ += 2;
    return true;
  }
  bool u8(std::uint8_t& v) {
    if (pos_ >= b_.size()) return false;
    v = static_cast<std::uint8_t>(b_[pos_++]);
    return true;
  }
  bool magic() {
    if (b_.size() < sizeof kMagic || std::memcmp(b_.data(), kMagic, sizeof kMagic) != 0) return false;
    pos_ = sizeof kMagic;
    return true;
  }
  std::size_t left() const { return b_.size() - pos_; }

 private:
  std::string_view b_;
  std::size_t pos_ = 0;
};

// Offsets that start at 0, never go back and end at `total`.
bool runsUp(const std::vector<std::uint32_t>& starts, std::size_t total) {
  if (starts.empty() || starts.front() != 0 || starts.back() != total) return false;
  for (std::size_t i = 1; i < starts.size(); ++i)
    if (starts[i] < starts[i - 1]) return false;
  return true;
}

std::string readResolution(Bytes& in, CoastResolution& r) {
  std::uint32_t minutes = 0, columns = 0, rows = 0, pieces = 0, points = 0;
  if (!in.u32(minutes) || !in.u32(columns) || !in.u32(rows) || !in.u32(pieces) || !in.u32(points))
    return "CUT SHORT IN A HEADER";
  if (minutes < 60 || minutes > 10800 || 10800 % minutes != 0 || columns != 21600 / minutes || rows != 10800 / minutes)
    return "BINS OF " + std::to_string(minutes) + " MINUTES IN " + std::to_string(columns) + " BY " +
           std::to_string(rows);
  if (points > kMostPoints || pieces > points) return "MORE POINTS OR PIECES THAN A COASTLINE HAS";
  // Every array's bytes must be there before any is made.
  const std::size_t need =
      (std::size_t(columns) * rows + 1) * 4 + (std::size_t(pieces) + 1) * 4 + pieces + std::size_t(points) * 4;
  if (in.left() < need) return "CUT SHORT";
  r.binMinutes = static_cast<int>(minutes);
  r.columns = static_cast<int>(columns);
  r.rows = static_cast<int>(rows);
  r.binStart.resize(std::size_t(columns) * rows + 1);
  for (std::uint32_t& v : r.binStart) in.u32(v);
  r.pieceStart.resize(std::size_t(pieces) + 1);
  for (std::uint32_t& v : r.pieceStart) in.u32(v);
  r.pieceLevel.resize(pieces);
  for (std::uint8_t& v : r.pieceLevel) in.u8(v);
  r.xy.resize(std::size_t(points) * 2);
  for (std::uint16_t& v : r.xy) in.u16(v);
  if (!runsUp(r.binStart, pieces)) return "BINS OUT OF ORDER";
  if (!runsUp(r.pieceStart, points)) return "PIECES OUT OF ORDER";
  return {};
}

}  // namespace

double CoastResolution::binWest(int bin) const {
  const double west = (bin % columns) * binDegrees();
  return west >= 180 ? west - 360 : west;
}

LatLng CoastResolution::point(int bin, std::size_t i) const {
  const double scale = binDegrees() / 65535.0;
  double lng = binWest(bin) + xy[2 * i] * scale;
  if (lng > 180) lng -= 360;
  return {degreesToDegMin(binSouth(bin) + xy[2 * i + 1] * scale), degreesToDegMin(lng)};
}

std::string writeCoastFile(const CoastData& data) {
  std::string out(kMagic, sizeof kMagic);
  put32(out, static_cast<std::uint32_t>(data.resolutions.size()));
  for (const CoastResolution& r : data.resolutions) {
    for (const std::uint32_t v : {std::uint32_t(r.binMinutes), std::uint32_t(r.columns), std::uint32_t(r.rows),
                                  std::uint32_t(r.pieces()), std::uint32_t(r.points())})
      put32(out, v);
    for (const std::uint32_t v : r.binStart) put32(out, v);
    for (const std::uint32_t v : r.pieceStart) put32(out, v);
    out.append(r.pieceLevel.begin(), r.pieceLevel.end());
    for (const std::uint16_t v : r.xy) put16(out, v);
  }
  return out;
}

CoastRead readCoastBytes(std::string_view bytes) {
  CoastRead read;
  Bytes in(bytes);
  std::uint32_t count = 0;
  if (!in.magic()) {
    read.fault = "NOT A COASTLINE FILE";
    return read;
  }
  if (!in.u32(count) || count == 0 || count > kMostResolutions) {
    read.fault = "NO RESOLUTIONS";
    return read;
  }
  for (std::uint32_t i = 0; i < count; ++i) {
    CoastResolution r;
    read.fault = readResolution(in, r);
    if (!read.fault.empty()) {
      read.data = {};
      return read;
    }
    read.data.resolutions.push_back(std::move(r));
  }
  if (in.left() != 0) {
    read.data = {};
    read.fault = "BYTES AFTER THE LAST RESOLUTION";
  }
  return read;
}

Result<CoastData> readCoastFile(const std::string& path) {
  Result<CoastData> result;
  const FileRead file = readWholeFile(path, COAST_FILE_LIMIT);
  if (!file.ok()) {
    result.problems.push_back(file.notRead(Reason::CoastNotRead, path, COAST_FILE_LIMIT));
    return result;
  }
  CoastRead read = readCoastBytes(file.bytes);
  if (!read.fault.empty()) {
    Problem p{Reason::CoastNotRead, path};
    p.detail = read.fault;
    result.problems.push_back(p);
    return result;
  }
  result.value = std::move(read.data);
  return result;
}

}  // namespace korvant
