// The map window's side of the flight: the link to the simulator, the
// aircraft and its trail over the kept picture, the panel, the trail file.
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>

#include "app/flightsession.h"
#include "app/oceanicreport.h"
#include "app/problemwords.h"
#include "map/aircraftdrawing.h"
#include "map/mapfonts.h"
#include "ui/flightpanel.h"
#include "ui/flightsettingsdialog.h"
#include "ui/framewin.h"
#include "ui/mainwin.h"
#include "ui/simulatorsettingsdialog.h"

namespace korvant {

namespace {

// The trail file is written at most this often while flying: a crash loses
// a minute of it at most.
constexpr double kKeepEveryS = 60;

QRect qrect(const Rect& r) { return {r.left, r.top, r.width(), r.height()}; }

}  // namespace

void MainWin::connectSimulator(bool on) {
  if (!on) {
    live_.stop();
    app_.flight.connected = false;
    showProblems(app_.boxes, keepTrail(app_));
    frame_.setNote("SIMULATOR DISCONNECTED");
  } else if (!live_.running()) {
    Problems problems;
    const LiveSettings settings = readLiveSettings(app_.settings, problems);
    showProblems(app_.boxes, problems);
    const Problems refused = live_.start(settings);
    app_.flight.connected = refused.empty();
    if (!refused.empty()) {
      frame_.setNote(wordProblem(refused.front()).text);
      showProblems(app_.boxes, refused);
    } else {
      liveNote_.clear();
      liveStatusChanged();
    }
  }
  frame_.syncChecks();
}

void MainWin::liveStatusChanged() {
  if (!live_.running()) return;
  // Set only when it changes: a position does not redo the message bar.
  if (std::string words = liveStatusWords(live_.status(), live_.feed().settings()); words != liveNote_) {
    frame_.setNote(words);
    liveNote_ = std::move(words);
  }
  showProblems(app_.boxes, live_.feed().takeNotes());
}

FontSpec MainWin::aircraftTagFont() const {
  return buildMapFonts(readMapFontSettings(app_.settings), false, logicalDpiY()).small;
}

QRect MainWin::flightBox() const {
  const std::optional<AircraftState>& a = app_.flight.aircraft;
  if (!a || !screenProjection_.isSetUp()) return {};
  QRect box = qrect(aircraftBox(screenProjection_, *a, aircraftTagFont()));
  if (!app_.flight.trail->empty()) {
    const DevicePoint last = screenProjection_.toDevice(app_.flight.trail->points().back().position);
    if (last.visible) box |= QRect(QPoint(last.x, last.y), QSize(1, 1)).adjusted(-3, -3, 3, 3);
  }
  return box;
}

void MainWin::aircraftMoved() {
  const QRect before = flightBox();
  const bool trailTook = takeAircraft(app_, *live_.feed().last());
  const AircraftState& a = *app_.flight.aircraft;
  if (app_.flight.followAircraft) {
    // Kept in the middle part of the map: a full paint only when it nears an edge.
    const DevicePoint at = screenProjection_.toDevice(a.position);
    const int marginX = width() / 5, marginY = height() / 5;
    if (!at.visible || at.x < marginX || at.x > width() - marginX || at.y < marginY || at.y > height() - marginY) {
      app_.view.setCentre(a.position, 0);
      app_.checkedPreset.clear();
      requestRepaint();
    }
  }
  update(before | flightBox());
  if (trailTook && live_.steadySeconds() - trailKept_ >= kKeepEveryS) {
    trailKept_ = live_.steadySeconds();
    showProblems(app_.boxes, keepTrail(app_));
  }
  liveStatusChanged();
  if (app_.flight.panelShown) showFlightPanel();
}

void MainWin::showFlightPanel() {
  const FlightState& f = app_.flight;
  FlightPanel& panel = *frame_.flightPanel();
  if (f.progress) {
    panel.showProgress(&*f.progress);
    panel.showWords(f.watch.report(), f.watch.revised(), f.clearance);
    return;
  }
  FlightRoute route = shownFlightRoute(app_);
  const PlannedOceanic planned = plannedOceanic(app_, route, {f.departureMinutes, 0, 0, "", 0});
  // The level the times are worked out at, where the route files none
  // (a route string without speed and level groups), between its ends.
  for (std::size_t i = 1; i + 1 < route.points.size() && planned.flightLevel > 0; ++i)
    if (route.points[i].levelFt < 1000) route.points[i].levelFt = planned.flightLevel * 100;
  std::string note;
  if (route.points.size() < 2)
    note = "NO ROUTE: OPEN A FLIGHT PLAN OR READ A ROUTE STRING";
  else if (!f.departureMinutes && !route.takeoffUtc)
    note = "TYPE THE DEPARTURE TIME FOR THE PLANNED TIMES";
  else if (planned.noSpeed)
    note = "NO TIMES: SET THE MACH FLOWN IN FLIGHT SETTINGS";
  for (const std::string& line : planned.notes) note += (note.empty() ? "" : "; ") + line;
  panel.showPlanned(route, planned.times, note);
  panel.showWords({}, {}, planned.clearance);
}

void MainWin::departureTyped(const QString& text) {
  const std::optional<int> minutes = departureMinutes(text.toStdString());
  if (!text.isEmpty() && !minutes) frame_.setNote("THE DEPARTURE TAKES HHMM, UTC: " + text.toStdString());
  app_.flight.departureMinutes = minutes;
  if (app_.flight.panelShown) showFlightPanel();
}

void MainWin::paintFlight(QPainter& painter, const MapFrame& mapFrame, const QRect& dirty) {
  if (!app_.flight.aircraft && app_.flight.trail->empty()) return;
  map_.paintMoving(painter, *this, mapFrame, dirty);
  ++aircraftFrames_;
}

void MainWin::showSimulatorSettings() {
  Problems problems;
  SimulatorSettingsDialog dialog(readLiveSettings(app_.settings, problems), this);
  if (dialog.exec() != QDialog::Accepted) return;
  showProblems(app_.boxes, saveLiveSettings(app_, dialog.settings()));
  // A link open with the old settings takes the new ones.
  if (live_.running()) {
    connectSimulator(false);
    connectSimulator(true);
  }
}

void MainWin::showFlightSettings() {
  FlightSettingsDialog dialog(flightSettingValues(app_), this);
  if (dialog.exec() != QDialog::Accepted) return;
  showProblems(app_.boxes, saveControlValues(app_, dialog.values()));
  if (app_.flight.panelShown) showFlightPanel();
  requestRepaint();
}

void MainWin::showExportTrailDialog() {
  if (app_.flight.trail->empty()) {
    app_.boxes.show("EXPORT TRAIL", "NO TRAIL: connect to the simulator and fly first.", MessageIcon::Information);
    return;
  }
  const QString folder = saveFolder_.isEmpty() ? QString::fromStdString(app_.workFolder) : saveFolder_;
  QFileDialog dialog(this, QStringLiteral("Export Trail"), folder);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({QStringLiteral("GPX (*.gpx)")});
  dialog.setDefaultSuffix(QStringLiteral("gpx"));
  dialog.selectFile(QStringLiteral("trail.gpx"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  exportTrailTo(dialog.selectedFiles().first().toStdString());
}

bool MainWin::exportTrailTo(const std::string& path) {
  const Problems problems = exportTrail(app_, path);
  if (problems.empty()) {
    saveFolder_ = QFileInfo(QString::fromStdString(path)).absolutePath();
    frame_.setNote("WROTE THE TRAIL (" + std::to_string(app_.flight.trail->points().size()) + " POINTS) TO " + path);
    return true;
  }
  app_.boxes.show("CAN'T EXPORT THE TRAIL", wordProblem(problems.front()).text, MessageIcon::Stop);
  return false;
}

void MainWin::clearTrail() {
  app_.flight.trail.edit().clear();
  showProblems(app_.boxes, keepTrail(app_));
  // The whole trail may lie anywhere on the map.
  update();
}

}  // namespace korvant
