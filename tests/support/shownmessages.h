#pragma once
// The readers as the program uses them: their problems worded in a box each,
// in order, so that a test reads them where a user would see them.
#include <string>
#include <string_view>
#include <vector>

#include "app/problemwords.h"
#include "base/result.h"
#include "procedures/flightplan.h"
#include "procedures/loadedprocedure.h"
#include "procedures/procedurefile.h"

namespace korvant {

// The problems as the user reads them.
inline std::vector<Message> worded(const Problems& problems) {
  std::vector<Message> all;
  for (const Problem& p : problems) all.push_back(wordProblem(p));
  return all;
}

inline ProcedureFileRead readProcedureBytes(std::string_view bytes, RouteFileKind kind, const std::string& path,
                                            MessageBoxes& boxes) {
  ProcedureFileRead read = readProcedureBytes(bytes, kind, path);
  showProblems(boxes, read.problems);
  return read;
}

inline ProcedureFileRead readProcedureFile(const std::string& path, RouteFileKind kind, MessageBoxes& boxes) {
  ProcedureFileRead read = readProcedureFile(path, kind);
  showProblems(boxes, read.problems);
  return read;
}

inline std::optional<FlightPlan> readFlightPlan(std::string_view text, MessageBoxes& boxes) {
  Result<FlightPlan> read = readFlightPlan(text);
  showProblems(boxes, read.problems);
  return std::move(read.value);
}

inline std::optional<LoadedProcedure> readLoadedProcedure(const std::string& path, bool route, MessageBoxes& boxes) {
  Result<LoadedProcedure> read = readLoadedProcedure(path, route);
  showProblems(boxes, read.problems);
  return std::move(read.value);
}

}  // namespace korvant
