#include "app/startup.h"

#include <filesystem>

#include "app/controlfile.h"
#include "app/datafile.h"
#include "app/textops.h"

namespace korvant {

void seedDefaults(Settings& settings) {
  struct Default {
    const char* key;
    const char* value;
    bool upcase;
  };
  static constexpr Default defaults[] = {
      {"UseRunDriveForPath", "0", true},
      {"PS13Dir", "C:\\PS13\\", false},
      {"PS12Dir", "C:\\PS12\\", false},
      {"NatTrackDir", "C:\\KORVANT", false},
      {"NatFileType", "HTML", true},
      {"InitialMap", "N5000/W03500  1000  Lambert", true},
      {DUMP_SWITCH_KEY.data(), "OFF", false},
      {INTERSECT_SWITCH_KEY.data(), "OFF", false},
      {"Distance", "NM", true},
      {"AutoRedraw", "0", true},
      {"ColorVideo", "1", true},
      {"ColorPrinter", "1", true},
      {"MessageLineFont", "", false},
      {"MapFont", "Arial", false},
      {"MapFontVideoSize", "7", true},
      {"MapFontPrinterSize", "6", true},
      {"RunMaximized", "1", true},
  };
  for (const Default& d : defaults) settings.set(d.key, d.value, d.upcase);
}

StartupResult startUp(AppContext& app, const std::string& programPath,
                      const std::string& currentFolder) {
  namespace fs = std::filesystem;
  StartupResult result;
  app.programPath = programPath;
  Settings& settings = app.settings;

  seedDefaults(settings);
  result.controlFileRead = ControlFile::read(app, joinFolder(currentFolder, "KORVANT.CTL"), false);
  app.fixes.setPath(currentFolder, "KORVANT.DAT", app.boxes);
  app.fixes.load();

  if (readLeadingInt(settings.lookup(DUMP_SWITCH_KEY)) == 9)
    app.dump.open(joinFolder(currentFolder, "DUMP.TXT"));

  // Set after the control file, so it always names the program's own folder.
  std::error_code ec;
  fs::path folder = fs::absolute(fs::path(programPath), ec).parent_path();
  settings.set("RunFolder", withTrailingSeparator(folder.string()), false);

  // No drive letters here, so the run-drive switch has nothing to replace.
  for (const char* key : {"PS13Dir", "PS12Dir", "NatTrackDir"}) {
    const std::string value = settings.lookup(key);
    if (value.size() > 1) settings.set(key, withTrailingSeparator(value), false);
  }

  result.runMaximized = readLeadingInt(settings.lookup("RunMaximized")) != 0;
  return result;
}

}  // namespace korvant
