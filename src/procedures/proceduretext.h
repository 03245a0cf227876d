#pragma once
// A readable text form of procedure and route files, one record a line, for
// writing sample files by hand and for looking into the simulator's own:
//
//   # comment
//   ROUTE KJFK EGLL                      a .ROU file's header record
//   11 - N5128.6 W00027.9 250 3000 A 273 type fix lat lng speed altitude
//                                        restriction heading
//   RAW 00112233...                      any record the form above cannot
//                                        hold byte for byte
//
// A fix of "-" is empty, a restriction of "-" is a blank; altitudes are feet
// (a multiple of 10) or a flight level (FL350). A file dumped and built
// again is the same file, byte for byte.
#include <string>
#include <string_view>

#include "base/problem.h"

namespace korvant {

struct ProcedureBuild {
  bool ok = false;
  std::string bytes;
  Problem problem;  // the line and what is wrong with it, when not ok
};

ProcedureBuild buildProcedureFile(std::string_view text);

// The text of a file's bytes; `route` reads the first record as the header.
// A length that is no multiple of 22 keeps its last bytes in a RAW line of
// their own, so that nothing is lost.
std::string dumpProcedureFile(std::string_view bytes, bool route);

}  // namespace korvant
