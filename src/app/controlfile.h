#pragma once
// KORVANT.CTL: key and value lines read once over the built-in defaults.
#include <istream>
#include <string>

#include "app/context.h"

namespace korvant {

struct ControlFile {
  // Reads the file into the settings. Only the first call does anything; it
  // marks the settings read before it opens the file, so a missing file still
  // ends the "lookup before read" period.
  static bool read(AppContext& app, const std::string& path, bool report);

  // The line reader behind `read`: LF, CR LF and lone CR all end a line, and a
  // line of any length stays one entry.
  static void readLines(Settings& settings, std::istream& in);

  // Applies the keys to the map window's switches, once, when it is set up.
  static void apply(AppContext& app);
};

}  // namespace korvant
