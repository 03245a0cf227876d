#include "app/mapcommands.h"

#include <array>
#include <filesystem>
#include <fstream>

#include "app/menutable.h"
#include "app/textops.h"
#include "geo/greatcircle.h"
#include "geo/positiontext.h"
#include "tracks/trackreader.h"

namespace korvant {

bool* switchOfCommand(LayerSwitches& s, int id) {
  DafifSwitches& d = s.dafif;
  switch (id) {
    case cmd::AutoRedraw: return &s.autoRedraw;
    case cmd::VideoColor: return &s.videoColor;
    case cmd::PrinterColor: return &s.printerColor;
    case cmd::ShowParameters: return &s.showParameters;
    case 51701: return &s.ps1Wpt;
    case 51707: return &s.ps1Sta;
    case 51718: return &s.ps1Apt;
    case 51729: return &s.ownWaypoints;
    case 51725: return &s.ownStations;
    case 51726: return &s.ownAirports;
    case 51739: return &s.obsoleteWaypoints;
    case 51741: return &s.routeDistances;
    case 51758: return &s.routeBearings;
    case 51688: return &s.routeGroup[0];
    case 51689: return &s.routeGroup[1];
    case 51735: return &s.routeGroup[2];
    case 51690: return &s.routeGroup[3];
    case 51700: return &s.routeGroup[4];
    case 51691: return &s.routeGroup[5];
    case 51737: return &s.routeGroup[6];
    case 51738: return &s.routeGroup[7];
    case 11850: return &s.ps1Procedure;
    case 11851: return &s.ps1Route;
    case 11853: return &s.showUserTxt;
    case 51755: return &s.symbolsNonDafif;
    case 51733: return &s.kilometerDistances;
    case 51696: return &s.facilityBoundaries;
    case 51736: return &s.terrain;
    case 51697: return &s.latLongGrid;
    case 11859: return &s.ticks1;
    case 11862: return &s.ticks5;
    case 51698: return &s.latLongLabels;
    case 51760: return &s.useCurrentTime;
    case 51761: return &s.showTerminator;
    case 51762: return &s.showCivilTwilight;
    case 51759: return &s.showNext6Hours;
    case 51731: return &s.variation;
    case 51730: return &s.waypointData;
    case 11857: return &d.symbolsDafifOnly;
    case 11939: return &d.airports7000;
    case 11943: return &d.airports5000;
    case 11940: return &d.airports3000;
    case 11942: return &d.airports0;
    case 11963: return &d.runways;
    case 11964: return &d.runwayNumbers;
    case 11965: return &d.fullName;
    case 11941: return &d.atsBoth;
    case 11944: return &d.atsHigh;
    case 11945: return &d.atsLow;
    case 11858: return &d.ids;
    case 11861: return &d.radials;
    case 11860: return &d.segmentDistances;
    case 11952: return &d.ortca;
    case 11946: return &d.vorHA;
    case 11948: return &d.vorL;
    case 11949: return &d.vorT;
    case 11950: return &d.ndbHHHU;
    case 11951: return &d.ndbMHOther;
    case 11935: return &d.wptB;
    case 11936: return &d.wptH;
    case 11947: return &d.wptL;
    case 11937: return &d.wptR;
    case 11938: return &d.wptT;
    default: return nullptr;
  }
}

namespace {

// The Special Use items show the property sheet's switches but have no handler.
bool* specialUseSwitch(DafifSwitches& d, int id) {
  switch (id) {
    case 11953: return &d.prohibited;
    case 11958: return &d.restricted;
    case 11954: return &d.moa;
    case 11960: return &d.warning;
    case 11959: return &d.alert;
    case 11955: return &d.danger;
    case 11956: return &d.temp;
    case 11957: return &d.refuel;
    default: return nullptr;
  }
}

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

bool MapCommands::setSwitch(bool& value, bool wanted) {
  return value != wanted && toggleSwitch(value, false);
}

void MapCommands::selectPresetItem(const std::string& item) {
  app_.view.checkedPreset.clear();
  if (item != PROCEDURE_MAP_ITEM) app_.procedureMap = false;
  app_.view.checkedPreset = item;
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
    view.selectLambertBand(band, true);
    effect.repaint = true;
    return effect;
  }
  if (bool* s = switchOfCommand(sw, id)) {
    // The two tick densities exclude each other.
    if (id == 11859 && sw.ticks5 && !sw.ticks1) toggleSwitch(sw.ticks5, false);
    if (id == 11862 && sw.ticks1 && !sw.ticks5) toggleSwitch(sw.ticks1, false);
    effect.repaint = toggleSwitch(*s, false);
    if (id == cmd::VideoColor) sw.currentColor = sw.videoColor;
    return effect;
  }

