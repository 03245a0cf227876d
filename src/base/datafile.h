#pragma once
// Where data files are found: configured folders joined with "/", and a
// case-insensitive match in the folder when the exact name is missing.
#include <fstream>
#include <string>
#include <string_view>

#include "base/result.h"
#include "base/settings.h"

namespace korvant {

// A folder value ending in "/" or "\" already ends in a separator.
bool endsWithSeparator(std::string_view folder);
std::string withTrailingSeparator(std::string folder);
std::string joinFolder(std::string_view folder, std::string_view fileName);

// The path itself when it exists, else the first entry of its folder whose
// name matches case-insensitively, else the path unchanged.
std::string resolveCaseInsensitive(const std::string& path);

// Opens `fileName` from DataFolder, then RunFolder, then `fallbackFolder`.
// On failure adds the problem to `problems`, once per caller (`reportedFlag`).
bool openDataFile(std::ifstream& stream, std::string_view fileName, std::ios::openmode mode,
                  std::string_view fallbackFolder, bool& reportedFlag, Settings& settings, Problems& problems);

}  // namespace korvant
