#include "ui/mainwin.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QWheelEvent>

#include "app/applycontrolfile.h"
#include "app/citypair.h"
#include "app/menutable.h"
#include "app/problemwords.h"
#include "app/procedurecommands.h"
#include "app/propertysheet.h"
#include "app/routestringcommand.h"
#include "base/textops.h"
#include "map/mappainter.h"
#include "map/testpattern.h"
#include "platform/mapprint.h"
#include "tracks/trackexport.h"
#include "ui/besttrackdialog.h"
#include "ui/flightpanel.h"
#include "ui/framewin.h"
#include "ui/propertysheetdialog.h"

namespace korvant {

namespace {

// The file a save dialog chose; a name typed without an extension takes the
// one of the chosen filter's first pattern ("KML (*.kml)": ".kml").
std::string chosenSavePath(const QFileDialog& dialog) {
  std::string path = dialog.selectedFiles().first().toStdString();
  if (!fileExtension(path).empty()) return path;
  const QString filter = dialog.selectedNameFilter();
  const qsizetype star = filter.indexOf(QStringLiteral("*."));
  if (star < 0) return path;
  qsizetype end = star + 1;
  while (end < filter.size() && filter[end] != ' ' && filter[end] != ')') ++end;
  return path + filter.mid(star + 1, end - star - 1).toStdString();
}

}  // namespace

MainWin::MainWin(AppContext& app, FrameWin& frame)
    : QWidget(&frame), app_(app), frame_(frame), commands_(app), mouse_(app), tools_(app), live_(app.clock) {
  applyControlFile(app_);
  connect(&live_, &LiveLink::aircraftMoved, this, &MainWin::aircraftMoved);
  connect(&live_, &LiveLink::statusChanged, this, &MainWin::liveStatusChanged);
  app_.backgroundJobs = &jobs_;
  connect(&jobs_, &JobRunner::finished, this, [this] {
    if (app_.switches.etops) frame_.setNote(etopsLayerNote(app_));
    requestRepaint();
  });
  showProblems(app_.boxes, restoreTrail(app_));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setAcceptDrops(true);
  setFocusPolicy(Qt::ClickFocus);
  // The orientation the check marks show from start-up on.
  printer_.setPageOrientation(app_.switches.portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
}

MainWin::~MainWin() {
  app_.backgroundJobs = nullptr;  // the runner goes with the window, stopping its job
  if (live_.running()) {
    live_.stop();
    keepTrail(app_);  // nobody is left to hear of a failure
  }
  map_.adopt();  // what a background paint would post back goes with the window
  // A read still running stops after the file it is in; what it posts back is dropped with the window.
  navDataStop_ = true;
  if (navDataReader_.joinable()) navDataReader_.join();
}

void MainWin::requestRepaint() {
  ++repaintRequests_;
  following_ = false;
  update();
  // The route or the tracks may have changed under the planned times.
  if (app_.flight.panelShown && !app_.flight.progress) showFlightPanel();
}

void MainWin::follow(QPoint anchor) {
  following_ = true;
  followAnchor_ = anchor;
  update();
}

void MainWin::backgroundPaintEnded() {
  if (map_.adopt() || following_) update();
}

void MainWin::carryOut(const CommandEffect& effect) {
  switch (effect.request) {
    case UiRequest::Exit: frame_.close(); break;
    case UiRequest::CentreDialog: showCentreDialog(); break;
    case UiRequest::RangeDialog: showRangeDialog(); break;
    case UiRequest::StartHourDialog: showStartHourDialog(); break;
    case UiRequest::ToggleToolbar: frame_.toggleControlBar(); break;
    case UiRequest::ToggleStatusBar: frame_.toggleMessageBar(); break;
    case UiRequest::PrinterLandscape: printer_.setPageOrientation(QPageLayout::Landscape); break;
    case UiRequest::PrinterPortrait: printer_.setPageOrientation(QPageLayout::Portrait); break;
    case UiRequest::PrinterSetupDialog: showPrinterSetup(); break;
    case UiRequest::PrintDialog: showPrintDialog(); break;
    case UiRequest::PropertySheet: showPropertySheet(); break;
    case UiRequest::GetTracks: getTodaysTracks(); break;
    case UiRequest::MessageBox: app_.boxes.show(effect.caption, effect.text, MessageIcon::None); break;
    case UiRequest::None: break;
  }
  frame_.syncChecks();
  if (!effect.note.empty()) frame_.setNote(effect.note);
  if (effect.repaint) requestRepaint();
}

void MainWin::command(int id) {
  switch (id) {
    case cmd::ReadTracks: showTrackDialog(); return;
    case cmd::ReadProcedure: showProcedureDialog(false); return;
    case cmd::ReadRoute: showProcedureDialog(true); return;
    case cmd::OpenFlightPlan: showFlightPlanDialog(); return;
    case cmd::ExportTracks: showExportDialog(); return;
    case cmd::BestTrack: showBestTrackDialog(); return;
    case cmd::ReadRouteString: showRouteStringDialog(); return;
    case cmd::SaveRoutePlan: showSaveRoutePlanDialog(); return;
    case cmd::ConnectSimulator: connectSimulator(!app_.flight.connected); return;
    case cmd::FollowAircraft:
      app_.flight.followAircraft = !app_.flight.followAircraft;
      frame_.syncChecks();
      return;
    case cmd::FlightPanel:
      frame_.setFlightPanelShown(!app_.flight.panelShown);
      if (app_.flight.panelShown) showFlightPanel();
      return;
    case cmd::ExportTrail: showExportTrailDialog(); return;
    case cmd::ClearTrail: clearTrail(); return;
    case cmd::SimulatorSettings: showSimulatorSettings(); return;
    case cmd::FlightSettings: showFlightSettings(); return;
    case cmd::Clear:
    case cmd::Info:
    case cmd::Distance:
    case cmd::Intersection: runTool(id); return;
    default: carryOut(commands_.execute(id));
  }
}

void MainWin::runTool(int id) {
  if (id == cmd::Clear) {
    frame_.clearInput();
    frame_.setResultText("");
    tools_.clear();
    requestRepaint();
    return;
  }
  std::string input;
  frame_.inputText(input);
  const ToolOutcome outcome = id == cmd::Info       ? tools_.info(input)
                              : id == cmd::Distance ? tools_.distance(input)
                                                    : tools_.intersection(input);
  if (!outcome.ok) return;
  frame_.setResultText(outcome.result);
  requestRepaint();
}

std::optional<std::string> MainWin::chooseFile(const QString& title, const std::string& folder,
                                               const std::vector<FileFilter>& filters) {
  // Qt's filters match case-sensitively: offer the lower-case names as well.
  QStringList names;
  for (const FileFilter& f : filters) {
    QStringList patterns;
    for (const std::string& p : f.patterns) {
      patterns << QString::fromStdString(p);
      if (p != "*.*") patterns << QString::fromStdString(p).toLower();
    }
    names << QString::fromStdString(f.label.substr(0, f.label.find(" ("))) + " (" + patterns.join(' ') + ")";
  }
  QFileDialog dialog(this, title, QString::fromStdString(folder));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(names);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

void MainWin::showTrackDialog() {
  const auto path = chooseFile(QStringLiteral("Read Nat/Pacots Tracks"), commands_.trackFolder(),
                               trackFileFilters(app_.settings.lookup("NatFileType")));
  if (!path) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const CommandEffect effect = commands_.readTracks(*path);
  QApplication::restoreOverrideCursor();
  carryOut(effect);
}

void MainWin::getTodaysTracks() {
  if (fetching()) return;
  toFetch_.clear();
  for (TrackSource& source : trackSources(app_.settings))
    if (!source.url.empty()) toFetch_.push_back(std::move(source));
  if (toFetch_.empty()) {
    app_.boxes.show(
        "CAN'T GET TRACKS:", "NO ADDRESS IS SET: NatTrackUrl, PacotsTrackUrl OR AusotsTrackUrl IN KORVANT.CTL",
        MessageIcon::Warning);
    return;
  }
  if (!cancelButton_) {
    auto* button = new QPushButton(QStringLiteral("Cancel"), &frame_);
    button->setObjectName(QStringLiteral("cancelFetch"));
    connect(button, &QPushButton::clicked, this, &MainWin::cancelFetch);
    frame_.statusBar()->addPermanentWidget(button);
    cancelButton_ = button;
    // Escape stops a fetch wherever the keyboard is in the window: at start
    // it sits in the control bar's input field, which the map's own keys miss.
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), &frame_);
    escape_->setContext(Qt::WindowShortcut);
    connect(escape_, &QShortcut::activated, this, &MainWin::cancelFetch);
  }
  escape_->setEnabled(true);
  regionShown_ = false;
  fetchNext();
}

void MainWin::fetchNext() {
  if (toFetch_.empty()) {
    cancelButton_->hide();
    escape_->setEnabled(false);
    frame_.statusBar()->clearMessage();
    return;
  }
  fetched_ = toFetch_.front();
  toFetch_.erase(toFetch_.begin());
  const QString what =
      QStringLiteral("GETTING %1 TRACKS FROM %2")
          .arg(QString::fromUtf8(fetched_.family.data(), static_cast<qsizetype>(fetched_.family.size())).toUpper(),
               QString::fromStdString(fetched_.url));
  frame_.statusBar()->showMessage(what);
  cancelButton_->show();
  fetch_.disconnect(this);
  connect(&fetch_, &TrackFetch::progress, this, [this, what](qint64 received, qint64 total) {
    const QString amount = total > 0 ? QStringLiteral("%1 OF %2 KB").arg(received / 1024).arg(total / 1024)
                                     : QStringLiteral("%1 KB").arg(received / 1024);
    frame_.statusBar()->showMessage(what + QStringLiteral(": ") + amount);
  });
  connect(&fetch_, &TrackFetch::finished, this, &MainWin::fetchEnded);
  fetch_.start(fetched_.url, fetchLimits(app_.settings));
}

void MainWin::fetchEnded(const FetchOutcome& outcome) {
  if (outcome.reason == FETCH_CANCELLED) {
    // The user stopped it: the whole round ends, and nothing needs a box.
    toFetch_.clear();
    cancelButton_->hide();
    escape_->setEnabled(false);
    frame_.statusBar()->showMessage(QStringLiteral("GETTING TRACKS CANCELLED"), 10000);
    return;
  }
  if (outcome.ok) {
    // The first family stored chooses the region; the others join it on the
    // map rather than pull the view away.
    const CommandEffect effect =
        commands_.storeFetchedTracks(fetched_.family, fetched_.url, outcome.bytes, !regionShown_);
    regionShown_ = regionShown_ || effect.repaint;
    carryOut(effect);
  } else {
    // The progress line and its Cancel are over while the box is up.
    cancelButton_->hide();
    frame_.statusBar()->clearMessage();
    app_.boxes.show("CAN'T GET TRACKS:", fetched_.url + ": " + outcome.reason, MessageIcon::Stop);
  }
  fetchNext();
}

void MainWin::readNavDataInBackground() {
  const std::string folder = app_.settings.lookup("NavDataDir");
  if (folder.empty() || readingNavData()) return;
  // Unchanged on disk since the last read: nothing to do.
  const std::string signature = xpNavDataSignature(folder);
  if (signature == navDataSignature_) return;
  navDataSignature_ = signature;
  frame_.statusBar()->showMessage(
      QStringLiteral("READING NAVIGATION DATA FROM %1").arg(QString::fromStdString(folder)));
  navDataReader_ = std::thread([this, folder] {
    navDataResult_ = std::make_shared<Result<XpNavData>>(readXpNavData(folder, &navDataStop_));
    QMetaObject::invokeMethod(this, "navDataRead", Qt::QueuedConnection);
  });
}

void MainWin::navDataRead() {
  // The join orders the reader's result before what follows.
  navDataReader_.join();
  const std::shared_ptr<Result<XpNavData>> read = std::move(navDataResult_);
  showProblems(app_.boxes, read->problems);
  if (*read) {
    const std::size_t points = (*read)->pointCount(), segments = (*read)->segments().size();
    app_.fixes.edit().setNavData(std::make_shared<const XpNavData>(std::move(**read)));
    frame_.statusBar()->showMessage(
        QStringLiteral("NAVIGATION DATA: %1 FIXES AND NAVAIDS, %2 AIRWAY SEGMENTS").arg(points).arg(segments), 10000);
    requestRepaint();
  } else {
    frame_.statusBar()->clearMessage();
  }
}

void MainWin::cancelFetch() {
  if (fetching()) fetch_.cancel();
}

void MainWin::showProcedureDialog(bool route) {
  const auto path =
      route ? chooseFile(QStringLiteral("Read Route"), routeFolder(app_),
                         routeFileFilters(app_.settings.lookup("RouteFileType")))
            : chooseFile(QStringLiteral("Read SID/STAR/APP"), procedureFolder(app_), procedureFileFilters());
  if (!path) return;
  carryOut(commands_.readProcedure(*path, route));
}

void MainWin::showFlightPlanDialog() {
  const auto path = chooseFile(QStringLiteral("Open Flight Plan"), routeFolder(app_), flightPlanFileFilters());
  if (path) carryOut(commands_.readProcedure(*path, true));
}

void MainWin::showCentreDialog() {
  QInputDialog dialog(this);
  dialog.setWindowTitle(QStringLiteral("SET MAP CENTER"));
  dialog.setLabelText(QStringLiteral("L/L (e.g. N0000/W00000), or 747*.APT:"));
  dialog.setInputMode(QInputDialog::TextInput);
  if (auto* field = dialog.findChild<QLineEdit*>()) field->setMaxLength(30);
  if (dialog.exec() != QDialog::Accepted) return;
  carryOut(commands_.applyCentreText(dialog.textValue().toStdString()));
}

void MainWin::showRangeDialog() {
  QInputDialog dialog(this);
  dialog.setWindowTitle(QStringLiteral("SET MAP RANGE"));
  dialog.setLabelText(app_.switches.kilometerDistances ? QStringLiteral("Range (KM):") : QStringLiteral("Range (NM):"));
  dialog.setInputMode(QInputDialog::TextInput);
  if (auto* field = dialog.findChild<QLineEdit*>()) field->setMaxLength(30);
  if (dialog.exec() != QDialog::Accepted) return;
  carryOut(commands_.applyRangeText(dialog.textValue().toStdString()));
}

void MainWin::showStartHourDialog() {
  QInputDialog dialog(this);
  dialog.setWindowTitle(QStringLiteral("TERMINATOR - START HOUR"));
  dialog.setLabelText(QStringLiteral("NOW -or- hhZ dd-mm-(yy)yy (e.g. 08Z 29/09/99)"));
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setTextValue(QString::fromStdString(app_.terminator.timeText.substr(0, 29)));
  if (auto* field = dialog.findChild<QLineEdit*>()) field->setMaxLength(29);
  if (dialog.exec() != QDialog::Accepted) return;
  carryOut(commands_.applyStartHour(dialog.textValue().toStdString()));
}

void MainWin::showExportDialog() {
  if (app_.tracks->empty()) {
    app_.boxes.show("EXPORT TRACKS", "NO TRACKS ARE STORED: read a track message first.", MessageIcon::Information);
    return;
  }
  const QString folder = saveFolder_.isEmpty() ? QString::fromStdString(commands_.trackFolder()) : saveFolder_;
  QFileDialog dialog(this, QStringLiteral("Export Tracks"), folder);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(
      {QStringLiteral("GeoJSON (*.geojson *.json)"), QStringLiteral("KML (*.kml)"), QStringLiteral("GPX (*.gpx)")});
  dialog.selectFile(QString::fromStdString(suggestedTrackExportName(app_) + ".geojson"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  exportTracksTo(chosenSavePath(dialog));
}

bool MainWin::exportTracksTo(const std::string& path) {
  const std::vector<ResolvedTrack> tracks = resolvedTracks(app_.tracks);
  const Problems problems = writeTrackExport(path, tracks);
  if (problems.empty()) {
    saveFolder_ = QFileInfo(QString::fromStdString(path)).absolutePath();
    frame_.setNote("WROTE " + std::to_string(tracks.size()) + (tracks.size() == 1 ? " TRACK TO " : " TRACKS TO ") +
                   path);
    return true;
  }
  app_.boxes.show("CAN'T EXPORT TRACKS", wordProblem(problems.front()).text, MessageIcon::Stop);
  return false;
}

void MainWin::showBestTrackDialog() {
  if (app_.tracks->empty()) {
    app_.boxes.show("BEST TRACK", "NO TRACKS ARE STORED: read a track message first.", MessageIcon::Information);
    return;
  }
  BestTrackDialog dialog(
      [this](const std::string& from, const std::string& to) { return rankCityPair(app_, from, to); }, bestTrackFrom_,
      bestTrackTo_, this);
  const int result = dialog.exec();
  if (result == BestTrackDialog::Cleared) {
    clearPlottedRoute(app_);
    requestRepaint();
    return;
  }
  if (result != QDialog::Accepted) return;
  bestTrackFrom_ = dialog.from();
  bestTrackTo_ = dialog.to();
  // Accepted before the pair typed was ranked: rank it now.
  if (dialog.ranking().from.ident != bestTrackFrom_ || dialog.ranking().to.ident != bestTrackTo_) dialog.rank();
  if (!dialog.ranking().error.empty()) {
    app_.boxes.show("BEST TRACK", dialog.ranking().error, MessageIcon::Information);
    return;
  }
  if (plotTrackConnections(app_, dialog.ranking(), dialog.chosenLetter())) requestRepaint();
}

void MainWin::showRouteStringDialog() {
  QInputDialog dialog(this);
  dialog.setWindowTitle(QStringLiteral("READ ROUTE STRING"));
  dialog.setLabelText(QStringLiteral("Route (e.g. KJFK DCT MERIT ... NATU ... EGLL); empty takes it off the map:"));
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setOption(QInputDialog::UsePlainTextEditForTextInput);
  dialog.setTextValue(QString::fromStdString(app_.routeString));
  dialog.resize(640, 240);
  if (dialog.exec() != QDialog::Accepted) return;
  applyRouteString(dialog.textValue().toStdString());
}

void MainWin::applyRouteString(const std::string& text) {
  const RouteStringOutcome outcome = showRouteString(app_, text);
  if (!outcome.error.empty()) {
    app_.boxes.show("ROUTE STRING", outcome.error, MessageIcon::Stop);
    return;
  }
  if (!outcome.notes.empty()) app_.boxes.show("ROUTE STRING", outcome.notes, MessageIcon::Information);
  carryOut({true, UiRequest::None, "", "", ""});
}

void MainWin::showSaveRoutePlanDialog() {
  if (!app_.plottedRoute->routeString) {
    app_.boxes.show("SAVE ROUTE", "NO ROUTE STRING IS DRAWN: read one first.", MessageIcon::Information);
    return;
  }
  const QString today = QStringLiteral("Flight plan (*.pln)"), fs2004 = QStringLiteral("FS2004 flight plan (*.pln)");
  const QString folder = saveFolder_.isEmpty() ? QString::fromStdString(routeFolder(app_)) : saveFolder_;
  QFileDialog dialog(this, QStringLiteral("Save Route as Flight Plan"), folder);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({today, fs2004, QStringLiteral("X-Plane (*.fms)")});
  dialog.selectFile(QString::fromStdString(suggestedRoutePlanName(app_.plottedRoute) + ".pln"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  saveRoutePlanTo(chosenSavePath(dialog), dialog.selectedNameFilter() == fs2004);
}

bool MainWin::saveRoutePlanTo(const std::string& path, bool fs2004) {
  std::string error;
  if (saveRouteStringPlan(app_, path, fs2004, error)) {
    saveFolder_ = QFileInfo(QString::fromStdString(path)).absolutePath();
    frame_.setNote("WROTE FLIGHT PLAN " + suggestedRoutePlanName(app_.plottedRoute) + " (" +
                   std::to_string(app_.plottedRoute->points.size()) + " POINTS) TO " + path);
    return true;
  }
  app_.boxes.show("CAN'T SAVE ROUTE", error, MessageIcon::Stop);
  return false;
}

void MainWin::showPropertySheet() {
  PropertySheet sheet(commands_);
  const auto setStartTime = [this, &sheet] {
    showStartHourDialog();
    sheet.refresh(cmd::UseCurrentTime, commands_);
  };
  PropertySheetDialog dialog(sheet, setStartTime, this);
  if (dialog.exec() != QDialog::Accepted) return;
  carryOut(sheet.apply(commands_));
}

void MainWin::showPrinterSetup() {
  QPageSetupDialog dialog(&printer_, this);
  dialog.exec();
  const bool repaint =
      commands_.followPrinterOrientation(printer_.pageLayout().orientation() == QPageLayout::Landscape);
  carryOut({repaint, UiRequest::None, "", "", ""});
}

void MainWin::showPrintDialog() {
  QPrintDialog dialog(&printer_, this);
  // One page, always: no range to choose.
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  if (dialog.exec() != QDialog::Accepted) return;
  printPage();
}

bool MainWin::printPage() {
  PrintPage page;
  page.testPattern = commands_.testPattern();
  const std::time_t now = app_.clock.now();
  page.timeBiasMinutes = -app_.clock.utcOffsetSeconds(now) / 60;
  std::string error;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool printed = printMapPage(printer_, app_.paintInput(), page, error);
  QApplication::restoreOverrideCursor();
  if (!printed) app_.boxes.show("CAN'T PRINT", error, MessageIcon::Stop);
  requestRepaint();
  return printed;
}

void MainWin::paintEvent(QPaintEvent* event) {
  const FrameTimer timer;
  QPainter painter(this);
  if (commands_.testPattern()) {
    QtMapCanvas canvas(painter, &texts_);
    const std::time_t now = app_.clock.now();
    drawFontSampleScreen(canvas, {0, 0, width(), height()}, -app_.clock.utcOffsetSeconds(now) / 60);
    frameLog_.write(timer.elapsedMilliseconds(), "full");
    return;
  }
  const MapFrame mapFrame = takeFrame(app_.paintInput());
  const bool current = map_.isCurrent(mapFrame, *this);
  if (following_ && map_.hasFrame() && !current) {
    map_.paintMoved(painter, *this, mapFrame, followAnchor_.x(), followAnchor_.y());
    screenProjection_.setup(app_.view.viewport(width(), height()));
    paintFlight(painter, mapFrame, rect());
    map_.paintInBackground(mapFrame, *this,
                           [this] { QMetaObject::invokeMethod(this, "backgroundPaintEnded", Qt::QueuedConnection); });
    frameLog_.write(timer.elapsedMilliseconds(), "moved");
    return;
  }
  following_ = false;
  if (!current) QApplication::setOverrideCursor(Qt::WaitCursor);
  screenProjection_ = map_.paint(painter, *this, mapFrame).projection;
  if (!current) QApplication::restoreOverrideCursor();
  paintFlight(painter, mapFrame, event->rect());
  frameLog_.write(timer.elapsedMilliseconds(), map_.stagesPainted() != stagesShown_ ? "full" : "tools");
  stagesShown_ = map_.stagesPainted();
}

void MainWin::resizeEvent(QResizeEvent*) { requestRepaint(); }

void MainWin::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  frame_.statusBar()->showMessage(
      QString::fromStdString(mouseReadout(p.x(), p.y(), screenProjection_, app_.view, commands_.testPattern(),
                                          app_.switches.kilometerDistances, app_.magneticModel())));
  if (!pressedAt_ || !(event->buttons() & Qt::LeftButton) || commands_.testPattern()) return;
  if (!dragging_ && (p - *pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
    dragHeld_ = screenProjection_.fromDevice(pressedAt_->x(), pressedAt_->y());
    // Off the map there is nothing to hold.
    if (dragHeld_.isUnset()) return;
    dragStart_ = app_.view;
    dragging_ = true;
    // The user takes the map: it no longer follows the aircraft.
    if (app_.flight.followAircraft) {
      app_.flight.followAircraft = false;
      frame_.syncChecks();
    }
    setCursor(Qt::ClosedHandCursor);
  }
  if (dragging_) {
    mouse_.dragTo(dragHeld_, p.x(), p.y(), width(), height());
    follow(p);
  }
}

void MainWin::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressedAt_ = event->position().toPoint();
}

void MainWin::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) mouse_.leftDoubleClick();
}

void MainWin::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    const bool dragged = dragging_;
    const std::optional<QPoint> pressed = pressedAt_;
    pressedAt_.reset();
    if (dragged) {
      dragging_ = false;
      dragStart_.reset();
      unsetCursor();
      mouse_.dragTo(dragHeld_, p.x(), p.y(), width(), height());
      mouse_.endDrag(dragHeld_, p.x(), p.y(), width(), height());
      frame_.syncChecks();
      ++repaintRequests_;
      follow(p);  // repainted even where the map cannot move
    } else if (pressed) {
      if (const auto text = mouse_.leftPress(p.x(), p.y(), screenProjection_)) frame_.appendInputText(*text);
    }
    return;
  }
  if (event->button() != Qt::RightButton) return;
  if (mouse_.rightRelease(p.x(), p.y(), screenProjection_)) carryOut({true, UiRequest::None, "", "", ""});
}

