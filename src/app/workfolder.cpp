#include "app/workfolder.h"

#include <filesystem>

#include "base/datafile.h"

namespace korvant {

namespace fs = std::filesystem;

namespace {

constexpr const char* kControlFile = "KORVANT.CTL";

}  // namespace

bool holdsControlFile(const std::string& folder) {
  std::error_code ec;
  const std::string found = resolveCaseInsensitive((fs::path(folder) / kControlFile).string());
  return fs::is_regular_file(found, ec);
}

namespace {

// Copies what is missing; the control file last, so that a copy broken off
// is completed on the next start rather than taken for done.
bool seed(const fs::path& samples, const fs::path& target, std::string& problem) {
  std::error_code ec;
  fs::create_directories(target, ec);
  if (ec) {
    problem = "cannot create " + target.string() + ": " + ec.message();
    return false;
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(samples, ec)) {
    const fs::path name = entry.path().filename();
    if (name == kControlFile) continue;
    // The samples only: the build tree's run folder also holds the program
    // itself, which has no place among a user's files.
    const fs::file_status status = entry.status(ec);
    if (fs::is_regular_file(status) && (status.permissions() & (fs::perms::owner_exec | fs::perms::group_exec |
                                                                fs::perms::others_exec)) != fs::perms::none)
      continue;
    fs::copy(entry.path(), target / name, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
    if (ec) {
      problem = "cannot copy " + entry.path().string() + " to " + target.string() + ": " + ec.message();
      return false;
    }
  }
  fs::copy_file(samples / kControlFile, target / kControlFile, fs::copy_options::skip_existing, ec);
  if (ec) problem = "cannot copy " + (samples / kControlFile).string() + ": " + ec.message();
  return !ec;
}

}  // namespace

std::string installedSamplesFolder(const std::string& programPath) {
  std::error_code ec;
  const fs::path bin = fs::absolute(programPath, ec).parent_path();
  const fs::path shared = bin.parent_path() / "share" / "korvant";
  if (holdsControlFile(shared.string())) return shared.string();
  if (holdsControlFile(bin.string())) return bin.string();
  // The build tree: the programs in bin/, the samples in run/ beside it.
  const fs::path run = bin.parent_path() / "run";
  if (holdsControlFile(run.string())) return run.string();
  return {};
}

std::string userFolder(const WorkFolderEnvironment& env) {
  if (!env.xdgDataHome.empty() && fs::path(env.xdgDataHome).is_absolute())
    return (fs::path(env.xdgDataHome) / "korvant").string();
  if (env.home.empty()) return {};
  return (fs::path(env.home) / ".local" / "share" / "korvant").string();
}

WorkFolder chooseWorkFolder(const WorkFolderEnvironment& env) {
  WorkFolder result{env.currentFolder, false, {}};
  if (holdsControlFile(env.currentFolder)) return result;
  const std::string own = userFolder(env);
  if (own.empty()) {
    result.problem = "neither XDG_DATA_HOME nor HOME is set";
    return result;
  }
  if (holdsControlFile(own)) {
    result.folder = own;
    return result;
  }
  const std::string samples = installedSamplesFolder(env.programPath);
  std::error_code ec;
  if (samples.empty()) {
    // Nothing to seed from: an empty folder of the user's, with the defaults.
    fs::create_directories(own, ec);
    if (ec) {
      result.problem = "cannot create " + own + ": " + ec.message();
      return result;
    }
    result.folder = own;
    return result;
  }
  if (!seed(samples, own, result.problem)) return result;
  result.folder = own;
  result.seeded = true;
  return result;
}

}  // namespace korvant
