#pragma once
// The readers as the program uses them: their messages shown in a box each,
// in order, so that a test reads them where a user would see them.
#include <string>
#include <string_view>

#include "base/result.h"
#include "procedures/flightplan.h"
#include "procedures/loadedprocedure.h"
#include "procedures/procedurefile.h"

namespace korvant {

inline ProcedureFileRead readProcedureBytes(std::string_view bytes, RouteFileKind kind, const std::string& path,
                                            MessageBoxes& boxes) {
  ProcedureFileRead read = readProcedureBytes(bytes, kind, path);
  showMessages(boxes, read.messages);
  return read;
}

inline ProcedureFileRead readProcedureFile(const std::string& path, RouteFileKind kind, MessageBoxes& boxes) {
  ProcedureFileRead read = readProcedureFile(path, kind);
  showMessages(boxes, read.messages);
  return read;
}

inline std::optional<FlightPlan> readFlightPlan(std::string_view text, MessageBoxes& boxes) {
  Result<FlightPlan> read = readFlightPlan(text);
  showMessages(boxes, read.messages);
  return std::move(read.value);
}

inline std::optional<LoadedProcedure> readLoadedProcedure(const std::string& path, bool route, MessageBoxes& boxes) {
  Result<LoadedProcedure> read = readLoadedProcedure(path, route);
  showMessages(boxes, read.messages);
  return std::move(read.value);
}

}  // namespace korvant
