#include "app/controlfile.h"

#include <fstream>

#include "app/datafile.h"
#include "app/textops.h"
#include "geo/greatcircle.h"
#include "geo/positiontext.h"

namespace korvant {

namespace {

// One line without its terminator; false at the end of the input.
bool nextLine(std::istream& in, std::string& line) {
  line.clear();
  std::streambuf* buf = in.rdbuf();
  if (!buf) return false;
  bool any = false;
  for (;;) {
    const int c = buf->sbumpc();
    if (c == std::char_traits<char>::eof()) return any;
    any = true;
    if (c == '\n') return true;
    if (c == '\r') {
      if (buf->sgetc() == '\n') buf->sbumpc();
      return true;
    }
    line.push_back(static_cast<char>(c));
  }
}

void storeLine(Settings& settings, std::string line) {
  if (line.empty() || line.front() == ';' || line.front() == '#') return;
  trimLeadingBlanks(line);
  const std::string key = nextWord(line);
  if (key.empty()) return;  // blanks only, or a tab where the key should be
  bool upcase = false;
  settings.lookupEntry(key, upcase);
  settings.set(key, line, upcase);
}

// "N5000/W03500  1000  LAMBERT": centre, range, projection word.
void applyInitialMap(AppContext& app, std::string value) {
  const std::string positionWord = nextWord(value);
  const std::string rangeWord = nextWord(value);
  const std::string projectionWord = toUpper(nextWord(value));
  double range = readDecimalNumber(rangeWord);
  if (app.switches.kilometerDistances) range /= KM_PER_NM;
  LatLng centre;
  if (!app.fixes.resolvePositionWithAlias(positionWord, {0, 0}, centre)) centre = LatLng::unset();
  MapView& view = app.view;
  view.setCentre(centre, range);
  if (projectionWord == "ORTHO" || projectionWord == "ORTHOGRAPHIC") view.selectOrthographic(true);
  if (view.isNatDefault()) {
    view.selectPreset("NAT");
    view.checkedPreset = "NAT";
  }
}

}  // namespace

void ControlFile::readLines(Settings& settings, std::istream& in) {
  std::string line;
  while (nextLine(in, line)) storeLine(settings, std::move(line));
}

bool ControlFile::read(AppContext& app, const std::string& path, bool report) {
  if (app.settings.readDone()) return false;
  app.settings.markReadDone();
  std::ifstream in(resolveCaseInsensitive(path), std::ios::in | std::ios::binary);
  if (!in.is_open()) {
    if (report && !app.once.controlFileOpen) {
      app.once.controlFileOpen = true;
      app.boxes.show("CAN'T OPEN CONTROL FILE:", path, MessageIcon::Warning);
    }
    return false;
  }
  readLines(app.settings, in);
  return true;
}

void ControlFile::apply(AppContext& app) {
  Settings& s = app.settings;
  LayerSwitches& sw = app.switches;

  if (s.lookup("DISTANCE") == "KM") sw.kilometerDistances = true;
  applyInitialMap(app, s.lookup("INITIALMAP"));

  if (isSwitchOn(s.lookup("COLORVIDEO"))) sw.videoColor = true;
  sw.currentColor = sw.videoColor;
  if (isSwitchOn(s.lookup("COLORPRINTER"))) sw.printerColor = true;
  if (isSwitchOn(s.lookup("AUTOREDRAW"))) sw.autoRedraw = true;
  if (isSwitchOn(s.lookup("SHOWUSER"))) sw.showUserTxt = true;

  sw.landscape = true;
  sw.useCurrentTime = true;
  sw.showParameters = true;
  sw.facilityBoundaries = true;
  sw.terrain = true;
  sw.latLongGrid = true;
  sw.latLongLabels = true;

  const std::string fixDisplay = s.lookup("FIXDISPLAY");
  if (fixDisplay.empty() || isSwitchOn(fixDisplay)) {
    sw.symbolsNonDafif = true;
    sw.ownWaypoints = true;
    sw.ownStations = true;
  }
  const std::string routeDisplay = s.lookup("ROUTEDISPLAY");
  if (routeDisplay.empty() || isSwitchOn(routeDisplay))
    for (bool& group : sw.routeGroup) group = true;
}

}  // namespace korvant
