#include "procedures/procedurefile.h"

#include <cctype>
#include <cstdio>
#include <sstream>

#include "base/filereader.h"
#include "geo/positiontext.h"

namespace korvant {

namespace {

int signed8(unsigned char b) { return b < 128 ? b : b - 256; }
unsigned unsigned16(const unsigned char* p) { return p[0] | (p[1] << 8); }
int signed16(const unsigned char* p) {
  const unsigned v = unsigned16(p);
  return v < 32768 ? static_cast<int>(v) : static_cast<int>(v) - 65536;
}
void put16(unsigned char* p, long v) {
  const auto u = static_cast<unsigned long>(v);
  p[0] = static_cast<unsigned char>(u & 0xFF);
  p[1] = static_cast<unsigned char>((u >> 8) & 0xFF);
}

bool isDocumentationPath(const std::string& path) {
  for (const char* word : {".txt", ".TXT", ".doc", ".DOC", "README", "readme", "READ.ME", "read.me"})
    if (path.find(word) != std::string::npos) return true;
  return false;
}

}  // namespace

ProcedureRecord decodeProcedureRecord(const unsigned char* b) {
  ProcedureRecord r;
  r.latDegrees = signed8(b[0]);
  r.latTenths = signed16(b + 1);
  r.lngDegrees = signed16(b + 3);
  r.lngTenths = signed16(b + 5);
  for (int i = 0; i < 7; ++i) r.name[i] = static_cast<char>(b[7 + i]);
  r.altitude = unsigned16(b + 14);
  r.speed = signed16(b + 16);
  r.restriction = b[18];
  r.type = b[19];
  r.heading = unsigned16(b + 20);
  return r;
}

void encodeProcedureRecord(const ProcedureRecord& r, unsigned char* out) {
  out[0] = static_cast<unsigned char>(r.latDegrees & 0xFF);
  put16(out + 1, r.latTenths);
  put16(out + 3, r.lngDegrees);
  put16(out + 5, r.lngTenths);
  for (int i = 0; i < 7; ++i) out[7 + i] = static_cast<unsigned char>(r.name[i]);
  put16(out + 14, r.altitude);
  put16(out + 16, r.speed);
  out[18] = r.restriction;
  out[19] = r.type;
  put16(out + 20, r.heading);
}

std::string recordFixName(const ProcedureRecord& record) {
  std::string name;
  for (char c : record.name) {
    if (c == '_' || c == '\0') break;
    name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return name;
}

LatLng recordPosition(const ProcedureRecord& r) {
  LatLng position;
  position.set(packDegreesMinutes(r.latDegrees, r.latTenths * 0.1),
               packDegreesMinutes(r.lngDegrees, r.lngTenths * 0.1));
  return position;
}

std::string routeHeaderTitle(const unsigned char* b) {
  std::string title;
  for (int i : {0, 1, 3, 5}) title += static_cast<char>(b[i]);
  title += '-';
  for (int i = 7; i <= 10; ++i) title += static_cast<char>(b[i]);
  for (char& c : title) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return title;
}

std::array<unsigned char, PROCEDURE_RECORD_BYTES> encodeRouteHeader(std::string_view start, std::string_view end) {
  std::array<unsigned char, PROCEDURE_RECORD_BYTES> record{};
  const int startAt[4] = {0, 1, 3, 5};
  for (std::size_t i = 0; i < 4 && i < start.size(); ++i) record[startAt[i]] = static_cast<unsigned char>(start[i]);
  for (std::size_t i = 0; i < 4 && i < end.size(); ++i) record[7 + i] = static_cast<unsigned char>(end[i]);
  return record;
}

std::string formatAltitude(unsigned value) {
  value &= 0xFFFF;
  char text[16];
  if (value <= 32767) {
    const unsigned feet = 10 * value;
    if (feet > 99999) return "?????";
    std::snprintf(text, sizeof text, "%u", feet);
    return text;
  }
  const unsigned level = (65536 - value) / 10;
  if (level > 999) return "FL???";
  std::snprintf(text, sizeof text, "FL%03u", level);
  return text;
}

void appendLegText(std::string& text, int type, const std::string& fix, int heading, const std::string& altitude) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "[%02d] ", type);
  char hdg[16];
  std::snprintf(hdg, sizeof hdg, "%03d", heading);
  text += prefix;
  const LegKind kind = legKind(type);
  const std::string turn = std::string("TURN ") + (kind.right ? "RIGHT" : "LEFT");
  if (kind.known) {
    switch (kind.group) {
      case LegGroup::Direct: text += "DIRECT " + fix; break;
      case LegGroup::HeadingUntilAltitude: text += turn + " HEADING " + hdg + " UNTIL " + altitude; break;
      case LegGroup::TrackUntilAltitude: text += turn + " TO TRACK " + hdg + " UNTIL " + altitude; break;
      case LegGroup::HeadingUntilDme: text += turn + " TO HEADING " + hdg + " UNTIL " + fix + " DME"; break;
      case LegGroup::HeadingUntilRadial:
        text += turn + " TO HEADING " + hdg + " UNTIL CROSSING " + fix + " RADIAL";
        break;
      case LegGroup::HeadingToIntercept:
        text += turn + " TO HEADING " + hdg + " TO INTERCEPT " + fix + " COURSE";
        break;
      case LegGroup::TurnDirect: text += turn + " DIRECT " + fix; break;
    }
  }
  text += '\n';
}

