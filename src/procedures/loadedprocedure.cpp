#include "procedures/loadedprocedure.h"

#include "base/filereader.h"

namespace korvant {

std::optional<LoadedProcedure> readLoadedProcedure(const std::string& path, bool route, MessageBoxes& boxes) {
  LoadedProcedure loaded;
  loaded.source = describeProcedurePath(path, route);
  if (loaded.source.kind == RouteFileKind::FlightPlan) {
    const FileRead file = readWholeFile(path, PLAN_FILE_LIMIT);
    if (!file.ok()) {
      boxes.show("CAN'T OPEN FILE", cannotOpenText(path, file, PLAN_FILE_LIMIT), MessageIcon::Stop);
      return std::nullopt;
    }
    std::optional<FlightPlan> plan = readFlightPlan(file.bytes, boxes);
    if (!plan) return std::nullopt;
    // Nothing to draw or fit the map to: said, and the loaded plan kept.
    if (plan->waypoints.empty()) {
      boxes.show("NO WAYPOINTS IN FLIGHT PLAN:", path, MessageIcon::Stop);
      return std::nullopt;
    }
    loaded.plan = std::move(*plan);
    loaded.fileDate = fileDateText(path);
    loaded.routeShown = true;
    return loaded;
  }
  ProcedureFileRead read = readProcedureFile(path, loaded.source.kind, boxes);
  if (!read.ok) return std::nullopt;
  if (read.legs.empty()) {
    boxes.show("NO LEGS IN FILE:", path, MessageIcon::Stop);
    return std::nullopt;
  }
  loaded.legs = std::move(read.legs);
  loaded.title = route ? read.title : loaded.source.folderName;
  loaded.fileDate = fileDateText(path);
  loaded.procedureShown = !route;
  loaded.routeShown = route;
  return loaded;
}

}  // namespace korvant
