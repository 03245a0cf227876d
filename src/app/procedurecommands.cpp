#include "app/procedurecommands.h"

#include <filesystem>
#include <sstream>

#include "app/citypair.h"
#include "app/problemwords.h"
#include "base/filereader.h"
#include "base/textops.h"
#include "geo/greatcircle.h"
#include "navdata/runwaycoords.h"
#include "procedures/planreaders.h"
#include "procedures/procedureflight.h"
#include "tracks/trackreader.h"

namespace korvant {

namespace {

// The airports of a route's "KJFK-EGLL".
std::string routeStart(const std::string& title) { return title.substr(0, 4); }
std::string routeEnd(const std::string& title) { return title.size() > 5 ? title.substr(5, 4) : ""; }

// `name` inside `folder`, matched without regard to case when not there as written.
std::string subfolder(const std::string& folder, const std::string& name) {
  std::error_code error;
  const std::filesystem::path exact = std::filesystem::path(folder) / name;
  if (std::filesystem::is_directory(exact, error)) return exact.string();
  for (const auto& entry : std::filesystem::directory_iterator(folder.empty() ? "." : folder, error))
    if (entry.is_directory(error) && toUpper(entry.path().filename().string()) == toUpper(name))
      return entry.path().string();
  return exact.string();
}

}  // namespace

bool fitViewToProcedure(AppContext& app) {
  const LoadedProcedure& p = app.procedure;
  if (p.routeShown && p.source.kind == RouteFileKind::FlightPlan) {
    if (p.plan.waypoints.empty()) return false;
    const auto [first, last] = planEnds(p.plan);
    const CourseDistance leg = courseAndDistance(first, last);
    const double c = leg.course;
    // Along a meridian the map is taller than wide: more range for the same distance.
    const double range = leg.distance * ((c < 45 || c > 315 || (c > 135 && c < 225)) ? 1.1 : 0.8);
    app.view.kind = ProjectionKind::Lambert;
    app.view.setCentre(destination(first, c, leg.distance / 2).position, range / 2);
    return true;
  }
  if (p.routeShown) {
    const std::string start = routeStart(p.title), end = routeEnd(p.title);
    const std::optional<LatLng> from = app.sim->findSimAirport(start);
    if (!from) {
      app.boxes.show("CAN'T FIND START AIRPORT:", start, MessageIcon::None);
      return false;
    }
    const std::optional<LatLng> to = app.sim->findSimAirport(end);
    if (!to) {
      app.boxes.show("CAN'T FIND END AIRPORT:", end, MessageIcon::None);
      return false;
    }
    const CourseDistance leg = courseAndDistance(*from, *to);
    app.view.kind = ProjectionKind::Lambert;
    app.view.setCentre(destination(*from, leg.course, leg.distance / 2).position, leg.distance / 2);
    return true;
  }
  if (!p.procedureShown) return true;
  const RunwayCoords runway = getRunwayCoords(app.sim, p.title, p.source.runway, p.source.suffix);
  if (!runway.ok) {
    app.boxes.show(runway.caption, runway.text, MessageIcon::Stop);
    return false;
  }
  ProcedureGeometry::Bounds box{9000, -9000, 18000, -18000};
  for (const DepArr& leg : p.legs)
    if (legHasFixedEnd(leg.type)) box.add(leg.position);
  box.add(runway.position);
  app.view.fitToExtent(box.south, box.north, box.west, box.east);
  return true;
}

bool fitViewToDrawnProcedure(AppContext& app) {
  if (!app.procedure->shown()) return false;
  ProcedureGeometry::Bounds b = app.procedure->geometry.bounds();
  if (app.procedure->source.kind == RouteFileKind::FlightPlan) {
    b = {};
    for (const UW_Wpt& w : app.procedure->plan.waypoints)
      if (!w.isUserItem()) b.add(w.position);
  }
  if (b.empty()) return false;
  app.view.fitToExtent(b.south, b.north, b.west, b.east);
  return true;
}

std::vector<FileFilter> procedureFileFilters() {
  return {{"ALL FILES (*.*)", {"*.*"}}, {"STAR, APP (*.ARR;*.APP)", {"*.ARR", "*.APP"}}};
}

std::vector<FileFilter> routeFileFilters(const std::string& routeFileType) {
  const FileFilter route{"ROUTE (*.ROU)", {"*.ROU"}};
  const FileFilter plan{"FLIGHT PLAN (*.PLN)", {"*.PLN"}};
  const FileFilter all{"ALL FILES (*.*)", {"*.*"}};
  if (toUpper(routeFileType) == "PLN") return {plan, route, all};
  return {route, plan, all};
}

std::vector<FileFilter> flightPlanFileFilters() {
  return {{"All flight plans (*.PLN *.FMS *.FPL *.XML)", {"*.PLN", "*.FMS", "*.FPL", "*.XML"}},
          {"FLIGHT PLAN (*.PLN)", {"*.PLN"}},
          {"X-PLANE (*.FMS)", {"*.FMS"}},
          {"GARMIN (*.FPL)", {"*.FPL"}},
          {"OFP (*.XML)", {"*.XML"}},
          {"ALL FILES (*.*)", {"*.*"}}};
}

std::string procedureFolder(const AppContext& app) { return subfolder(app.sim->ps13(), "deparr"); }

std::string routeFolder(AppContext& app) {
  const std::string configured = app.settings.lookup("RouteDir");
  return configured.empty() ? subfolder(app.sim->ps13(), "routes") : configured;
}

CommandEffect MapCommands::openDropped(const std::string& path) {
  const FileRead file = readWholeFile(path, TRACK_MESSAGE_LIMIT);
  if (!file.ok()) {
    app_.boxes.show("CAN'T OPEN FILE:", path, MessageIcon::Stop);
    return {};
  }
  if (planFileFormatOf(file.bytes) != PlanFileFormat::None) return readProcedure(path, true);
  std::istringstream in(file.bytes);
  const Result<TrackModel> probe = readTrackMessage(in, fileExtension(path), TrackStore{app_.fixes});
  if (probe && probe->family != TrackFamily::None && !probe->empty()) return readTracks(path);
  if (toUpper(std::filesystem::path(path).filename().string()) == "USER.TXT") {
    app_.userOverlay.fresh().setPath(path);
    app_.switches.showUserTxt = true;
    return {true, UiRequest::None, "", "", ""};
  }
  return readProcedure(path, false);
}

CommandEffect MapCommands::readProcedure(const std::string& path, bool route) {
  Result<LoadedProcedure> read = readLoadedProcedure(path, route, &*app_.fixes);
  showProblems(app_.boxes, read.problems);
  if (!read) return {};
  // A plan or route file given after a route string is the route flown now.
  if (read->routeShown && app_.plottedRoute->routeString) clearPlottedRoute(app_);
  app_.procedure = std::move(*read);
  app_.checkedPreset.clear();
  LoadedProcedure& p = app_.procedure.edit();
  if (p.source.kind != RouteFileKind::FlightPlan)
    p.geometry = flyProcedure({p.legs, p.source, p.title}, app_.sim, app_.dump.isOpen() ? &app_.dump : nullptr);
  if (!fitViewToProcedure(app_)) {
    p.title.clear();
    return {true, UiRequest::None, "", "", ""};
  }
  selectPresetItem(PROCEDURE_MAP_ITEM);
  app_.procedureMap = true;
  fitViewToDrawnProcedure(app_);
  showProblems(app_.boxes, p.geometry.problems);
  std::string note;
  if (p.source.kind == RouteFileKind::FlightPlan) {
    std::size_t points = 0;
    for (const UW_Wpt& w : p.plan.waypoints) points += !w.isUserItem();
    note = "OPENED FLIGHT PLAN " + p.source.fileName + " (" + std::to_string(points) + " POINTS)";
  }
  return {true, UiRequest::None, "", "", note};
}

CommandEffect MapCommands::selectProcedureMap() {
  fitViewToProcedure(app_);
  selectPresetItem(PROCEDURE_MAP_ITEM);
  app_.procedureMap = true;
  fitViewToDrawnProcedure(app_);
  return {true, UiRequest::None, "", "", ""};
}

}  // namespace korvant
