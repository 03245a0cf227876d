#include "procedures/proceduretext.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "procedures/procedurefile.h"

namespace korvant {

namespace {

using Record = std::array<unsigned char, PROCEDURE_RECORD_BYTES>;

std::vector<std::string> splitFields(std::string_view line) {
  std::vector<std::string> fields;
  std::string field;
  for (char c : line) {
    if (c == ' ' || c == '\t' || c == '\r') {
      if (!field.empty()) fields.push_back(std::move(field));
      field.clear();
    } else {
      field += c;
    }
  }
  if (!field.empty()) fields.push_back(std::move(field));
  return fields;
}

// A whole number in [low, high], nothing else in the field.
bool readInteger(const std::string& field, long low, long high, long& value) {
  if (field.empty() || field.size() > 12) return false;
  char* end = nullptr;
  value = std::strtol(field.c_str(), &end, 10);
  return *end == '\0' && value >= low && value <= high;
}

// "N5128.6" or "W00027.9" into degrees and tenths of minutes.
bool readCoordinate(const std::string& field, char positive, char negative, int& degrees, int& tenths) {
  if (field.size() < 4 || (field[0] != positive && field[0] != negative)) return false;
  const std::size_t dot = field.find('.');
  if (dot == std::string::npos || dot + 2 != field.size() || dot < 3) return false;
  long whole = 0;
  if (!readInteger(field.substr(1, dot - 1), 0, 99999999, whole) ||
      !std::isdigit(static_cast<unsigned char>(field[dot + 1])))
    return false;
  const int sign = field[0] == positive ? 1 : -1;
  degrees = sign * static_cast<int>(whole / 100);
  tenths = sign * static_cast<int>((whole % 100) * 10 + (field[dot + 1] - '0'));
  return true;
}

std::string writeCoordinate(int degrees, int tenths, char positive, char negative, int degreeDigits) {
  const bool south = degrees < 0 || (degrees == 0 && tenths < 0);
  char text[40];
  std::snprintf(text, sizeof text, "%c%0*d%02d.%d", south ? negative : positive, degreeDigits, std::abs(degrees),
                std::abs(tenths) / 10, std::abs(tenths) % 10);
  return text;
}

bool readAltitude(const std::string& field, unsigned& value) {
  long n = 0;
  if (field.compare(0, 2, "FL") == 0) {
    if (!readInteger(field.substr(2), 1, 3276, n) || field.size() < 5) return false;
    value = static_cast<unsigned>(65536 - 10 * n);
    return true;
  }
  if (!readInteger(field, 0, 327670, n) || n % 10 != 0) return false;
  value = static_cast<unsigned>(n / 10);
  return true;
}

std::string writeAltitude(unsigned value) {
  char text[16];
  if (value <= 32767)
    std::snprintf(text, sizeof text, "%u", 10 * value);
  else
    std::snprintf(text, sizeof text, "FL%03u", (65536 - value) / 10);
  return text;
}

bool readLegLine(const std::vector<std::string>& f, Record& out, std::string& error) {
  if (f.size() != 8) {
    error = "a leg has 8 fields: type fix lat lng speed altitude restriction heading";
    return false;
  }
  ProcedureRecord r;
  long n = 0;
  if (!readInteger(f[0], 0, 255, n)) return error = "type: a number 0 to 255", false;
  r.type = static_cast<unsigned char>(n);
  const std::string fix = f[1] == "-" ? "" : f[1];
  if (fix.size() > 7 || fix.find('_') != std::string::npos) return error = "fix: 7 characters at most, no '_'", false;
  for (std::size_t i = 0; i < fix.size(); ++i) r.name[i] = fix[i];
  if (!readCoordinate(f[2], 'N', 'S', r.latDegrees, r.latTenths) || r.latDegrees < -128 || r.latDegrees > 127)
    return error = "latitude: N5128.6 or S0512.0", false;
  if (!readCoordinate(f[3], 'E', 'W', r.lngDegrees, r.lngTenths) || r.lngDegrees < -32768 || r.lngDegrees > 32767 ||
      r.latTenths < -32768 || r.latTenths > 32767 || r.lngTenths < -32768 || r.lngTenths > 32767)
    return error = "longitude: W00027.9 or E01230.0", false;
  if (!readInteger(f[4], -32768, 32767, n)) return error = "speed: a number", false;
  r.speed = static_cast<int>(n);
  if (!readAltitude(f[5], r.altitude)) return error = "altitude: feet (a multiple of 10) or FL001 to FL3276", false;
  if (f[6].size() != 1) return error = "restriction: one character, - for none", false;
  r.restriction = static_cast<unsigned char>(f[6] == "-" ? ' ' : f[6][0]);
  if (!readInteger(f[7], 0, 65535, n)) return error = "heading: a number 0 to 65535", false;
  r.heading = static_cast<unsigned>(n);
  encodeProcedureRecord(r, out.data());
  return true;
}

std::string legLine(const unsigned char* bytes) {
  const ProcedureRecord r = decodeProcedureRecord(bytes);
  std::string fix;
  for (char c : r.name) {
    if (c == '_') break;
    fix += c;
  }
  std::ostringstream line;
  line << static_cast<int>(r.type) << ' ' << (fix.empty() ? "-" : fix) << ' '
       << writeCoordinate(r.latDegrees, r.latTenths, 'N', 'S', 2) << ' '
       << writeCoordinate(r.lngDegrees, r.lngTenths, 'E', 'W', 3) << ' ' << r.speed << ' ' << writeAltitude(r.altitude)
       << ' ' << (r.restriction == ' ' ? '-' : static_cast<char>(r.restriction)) << ' ' << r.heading;
  return line.str();
}

std::string rawLine(std::string_view bytes) {
  std::string line = "RAW ";
  char hex[3];
  for (unsigned char b : bytes) {
    std::snprintf(hex, sizeof hex, "%02X", b);
    line += hex;
  }
  return line;
}

bool readRaw(const std::vector<std::string>& f, std::string& out, std::string& error) {
  if (f.size() != 2 || f[1].size() % 2 != 0 || f[1].size() > 2 * PROCEDURE_RECORD_BYTES)
    return error = "RAW: up to 44 hexadecimal digits", false;
  for (std::size_t i = 0; i < f[1].size(); i += 2) {
    const std::string pair = f[1].substr(i, 2);
    if (!std::isxdigit(static_cast<unsigned char>(pair[0])) || !std::isxdigit(static_cast<unsigned char>(pair[1])))
      return error = "RAW: hexadecimal digits only", false;
    out += static_cast<char>(std::strtol(pair.c_str(), nullptr, 16));
  }
  return true;
}

// The line that builds these bytes again, and only that.
std::string canonicalLine(std::string_view bytes, bool header) {
  if (bytes.size() == PROCEDURE_RECORD_BYTES) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    std::string line;
    if (header) {
      const std::string title = routeHeaderTitle(b);
      line = "ROUTE " + title.substr(0, 4) + " " + title.substr(5);
    } else {
      line = legLine(b);
    }
    const ProcedureBuild again = buildProcedureFile(line + "\n");
    if (again.ok && again.bytes == bytes) return line;
  }
  return rawLine(bytes);
}

}  // namespace

