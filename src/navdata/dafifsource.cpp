#include "navdata/dafifsource.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "base/csvfields.h"
#include "base/textops.h"
#include "geo/greatcircle.h"
#include "geo/positiontext.h"
#include "navdata/dafifrecords.h"
#include "sky/magvar.h"

namespace korvant {

namespace {

std::string exact(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

bool degreesField(const std::string& text, double limit, double& value) {
  return csvNumber(text, value) && std::isfinite(value) && std::fabs(value) <= limit;
}

// One record line of the dump form as its bytes; empty, with `why`, when it is none.
std::string dumpRecord(std::vector<std::string> f, const char*& why) {
  for (std::size_t i = 1; i < f.size(); ++i)
    if (!unescapeCsvField(std::string(f[i]), f[i])) {
      why = "bad escape";
      return {};
    }
  why = "not a record of the dump form";
  double lat = 0, lng = 0;
  if (f.size() < 4 || !csvNumber(f[2], lat) || !csvNumber(f[3], lng)) return {};
  std::string record;
  if (f[0] == "dafa" && f.size() == 8) {
    unsigned longest = 0, number = 0;
    if (!csvNumber(f[4], longest) || !csvNumber(f[5], number) || longest > 65535 || number > 65535) return {};
    const DafifAirport a{f[1], {lat, lng}, longest, number, f[6], f[7]};
    if (a.ident.size() > 4 || a.key.size() > 7 || a.name.size() > 30) return {};
    record = encodeDafifAirport(a);
    const std::vector<DafifAirport> back = readDafifAirports(record);
    if (back.size() != 1 || encodeDafifAirport(back[0]) != record) record.clear();
  } else if (f[0] == "dafn" && f.size() == 5 && f[1].size() <= 4 && f[4].size() == 2) {
    record = encodeDafifNavaid({f[1], {lat, lng}, {f[4][0], f[4][1]}});
    const std::vector<DafifNavaid> back = readDafifNavaids(record);
    if (back.size() != 1 || encodeDafifNavaid(back[0]) != record) record.clear();
  } else {
    return {};
  }
  // What the reader would skip or change (a position out of range, a NUL or
  // trailing blank in a name) could not come back from a dump.
  if (record.empty()) why = "a record the file cannot hold as written";
  return record;
}

// A line the dump can write as it stands: printable ASCII and tabs.
bool isTextLine(std::string_view line) {
  for (char c : line)
    if (!(c == '\t' || (c >= 0x20 && c < 0x7f))) return false;
  return true;
}

const std::string kFileNames[] = {"ATSID.TXT", "DAFA.BIN",    "DAFN.BIN", "DAFORTCA.TXT", "RADIALK.TXT", "RADIALX.TXT",
                                  "RWY0.TXT",  "SEGDIST.TXT", "WPTA.TXT", "WPTE.TXT",     "WPTN.TXT",    "WPTS.TXT"};

bool addDump(const std::vector<std::string>& lines, DafifFolder& folder, Problem& error) {
  std::string* file = nullptr;
  std::string name;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    const auto fail = [&](const char* why) {
      error = {Reason::SourceLineFault, {}, static_cast<int>(n + 1), why};
      return false;
    };
    if (line.empty() || line[0] == '#') continue;
    if (line.compare(0, 5, "file,") == 0) {
      name = line.substr(5);
      if (std::find(std::begin(kFileNames), std::end(kFileNames), name) == std::end(kFileNames))
        return fail("not a file of a DAFIF folder");
      file = &folder[name];
      continue;
    }
    if (!file) return fail("a record before any file line");
    const bool binary = name == "DAFA.BIN" || name == "DAFN.BIN";
    std::string content;
    if (!binary && line.compare(0, 5, "text,") == 0) {
      *file += line.substr(5) + "\n";
      continue;
    }
    if (!binary && (line.compare(0, 6, "textx,") == 0 || line.compare(0, 5, "tail,") == 0)) {
      const bool tail = line[1] == 'a';
      if (!unescapeCsvField(line.substr(tail ? 5 : 6), content)) return fail("bad escape");
      *file += tail ? content : content + "\n";
      continue;
    }
    if (!binary) return fail("a text file holds text lines only");
    if (line.compare(0, 5, name == "DAFA.BIN" ? "dafa," : "dafn,") != 0) return fail("a record of another file");
    const char* why = nullptr;
    const std::string record = dumpRecord(splitCsv(line), why);
    if (record.empty()) return fail(why);
    *file += record;
  }
  return true;
}

enum class Layout { Unknown, Dump, Airports, Runways, Navaids, Waypoints, MadeUp };

Layout layoutOf(const std::string& header) {
  if (header.compare(0, 5, "file,") == 0) return Layout::Dump;
  if (header.compare(0, 14, "airport_ident,") == 0) return Layout::Runways;
  if (header.compare(0, 28, "name,lat,lon,kind,area,iata,") == 0) return Layout::Airports;
  if (header.compare(0, 32, "name,lat,lon,kind,area,freq_khz,") == 0) return Layout::Navaids;
  if (header.compare(0, 25, "name,lat,lon,kind,region,") == 0) return Layout::Waypoints;
  if (header.compare(0, 26, "record,name,level,lat,lon") == 0) return Layout::MadeUp;
  return Layout::Unknown;
}

// The class letters of a navaid from its kind and the levels it serves.
std::string navaidClass(const std::string& kind, const std::string& usage) {
  const bool vor = kind.compare(0, 3, "VOR") == 0;
  if (vor) return usage == "HI" || usage == "BOTH" ? "HA" : usage == "LO" ? "L " : "T ";
  return usage == "HI" ? "H " : usage == "BOTH" ? "HH" : usage == "LO" ? "MH" : "U ";
}

const char* waypointFile(double lat, double lon) {
  if (lat < 0) return "WPTS.TXT";
  if (lon < -30) return "WPTN.TXT";
  return lon <= 60 ? "WPTE.TXT" : "WPTA.TXT";
}

struct AirportRow {
  DafifAirport airport;
  unsigned elevation = 0;
};
struct RunwayRow {
  unsigned length = 0;
  std::string line;  // RWY0.TXT's fields after the key
};

class PublicSource {
 public:
  explicit PublicSource(DafifFolder& folder) : folder_(folder) {}

