#include "navdata/fixsource.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "base/textops.h"

namespace korvant {

namespace {

enum class Block { None, Fixes, Aliases, Boundary, Terrain, Route, Preamble };

struct Header {
  Block block;
  std::vector<std::string_view> columns;
};

const Header kHeaders[] = {
    {Block::Fixes, {"name", "kind", "lat", "lon"}},
    {Block::Aliases, {"alias", "target"}},
    {Block::Boundary, {"boundary", "lat", "lon"}},
    {Block::Terrain, {"terrain", "lat", "lon"}},
    {Block::Route,
     {"route", "class", "pen6", "pen7", "designator", "lat", "lon", "value1", "label_lat", "label_lon", "value2",
      "value3"}},
    {Block::Preamble, {"preamble"}},
};

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> splitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const auto comma = line.find(',');
    fields.push_back(trim(line.substr(0, comma)));
    if (comma == std::string_view::npos) return fields;
    line.remove_prefix(comma + 1);
  }
}

Block headerBlock(const std::vector<std::string_view>& fields) {
  for (const Header& h : kHeaders) {
    if (h.columns.size() != fields.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < fields.size() && same; ++i) same = equalsIgnoreCase(fields[i], h.columns[i]);
    if (same) return h.block;
  }
  return Block::None;
}

bool parseNumber(std::string_view s, double& value) {
  if (s.empty()) return false;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed);
  return r.ec == std::errc() && r.ptr == s.data() + s.size() && std::isfinite(value);
}

template <typename Int>
bool parseInteger(std::string_view s, long low, long high, Int& out) {
  long value = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size() || value < low || value > high) return false;
  out = static_cast<Int>(value);
  return true;
}

// Decimal degrees, or packed degrees and minutes behind a hemisphere letter.
bool parseCoordinate(std::string_view s, char positive, char negative, double limitDegrees, double& packed,
                     std::string& message) {
  const char* what = positive == 'N' ? "latitude" : "longitude";
  if (!s.empty() && (s.front() == positive || s.front() == negative)) {
    double v = 0;
    if (!parseNumber(s.substr(1), v) || v < 0) {
      message = std::string("bad ") + what + " \"" + std::string(s) + "\"";
      return false;
    }
    if (!isPackedMagnitudeValid(v, limitDegrees)) {
      message = std::string(what) + " out of range: \"" + std::string(s) + "\"";
      return false;
    }
    packed = (s.front() == negative && v != 0) ? -v : v;
    return true;
  }
  double degrees = 0;
  if (!parseNumber(s, degrees)) {
    message = std::string("bad ") + what + " \"" + std::string(s) + "\"";
    return false;
  }
  if (std::fabs(degrees) > limitDegrees) {
    message = std::string(what) + " out of range: \"" + std::string(s) + "\"";
    return false;
  }
  packed = degreesToDegMin(degrees);
  // A hair under a whole degree would round to 60 minutes in five bytes.
  const double minutes = std::fmod(std::fabs(packed), 100);
  if (minutes >= 59.9999) packed = std::copysign(std::fabs(packed) - minutes + 100, packed);
  return true;
}

bool parsePosition(std::string_view lat, std::string_view lng, LatLng& position, std::string& message) {
  return parseCoordinate(lat, 'N', 'S', 90, position.lat, message) &&
         parseCoordinate(lng, 'E', 'W', 180, position.lng, message);
}

bool parseName(std::string_view s, std::size_t maxLength, const char* what, std::string& out, std::string& message) {
  if (s.empty() || s.size() > maxLength || s.find('\0') != std::string_view::npos) {
    message =
        std::string(what) + " \"" + std::string(s) + "\" must have 1 to " + std::to_string(maxLength) + " characters";
    return false;
  }
  out = std::string(s);
  return true;
}

// Splits a polyline into pieces of at most 50 points sharing their joins.
template <typename Piece, typename Point>
void appendPieces(const std::vector<Point>& points, const Piece& header, std::vector<Piece>& out) {
  std::size_t start = 0;
  do {
    Piece piece = header;
    piece.count = static_cast<int>(std::min<std::size_t>(MAX_LINE_POINTS, points.size() - start));
    for (int i = 0; i < piece.count; ++i) piece.points[i] = points[start + i];
    out.push_back(piece);
    start += piece.count - 1;
  } while (start + 1 < points.size());
}

class SourceParser {
 public:
  SourceParser(std::string_view fileName, FixFileContents& contents, Problem& error)
      : contents_(contents), error_(error) {
    error_.file = std::string(fileName);
  }

