#include "app/mapcommands.h"

#include "app/citypair.h"
#include "app/etopsplan.h"

#include "app/switchtable.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <sstream>

#include "app/menutable.h"
#include "app/problemwords.h"
#include "app/tracksources.h"
#include "base/atomicfile.h"
#include "base/datafile.h"
#include "base/filereader.h"
#include "base/textops.h"
#include "geo/greatcircle.h"
#include "geo/positiontext.h"
#include "tracks/trackreader.h"
#include "tracks/trackvalidity.h"

namespace korvant {

namespace {

// The ten waypoint and navaid switches of "&0 Wpt/Navaid OFF" and "&1 ... ON", in order.
std::array<bool*, 10> wptNavaidSwitches(DafifSwitches& d) {
  return {&d.wptB, &d.wptH, &d.wptL, &d.wptR, &d.wptT, &d.vorHA, &d.vorL, &d.vorT, &d.ndbHHHU, &d.ndbMHOther};
}

const char kDafifNotice[] =
    "This product was developed using DAFIF(tm), the Digital Aeronautical Flight\n"
    "Information File of the National Geospatial-Intelligence Agency. It is not\n"
    "endorsed by that agency or by the U.S. Department of Defense.\n\n"
    "The complete DAFIF database can be downloaded from the agency's web site\n"
    "(about 20 Mb, 75 minutes at 56K).\n\n"
    "This program cannot yet use the complete database.";

}  // namespace

bool MapCommands::toggleSwitch(bool& value, bool forceRepaint) {
  value = !value;
  return app_.switches.autoRedraw || forceRepaint;
}

bool MapCommands::setSwitch(bool& value, bool wanted) { return value != wanted && toggleSwitch(value, false); }

void MapCommands::selectPresetItem(const std::string& item) {
  if (item != PROCEDURE_MAP_ITEM) app_.procedureMap = false;
  app_.checkedPreset = item;
}

ProjectionChoice checkedProjection(const MapView& view) {
  switch (view.kind) {
    case ProjectionKind::Lambert: return {ProjectionChoice::Kind::Band, view.lambertBand};
    case ProjectionKind::Orthographic: return {ProjectionChoice::Kind::Orthographic, -1};
    case ProjectionKind::Mercator: break;
  }
  return {ProjectionChoice::Kind::Mercator, -1};
}

CommandEffect MapCommands::execute(int id) {
  CommandEffect effect;
  LayerSwitches& sw = app_.switches;
  MapView& view = app_.view;

  if (const std::string_view preset = presetOfCommand(id); !preset.empty()) {
    view.selectPreset(preset);
    selectPresetItem(std::string(preset));
    effect.repaint = true;
    return effect;
  }
  if (const int band = lambertBandOfCommand(id); band >= 0) {
    view.selectLambertBand(band);
    app_.checkedPreset.clear();  // an explicit projection choice
    effect.repaint = true;
    return effect;
  }
  if (bool* s = switchOfCommand(sw, id)) {
    if (id == cmd::ValidTracksOnly && !app_.tracks->empty()) {
      effect.repaint = toggleSwitch(*s, false);
      effect.note = trackReadNote(app_.tracks, validityTimeIfOnlyValid());
      return effect;
    }
    // The two tick densities exclude each other.
    if (id == cmd::Ticks1 && sw.ticks5 && !sw.ticks1) toggleSwitch(sw.ticks5, false);
    if (id == cmd::Ticks5 && sw.ticks1 && !sw.ticks5) toggleSwitch(sw.ticks1, false);
    effect.repaint = toggleSwitch(*s, false);
    if (id == cmd::Ps1Wpt) reportMissingSimFiles(app_);
    reportMissingDafifFiles(app_);
    if (id == cmd::ShowUserTxt) reportMissingUserOverlay(app_);
    if (s == &sw.etops && sw.etops) effect.note = etopsLayerNote(app_);
    return effect;
  }

  switch (id) {
    case cmd::PrintLandscape:
    case cmd::PrintPortrait: return chooseOrientation(id == cmd::PrintLandscape);
    case cmd::PrinterSetup: effect.request = UiRequest::PrinterSetupDialog; return effect;
    case cmd::Print: effect.request = UiRequest::PrintDialog; return effect;
    case cmd::Properties: effect.request = UiRequest::PropertySheet; return effect;
    case cmd::MagModel2025:
      // A switch as any other: the map follows at once only with Auto Redraw.
      app_.magneticModelId =
          app_.magneticModelId == MagneticModelId::Wmm2025 ? MagneticModelId::Wmm2000 : MagneticModelId::Wmm2025;
      effect.repaint = sw.autoRedraw;
      return effect;
    case cmd::Exit: effect.request = UiRequest::Exit; return effect;
    case cmd::GetTracks: effect.request = UiRequest::GetTracks; return effect;
    case cmd::ClearTracks:
      app_.tracks.edit().clear();
      app_.trackFile.clear();
      effect.repaint = true;
      return effect;
    case cmd::ClearRoute:
      closeRoutePlan(app_);
      clearPlottedRoute(app_);
      app_.routeString.clear();
      effect.repaint = true;
      return effect;
    case cmd::Redraw: effect.repaint = true; return effect;
    case cmd::Centre: effect.request = UiRequest::CentreDialog; return effect;
    case cmd::Range: effect.request = UiRequest::RangeDialog; return effect;
    case cmd::RangeDown:
    case cmd::RangeUp:
      // Out of 0.1 ... 11000 the range stays, and the map repaints all the same.
      id == cmd::RangeDown ? view.rangeDown() : view.rangeUp();
      effect.repaint = true;
      return effect;
    case cmd::Toolbar: effect.request = UiRequest::ToggleToolbar; return effect;
    case cmd::StatusBar: effect.request = UiRequest::ToggleStatusBar; return effect;
    case cmd::ProcedureMap: return selectProcedureMap();
    case cmd::StartHour: effect.request = UiRequest::StartHourDialog; return effect;
    case cmd::TestPattern:
      selectPresetItem(TEST_PATTERN_ITEM);
      effect.repaint = true;
      return effect;
    case cmd::Orthographic:
    case cmd::Mercator:
      id == cmd::Orthographic ? view.selectOrthographic() : view.selectMercator();
      app_.checkedPreset.clear();
      effect.repaint = true;
      return effect;
    case cmd::AllRoutesOn:
    case cmd::AllRoutesOff:
      for (bool& group : sw.routeGroup)
        if (group != (id == cmd::AllRoutesOn)) effect.repaint |= toggleSwitch(group, false);
      return effect;
    case cmd::WptNavaidOff:
    case cmd::WptNavaidOn: {
      for (bool* s : wptNavaidSwitches(sw.dafif))
        if (*s != (id == cmd::WptNavaidOn)) effect.repaint |= toggleSwitch(*s, false);
      reportMissingDafifFiles(app_);
      return effect;
    }
    case cmd::HelpWelcome:
      return {false, UiRequest::MessageBox, "WELCOME",
              "Help will be here sometime ...\n\n"
              "A crossing in five steps:\n"
              "1. File > Get Today's Tracks (Ctrl+G), or Read Nat/Pacots Tracks... for a saved message.\n"
              "2. File > Open Flight Plan... (a sample crossing is in PS1/routes) or Read Route String...\n"
              "3. Flight > Flight Settings...: your callsign and Mach.\n"
              "4. Flight > Flight Panel: type the departure time for the planned times, the position "
              "reports and the clearance request.\n"
              "5. Flight > Connect to Simulator (X-Plane or FlightGear) to follow the aircraft.\n\n"
              "The rest: README.md, in share/doc/korvant beside the program's bin folder when installed, "
              "else the source folder.",
              ""};
    case cmd::HelpDafif: return {false, UiRequest::MessageBox, "ABOUT DAFIF", kDafifNotice, ""};
    case cmd::HelpAbout:
      return {false, UiRequest::MessageBox, "ABOUT",
              "KORVANT version " KORVANT_VERSION
              ".\nA map plotter to display flex tracks,\nPS1(tm) data, and DAFIF(tm) data.\n"
              "It follows the aircraft live from X-Plane or FlightGear, writes the oceanic\n"
              "position reports and the clearance request, and works out ETOPS.\n"
              "For flight simulation only, not for navigation.",
              ""};
    default: return effect;  // items whose work arrives later do nothing yet
  }
}

CommandEffect MapCommands::chooseOrientation(bool landscape) {
  CommandEffect effect;
  LayerSwitches& sw = app_.switches;
  if (landscape ? sw.landscape : sw.portrait) return effect;
  effect.request = landscape ? UiRequest::PrinterLandscape : UiRequest::PrinterPortrait;
  bool& other = landscape ? sw.portrait : sw.landscape;
  if (other) effect.repaint |= toggleSwitch(other, false);
  effect.repaint |= toggleSwitch(landscape ? sw.landscape : sw.portrait, false);
  return effect;
}

bool MapCommands::followPrinterOrientation(bool landscape) {
  LayerSwitches& sw = app_.switches;
  if (landscape ? !sw.portrait : !sw.landscape) return false;
  const bool repaint = toggleSwitch(sw.landscape, false);
  return toggleSwitch(sw.portrait, false) || repaint;
}

bool MapCommands::isCheckable(int id) const {
  LayerSwitches probe;
  return switchShownBy(probe, id) || !presetOfCommand(id).empty() || lambertBandOfCommand(id) >= 0 ||
         id == cmd::Orthographic || id == cmd::Mercator || id == cmd::TestPattern || id == cmd::ProcedureMap ||
         id == cmd::PrintLandscape || id == cmd::PrintPortrait || id == cmd::Toolbar || id == cmd::StatusBar ||
         id == cmd::MagModel2025 || id == cmd::ConnectSimulator || id == cmd::FollowAircraft || id == cmd::FlightPanel;
}

bool MapCommands::isChecked(int id) const {
  LayerSwitches& sw = app_.switches;
  const MapView& view = app_.view;
  if (bool* s = switchShownBy(sw, id)) return *s;
  const std::string& preset = app_.checkedPreset;
  if (const std::string_view item = presetOfCommand(id); !item.empty()) return preset == item;
  const ProjectionChoice projection = checkedProjection(view);
  if (const int band = lambertBandOfCommand(id); band >= 0)
    return projection == ProjectionChoice{ProjectionChoice::Kind::Band, band};
  switch (id) {
    case cmd::Orthographic: return projection.kind == ProjectionChoice::Kind::Orthographic;
    case cmd::Mercator: return projection.kind == ProjectionChoice::Kind::Mercator;
    case cmd::TestPattern: return preset == TEST_PATTERN_ITEM;
    case cmd::ProcedureMap: return preset == PROCEDURE_MAP_ITEM;
    case cmd::PrintLandscape: return sw.landscape;
    case cmd::PrintPortrait: return sw.portrait;
    case cmd::MagModel2025: return app_.magneticModelId == MagneticModelId::Wmm2025;
    case cmd::ConnectSimulator: return app_.flight.connected;
    case cmd::FollowAircraft: return app_.flight.followAircraft;
    case cmd::FlightPanel: return app_.flight.panelShown;
    default: return false;
  }
}

std::vector<FileFilter> trackFileFilters(const std::string& natFileType) {
  const FileFilter text{"TEXT (*.TXT)", {"*.TXT"}};
  const FileFilter html{"HTML (*.HTM;*.HTML)", {"*.HTM", "*.HTML"}};
  const FileFilter all{"ALL FILES (*.*)", {"*.*"}};
  // Today's feed is saved as JSON: offered right after the first type.
  const FileFilter json{"JSON (*.JSON)", {"*.JSON"}};
  // First every kind the reader reads, so that the fetched copies and the
  // saved pages are listed whatever NatFileType says; then its order.
  const FileFilter messages{"All track messages (*.TXT;*.HTM;*.HTML;*.JSON)", {"*.TXT", "*.HTM", "*.HTML", "*.JSON"}};
  if (natFileType == "TXT") return {messages, text, json, html, all};
  if (natFileType == "ALL") return {messages, all, json, text, html};
  return {messages, html, json, text, all};
}

CommandEffect MapCommands::storeFetchedTracks(std::string_view family, const std::string& url, const std::string& bytes,
                                              bool selectRegion) {
  const std::string folder = app_.settings.lookup("NatTrackDir");
  const std::string path = joinFolder(folder, fetchedTrackFileName(family, app_.clock.now(), bytes));
  CommandEffect effect = storeTrackMessage(bytes, trackMessageExtension(bytes), url, selectRegion, true);
  if (!effect.repaint) return effect;
  std::error_code ec;
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);
  AtomicFile file(path);
  if (file.write(bytes)) {
    app_.trackFile = path;
  } else {
    app_.boxes.show("CAN'T KEEP A COPY OF THE TRACKS:", notWrittenWords(file.problem()), MessageIcon::Warning);
  }
  return effect;
}