  bool add(Layout layout, const std::vector<std::string>& lines, Problem& error) {
    const std::vector<std::string> header = splitCsv(lines[0]);
    for (std::size_t n = 1; n < lines.size(); ++n) {
      if (lines[n].empty() || lines[n][0] == '#') continue;
      const std::vector<std::string> f = splitCsv(lines[n]);
      const auto field = [&](const char* name) -> std::string {
        for (std::size_t i = 0; i < header.size() && i < f.size(); ++i)
          if (header[i] == name) return f[i];
        return {};
      };
      if (!row(layout, field)) {
        error = {Reason::SourceRowUnreadable, {}, static_cast<int>(n + 1)};
        return false;
      }
    }
    return true;
  }

  void finish() {
    // Airports and runway lines in key order, so that RWY0.TXT steps with DAFA.BIN.
    std::sort(airports_.begin(), airports_.end(),
              [](const AirportRow& a, const AirportRow& b) { return a.airport.key < b.airport.key; });
    for (AirportRow& row : airports_) {
      const auto found = longest_.find(row.airport.ident);
      if (found != longest_.end()) {
        row.airport.longestRunway = found->second.length;
        folder_["RWY0.TXT"] += row.airport.key + " " + found->second.line + "\n";
      }
      row.airport.number = row.elevation;
      folder_["DAFA.BIN"] += encodeDafifAirport(row.airport);
    }
    airports_.clear();
    finishAirways();
    for (const auto& [size, lines] : ortca_) {
      std::string& text = folder_["DAFORTCA.TXT"];
      if (text.empty()) text = "# MADE UP - NOT FOR NAVIGATION: sample ORTCA values for Korvant's tests\n";
      char head[64];
      std::snprintf(head, sizeof head, "QUADRANGLE_SIZE %g\n", size);
      text += head + lines;
    }
    ortca_.clear();
  }

