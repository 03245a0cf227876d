#include "app/applycontrolfile.h"

#include "base/textops.h"
#include "geo/greatcircle.h"
#include "geo/positiontext.h"

namespace korvant {

namespace {

// "N5000/W03500  1000  LAMBERT": centre, range, projection word.
void applyInitialMap(AppContext& app, std::string value) {
  const std::string positionWord = nextWord(value);
  const std::string rangeWord = nextWord(value);
  const std::string projectionWord = toUpper(nextWord(value));
  double range = readDecimalNumber(rangeWord);
  if (app.switches.kilometerDistances) range /= KM_PER_NM;
  LatLng centre;
  if (!app.fixes->resolvePositionWithAlias(positionWord, {0, 0}, centre)) centre = LatLng::unset();
  MapView& view = app.view;
  view.setCentre(centre, range);
  if (projectionWord == "ORTHO" || projectionWord == "ORTHOGRAPHIC") {
    view.selectOrthographic();
    app.checkedPreset.clear();  // an explicit choice, as from the menu
  }
  if (view.isNatDefault()) {
    view.selectPreset("NAT");
    app.checkedPreset = "NAT";
  }
}

}  // namespace

void applyControlFile(AppContext& app) {
  Settings& s = app.settings;
  LayerSwitches& sw = app.switches;

  if (s.lookup("DISTANCE") == "KM") sw.kilometerDistances = true;
  applyInitialMap(app, s.lookup("INITIALMAP"));

  if (isSwitchOn(s.lookup("COLORVIDEO"))) sw.videoColor = true;
  if (isSwitchOn(s.lookup("COLORPRINTER"))) sw.printerColor = true;
  if (isSwitchOn(s.lookup("AUTOREDRAW"))) sw.autoRedraw = true;
  if (isSwitchOn(s.lookup("SHOWUSER"))) sw.showUserTxt = true;
  // An unknown model name keeps the default.
  if (const auto model = magneticModelByName(s.lookup("MAGMODEL"))) app.magneticModelId = *model;
  // Only a plain no turns it off: the map stays readable on a misspelling.
  const std::string declutter = toUpper(s.lookup("DECLUTTER"));
  sw.declutter = !(declutter == "NO" || declutter == "N" || declutter == "OFF" || declutter == "0");
  // Off unless plainly asked for: a misspelling must not hide tracks.
  const std::string validOnly = toUpper(s.lookup("VALIDTRACKSONLY"));
  sw.validTracksOnly = validOnly == "YES" || validOnly == "Y" || validOnly == "ON" || validOnly == "1";

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
