#pragma once
// Reading a procedure or route file and fitting the map to it, as the
// "Read &SID/STAR/APP...", "Read &Route..." and "&Sid/Star/App/Route"
// commands do.
#include <string>
#include <vector>

#include "app/context.h"
#include "app/mapcommands.h"

namespace korvant {

// Centre and range for the loaded procedure (its fixed points and runway) or
// route (its two airports); false, said in a box, when an airport or runway
// it needs is not in the simulator's files.
bool fitViewToProcedure(AppContext& app);

// Fits the view to everything the loaded procedure draws; false when it draws nothing.
bool fitViewToDrawnProcedure(AppContext& app);

// The dialogs' filters and starting folders.
std::vector<FileFilter> procedureFileFilters();
std::vector<FileFilter> routeFileFilters(const std::string& routeFileType);
// "Open &Flight Plan...": every plan format the program reads, all of them first.
std::vector<FileFilter> flightPlanFileFilters();
std::string procedureFolder(const AppContext& app);
std::string routeFolder(AppContext& app);

}  // namespace korvant
