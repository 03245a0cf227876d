#include "procedures/loadedprocedure.h"

namespace korvant {

std::optional<LoadedProcedure> readLoadedProcedure(const std::string& path, bool route, MessageBoxes& boxes) {
  LoadedProcedure loaded;
  loaded.source = describeProcedurePath(path, route);
  if (loaded.source.kind == RouteFileKind::FlightPlan) {
    boxes.show("CAN'T READ FLIGHT PLAN:", "Flight plans (.PLN) are not read yet: " + path, MessageIcon::Stop);
    return std::nullopt;
  }
  ProcedureFileRead read = readProcedureFile(path, loaded.source.kind, boxes);
  if (!read.ok) return std::nullopt;
  loaded.legs = std::move(read.legs);
  loaded.text = std::move(read.text);
  loaded.title = route ? read.title : loaded.source.folderName;
  loaded.fileDate = fileDateText(path);
  loaded.procedureShown = !route;
  loaded.routeShown = route;
  return loaded;
}

}  // namespace korvant