  switch (id) {
    case cmd::PrintLandscape:
    case cmd::PrintPortrait: {
      const bool landscape = id == cmd::PrintLandscape;
      sw.landscape = landscape;
      sw.portrait = !landscape;
      return effect;
    }
    case cmd::Exit: effect.request = UiRequest::Exit; return effect;
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
    case cmd::TestPattern:
      selectPresetItem(TEST_PATTERN_ITEM);
      effect.repaint = true;
      return effect;
    case cmd::Orthographic:
      view.selectOrthographic(true);
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
      return effect;
    }
    case cmd::HelpWelcome:
      return {false, UiRequest::MessageBox, "WELCOME", "Help will be here sometime ...\nFor now, see file KORVANT.DOC"};
    case cmd::HelpDafif: return {false, UiRequest::MessageBox, "ABOUT DAFIF", kDafifNotice};
    case cmd::HelpAbout:
      return {false, UiRequest::MessageBox, "ABOUT",
              "KORVANT version 22.\nA map plotter to display flex tracks,\nPS1(tm) data, and DAFIF(tm) data."};
    default: return effect;  // items whose work arrives later do nothing yet
  }
}

bool MapCommands::isCheckable(int id) const {
  LayerSwitches probe;
  return switchOfCommand(probe, id) || specialUseSwitch(probe.dafif, id) || !presetOfCommand(id).empty() ||
         lambertBandOfCommand(id) >= 0 || id == cmd::Orthographic || id == cmd::TestPattern ||
         id == cmd::ProcedureMap || id == cmd::PrintLandscape || id == cmd::PrintPortrait || id == cmd::Toolbar ||
         id == cmd::StatusBar;
}

bool MapCommands::isChecked(int id) const {
  LayerSwitches& sw = app_.switches;
  const MapView& view = app_.view;
  if (bool* s = switchOfCommand(sw, id)) return *s;
  if (bool* s = specialUseSwitch(sw.dafif, id)) return *s;
  if (const std::string_view preset = presetOfCommand(id); !preset.empty()) return view.checkedPreset == preset;
  if (const int band = lambertBandOfCommand(id); band >= 0)
    return view.checkedProjection == ProjectionItem{ProjectionItem::Kind::Band, band};
  switch (id) {
    case cmd::Orthographic: return view.checkedProjection.kind == ProjectionItem::Kind::Orthographic;
    case cmd::TestPattern: return view.checkedPreset == TEST_PATTERN_ITEM;
    case cmd::ProcedureMap: return view.checkedPreset == PROCEDURE_MAP_ITEM;
    case cmd::PrintLandscape: return sw.landscape;
    case cmd::PrintPortrait: return sw.portrait;
    default: return false;
  }
}

std::vector<FileFilter> trackFileFilters(const std::string& natFileType) {
  const FileFilter text{"TEXT (*.TXT)", {"*.TXT"}};
  const FileFilter html{"HTML (*.HTM;*.HTML)", {"*.HTM", "*.HTML"}};
  const FileFilter all{"ALL FILES (*.*)", {"*.*"}};
  // Today's feed is saved as JSON: offered right after the first type.
  const FileFilter json{"JSON (*.JSON)", {"*.JSON"}};
  if (natFileType == "TXT") return {text, json, html, all};
  if (natFileType == "ALL") return {all, json, text, html};
  return {html, json, text, all};
}

std::string MapCommands::trackFolder() {
  if (!app_.trackFile.empty()) return std::filesystem::path(app_.trackFile).parent_path().string();
  return app_.settings.lookup("NatTrackDir");
}

CommandEffect MapCommands::readTracks(const std::string& path, bool selectRegion) {
  std::ifstream in(path, std::ios::binary);
  std::error_code ec;
  if (!in.is_open() || std::filesystem::is_directory(path, ec)) {
    app_.boxes.show("CAN'T OPEN FILE:", path, MessageIcon::Stop);
    return {};
  }
  TrackModel model;
  const bool diagnostics = readLeadingInt(app_.settings.lookup(DUMP_SWITCH_KEY)) == 9;
  const auto dot = path.rfind('.');
  const std::string extension = dot == std::string::npos ? "" : path.substr(dot);
  std::string error;
  const TrackFamily family = readTrackMessage(in, extension, model, {app_.fixes, app_.boxes, diagnostics}, &error);
  if (!error.empty()) {
    app_.boxes.show("CAN'T READ TRACK MESSAGE:", error + ": " + path, MessageIcon::Stop);
    return {};
  }
  app_.tracks = std::move(model);
  app_.trackFile = path;
  app_.procedureMap = false;
  if (selectRegion && family != TrackFamily::None) {
    const char* preset = family == TrackFamily::NorthAtlantic ? "NAT" : "KZOA";
    app_.view.selectPreset(preset);
    selectPresetItem(preset);
  }
  return {true, UiRequest::None, "", ""};
}

CommandEffect MapCommands::applyCentreText(const std::string& text) {
  CommandEffect effect;
  if (!app_.view.centreFromText(text, app_.fixes)) {
    app_.boxes.show("FIX NOT FOUND: ", text, MessageIcon::Stop);
    return effect;
  }
  app_.view.checkedPreset.clear();
  effect.repaint = app_.switches.autoRedraw;
  return effect;
}

CommandEffect MapCommands::applyRangeText(const std::string& text) {
  double range = readDecimalNumber(text);
  if (app_.switches.kilometerDistances) range /= KM_PER_NM;
  app_.view.setRange(range);
  app_.view.checkedPreset.clear();
  return {app_.switches.autoRedraw, UiRequest::None, "", ""};
}

}  // namespace korvant
