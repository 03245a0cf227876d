#pragma once
// What a procedure or route file's path says: the airport (the folder it
// lies in), the runway of a SID (its extension, such as .27R), the route
// kind, and the file's date.
#include <string>

#include "navdata/runwaycoords.h"
#include "procedures/procedurefile.h"

namespace korvant {

struct ProcedureSource {
  std::string directory;   // the folder, ending in '/'
  std::string fileName;    // name and extension, upper case
  std::string folderName;  // the folder's own name, upper case
  bool route = false;      // read as a route, not a procedure
  bool sid = false;        // the extension names a runway
  RouteFileKind kind = RouteFileKind::Plain;
  int runway = 36;  // 1 ... 36
  RunwaySuffix suffix = RunwaySuffix::None;
};

// For "Read &SID/STAR/APP..." (route = false) or "Read &Route...".
ProcedureSource describeProcedurePath(const std::string& path, bool route);

// "07 DEC 2026" from the file's modification date, local time; "CAN'T
// DETERMINE" when the file cannot be looked at.
std::string fileDateText(const std::string& path);

}  // namespace korvant
