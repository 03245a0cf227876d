#include "base/settings.h"

#include <algorithm>

#include "base/diagnostics.h"
#include "base/textops.h"

namespace korvant {

void Settings::set(std::string_view key, std::string_view value, bool upcase) {
  std::string upperKey = toUpper(key);
  std::erase_if(entries_, [&](const CtlData& e) { return e.key == upperKey; });
  entries_.push_back({std::move(upperKey), upcase ? toUpper(value) : std::string(value), upcase});
}

const CtlData* Settings::find(std::string_view upperKey) const {
  for (const CtlData& e : entries_)
    if (e.key == upperKey) return &e;
  return nullptr;
}

std::string Settings::lookup(std::string_view key) {
  const std::string upperKey = toUpper(key);
  if (!readDone_) {
    if (!once_.earlyLookup) {
      once_.earlyLookup = true;
      earlyLookup_ = Message{"LOOKUP() BEFORE READ():", upperKey, MessageIcon::Warning};
    }
    return {};
  }
  const CtlData* e = find(upperKey);
  return e ? e->value : std::string();
}

std::string Settings::lookupEntry(std::string_view key, bool& upcase) const {
  const CtlData* e = find(toUpper(key));
  if (!e) return {};
  upcase = e->upcase;
  return e->value;
}

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
      {"Declutter", "YES", true},
      {"MagModel", "WMM2000", true},
      // Where today's tracks are fetched from; a source that moves is one
      // key changed in KORVANT.CTL. No public source is known for the other
      // two families, so they stay empty until the user names one.
      {"NatTrackUrl", "https://nms.aim.faa.gov/nat.json", false},
      {"PacotsTrackUrl", "", false},
      {"AusotsTrackUrl", "", false},
      {"TrackConnectTimeout", "10", true},
      {"TrackTransferTimeout", "60", true},
      // A folder of X-Plane's earth_fix.dat, earth_nav.dat and earth_awy.dat.
      {"NavDataDir", "", false},
  };
  for (const Default& d : defaults) settings.set(d.key, d.value, d.upcase);
}

}  // namespace korvant
