#pragma once
// KORVANT.CTL: key and value lines read once over the built-in defaults.
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "base/onceflags.h"
#include "base/settings.h"

namespace korvant {

// A control file is a page of text; past this it is no control file.
inline constexpr std::size_t CONTROL_FILE_LIMIT = 16 * 1024 * 1024;

struct ControlFile {
  // Reads the file into the settings. Only the first call does anything; it
  // marks the settings read before it opens the file, so a missing file still
  // ends the "lookup before read" period. A file that cannot be read (missing,
  // a directory, a read error) counts as missing; with `report` that is said
  // there, once per run.
  static bool read(Settings& settings, OnceFlags& once, const std::string& path, Problems* report);

  // The line reader behind `read`: LF, CR LF and lone CR all end a line, and a
  // line of any length stays one entry.
  static void readLines(Settings& settings, std::istream& in);
};

struct ControlValue {
  std::string key, value;
};

// The control file's text with each key's lines (any case) replaced by one
// line "Key Value" at the end, in the file's own line ending; every other
// line, comments included, kept as it was. A value's line breaks become
// blanks: one key, one line.
std::string withControlValues(std::string_view text, const std::vector<ControlValue>& values);

}  // namespace korvant
