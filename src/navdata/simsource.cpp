#include "navdata/simsource.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

#include "base/csvfields.h"
#include "base/textops.h"
#include "geo/latlng.h"
#include "navdata/runwaycoords.h"
#include "navdata/simfiles.h"
#include "navdata/simrecords.h"
#include "sky/magvar.h"

namespace korvant {

namespace {

template <typename T>
bool number(const std::string& text, T& value) {
  return csvNumber(text, value);
}

bool degrees(const std::string& text, double limit, double& value) {
  return number(text, value) && std::isfinite(value) && std::fabs(value) <= limit;
}

std::string escapeIdent(std::string_view ident) { return escapeCsvField(ident); }
bool unescapeIdent(std::string_view text, std::string& ident) { return unescapeCsvField(text, ident); }

std::int16_t i16(const std::uint8_t* p) { return static_cast<std::int16_t>(p[0] | p[1] << 8); }

// The four position fields of a record, as the dump writes them.
std::string positionFields(const std::uint8_t* p) {
  return std::to_string(static_cast<std::int8_t>(p[0])) + "," + std::to_string(i16(p + 1)) + "," +
         std::to_string(i16(p + 3)) + "," + std::to_string(i16(p + 5));
}

void writeI16(std::uint8_t* p, long v) {
  const auto u = static_cast<std::uint16_t>(v);
  p[0] = static_cast<std::uint8_t>(u & 0xff);
  p[1] = static_cast<std::uint8_t>(u >> 8);
}

// Reads the four position fields from `fields[at]` on into the record bytes.
bool positionFrom(const std::vector<std::string>& fields, std::size_t at, std::uint8_t* p) {
  long latDeg, latTenths, lonDeg, lonTenths;
  if (fields.size() < at + 4 || !number(fields[at], latDeg) || !number(fields[at + 1], latTenths) ||
      !number(fields[at + 2], lonDeg) || !number(fields[at + 3], lonTenths) || latDeg < -128 || latDeg > 127)
    return false;
  p[0] = static_cast<std::uint8_t>(static_cast<std::int8_t>(latDeg));
  writeI16(p + 1, latTenths);
  writeI16(p + 3, lonDeg);
  writeI16(p + 5, lonTenths);
  return true;
}

LatLng packed(double lat, double lon) { return {degreesToDegMin(lat), degreesToDegMin(lon)}; }

// A runway's parallel letter as the two flags: L gives A, R gives B, C both.
void parallelFlags(char letter, SimAirportRecord& r) {
  if (letter == 'L' || letter == 'C') r.flags23 |= 0x80;
  if (letter == 'R' || letter == 'C') r.flags25 |= 0x80;
}

enum class Layout { Dump, Waypoints, Navaids, Airports, Runways, Unknown };

Layout layoutOf(const std::string& header) {
  if (header.rfind("file,", 0) == 0) return Layout::Dump;
  if (header.rfind("airport_ident,length_ft", 0) == 0) return Layout::Runways;
  if (header.rfind("name,lat,lon,kind,area,freq_khz", 0) == 0) return Layout::Navaids;
  if (header.rfind("name,lat,lon,kind,area,iata", 0) == 0) return Layout::Airports;
  if (header.rfind("name,lat,lon,kind,region", 0) == 0) return Layout::Waypoints;
  return Layout::Unknown;
}

}  // namespace

const char* simRegionOf(double lat, double lon) {
  if (lat >= 0) {
    if (lon >= -140 && lon < -30) return "NAM";
    if (lon >= -30 && lon < 60) return lat >= 35 || lon < -15 ? "EUR" : "AFR";
    if (lon >= 60 && lon < 150) return "ASI";
    return "NPO";
  }
  if (lon >= -120 && lon < -30) return "SAM";
  if (lon >= -30 && lon < 110) return "AFR";
  return "SPA";
}

std::string dumpSimFolder(const SimFolder& folder) {
  std::string text;
  for (const auto& [name, bytes] : folder) {
    text += "file," + name + "\n";
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::string upper = toUpper(name);
    const bool station = upper.size() > 4 && upper.substr(upper.size() - 4) == ".STA";
    const bool airport = upper.size() > 4 && upper.substr(upper.size() - 4) == ".APT";
    const std::size_t size = station ? SIM_STATION_BYTES : airport ? SIM_AIRPORT_BYTES : SIM_WAYPOINT_BYTES;
    for (std::size_t at = 0; at + size <= bytes.size(); at += size) {
      const std::uint8_t* p = data + at;
      if (station) {
        text += "station," + escapeIdent(std::string_view(reinterpret_cast<const char*>(p), 3)) + "," +
                positionFields(p + 7) + "\n";
      } else if (airport) {
        const SimAirportRecord r = decodeSimAirport(p);
        if (r.runway)
          text += "runway," + positionFields(p) + "," + std::to_string(r.trueHeading) + "," + std::to_string(r.length) +
                  "," + std::to_string(r.flags23) + "," + std::to_string(r.flags25) + "\n";
        else
          text +=
              "airport," + escapeIdent(r.ident) + "," + positionFields(p) + "," + std::to_string(r.elevation) + "\n";
      } else {
        text += "waypoint," + escapeIdent(decodeSimWaypoint(p).ident) + "," + positionFields(p) + "\n";
      }
    }
  }
  return text;
}

namespace {

// One record line of the dump form as the record's bytes; empty, with `why`,
// when the line is no record.
std::string dumpRecord(std::vector<std::string> f, const char*& why) {
  const std::string kind = f[0];
  if (f.size() > 1 && !unescapeIdent(std::string(f[1]), f[1])) {
    why = "bad identifier";
    return {};
  }
  std::string record;
  why = "bad position";
  if (kind == "waypoint" && f.size() == 6 && f[1].size() <= 5) {
    record.assign(SIM_WAYPOINT_BYTES, '\0');
    record.replace(7, f[1].size(), f[1]);
    return positionFrom(f, 2, reinterpret_cast<std::uint8_t*>(record.data())) ? record : std::string();
  }
  if (kind == "station" && f.size() == 6 && f[1].size() == 3) {
    record.assign(SIM_STATION_BYTES, '\0');
    record.replace(0, 3, f[1]);
    return positionFrom(f, 2, reinterpret_cast<std::uint8_t*>(record.data()) + 7) ? record : std::string();
  }
  const bool runway = kind == "runway" && f.size() == 9;
  if (!runway && !(kind == "airport" && f.size() == 7 && f[1].size() <= 4)) {
    why = "not a record of the dump form";
    return {};
  }
  SimAirportRecord r;
  r.position = {0, 0};  // the record's own position fields follow
  r.runway = runway;
  long a = 0, b = 0, c = 0, d = 0;
  if (runway ? !(number(f[5], a) && number(f[6], b) && number(f[7], c) && number(f[8], d)) : !number(f[6], a)) {
    why = "bad number";
    return {};
  }
  if (a < 0 || a > 65535 || b < 0 || b > 65535 || c < 0 || c > 255 || d < 0 || d > 255) {
    why = "out of range";
    return {};
  }
  if (runway) {
    r.trueHeading = static_cast<int>(a);
    r.length = static_cast<int>(b);
    r.flags23 = static_cast<std::uint8_t>(c);
    r.flags25 = static_cast<std::uint8_t>(d);
  } else {
    r.ident = f[1];
    r.elevation = static_cast<int>(a);
  }
  record = encodeSimAirport(r);
  return positionFrom(f, runway ? 1 : 2, reinterpret_cast<std::uint8_t*>(record.data())) ? record : std::string();
}

bool addDump(const std::vector<std::string>& lines, SimFolder& folder, Problem& error) {
  std::string* file = nullptr;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::vector<std::string> f = splitCsv(lines[n]);
    const auto fail = [&](const char* why) {
      error = {Reason::SourceLineFault, {}, static_cast<int>(n + 1), why};
      return false;
    };
    if (f[0].empty() || f[0][0] == '#') continue;
    if (f[0] == "file") {
      if (f.size() != 2 || f[1].empty()) return fail("a file line names one file");
      // Only the folder's own files: a name such as ../x would write elsewhere.
      bool known = f[1] == "747WPT.DAT";
      for (const char* region : SIM_SEEK_REGIONS)
        known |= f[1] == std::string("747") + region + ".APT" || f[1] == std::string("747") + region + ".STA";
      if (!known) return fail("not a file of a PS1 folder");
      file = &folder[f[1]];
      continue;
    }
    if (!file) return fail("a record before any file line");
    const char* why = nullptr;
    const std::string record = dumpRecord(f, why);
    if (record.empty()) return fail(why);
    *file += record;
  }
  return true;
}

// The public layouts: each row converted to the records it stands for.
class PublicSource {
 public:
  explicit PublicSource(SimFolder& folder) : folder_(folder) {}