ProcedureBuild buildProcedureFile(std::string_view text) {
  ProcedureBuild build;
  int number = 0;
  bool rawTail = false;  // a short RAW line ends the file
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    const std::vector<std::string> f = splitFields(line);
    if (f.empty() || f[0][0] == '#') continue;
    std::string error;
    if (rawTail) {
      error = "nothing may follow a RAW line shorter than a record";
    } else if (f[0] == "RAW") {
      std::string bytes;
      if (readRaw(f, bytes, error)) {
        rawTail = bytes.size() != PROCEDURE_RECORD_BYTES;
        build.bytes += bytes;
      }
    } else if (f[0] == "ROUTE") {
      if (!build.bytes.empty())
        error = "ROUTE comes first";
      else if (f.size() != 3 || f[1].size() != 4 || f[2].size() != 4)
        error = "ROUTE START END: two four-letter airports";
      else
        for (unsigned char c : encodeRouteHeader(f[1], f[2])) build.bytes += static_cast<char>(c);
    } else {
      Record record{};
      if (readLegLine(f, record, error))
        build.bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
    }
    if (!error.empty()) {
      build.problem = {Reason::SourceLineFault, {}, static_cast<int>(number), error};
      build.bytes.clear();
      return build;
    }
  }
  build.ok = true;
  return build;
}

std::string dumpProcedureFile(std::string_view bytes, bool route) {
  std::string text;
  for (std::size_t at = 0; at < bytes.size(); at += PROCEDURE_RECORD_BYTES)
    text += canonicalLine(bytes.substr(at, PROCEDURE_RECORD_BYTES), route && at == 0) + "\n";
  return text;
}

}  // namespace korvant
