#include "base/datafile.h"

#include <filesystem>
#include <system_error>

#include "base/textops.h"

namespace korvant {

namespace fs = std::filesystem;

bool endsWithSeparator(std::string_view folder) {
  return !folder.empty() && (folder.back() == '/' || folder.back() == '\\');
}

std::string withTrailingSeparator(std::string folder) {
  if (!endsWithSeparator(folder)) folder += '/';
  return folder;
}

std::string joinFolder(std::string_view folder, std::string_view fileName) {
  if (folder.empty()) return std::string(fileName);
  return withTrailingSeparator(std::string(folder)) + std::string(fileName);
}

std::string resolveCaseInsensitive(const std::string& path) {
  std::error_code ec;
  if (fs::exists(path, ec)) return path;
  const fs::path wanted(path);
  const std::string name = wanted.filename().string();
  if (name.empty()) return path;
  const fs::path folder = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (equalsIgnoreCase(it->path().filename().string(), name))
      return wanted.has_parent_path() ? it->path().string() : it->path().filename().string();
  }
  return path;
}

namespace {

bool tryOpen(std::ifstream& stream, const std::string& path, std::ios::openmode mode) {
  stream.close();
  stream.clear();
  std::error_code ec;
  const std::string found = resolveCaseInsensitive(path);
  if (fs::is_directory(found, ec)) return false;
  stream.open(found, mode | std::ios::in);
  return stream.is_open();
}

}  // namespace

bool openDataFile(std::ifstream& stream, std::string_view fileName, std::ios::openmode mode,
                  std::string_view fallbackFolder, bool& reportedFlag, Settings& settings, Problems& problems) {
  const std::string dataFolder = settings.lookup("DataFolder");
  // DataFolder is used as given: the value must end in a separator.
  if (!dataFolder.empty() && tryOpen(stream, dataFolder + std::string(fileName), mode)) return true;

  const std::string runFolder = settings.lookup("RunFolder");
  if (!runFolder.empty() && tryOpen(stream, joinFolder(runFolder, fileName), mode)) return true;

  if (!fallbackFolder.empty() && tryOpen(stream, joinFolder(fallbackFolder, fileName), mode)) return true;

  if (!reportedFlag) {
    reportedFlag = true;
    problems.push_back({Reason::DataFileMissing, {}, 0, std::string(fileName)});
  }
  return false;
}

}  // namespace korvant
