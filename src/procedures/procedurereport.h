#pragma once
// The loaded procedure or route as text: where it comes from, then each
// leg's text line and the position where the leg ended when flown.
#include <string>

#include "procedures/loadedprocedure.h"

namespace korvant {

std::string procedureReport(const LoadedProcedure& loaded);

}  // namespace korvant