  bool add(Layout layout, const std::vector<std::string>& lines, Problem& error) {
    const std::vector<std::string> header = splitCsv(lines[0]);
    const auto column = [&](const char* name) {
      for (std::size_t i = 0; i < header.size(); ++i)
        if (header[i] == name) return static_cast<int>(i);
      return -1;
    };
    for (std::size_t n = 1; n < lines.size(); ++n) {
      if (lines[n].empty() || lines[n][0] == '#') continue;
      const std::vector<std::string> f = splitCsv(lines[n]);
      const auto field = [&](const char* name) -> std::string {
        const int i = column(name);
        return i >= 0 && static_cast<std::size_t>(i) < f.size() ? f[static_cast<std::size_t>(i)] : std::string();
      };
      if (!row(layout, field)) {
        error = {Reason::SourceRowUnreadable, {}, static_cast<int>(n + 1)};
        return false;
      }
    }
    return true;
  }

 private:
  template <typename Field>
  bool row(Layout layout, Field field) {
    if (layout == Layout::Runways) return runway(field);
    double lat, lon;
    if (!degrees(field("lat"), 90, lat) || !degrees(field("lon"), 180, lon)) return false;
    const std::string name = toUpper(field("name"));
    const LatLng position = packed(lat, lon);
    switch (layout) {
      case Layout::Waypoints:
        if (field("kind") == "waypoint" && !name.empty() && name.size() <= 5)
          folder_["747WPT.DAT"] += encodeSimWaypoint({name, position});
        return true;
      case Layout::Navaids:
        // The station record holds three characters.
        if (!name.empty() && name.size() <= 3)
          folder_[std::string("747") + simRegionOf(lat, lon) + ".STA"] += encodeSimStation({name, position});
        return true;
      case Layout::Airports:
        if (!name.empty() && name.size() <= 4) {
          airports_[name] = {std::string("747") + simRegionOf(lat, lon) + ".APT", position};
          order_.push_back(name);
        }
        return true;
      default: return false;
    }
  }