 private:
  template <typename Field>
  bool row(Layout layout, Field field) {
    if (layout == Layout::Runways) return runway(field);
    if (layout == Layout::MadeUp) return madeUp(field);
    double lat = 0, lon = 0;
    if (!degreesField(field("lat"), 90, lat) || !degreesField(field("lon"), 180, lon)) return false;
    const std::string name = toUpper(field("name"));
    const LatLng position{fiveByteValue(degreesToDegMin(lat)), fiveByteValue(degreesToDegMin(lon))};
    // Identifiers of printable characters only: the records pad with blanks
    // and end at a NUL.
    if (name.empty() || !std::all_of(name.begin(), name.end(), [](char c) { return c > 0x20 && c < 0x7f; }))
      return true;
    switch (layout) {
      case Layout::Airports:
        if (name.size() <= 4) {
          AirportRow row;
          // 30 bytes, not cutting a UTF-8 character; a NUL would end the name early.
          std::string fullName = field("fullname");
          std::size_t cut = std::min<std::size_t>(fullName.size(), 30);
          while (cut < fullName.size() && cut > 0 && (static_cast<unsigned char>(fullName[cut]) & 0xC0) == 0x80) --cut;
          fullName.resize(cut);
          std::replace(fullName.begin(), fullName.end(), '\0', ' ');
          while (!fullName.empty() && fullName.back() == ' ') fullName.pop_back();
          row.airport = {name, position, 0, 0, (name + "_______").substr(0, 7), fullName};
          airports_.push_back(std::move(row));
        }
        return true;
      case Layout::Navaids:
        if (name.size() <= 4) {
          const std::string cls = navaidClass(field("kind"), field("usage"));
          folder_["DAFN.BIN"] += encodeDafifNavaid({name, position, {cls[0], cls[1]}});
        }
        return true;
      case Layout::Waypoints: {
        const std::string kind = field("kind"), region = field("region");
        const char type = kind != "waypoint" ? 'T'
                          : region == "NAT"  ? 'H'
                          : region == "PAC"  ? 'B'
                          : region == "AUS"  ? 'L'
                                             : 'R';
        folder_[waypointFile(lat, lon)] += name + " " + formatLat(degreesToDegMin(lat)) + " " +
                                           formatLng(degreesToDegMin(lon)) + " N - " + type + " - - -\n";
        return true;
      }
      default: return false;
    }
  }

  template <typename Field>
  bool runway(Field field) {
    const std::string airport = toUpper(field("airport_ident"));
    unsigned length = 0;
    double lat1, lon1, lat2, lon2;
    long elevation = 0;
    if (csvNumber(field("airport_elevation_ft"), elevation) && elevation > 0 && elevation < 65536)
      elevations_[airport] = static_cast<unsigned>(elevation);
    if (field("closed") == "1" || !csvNumber(field("length_ft"), length) || length == 0 || length > 65535 ||
        !degreesField(field("le_latitude_deg"), 90, lat1) || !degreesField(field("le_longitude_deg"), 180, lon1) ||
        !degreesField(field("he_latitude_deg"), 90, lat2) || !degreesField(field("he_longitude_deg"), 180, lon2))
      return true;  // a runway without both ends or a length is left out
    const std::string le = field("le_ident").empty() ? "-" : field("le_ident");
    const std::string he = field("he_ident").empty() ? "-" : field("he_ident");
    if (le.find(' ') != std::string::npos || he.find(' ') != std::string::npos) return true;
    RunwayRow& best = longest_[airport];
    if (length > best.length)
      best = {length, le + " " + he + " " + formatLat(degreesToDegMin(lat1)) + " " + formatLng(degreesToDegMin(lon1)) +
                          " " + formatLat(degreesToDegMin(lat2)) + " " + formatLng(degreesToDegMin(lon2))};
    return true;
  }

  template <typename Field>
  bool madeUp(Field field) {
    double lat = 0, lon = 0;
    if (!degreesField(field("lat"), 90, lat) || !degreesField(field("lon"), 180, lon)) return false;
    const std::string record = field("record"), name = field("name"), level = field("level");
    if (record == "airway" && !name.empty() && level.size() == 1) {
      airways_.push_back({name, level[0], {degreesToDegMin(lat), degreesToDegMin(lon)}});
      return true;
    }
    double size = 0;
    long value = 0;
    if (record == "ortca" && csvNumber(name, size) && csvNumber(level, value)) {
      ortca_.push_back({size, formatLat(degreesToDegMin(lat)) + " " + formatLng(degreesToDegMin(lon)) + " " +
                                  std::to_string(value) + "\n"});
      // Lines of one size gather in one block.
      for (std::size_t i = 0; i + 1 < ortca_.size(); ++i)
        if (ortca_[i].first == size) {
          ortca_[i].second += ortca_.back().second;
          ortca_.pop_back();
          break;
        }
      return true;
    }
    return false;
  }