  bool parse(std::string_view text) {
    int lineNumber = 0;
    while (!text.empty()) {
      const auto end = text.find('\n');
      const std::string_view raw = text.substr(0, end);
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
      ++lineNumber;
      if (!line(raw)) {
        error_.line = lineNumber;
        return false;
      }
    }
    finishPolyline();
    return true;
  }

 private:
  bool fail(std::string message) {
    error_.reason = Reason::SourceLineFault;
    error_.detail = std::move(message);
    return false;
  }

  bool line(std::string_view raw) {
    if (block_ == Block::Preamble && awaitingPreamble_) {
      awaitingPreamble_ = false;
      std::string preamble;
      if (!unescapePreamble(raw.substr(0, raw.size() - (raw.ends_with('\r') ? 1 : 0)), preamble))
        return fail("bad escape in the preamble");
      if (contents_.preamble) return fail("a second preamble");
      if (preamble.size() >= FIX_MARKER_SEARCH_BYTES) return fail("preamble longer than 1001 bytes");
      contents_.preamble = std::move(preamble);
      return true;
    }
    const std::string_view t = trim(raw);
    if (t.empty() || t.front() == '#') return true;
    const std::vector<std::string_view> fields = splitFields(t);
    if (const Block b = headerBlock(fields); b != Block::None) {
      finishPolyline();
      block_ = b;
      awaitingPreamble_ = b == Block::Preamble;
      return true;
    }
    switch (block_) {
      case Block::None: return fail("data before a header line");
      case Block::Fixes: return fix(fields);
      case Block::Aliases: return alias(fields);
      case Block::Boundary:
      case Block::Terrain: return linePoint(fields);
      case Block::Route: return routePoint(fields);
      case Block::Preamble: return fail("one line of preamble text only");
    }
    return false;
  }

  bool expectFields(const std::vector<std::string_view>& fields, std::size_t n) {
    if (fields.size() == n) return true;
    return fail("expected " + std::to_string(n) + " fields, found " + std::to_string(fields.size()));
  }

  bool fix(const std::vector<std::string_view>& f) {
    if (!expectFields(f, 4)) return false;
    Fix fix;
    std::string message;
    if (!parseName(f[0], FIX_NAME_LENGTH, "name", fix.name, message)) return fail(message);
    if (!parseInteger(f[1], 0, 255, fix.kind)) return fail("kind must be 0 to 255");
    if (!parsePosition(f[2], f[3], fix.position, message)) return fail(message);
    contents_.fixes.push_back(fix);
    return true;
  }

  bool alias(const std::vector<std::string_view>& f) {
    if (!expectFields(f, 2)) return false;
    Alias a;
    std::string message;
    if (!parseName(f[0], FIX_NAME_LENGTH, "alias", a.name, message) ||
        !parseName(f[1], FIX_NAME_LENGTH, "target", a.target, message))
      return fail(message);
    contents_.aliases.push_back(a);
    return true;
  }

  bool linePoint(const std::vector<std::string_view>& f) {
    if (!expectFields(f, 3)) return false;
    if (f[0].empty()) return fail("empty line id");
    if (f[0] != polylineId_) finishPolyline();
    polylineId_ = std::string(f[0]);
    LatLng p;
    std::string message;
    if (!parsePosition(f[1], f[2], p, message)) return fail(message);
    polylinePoints_.push_back(p);
    return true;
  }

  bool routePoint(const std::vector<std::string_view>& f) {
    if (!expectFields(f, 12)) return false;
    if (f[0].empty()) return fail("empty route id");
    RouteSet header;
    int routeClass = 0, pen6 = 0, pen7 = 0;
    std::string message;
    if (!parseInteger(f[1], 2, 7, routeClass)) return fail("route class must be 2 to 7");
    if (!parseInteger(f[2], 0, 1, pen6) || !parseInteger(f[3], 0, 1, pen7)) return fail("pen6 and pen7 must be 0 or 1");
    if (!f[4].empty() && !parseName(f[4], DESIGNATOR_LENGTH, "designator", header.designator, message))
      return fail(message);
    header.flags = static_cast<std::uint8_t>(routeClass | pen6 << 6 | pen7 << 7);
    if (f[0] != polylineId_) finishPolyline();
    if (!polylinePoints_.empty() &&
        (header.flags != routeHeader_.flags || header.designator != routeHeader_.designator))
      return fail("class, pens and designator must be the same on every row of a route");
    routeHeader_ = header;
    polylineId_ = std::string(f[0]);
    RouteSetPoint p;
    if (!parsePosition(f[5], f[6], p.position, message) || !parsePosition(f[8], f[9], p.labelAnchor, message))
      return fail(message);
    if (!parseInteger(f[7], -32768, 32767, p.value1) || !parseInteger(f[10], 0, 65535, p.value2) ||
        !parseInteger(f[11], -32768, 32767, p.value3))
      return fail("value1 and value3 must be -32768 to 32767, value2 0 to 65535");
    polylineRoute_.push_back(p);
    polylinePoints_.push_back(p.position);
    return true;
  }

