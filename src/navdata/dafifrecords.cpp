#include "navdata/dafifrecords.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/textops.h"
#include "geo/positiontext.h"

namespace korvant {

namespace {

bool inRange(const LatLng& p) {
  return p.lat >= -9000 && p.lat <= 9000 && p.lng >= -18000 && p.lng <= 18000;  // false for NaN
}

std::string trimmedField(const unsigned char* bytes, std::size_t width) {
  std::string text(reinterpret_cast<const char*>(bytes), width);
  const std::size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

void putField(const std::string& text, std::size_t width, unsigned char* out) {
  for (std::size_t i = 0; i < width; ++i) out[i] = static_cast<unsigned char>(i < text.size() ? text[i] : ' ');
}

unsigned u16(const unsigned char* p) { return p[0] | (p[1] << 8); }
void put16(unsigned v, unsigned char* p) {
  p[0] = static_cast<unsigned char>(v & 0xFF);
  p[1] = static_cast<unsigned char>((v >> 8) & 0xFF);
}

// The whitespace-separated fields of a text, taken `count` at a time.
class Fields {
 public:
  Fields(std::string_view text, std::size_t count) : text_(text), count_(std::min(count, kMost)) {}
  bool next() {
    for (std::size_t i = 0; i < count_; ++i) {
      std::string_view& field = fields_[i];
      while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
      if (at_ >= text_.size()) return false;
      const std::size_t start = at_;
      while (at_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
      field = text_.substr(start, at_ - start);
    }
    return true;
  }
  std::string_view operator[](std::size_t i) const { return fields_[i]; }

 private:
  static constexpr std::size_t kMost = 14;
  std::string_view text_;
  std::size_t count_;
  std::array<std::string_view, kMost> fields_{};
  std::size_t at_ = 0;
};

// Lines in a text: the records a reader may keep, reserved at once.
std::size_t lineCount(std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}

// A decimal number and nothing else; false for anything not finite.
bool decimal(std::string_view field, double& value) {
  if (field.empty() || field.size() > 40) return false;
  char buffer[48];
  std::memcpy(buffer, field.data(), field.size());
  buffer[field.size()] = '\0';
  char* end = nullptr;
  value = std::strtod(buffer, &end);
  return end == buffer + field.size() && std::isfinite(value);
}

// Decimal degrees into packed degrees and minutes, when they are a position.
bool decimalPosition(std::string_view lat, std::string_view lon, LatLng& position) {
  double a = 0, b = 0;
  if (!decimal(lat, a) || !decimal(lon, b) || std::fabs(a) > 90 || std::fabs(b) > 180) return false;
  position = {degreesToDegMin(a), degreesToDegMin(b)};
  return inRange(position);
}

// "N5128.70" and "W00027.70", read with the wide readers.
bool textPosition(std::string_view lat, std::string_view lon, LatLng& position) {
  position.set(readLatWide(lat), readLngWide(lon));
  return !position.isUnset() && inRange(position);
}

char levelOf(std::string_view field) { return field.empty() ? ' ' : field[0]; }

std::vector<DafifSegmentLabel> readLabels(std::string_view text, std::size_t count) {
  std::vector<DafifSegmentLabel> labels;
  Fields f(text, count);
  while (f.next()) {
    DafifSegmentLabel label;
    double value = 0;
    if (!decimalPosition(f[0], f[1], label.position) || !decimal(f[2], label.course) ||
        !decimal(f[count - (count == 6 ? 2 : 1)], value))
      continue;
    label.level = levelOf(f[3]);
    label.value = value;
    if (count == 6) label.ident = std::string(f[5]);
    labels.push_back(std::move(label));
  }
  return labels;
}

}  // namespace

double readFiveByteDouble(const unsigned char* bytes) {
  unsigned char full[8] = {0, 0, 0, bytes[0], bytes[1], bytes[2], bytes[3], bytes[4]};
  double value;
  std::memcpy(&value, full, sizeof value);
  return value;
}

void writeFiveByteDouble(double value, unsigned char* out) {
  unsigned char full[8];
  std::memcpy(full, &value, sizeof value);
  std::memcpy(out, full + 3, 5);
}

double fiveByteValue(double value) {
  unsigned char five[5];
  writeFiveByteDouble(value, five);
  return readFiveByteDouble(five);
}

std::vector<DafifAirport> readDafifAirports(std::string_view bytes) {
  std::vector<DafifAirport> airports;
  for (std::size_t at = 0; at + DAFA_RECORD_BYTES <= bytes.size(); at += DAFA_RECORD_BYTES) {
    const auto* r = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    DafifAirport a;
    a.position = {readFiveByteDouble(r + 8), readFiveByteDouble(r + 13)};
    if (!inRange(a.position)) continue;
    a.ident = trimmedField(r, 4);
    a.longestRunway = u16(r + 18);
    a.number = u16(r + 20);
    a.key = std::string(reinterpret_cast<const char*>(r + 26), 7);
    a.name = trimmedField(r + 33, 30);
    airports.push_back(std::move(a));
  }
  return airports;
}

std::vector<DafifNavaid> readDafifNavaids(std::string_view bytes) {
  std::vector<DafifNavaid> navaids;
  for (std::size_t at = 0; at + DAFN_RECORD_BYTES <= bytes.size(); at += DAFN_RECORD_BYTES) {
    const auto* r = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    DafifNavaid n;
    n.position = {readFiveByteDouble(r + 4), readFiveByteDouble(r + 9)};
    if (!inRange(n.position)) continue;
    n.ident = trimmedField(r, 4);
    n.cls = {static_cast<char>(r[66]), static_cast<char>(r[67])};
    navaids.push_back(std::move(n));
  }
  return navaids;
}

std::vector<DafifWaypoint> readDafifWaypoints(std::string_view text) {
  std::vector<DafifWaypoint> waypoints;
  waypoints.reserve(lineCount(text));
  Fields f(text, 9);
  while (f.next()) {
    DafifWaypoint w;
    if (f[3] == "Y" || !textPosition(f[1], f[2], w.position)) continue;
    w.ident = std::string(f[0]);
    w.type = f[5][0];
    waypoints.push_back(std::move(w));
  }
  return waypoints;
}

std::vector<DafifRunway> readDafifRunways(std::string_view text) {
  std::vector<DafifRunway> runways;
  Fields f(text, 7);
  while (f.next()) {
    DafifRunway r;
    // An end that is no position stays 0/0, which is never drawn.
    if (!textPosition(f[3], f[4], r.end1)) r.end1 = {0, 0};
    if (!textPosition(f[5], f[6], r.end2)) r.end2 = {0, 0};
    r.key = std::string(f[0]);
    r.number1 = std::string(f[1]);
    r.number2 = std::string(f[2]);
    runways.push_back(std::move(r));
  }
  return runways;
}

std::vector<DafifSegment> readDafifSegments(std::string_view text) {
  std::vector<DafifSegment> segments;
  Fields f(text, 14);
  while (f.next()) {
    DafifSegment s;
    if (!decimalPosition(f[0], f[1], s.end1) || !decimalPosition(f[11], f[12], s.end2)) continue;
    double r1 = 0, r2 = 0;
    s.level = levelOf(f[4]);
    s.draw = f[8] == "Y";
    if (decimal(f[2], r1) && std::fabs(r1) < 1e6) s.radial1 = static_cast<int>(r1);
    if (decimal(f[3], r2) && std::fabs(r2) < 1e6) s.radial2 = static_cast<int>(r2);
    if (!decimal(f[5], s.length)) s.length = 0;
    if (!decimal(f[9], s.course1)) s.course1 = 0;
    if (!decimal(f[10], s.course2)) s.course2 = 0;
    segments.push_back(s);
  }
  return segments;
}

std::vector<DafifSegmentLabel> readDafifIdentifiers(std::string_view text) { return readLabels(text, 6); }
std::vector<DafifSegmentLabel> readDafifDistances(std::string_view text) { return readLabels(text, 7); }

std::vector<DafifOrtcaBlock> readDafifOrtca(std::string_view text) {
  std::vector<DafifOrtcaBlock> blocks;
  // Values are kept in one array and handed to their blocks at the end, so
  // no block's array grows past twice its size on the way.
  std::vector<DafifOrtcaValue> values;
  values.reserve(lineCount(text));
  std::vector<std::size_t> firsts;
  std::size_t at = 0;
  // Buffers kept across lines: millions of lines, no allocation each.
  std::string line, joined;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    line.assign(text.substr(at, std::min(end - at, ORTCA_LINE_LIMIT)));
    for (char& c : line) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    at = end + 1;
    trimLeadingBlanks(line);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    Fields words(line, 3);
    Fields two(line, 2);
    if (line.starts_with("QUADRANGLE_SIZE") && two.next() && two[0] == "QUADRANGLE_SIZE") {
      double size = 0;
      if (decimal(two[1], size)) {
        blocks.push_back({size, {}});
        firsts.push_back(values.size());
      }
      continue;
    }
    if (!words.next()) break;  // a line without its third word ends the file
    if (blocks.empty()) continue;
    DafifOrtcaValue v;
    joined.assign(words[0]).append(1, '/').append(words[1]);
    double value = 0;
    if (!parsePositionText(joined, v.position) || !decimal(words[2], value) || std::fabs(value) > 1e6) continue;
    v.value = static_cast<int>(value);
    values.push_back(v);
  }
  if (blocks.size() == 1) {
    blocks[0].values = std::move(values);
    return blocks;
  }
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    const std::size_t end = b + 1 < blocks.size() ? firsts[b + 1] : values.size();
    blocks[b].values.assign(values.begin() + static_cast<long>(firsts[b]), values.begin() + static_cast<long>(end));
  }
  return blocks;
}

std::string encodeDafifAirport(const DafifAirport& a) {
  unsigned char r[DAFA_RECORD_BYTES] = {};
  putField(a.ident, 4, r);
  writeFiveByteDouble(a.position.lat, r + 8);
  writeFiveByteDouble(a.position.lng, r + 13);
  put16(a.longestRunway, r + 18);
  put16(a.number, r + 20);
  putField(a.key, 7, r + 26);
  putField(a.name, 30, r + 33);
  return {reinterpret_cast<const char*>(r), sizeof r};
}

std::string encodeDafifNavaid(const DafifNavaid& n) {
  unsigned char r[DAFN_RECORD_BYTES] = {};
  putField(n.ident, 4, r);
  writeFiveByteDouble(n.position.lat, r + 4);
  writeFiveByteDouble(n.position.lng, r + 9);
  r[66] = static_cast<unsigned char>(n.cls[0]);
  r[67] = static_cast<unsigned char>(n.cls[1]);
  return {reinterpret_cast<const char*>(r), sizeof r};
}

}  // namespace korvant
