#pragma once
// The control-file keys that set up the map window: the initial view, the
// colour modes and the initial layer switches.
#include "app/context.h"

namespace korvant {

// Applied once, when the map window is set up.
void applyControlFile(AppContext& app);

}  // namespace korvant
