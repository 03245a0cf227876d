#include "procedures/loadedprocedure.h"

#include "base/filereader.h"
#include "procedures/planreaders.h"

namespace korvant {

Result<LoadedProcedure> readLoadedProcedure(const std::string& path, bool route, const FixStore* fixes) {
  Result<LoadedProcedure> result;
  const auto refuse = [&](std::string caption, std::string text) {
    result.messages.push_back({std::move(caption), std::move(text), MessageIcon::Stop});
    return std::move(result);
  };
  LoadedProcedure loaded;
  loaded.source = describeProcedurePath(path, route);
  // A route file that holds a flight plan is read as one, whatever its name.
  if (loaded.source.kind == RouteFileKind::Plain) {
    const FileRead peek = readWholeFile(path, PLAN_FILE_LIMIT);
    if (peek.ok() && planFileFormatOf(peek.bytes) != PlanFileFormat::None)
      loaded.source.kind = RouteFileKind::FlightPlan;
  }
  if (loaded.source.kind == RouteFileKind::FlightPlan) {
    const FileRead file = readWholeFile(path, PLAN_FILE_LIMIT);
    if (!file.ok()) return refuse("CAN'T OPEN FILE", cannotOpenText(path, file, PLAN_FILE_LIMIT));
    Result<FlightPlan> plan = readAnyFlightPlan(file.bytes, fixes);
    // Nothing to draw or fit the map to: said in one box with the names not
    // found, and the loaded plan kept.
    if (plan && plan->waypoints.empty()) {
      std::string why = path;
      for (const Message& m : plan.messages)
        if (m.caption == "POINTS NOT FOUND:") why += " (POINTS NOT FOUND: " + m.text + ")";
      return refuse("NO WAYPOINTS IN FLIGHT PLAN:", why);
    }
    // The readers say what is wrong; the box says in which file. The missing
    // header keeps its own bare box.
    for (Message& m : plan.messages) {
      if (m.caption == "POINTS NOT FOUND:") m.text = path + ": " + m.text;
      if (!m.caption.empty() || m.text == "[flightplan] header not found") continue;
      m.caption = "FLIGHT PLAN:";
      m.text = path + ": " + m.text;
      m.icon = plan ? MessageIcon::Warning : MessageIcon::Stop;
    }
    result.messages = std::move(plan.messages);
    if (!plan) return result;
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