std::optional<std::time_t> MapCommands::validityTimeIfOnlyValid() const {
  if (!app_.switches.validTracksOnly) return std::nullopt;
  return effectiveTerminatorTime(app_.terminator, app_.clock);
}

std::string MapCommands::trackFolder() {
  if (!app_.trackFile.empty()) return std::filesystem::path(app_.trackFile).parent_path().string();
  return app_.settings.lookup("NatTrackDir");
}

CommandEffect MapCommands::readTracks(const std::string& path, bool selectRegion) {
  const FileRead file = readWholeFile(path, TRACK_MESSAGE_LIMIT);
  if (file.status == Reason::FileMissing || file.status == Reason::NotAFile) {
    app_.boxes.show("CAN'T OPEN FILE:", path, MessageIcon::Stop);
    return {};
  }
  if (!file.ok()) {
    const std::string why = file.status == Reason::FileTooLarge ? "THE TRACK MESSAGE IS LARGER THAN 16 MB"
                                                                : "THE FILE CANNOT BE READ (" + file.reason + ")";
    app_.boxes.show("CAN'T READ TRACK MESSAGE:", why + ": " + path, MessageIcon::Stop);
    return {};
  }
  return storeTrackMessage(file.bytes, fileExtension(path), path, selectRegion, false);
}