// A file dropped on the map opens by what it holds.
void MainWin::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() == 1 && urls.front().isLocalFile()) event->acceptProposedAction();
}

void MainWin::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  openFile(urls.front().toLocalFile().toStdString());
}

void MainWin::openFile(const std::string& path) { carryOut(commands_.openDropped(path)); }

void MainWin::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && fetching()) {
    cancelFetch();
    return;
  }
  if (event->key() == Qt::Key_Escape && dragging_) {
    // The drag is dropped: the map goes back, and the release does nothing.
    dragging_ = false;
    pressedAt_.reset();
    unsetCursor();
    if (dragStart_) app_.view = *dragStart_;
    dragStart_.reset();
    follow(rect().center());
    return;
  }
  QWidget::keyPressEvent(event);
}

// The wheel steps the range as Range Down and Range Up do, one step a notch,
// about the position under the pointer.
void MainWin::wheelEvent(QWheelEvent* event) {
  const QPoint p = event->position().toPoint();
  wheelSteps_ += event->angleDelta().y();
  bool stepped = false;
  while (wheelSteps_ >= 120 || wheelSteps_ <= -120) {
    const bool in = wheelSteps_ > 0;
    wheelSteps_ += in ? -120 : 120;
    mouse_.zoomAt(p.x(), p.y(), in, screenProjection_);
    stepped = true;
    // The next step needs the projection of this one.
    Projection next;
    next.setup(app_.view.viewport(width(), height()));
    screenProjection_ = next;
  }
  // Out of 0.1 ... 11000 the range stays, and the map repaints all the same.
  if (stepped) {
    frame_.syncChecks();
    ++repaintRequests_;
    follow(p);
  }
  event->accept();
}

}  // namespace korvant