  template <typename Field>
  bool runway(Field field) {
    const std::string airport = toUpper(field("airport_ident"));
    if (field("closed") == "1") return true;
    double lat1, lon1, lat2, lon2, heading = -1;
    long length = 0, elevation = 0;
    if (!degrees(field("le_latitude_deg"), 90, lat1) || !degrees(field("le_longitude_deg"), 180, lon1) ||
        !degrees(field("he_latitude_deg"), 90, lat2) || !degrees(field("he_longitude_deg"), 180, lon2) ||
        !number(field("length_ft"), length) || length <= 0 || length > 65535)
      return true;  // a runway without both ends or a length is left out
    if (!number(field("le_heading_degT"), heading) || !std::isfinite(heading) || heading < 0 || heading > 360)
      heading = std::fmod(
          std::atan2(std::sin((lon2 - lon1) * PI / 180) * std::cos(lat2 * PI / 180),
                     std::cos(lat1 * PI / 180) * std::sin(lat2 * PI / 180) -
                         std::sin(lat1 * PI / 180) * std::cos(lat2 * PI / 180) * std::cos((lon2 - lon1) * PI / 180)) *
                  180 / PI +
              360,
          360);
    (void)number(field("airport_elevation_ft"), elevation);
    SimAirportRecord r;
    r.runway = true;
    r.position = packed((lat1 + lat2) / 2, (lon1 + lon2) / 2);
    r.trueHeading = static_cast<int>(std::lround(heading)) % 360;
    r.length = static_cast<int>(length);
    const std::string ident = field("le_ident");
    if (!ident.empty()) parallelFlags(ident.back(), r);
    runways_[airport].push_back({r, ident});
    if (elevation > 0 && elevation < 65536) elevations_[airport] = static_cast<int>(elevation);
    return true;
  }

 public:
  // Airports with their runways, in the order they were read.
  void finish() {
    for (const std::string& name : order_) {
      const auto& [file, position] = airports_[name];
      SimAirportRecord a;
      a.ident = name;
      a.position = position;
      a.elevation = elevations_.count(name) ? elevations_[name] : 0;
      std::string& bytes = folder_[file];
      bytes += encodeSimAirport(a);
      const double variation = magneticVariation(position);
      for (auto& [r, ident] : runways_[name]) {
        // The number the reader will compute from the magnetic heading should
        // be the published one: pick the rounding flag that gives it.
        const int m = magneticRunwayHeading(r.trueHeading, variation);
        int published = 0;
        for (char c : ident)
          if (c >= '0' && c <= '9') published = published * 10 + (c - '0');
        if ((m + 4) / 10 != published) {
          if (m / 10 == published)
            r.flags23 |= 0x40;
          else if ((m + 9) / 10 == published)
            r.flags25 |= 0x40;
        }
        bytes += encodeSimAirport(r);
      }
    }
    order_.clear();
  }

 private:
  struct RunwayRow {
    SimAirportRecord record;
    std::string ident;
  };
  SimFolder& folder_;
  std::map<std::string, std::pair<std::string, LatLng>> airports_;
  std::vector<std::string> order_;
  std::map<std::string, std::vector<RunwayRow>> runways_;
  std::map<std::string, int> elevations_;
};

}  // namespace

struct SimFolderBuilder::State {
  SimFolder folder;
  PublicSource source{folder};
};

SimFolderBuilder::SimFolderBuilder() : state_(std::make_unique<State>()) {}
SimFolderBuilder::~SimFolderBuilder() = default;

SimFolder SimFolderBuilder::finish() {
  state_->source.finish();
  return std::move(state_->folder);
}

Problems SimFolderBuilder::add(std::string_view text) {
  Problem error;
  const bool ok = [&] {
    SimFolder& folder = state_->folder;
    std::vector<std::string> lines = textLines(text);
    // Comment lines before the header.
    std::size_t first = 0;
    while (first < lines.size() && (lines[first].empty() || lines[first][0] == '#')) ++first;
    if (first == lines.size()) return true;
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(first));
    const Layout layout = layoutOf(lines[0]);
    if (layout == Layout::Unknown) {
      error = {Reason::SourceHeaderUnknown, {}, static_cast<int>(first + 1)};
      return false;
    }
    if (layout == Layout::Dump) return addDump(lines, folder, error);
    return state_->source.add(layout, lines, error);
  }();
  return ok ? Problems{} : Problems{error};
}

}  // namespace korvant
