#include "app/startup.h"

#include <filesystem>

#include "app/problemwords.h"
#include "app/workfolder.h"
#include "base/controlfile.h"
#include "base/datafile.h"
#include "base/textops.h"

namespace korvant {

void loadNavData(AppContext& app) {
  const std::string folder = app.settings.lookup("NavDataDir");
  if (folder.empty()) {
    app.fixes.edit().setNavData(nullptr);
    return;
  }
  Result<XpNavData> data = readXpNavData(folder);
  showProblems(app.boxes, data.problems);
  app.fixes.edit().setNavData(data ? std::make_shared<const XpNavData>(std::move(*data)) : nullptr);
}

void loadCoast(AppContext& app) {
  // The work folder's own first, then the one installed with the program.
  for (const std::string& folder : {app.workFolder, installedSamplesFolder(app.programPath)}) {
    if (folder.empty()) continue;
    const std::string path = resolveCaseInsensitive(joinFolder(folder, "COAST.DAT"));
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) continue;
    Result<CoastData> coast = readCoastFile(path);
    showProblems(app.boxes, coast.problems);
    app.fixes.edit().setCoast(coast ? std::make_shared<const CoastData>(std::move(*coast)) : nullptr);
    return;
  }
  app.fixes.edit().setCoast(nullptr);
}

StartupResult startUp(AppContext& app, const std::string& programPath, const std::string& currentFolder,
                      bool navDataNow) {
  namespace fs = std::filesystem;
  StartupResult result;
  app.programPath = programPath;
  Settings& settings = app.settings;

  seedDefaults(settings);
  result.controlFileRead = ControlFile::read(settings, app.once, joinFolder(currentFolder, "KORVANT.CTL"), nullptr);
  showProblems(app.boxes, settings.takeEarlyLookup());
  showProblems(app.boxes, app.fixes.edit().setPath(currentFolder, "KORVANT.DAT"));
  app.userOverlay.fresh().setPath(joinFolder(currentFolder, "USER.TXT"));
  app.workFolder = currentFolder;
  app.fixes.edit().load();
  loadCoast(app);
  if (navDataNow) loadNavData(app);

  if (readLeadingInt(settings.lookup(DUMP_SWITCH_KEY)) == 9) app.dump.open(joinFolder(currentFolder, "DUMP.TXT"));

  // Set after the control file, so it always names the program's own folder.
  std::error_code ec;
  fs::path folder = fs::absolute(fs::path(programPath), ec).parent_path();
  settings.set("RunFolder", withTrailingSeparator(folder.string()), false);

  // No drive letters here, so the run-drive switch has nothing to replace.
  for (const char* key : {"PS13Dir", "PS12Dir", "NatTrackDir"}) {
    const std::string value = settings.lookup(key);
    if (value.size() > 1) settings.set(key, withTrailingSeparator(value), false);
  }

  app.sim.fresh().setFolders(settings.lookup("PS12Dir"), settings.lookup("PS13Dir"));
  app.dafif.fresh().setFolders(settings.lookup("DataFolder"), settings.lookup("RunFolder"));

  result.runMaximized = readLeadingInt(settings.lookup("RunMaximized")) != 0;
  return result;
}

}  // namespace korvant