  void finishPolyline() {
    if (polylinePoints_.empty()) return;
    if (block_ == Block::Terrain) {
      for (std::size_t i = 0; i < polylinePoints_.size(); ++i)
        contents_.terrain.push_back({static_cast<std::uint8_t>(i == 0 ? 1 : 0), polylinePoints_[i]});
    } else if (block_ == Block::Boundary) {
      BoundaryLine header;
      appendPieces(polylinePoints_, header, contents_.boundaryLines);
    } else if (block_ == Block::Route) {
      appendPieces(polylineRoute_, routeHeader_, contents_.routeSets);
    }
    polylinePoints_.clear();
    polylineRoute_.clear();
    polylineId_.clear();
  }

  FixFileContents& contents_;
  Problem& error_;
  Block block_ = Block::None;
  bool awaitingPreamble_ = false;
  std::string polylineId_;
  std::vector<LatLng> polylinePoints_;
  std::vector<RouteSetPoint> polylineRoute_;
  RouteSet routeHeader_;
};

// Shortest fixed-point text that reads back as the same double: the reader
// takes no exponent forms, and a tiny value must not be written as one.
std::string exact(double v) {
  char buffer[400];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed);
  return std::string(buffer, r.ptr);
}

std::string coordinate(double packed, char positive, char negative) {
  return (std::signbit(packed) ? negative : positive) + exact(std::fabs(packed));
}

std::string position(const LatLng& p) { return coordinate(p.lat, 'N', 'S') + "," + coordinate(p.lng, 'E', 'W'); }

}  // namespace

Problems parseFixSource(std::string_view text, std::string_view fileName, FixFileContents& contents) {
  Problem error;
  if (SourceParser(fileName, contents, error).parse(text)) return {};
  return {error};
}

std::string escapePreamble(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\\')
      out += "\\\\";
    else if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (u < 0x20 || u >= 0x7f) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      out += hex;
    } else
      out += c;
  }
  return out;
}

bool unescapePreamble(std::string_view text, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i >= text.size()) return false;
    switch (text[i]) {
      case '\\': out += '\\'; break;
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case 'x': {
        unsigned value = 0;
        if (i + 2 >= text.size()) return false;
        const auto r = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
        if (r.ptr != text.data() + i + 3) return false;
        out += static_cast<char>(value);
        i += 2;
        break;
      }
      default: return false;
    }
  }
  return out.find(static_cast<char>(FIX_FILE_MARKER)) == std::string::npos;
}

std::string formatFixSource(const FixFileContents& c) {
  std::string out;
  if (c.preamble) out += "preamble\n" + escapePreamble(*c.preamble) + "\n";
  out += "name,kind,lat,lon\n";
  for (const Fix& f : c.fixes) out += f.name + "," + std::to_string(f.kind) + "," + position(f.position) + "\n";
  out += "alias,target\n";
  for (const Alias& a : c.aliases) out += a.name + "," + a.target + "\n";
  out += "boundary,lat,lon\n";
  int id = 0;
  for (const BoundaryLine& line : c.boundaryLines) {
    ++id;
    for (int i = 0; i < line.count; ++i) out += std::to_string(id) + "," + position(line.points[i]) + "\n";
  }
  out += "terrain,lat,lon\n";
  id = 0;
  for (std::size_t i = 0; i < c.terrain.size(); ++i) {
    if (i == 0 || c.terrain[i].pen != 0) ++id;
    out += std::to_string(id) + "," + position(c.terrain[i].position) + "\n";
  }
  out += "route,class,pen6,pen7,designator,lat,lon,value1,label_lat,label_lon,value2,value3\n";
  id = 0;
  for (const RouteSet& r : c.routeSets) {
    ++id;
    for (int i = 0; i < r.count; ++i) {
      const RouteSetPoint& p = r.points[i];
      out += std::to_string(id) + "," + std::to_string(r.routeClass()) + "," + (r.pen6() ? "1" : "0") + "," +
             (r.pen7() ? "1" : "0") + "," + r.designator + "," + position(p.position) + "," + std::to_string(p.value1) +
             "," + position(p.labelAnchor) + "," + std::to_string(p.value2) + "," + std::to_string(p.value3) + "\n";
    }
  }
  return out;
}

}  // namespace korvant
