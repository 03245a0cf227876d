#include "procedures/loadedprocedure.h"

#include "base/filereader.h"

namespace korvant {

Result<LoadedProcedure> readLoadedProcedure(const std::string& path, bool route) {
  Result<LoadedProcedure> result;
  const auto refuse = [&](std::string caption, std::string text) {
    result.messages.push_back({std::move(caption), std::move(text), MessageIcon::Stop});
    return std::move(result);
  };
  LoadedProcedure loaded;
  loaded.source = describeProcedurePath(path, route);
  if (loaded.source.kind == RouteFileKind::FlightPlan) {
    const FileRead file = readWholeFile(path, PLAN_FILE_LIMIT);
    if (!file.ok()) return refuse("CAN'T OPEN FILE", cannotOpenText(path, file, PLAN_FILE_LIMIT));
    Result<FlightPlan> plan = readFlightPlan(file.bytes);
    result.messages = std::move(plan.messages);
    if (!plan) return result;
    // Nothing to draw or fit the map to: said, and the loaded plan kept.
    if (plan->waypoints.empty()) return refuse("NO WAYPOINTS IN FLIGHT PLAN:", path);
    loaded.plan = std::move(*plan);
    loaded.fileDate = fileDateText(path);
    loaded.routeShown = true;
    result.value = std::move(loaded);
    return result;
  }
  ProcedureFileRead read = readProcedureFile(path, loaded.source.kind);
  result.messages = std::move(read.messages);
  if (!read.ok) return result;
  if (read.legs.empty()) return refuse("NO LEGS IN FILE:", path);
  loaded.legs = std::move(read.legs);
  loaded.title = route ? read.title : loaded.source.folderName;
  loaded.fileDate = fileDateText(path);
  loaded.procedureShown = !route;
  loaded.routeShown = route;
  result.value = std::move(loaded);
  return result;
}

}  // namespace korvant
