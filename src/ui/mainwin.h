#pragma once
// The map window (the map widget inside the frame): paints the map, runs the
// commands, maps the mouse.
#include <QPrinter>
#include <QShortcut>
#include <QWidget>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/context.h"
#include "app/mapcommands.h"
#include "app/maptools.h"
#include "app/mousereadout.h"
#include "map/projection.h"
#include "platform/framelog.h"
#include "platform/jobrunner.h"
#include "platform/layeredmap.h"
#include "platform/livelink.h"
#include "platform/qtcanvas.h"
#include "platform/trackfetch.h"

namespace korvant {

class FrameWin;

// The map window: the frame's client. It applies the control-file keys when
// it is created, runs every command, and turns the mouse into positions.
class MainWin : public QWidget {
  Q_OBJECT
 public:
  MainWin(AppContext& app, FrameWin& frame);
  ~MainWin() override;

  // Runs a menu, accelerator or button command.
  void command(int id);
  MapCommands& commands() { return commands_; }

  // The projection of the last screen paint: the mouse maps against it.
  const Projection& screenProjection() const { return screenProjection_; }
  // How often a repaint was asked for; tests watch it.
  int repaintRequests() const { return repaintRequests_; }
  const LayeredMap& layeredMap() const { return map_; }
  FrameLog& frameLog() { return frameLog_; }
  void requestRepaint();

  // Opens a file by what it holds, as a drop on the map does.
  void openFile(const std::string& path);
  void showCentreDialog();
  void showRangeDialog();
  void showStartHourDialog();
  void showTrackDialog();
  void showProcedureDialog(bool route);
  void showFlightPlanDialog();
  void showPropertySheet();
  void showExportDialog();
  // Writes the stored tracks to `path`; a failure is said in a message box.
  bool exportTracksTo(const std::string& path);
  void showBestTrackDialog();
  void showRouteStringDialog();
  // Reads and draws a route string; what could not be used is said in boxes.
  void applyRouteString(const std::string& text);
  void showSaveRoutePlanDialog();
  // Writes the route string drawn as a flight plan; a failure is said in a box.
  bool saveRoutePlanTo(const std::string& path, bool fs2004);
  // "&Get Today's Tracks": every family whose address is set, one after the
  // other, while the window goes on; the message bar shows what arrives.
  void getTodaysTracks();
  bool fetching() const { return fetch_.running(); }
  // Escape or the message bar's Cancel: the fetch stops, the map stays.
  void cancelFetch();
  // NavDataDir's files read on a thread of their own while the map is used;
  // the message bar says so, and the map takes them when they are read. At
  // start-up, and again whenever the window comes to the front and the files
  // have changed since.
  void readNavDataInBackground();
  bool readingNavData() const { return navDataReader_.joinable(); }
  void showPrinterSetup();
  void showPrintDialog();

  // "Connect to Simulator": the link opened with the keys' settings, or
  // closed; what goes wrong is said in a box and the item stays unchecked.
  void connectSimulator(bool on);
  LiveLink& liveLink() { return live_; }
  void showSimulatorSettings();
  void showFlightSettings();
  void showExportTrailDialog();
  // Writes the trail as GPX to `path`; a failure is said in a message box.
  bool exportTrailTo(const std::string& path);
  void clearTrail();
  // The Flight panel from the progress and the oceanic words; before the
  // simulator gives them, the times planned.
  void showFlightPanel();
  // The departure typed in the panel ("HHMM", UTC; empty for none).
  void departureTyped(const QString& text);
  // Frames that drew the aircraft and how many of them repainted its box
  // alone; tests watch them.
  int aircraftFrames() const { return aircraftFrames_; }

  // The printer, one for the program's life, and the page the print dialog
  // runs once accepted; a failure is said in a message box.
  QPrinter& printer() { return printer_; }
  bool printPage();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // An existing file chosen in a dialog, or nothing when cancelled.
  std::optional<std::string> chooseFile(const QString& title, const std::string& folder,
                                        const std::vector<FileFilter>& filters);

  void carryOut(const CommandEffect& effect);
  // The map follows the hand: the kept images moved at once, the full paint
  // in the background; `anchor` is the point whose position must not slip.
  void follow(QPoint anchor);
  // A background paint ended: its images are taken and shown.
  // Called by name from the painting and reading threads, through the
  // event queue: they hand over nothing but the call, and what they leave
  // is taken after a wait or join that orders it before.
  Q_INVOKABLE void backgroundPaintEnded();
  Q_INVOKABLE void navDataRead();
  void aircraftMoved();
  void liveStatusChanged();
  // The trail and the aircraft over the map's picture, where `dirty` asks.
  void paintFlight(QPainter& painter, const MapFrame& mapFrame, const QRect& dirty);
  // The small map font, which the aircraft's tag is written in.
  FontSpec aircraftTagFont() const;
  // Where the aircraft, and the trail's last line to it, lie on the screen.
  QRect flightBox() const;
  void fetchNext();
  void fetchEnded(const FetchOutcome& outcome);
  void runTool(int id);

  AppContext& app_;
  FrameWin& frame_;
  MapCommands commands_;
  MouseOnMap mouse_;
  MapTools tools_;
  Projection screenProjection_;
  QtTextCache texts_;
  LayeredMap map_;
  QPrinter printer_{QPrinter::HighResolution};
  int repaintRequests_ = 0;
  int wheelSteps_ = 0;
  // A left press becomes a click on release, or a drag once it moves.
  std::optional<QPoint> pressedAt_;
  bool dragging_ = false;
  std::optional<MapView> dragStart_;  // the view when the drag began, for Escape
  LatLng dragHeld_;                   // the position grabbed
  bool following_ = false;            // moved frames until the full paint arrives
  QPoint followAnchor_;
  FrameLog frameLog_;
  int stagesShown_ = 0;                      // the map's stages painted when the last frame was shown
  std::string bestTrackFrom_, bestTrackTo_;  // the city pair last ranked
  QString saveFolder_;                       // where the last file was saved, for this session
  QShortcut* escape_ = nullptr;              // Escape while a fetch runs
  TrackFetch fetch_;
  std::vector<TrackSource> toFetch_;  // the sources after the one being fetched
  TrackSource fetched_;               // the one being fetched
  bool regionShown_ = false;          // a set of this round has chosen the map's region
  QWidget* cancelButton_ = nullptr;
  std::thread navDataReader_;
  std::atomic<bool> navDataStop_{false};
  std::shared_ptr<Result<XpNavData>> navDataResult_;  // written by the reader, read after its join
  std::string navDataSignature_;                      // of the files last read
  LiveLink live_;
  // ETOPS worked out off this thread (the context points at it).
  JobRunner jobs_;
  double trailKept_ = -1e9;  // when the trail file was last written, steady seconds
  int aircraftFrames_ = 0;
  std::string liveNote_;  // the link's state last said in the message bar
};

}  // namespace korvant
