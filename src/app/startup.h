#pragma once
// The start-up sequence up to the creation of the frame window.
#include <string>

#include "app/context.h"

namespace korvant {

struct StartupResult {
  bool runMaximized = false;
  bool controlFileRead = false;
};

// Steps before the frame exists: defaults, KORVANT.CTL and DUMP.TXT from
// `currentFolder`, RunFolder from `programPath`, the folder normalisation.
// The X-Plane navigation data of NavDataDir, when it names a folder, behind
// the fix file's names; what cannot be read is said.
void loadNavData(AppContext& app);
// COAST.DAT, the finer coastline: the work folder's, else the one installed
// with the program; none is no fault, since the fix file's coast serves.
void loadCoast(AppContext& app);

// With `navDataNow` false the navigation data is left for the caller to read
// (the window reads it in the background).
StartupResult startUp(AppContext& app, const std::string& programPath, const std::string& currentFolder,
                      bool navDataNow = true);

}  // namespace korvant