CommandEffect MapCommands::storeTrackMessage(const std::string& bytes, std::string_view extension,
                                             const std::string& path, bool selectRegion, bool mustHoldTracks) {
  std::istringstream in(bytes);
  const bool diagnostics = readLeadingInt(app_.settings.lookup(DUMP_SWITCH_KEY)) == 9;
  Problems asked;  // only a sign that the notes are wanted
  Result<TrackModel> read = readTrackMessage(in, extension, {app_.fixes, diagnostics ? &asked : nullptr});
  for (Problem& p : read.problems) p.file = path;
  showProblems(app_.boxes, read.problems);
  if (!read) return {};
  TrackModel model = std::move(*read);
  const TrackFamily family = model.family;
  if (mustHoldTracks && model.empty()) {
    app_.boxes.show("CAN'T READ TRACK MESSAGE:", "NO TRACKS IN IT: " + path, MessageIcon::Stop);
    return {};
  }
  std::string note = trackReadNote(model, validityTimeIfOnlyValid());
  // The other families stay beside it.
  app_.tracks.edit().store(std::move(model));
  app_.trackFile = path;
  app_.procedureMap = false;
  if (selectRegion && family != TrackFamily::None) {
    const char* preset = family == TrackFamily::NorthAtlantic ? "NAT"
                         : family == TrackFamily::Australian  ? "AUSTNZ"
                                                              : "KZOA";
    app_.view.selectPreset(preset);
    selectPresetItem(preset);
  }
  return {true, UiRequest::None, "", "", std::move(note)};
}

