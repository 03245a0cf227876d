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
StartupResult startUp(AppContext& app, const std::string& programPath, const std::string& currentFolder);

}  // namespace korvant