  // Each pair of consecutive points of one airway: its line, identifier and distance.
  void finishAirways() {
    for (std::size_t i = 0; i + 1 < airways_.size(); ++i) {
      const AirwayPoint& a = airways_[i];
      const AirwayPoint& b = airways_[i + 1];
      if (a.name != b.name) continue;
      const CourseDistance out = courseAndDistance(a.position, b.position);
      const CourseDistance back = courseAndDistance(b.position, a.position);
      const int radial1 =
          static_cast<int>(std::lround(magneticCourse(out.course, magneticVariation(a.position)))) % 360;
      const int radial2 =
          static_cast<int>(std::lround(magneticCourse(back.course, magneticVariation(b.position)))) % 360;
      char line[320];
      const auto deg = [](double packed) { return degMinToDegrees(packed); };
      std::snprintf(line, sizeof line, "%.6f %.6f %03d %03d %c %.1f %s %s Y %.2f %.2f %.6f %.6f %zu\n",
                    deg(a.position.lat), deg(a.position.lng), radial1, radial2, a.level, out.distance, a.name.c_str(),
                    a.name.c_str(), out.course, back.course, deg(b.position.lat), deg(b.position.lng), i);
      folder_[a.level == 'L' ? "RADIALX.TXT" : "RADIALK.TXT"] += line;
      std::snprintf(line, sizeof line, "%.6f %.6f %.2f %c %ld %s\n", deg(a.position.lat), deg(a.position.lng),
                    out.course, a.level, std::lround(out.distance), a.name.c_str());
      folder_["ATSID.TXT"] += line;
      std::snprintf(line, sizeof line, "%.6f %.6f %.2f %c - - %.1f\n", deg(a.position.lat), deg(a.position.lng),
                    out.course, a.level, out.distance);
      folder_["SEGDIST.TXT"] += line;
    }
    airways_.clear();
  }

  struct AirwayPoint {
    std::string name;
    char level;
    LatLng position;
  };
  DafifFolder& folder_;
  std::vector<AirportRow> airports_;
  std::map<std::string, RunwayRow> longest_;
  std::map<std::string, unsigned> elevations_;
  std::vector<AirwayPoint> airways_;
  std::vector<std::pair<double, std::string>> ortca_;

 public:
  void applyElevations() {
    for (AirportRow& row : airports_) {
      const auto e = elevations_.find(row.airport.ident);
      if (e != elevations_.end()) row.elevation = e->second;
    }
  }
};

}  // namespace

std::string dumpDafifFolder(const DafifFolder& folder) {
  std::string text;
  for (const auto& [name, bytes] : folder) {
    text += "file," + name + "\n";
    const bool dafa = name == "DAFA.BIN", dafn = name == "DAFN.BIN";
    if (dafa || dafn) {
      const std::vector<DafifAirport> airports = dafa ? readDafifAirports(bytes) : std::vector<DafifAirport>{};
      for (const DafifAirport& a : airports)
        text += "dafa," + escapeCsvField(a.ident) + "," + exact(a.position.lat) + "," + exact(a.position.lng) + "," +
                std::to_string(a.longestRunway) + "," + std::to_string(a.number) + "," + escapeCsvField(a.key) + "," +
                escapeCsvField(a.name) + "\n";
      const std::vector<DafifNavaid> navaids = dafn ? readDafifNavaids(bytes) : std::vector<DafifNavaid>{};
      for (const DafifNavaid& n : navaids)
        text += "dafn," + escapeCsvField(n.ident) + "," + exact(n.position.lat) + "," + exact(n.position.lng) + "," +
                escapeCsvField(std::string(n.cls.data(), 2)) + "\n";
      continue;
    }
    // Lines as they stand where they can; a line with other bytes, or a last
    // line without its line feed, escaped.
    std::size_t at = 0;
    while (at < bytes.size()) {
      const std::size_t end = bytes.find('\n', at);
      const std::string line = bytes.substr(at, end == std::string::npos ? std::string::npos : end - at);
      if (end == std::string::npos)
        text += "tail," + escapeCsvField(line) + "\n";
      else if (isTextLine(line))
        text += "text," + line + "\n";
      else
        text += "textx," + escapeCsvField(line) + "\n";
      at = end == std::string::npos ? bytes.size() : end + 1;
    }
  }
  return text;
}

struct DafifFolderBuilder::State {
  DafifFolder folder;
  PublicSource source{folder};
};

DafifFolderBuilder::DafifFolderBuilder() : state_(std::make_unique<State>()) {}
DafifFolderBuilder::~DafifFolderBuilder() = default;

DafifFolder DafifFolderBuilder::finish() {
  state_->source.applyElevations();
  state_->source.finish();
  return std::move(state_->folder);
}

Problems DafifFolderBuilder::add(std::string_view text) {
  Problem error;
  const bool ok = [&] {
    std::vector<std::string> lines = textLines(text);
    std::size_t first = 0;
    while (first < lines.size() && (lines[first].empty() || lines[first][0] == '#')) ++first;
    if (first == lines.size()) return true;
    const Layout layout = layoutOf(lines[first]);
    if (layout == Layout::Unknown) {
      error = {Reason::SourceHeaderUnknown, {}, static_cast<int>(first + 1)};
      return false;
    }
    if (layout == Layout::Dump) return addDump(lines, state_->folder, error);
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(first));
    return state_->source.add(layout, lines, error);
  }();
  return ok ? Problems{} : Problems{error};
}

}  // namespace korvant
