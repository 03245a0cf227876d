#pragma once
// The PS1 simulator's procedure and route files: 22-byte records, one a leg,
// read into DepArr legs with their text lines. Headings and speeds out of
// range are repaired, three times at most; a position out of range or a
// fourth repair refuses the file.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "procedures/deparr.h"

namespace korvant {

inline constexpr std::size_t PROCEDURE_RECORD_BYTES = 22;
// Far beyond any procedure or route: 190,000 legs.
inline constexpr std::size_t PROCEDURE_FILE_LIMIT = 4u << 20;

// Kind 1 has a header record naming its two airports; kind 2 is a flight plan.
enum class RouteFileKind { Plain = 0, Route = 1, FlightPlan = 2 };

// The fields of one record as stored (little-endian).
struct ProcedureRecord {
  int latDegrees = 0;  // signed byte
  int latTenths = 0;   // tenths of minutes, signed
  int lngDegrees = 0;
  int lngTenths = 0;
  std::array<char, 7> name{'_', '_', '_', '_', '_', '_', '_'};
  unsigned altitude = 0;  // formatAltitude's value
  int speed = 0;
  unsigned char restriction = ' ';
  unsigned char type = 0;
  unsigned heading = 0;
};

ProcedureRecord decodeProcedureRecord(const unsigned char* bytes);
// Values are cut to their field widths.
void encodeProcedureRecord(const ProcedureRecord& record, unsigned char* out);

// Upper-cased and cut at the first '_' (or NUL).
std::string recordFixName(const ProcedureRecord& record);
// Degrees x 100 + tenths x 0.1, each coordinate.
LatLng recordPosition(const ProcedureRecord& record);
// A .ROU header: "KJFK-EGLL" from bytes 0, 1, 3, 5 and 7 ... 10.
std::string routeHeaderTitle(const unsigned char* bytes);
// The header record that routeHeaderTitle reads back.
std::array<unsigned char, PROCEDURE_RECORD_BYTES> encodeRouteHeader(std::string_view start, std::string_view end);

// "3500", "?????", "FL350", "FL???".
std::string formatAltitude(unsigned value);
// "[11] TURN LEFT HEADING 273 UNTIL 3000\n" and the like.
void appendLegText(std::string& text, int type, const std::string& fix, int heading, const std::string& altitude);
// A leg's line of the procedure's title block: "[01] DIRECT DOTTY".
std::string legText(const DepArr& leg);

// The debug dump of one leg: two lines.
std::string depArrDumpText(const DepArr& leg);

struct ProcedureFileRead {
  bool ok = false;
  Problems problems;  // what the reading met, in order, read or refused
  std::vector<DepArr> legs;
  std::string title;  // a kind-1 file's "KJFK-EGLL"
};

// The records of a file's bytes; `path` names the file in the problems.
ProcedureFileRead readProcedureBytes(std::string_view bytes, RouteFileKind kind, const std::string& path);
// The file: documentation files are skipped, a length that is no multiple of
// 22 is refused, and every refusal is said in a box.
ProcedureFileRead readProcedureFile(const std::string& path, RouteFileKind kind);

}  // namespace korvant