std::string legText(const DepArr& leg) {
  std::string text;
  appendLegText(text, leg.type, leg.fix, leg.heading, formatAltitude(leg.altitude));
  text.pop_back();
  return text;
}

std::string depArrDumpText(const DepArr& leg) {
  std::ostringstream out;
  out << "TYPE " << leg.type << " FIX " << leg.fix << " L/L " << formatLat(leg.position.lat) << ' '
      << formatLng(leg.position.lng) << " Speed " << leg.speed << " Alt " << formatAltitude(leg.altitude)
      << " AltRestr " << leg.restriction << " Hdg " << leg.heading << "\nHEX   TEXT \n";
  return out.str();
}

ProcedureFileRead readProcedureBytes(std::string_view bytes, RouteFileKind kind, const std::string& path) {
  ProcedureFileRead result;
  result.legs.reserve(bytes.size() / PROCEDURE_RECORD_BYTES);
  int budget = 3;
  int previousHeading = 0;
  const auto spend = [&] {
    if (--budget >= 0) return true;
    result.problems.push_back({Reason::ProcedureTooManyErrors, path});
    return false;
  };
  bool first = true;
  for (std::size_t at = 0; at + PROCEDURE_RECORD_BYTES <= bytes.size(); at += PROCEDURE_RECORD_BYTES) {
    const auto* raw = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    if (first && kind == RouteFileKind::Route) {
      first = false;
      result.title = routeHeaderTitle(raw);
      continue;
    }
    first = false;
    const ProcedureRecord record = decodeProcedureRecord(raw);
    DepArr leg;
    leg.type = record.type;
    leg.fix = recordFixName(record);
    leg.position = recordPosition(record);
    if (leg.position.isUnset()) {
      result.problems.push_back({Reason::ProcedureBadPosition, path, 0, leg.fix});
      return result;
    }
    leg.heading = static_cast<int>(record.heading);
    if (leg.heading > 360) {
      result.problems.push_back({Reason::ProcedureBadHeading, path, 0, leg.fix});
      leg.heading = previousHeading;
      if (!spend()) return result;
    }
    previousHeading = leg.heading;
    leg.speed = record.speed;
    if (leg.speed < -999 || leg.speed > 999) {
      result.problems.push_back({Reason::ProcedureBadSpeed, path, 0, leg.fix});
      leg.speed = 250;
      if (!spend()) return result;
    }
    leg.altitude = record.altitude;
    leg.restriction = static_cast<char>(record.restriction);
    result.legs.push_back(std::move(leg));
  }
  result.ok = true;
  return result;
}

ProcedureFileRead readProcedureFile(const std::string& path, RouteFileKind kind) {
  ProcedureFileRead refused;
  if (isDocumentationPath(path)) {
    refused.problems.push_back({Reason::ProcedureIsDocumentation, path});
    return refused;
  }
  const FileRead file = readWholeFile(path, PROCEDURE_FILE_LIMIT);
  if (!file.ok()) {
    refused.problems.push_back(file.notRead(Reason::ProcedureNotRead, path, PROCEDURE_FILE_LIMIT));
    return refused;
  }
  if (file.bytes.size() % PROCEDURE_RECORD_BYTES != 0) {
    refused.problems.push_back({Reason::ProcedureRecordLength, path});
    return refused;
  }
  return readProcedureBytes(file.bytes, kind, path);
}

}  // namespace korvant
