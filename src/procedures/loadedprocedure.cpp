#include "procedures/loadedprocedure.h"

#include "base/filereader.h"
#include "procedures/planreaders.h"

namespace korvant {

Result<LoadedProcedure> readLoadedProcedure(const std::string& path, bool route, const FixStore* fixes) {
  Result<LoadedProcedure> result;
  const auto refuse = [&](Problem problem) {
    problem.refused = true;
    result.problems.push_back(std::move(problem));
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
    if (!file.ok()) return refuse(file.notRead(Reason::PlanNotRead, path, PLAN_FILE_LIMIT));
    Result<FlightPlan> plan = readAnyFlightPlan(file.bytes, fixes);
    // Nothing to draw or fit the map to: said in one problem with the names
    // not found, and the loaded plan kept.
    if (plan && plan->waypoints.empty()) {
      Problem none{Reason::PlanNoWaypoints, path};
      for (const Problem& p : plan.problems)
        if (p.reason == Reason::PlanPointsNotFound) none.detail = p.detail;
      return refuse(std::move(none));
    }
    // The readers say what is wrong; the problem says in which file, and
    // whether the plan was read for all that.
    for (Problem& p : plan.problems) {
      p.file = path;
      p.refused = !plan;
    }
    result.problems = std::move(plan.problems);
    if (!plan) return result;
    loaded.plan = std::move(*plan);
    loaded.fileDate = fileDateText(path);
    loaded.routeShown = true;
    result.value = std::move(loaded);
    return result;
  }
  ProcedureFileRead read = readProcedureFile(path, loaded.source.kind);
  result.problems = std::move(read.problems);
  if (!read.ok) return result;
  if (read.legs.empty()) return refuse({Reason::ProcedureNoLegs, path});
  loaded.legs = std::move(read.legs);
  loaded.title = route ? read.title : loaded.source.folderName;
  loaded.fileDate = fileDateText(path);
  loaded.procedureShown = !route;
  loaded.routeShown = route;
  result.value = std::move(loaded);
  return result;
}

}  // namespace korvant