std::string suggestedTrackExportName(const AppContext& app) {
  // Named for its family when one is held, else for the file.
  const std::vector<const TrackModel*> sets = app.tracks->held();
  const TrackModel& tracks = sets.empty() ? app.tracks->of(TrackFamily::NorthAtlantic) : *sets.front();
  const TrackFamily held = sets.size() != 1 || tracks.empty() ? TrackFamily::None : tracks.family;
  const char* family = held == TrackFamily::NorthAtlantic ? "nat"
                       : held == TrackFamily::Pacific     ? "pacots"
                       : held == TrackFamily::Australian  ? "ausots"
                                                          : nullptr;
  const std::time_t near = app.clock.now();
  std::optional<ValidityPeriod> period;
  for (const std::string* line : {&tracks.westValidity, &tracks.eastValidity})
    if (!period) period = readValidityPeriod(*line, near);
  for (int slot = 0; slot < TRACK_SLOTS && !period; ++slot)
    if (!tracks.slotTexts[slot].empty()) period = trackValidity(tracks, slot, near);
  // Today's message is named by its day; an old one read again keeps its file's name.
  if (family && period && std::llabs(static_cast<long long>(period->from - near)) <= 2 * 86400) {
    std::tm t{};
    gmtime_r(&period->from, &t);
    char date[40];
    std::snprintf(date, sizeof date, "%04d%02d%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
    return std::string(family) + "-" + date;
  }
  const std::string stem = std::filesystem::path(app.trackFile).stem().string();
  return stem.empty() ? "tracks" : stem;
}

std::string suggestedRoutePlanName(const PlottedRoute& route) {
  if (route.points.empty()) return "route";
  // Only what a file name can hold: letters, digits and a few marks.
  const auto clean = [](const std::string& name) {
    std::string out;
    for (const char c : name)
      if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') out += c;
    return out.empty() ? std::string("POINT") : out;
  };
  return clean(route.points.front().name) + "-" + clean(route.points.back().name);
}

std::string trackReadNote(const TrackSets& read, std::optional<std::time_t> validAt) {
  int tracks = 0, valid = 0;
  std::vector<std::pair<const TrackModel*, const UnresolvedFix*>> missing;
  for (const TrackModel* set : read.held()) {
    for (int slot = 0; slot < TRACK_SLOTS; ++slot) {
      if (set->slotTexts[slot].empty()) continue;
      ++tracks;
      valid += validAt && korvant::validAt(*set, slot, *validAt);
    }
    for (const UnresolvedFix& u : set->unresolved) missing.emplace_back(set, &u);
  }
  std::string note = std::to_string(tracks) + (tracks == 1 ? " TRACK" : " TRACKS");
  // Only the valid ones drawn: how many, so that an empty map is no riddle.
  if (validAt && valid < tracks) {
    std::tm t{};
    gmtime_r(&*validAt, &t);
    char when[32];
    std::snprintf(when, sizeof when, " VALID AT %02d/%02d%02dZ", t.tm_mday, t.tm_hour, t.tm_min);
    note = std::to_string(valid) + " OF " + note + when;
  }
  constexpr std::size_t kMostNamed = 12;
  for (std::size_t i = 0; i < missing.size() && i < kMostNamed; ++i) {
    const auto [set, fix] = missing[i];
    note += i == 0 ? "; NOT FOUND: " : ", ";
    note += fix->fix;
    // Each run of one track's fixes ends with the track's own name.
    const char track = fix->track;
    if (i + 1 == missing.size() || i + 1 == kMostNamed || missing[i + 1].second->track != track ||
        missing[i + 1].first != set) {
      const int slot = track - 'A';
      const bool named = slot >= 0 && slot < TRACK_SLOTS && !set->names[slot].empty();
      note += " (TRACK " + (named ? set->names[slot] : std::string(1, track)) + ")";
    }
  }
  if (missing.size() > kMostNamed) note += " AND " + std::to_string(missing.size() - kMostNamed) + " MORE";
  return note;
}

bool centreOnText(AppContext& app, const std::string& text) {
  if (app.view.centreFromText(text, app.fixes)) return true;
  // The dialog asks for "L/L (e.g. N0000/W00000), or 747*.APT": an airport
  // of the simulator's files.
  std::string ident = toUpper(text);
  trimLeadingBlanks(ident);
  const std::optional<LatLng> airport = app.sim->findSimAirport(ident);
  if (!airport) return false;
  app.view.setCentre(*airport, 0);
  return true;
}

void reportMissingSimFiles(AppContext& app) {
  if (!app.switches.ps1Wpt || app.once.simWaypointsMissing) return;
  const std::string path = app.sim->waypointPath();
  if (app.sim->waypoints()) return;
  app.once.simWaypointsMissing = true;
  app.boxes.show("CAN'T FIND 747WPT.DAT FILE", path, MessageIcon::Stop);
}

void reportMissingUserOverlay(AppContext& app) {
  if (!app.switches.showUserTxt || app.once.userOverlayMissing) return;
  const std::shared_ptr<const UserOverlay> overlay = app.userOverlay->overlay();
  if (overlay && !overlay->cut) return;
  app.once.userOverlayMissing = true;
  if (overlay)
    app.boxes.show("ONLY THE FIRST " + std::to_string(USER_OVERLAY_LIMIT >> 20) + " MB READ OF:",
                   app.userOverlay->path(), MessageIcon::Warning);
  else
    app.boxes.show("CAN'T OPEN REQUESTED FILE:",
                   "USER.TXT NOT FOUND IN " + std::filesystem::path(app.userOverlay->path()).parent_path().string(),
                   MessageIcon::None);
}

void reportMissingDafifFiles(AppContext& app) {
  const DafifSwitches& d = app.switches.dafif;
  const auto check = [&](bool wanted, bool& once, const char* name) {
    if (!wanted || once || !app.dafif->pathOf(name).empty()) return;
    once = true;
    app.boxes.show("CAN'T OPEN FILE", name, MessageIcon::Warning);
  };
  OnceFlags& once = app.once;
  check(d.airports7000 || d.airports5000 || d.airports3000 || d.airports0, once.dafifAirports, "DAFA.BIN");
  check(d.runways && (d.airports7000 || d.airports5000 || d.airports3000 || d.airports0), once.dafifRunways,
        "RWY0.TXT");
  check(d.vorHA || d.vorL || d.vorT || d.ndbHHHU || d.ndbMHOther, once.dafifNavaids, "DAFN.BIN");
  check(d.ortca, once.dafifOrtca, "DAFORTCA.TXT");
  if ((d.atsBoth || d.atsHigh || d.atsLow) && !once.dafifAts) {
    std::string missing;
    for (const char* name : DAFIF_ATS_FILES)
      if (app.dafif->pathOf(name).empty()) missing += (missing.empty() ? "" : ", ") + std::string(name);
    if (!missing.empty()) {
      once.dafifAts = true;
      app.boxes.show("CAN'T OPEN FILE", missing, MessageIcon::Warning);
    }
  }
  if ((d.wptB || d.wptH || d.wptL || d.wptR || d.wptT) && !once.dafifWaypoints) {
    bool any = false;
    std::string folders;
    for (const char* name : DAFIF_WAYPOINT_FILES) {
      any |= !app.dafif->pathOf(name).empty();
      if (const std::string folder = app.dafif->folderInPlaceOf(name); !folder.empty())
        folders += (folders.empty() ? "" : ", ") + folder;
    }
    // A folder where a file should be is a mistake worth saying even when
    // the other files are there.
    if (!folders.empty()) {
      once.dafifWaypoints = true;
      app.boxes.show("CAN'T OPEN FILE",
                     folders + (folders.find(", ") == std::string::npos ? " IS A FOLDER" : " ARE FOLDERS"),
                     MessageIcon::Warning);
    } else if (!any) {
      once.dafifWaypoints = true;
      app.boxes.show("CAN'T FIND ANY OF:", "WPTN.TXT, WPTS.TXT, WPTE.TXT, WPTA.TXT", MessageIcon::None);
    }
  }
  // A file past the reader's limit is drawn only in part: said once.
  bool anyOn = false;
  for (bool* on : app.switches.dafif.drawing()) anyOn |= *on;
  if (anyOn && !once.dafifCut) {
    std::string cut;
    for (const std::string& name : app.dafif->cutFiles()) cut += (cut.empty() ? "" : ", ") + name;
    if (!cut.empty()) {
      once.dafifCut = true;
      app.boxes.show("ONLY THE FIRST " + std::to_string(DAFIF_FILE_LIMIT >> 20) + " MB READ OF:", cut,
                     MessageIcon::Warning);
    }
  }
}

CommandEffect MapCommands::applyCentreText(const std::string& text) {
  CommandEffect effect;
  if (!centreOnText(app_, text)) {
    app_.boxes.show("FIX NOT FOUND: ", text, MessageIcon::Stop);
    return effect;
  }
  app_.checkedPreset.clear();
  effect.repaint = app_.switches.autoRedraw;
  return effect;
}

CommandEffect MapCommands::applyStartHour(const std::string& text) {
  std::string entered = toUpper(text);
  trimLeadingBlanks(entered);
  if (const Problems problems = setTerminatorTime(app_.terminator, entered, app_.clock); !problems.empty()) {
    showProblems(app_.boxes, problems);
    return {};
  }
  return {setSwitch(app_.switches.useCurrentTime, entered == "NOW"), UiRequest::None, "", "", ""};
}

CommandEffect MapCommands::applyRangeText(const std::string& text) {
  double range = readDecimalNumber(text);
  if (app_.switches.kilometerDistances) range /= KM_PER_NM;
  app_.view.setRange(range);
  app_.checkedPreset.clear();
  return {app_.switches.autoRedraw, UiRequest::None, "", "", ""};
}

}  // namespace korvant
