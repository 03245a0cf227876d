// The real window on Qt's offscreen platform: menus, check marks, repaints
// and the mouse.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <thread>

#include "app/menutable.h"
#include "app/mousereadout.h"
#include "app/startup.h"
#include "base/layercontrols.h"
#include "geo/greatcircle.h"
#include "geo/positiontext.h"
#include "platform/jobrunner.h"
#include "support/recordingboxes.h"
#include "support/tempdir.h"
#include "support/windowfixture.h"
#include "ui/framewin.h"
#include "ui/mainwin.h"

namespace korvant {
namespace {

constexpr int kNorthAtlantic = cmd::PresetNat, kEurope = cmd::PresetEurope, kGrid = cmd::LatLongGrid;

TEST_F(MainWindowTest, MenusInOrderWithTheirTexts) {
  QStringList titles;
  for (QAction* a : frame->menuBar()->actions()) titles << a->text();
  EXPECT_EQ(titles, (QStringList{"&File", "&Display", "&Map", "&Projection", "Dat&a", "Daf&if", "F&light",
                                 "P&roperties", "&Help"}));
  EXPECT_EQ(frame->action(cmd::Exit)->shortcut(), QKeySequence("Alt+F4"));
  EXPECT_EQ(frame->action(cmd::RangeDown)->shortcut(), QKeySequence(Qt::Key_F3));
  EXPECT_EQ(frame->action(kNorthAtlantic)->text(), "&1 North Atlantic");
  const auto owners = frame->action(kNorthAtlantic)->associatedObjects();
  ASSERT_EQ(owners.size(), 1);
  auto* submenu = qobject_cast<QMenu*>(owners[0]);
  ASSERT_NE(submenu, nullptr);
  EXPECT_EQ(submenu->title(), "&Oceanic");
  EXPECT_EQ(submenu->menuAction()->associatedObjects().size(), 1);
  EXPECT_TRUE(checked(kNorthAtlantic));  // the default initial map
  EXPECT_TRUE(checked(kGrid));
  EXPECT_TRUE(checked(cmd::Toolbar));
  EXPECT_FALSE(frame->action(cmd::SpecialProhibited)->isEnabled());  // Special Use: no handler
}

TEST_F(MainWindowTest, AProcedureChosenInItsDialogIsShownOnTheProcedureMap) {
  const std::string ps1 = std::string(KORVANT_RUN_FOLDER) + "/PS1/";
  app.sim.fresh().setFolders(ps1, ps1);
  QString folder;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    folder = dialog->directory().absolutePath();
    dialog->selectFile(QString::fromStdString(ps1 + "deparr/EGLL/KORV1A.ARR"));
    static_cast<QDialog*>(dialog)->accept();
  });
  const int before = map().repaintRequests();
  trigger(cmd::ReadProcedure);
  EXPECT_EQ(folder.toStdString(), ps1 + "deparr");
  EXPECT_EQ(app.procedure->title, "EGLL");
  EXPECT_EQ(app.procedure->source.fileName, "KORV1A.ARR");
  EXPECT_TRUE(checked(cmd::ProcedureMap));
  EXPECT_FALSE(checked(kNorthAtlantic));
  EXPECT_GT(map().repaintRequests(), before);
  EXPECT_TRUE(boxes.shown.empty());

  // Cancelled: nothing changes.
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  trigger(cmd::ReadRoute);
  EXPECT_EQ(app.procedure->source.fileName, "KORV1A.ARR");
}

TEST_F(MainWindowTest, PresetChecksAndRepaints) {
  const int before = map().repaintRequests();
  trigger(kEurope);
  EXPECT_TRUE(checked(kEurope));
  EXPECT_FALSE(checked(kNorthAtlantic));
  EXPECT_GT(map().repaintRequests(), before);
  trigger(kEurope);
  EXPECT_TRUE(checked(kEurope));  // choosing it again keeps it checked
  trigger(cmd::Globe);
  EXPECT_TRUE(checked(cmd::Globe));
  EXPECT_TRUE(checked(cmd::Orthographic));
  EXPECT_FALSE(checked(kEurope));
}

TEST_F(MainWindowTest, RangeUpRefusedStillRepaints) {
  app.view.setRange(10000);
  const int before = map().repaintRequests();
  trigger(cmd::RangeUp);
  EXPECT_EQ(app.view.range, 10000);
  EXPECT_EQ(map().repaintRequests(), before + 1);
}

TEST_F(MainWindowTest, ToggleWithoutAutoRedrawChangesOnlyTheCheckMark) {
  const int before = map().repaintRequests();
  trigger(kGrid);
  EXPECT_FALSE(checked(kGrid));
  EXPECT_FALSE(app.switches.latLongGrid);
  EXPECT_EQ(map().repaintRequests(), before);
  trigger(cmd::Redraw);
  EXPECT_EQ(map().repaintRequests(), before + 1);
}

TEST_F(MainWindowTest, AllRoutesOnTogglesTheOthers) {
  trigger(cmd::AllRoutesOff);
  trigger(cmd::RouteGroup2);
  trigger(cmd::RouteGroup5);
  trigger(cmd::AllRoutesOn);
  for (int id : {cmd::RouteGroup1, cmd::RouteGroup2, cmd::RouteGroup3, cmd::RouteGroup4, cmd::RouteGroup5,
                 cmd::RouteGroup6, cmd::RouteGroup7, cmd::RouteGroup8})
    EXPECT_TRUE(checked(id)) << id;
}

TEST_F(MainWindowTest, ToolbarAndStatusBarShowAndHide) {
  trigger(cmd::Toolbar);
  EXPECT_FALSE(frame->controlBar()->isVisible());
  EXPECT_FALSE(checked(cmd::Toolbar));
  trigger(cmd::StatusBar);
  EXPECT_FALSE(frame->statusBar()->isVisible());
  trigger(cmd::Toolbar);
  EXPECT_TRUE(frame->controlBar()->isVisible());
}

TEST_F(MainWindowTest, MouseMoveWritesTheMessageBar) {
  const QPoint at(300, 200);
  QTest::mouseMove(&map(), at);
  QCoreApplication::processEvents();
  const std::string expected = mouseReadout(at.x(), at.y(), map().screenProjection(), app.view, false, false);
  EXPECT_EQ(frame->statusBar()->currentMessage().toStdString(), expected);
  EXPECT_NE(expected.find("VAR"), std::string::npos);
}

TEST_F(MainWindowTest, DoubleClickAppendsOnePosition) {
  const QPoint at(map().width() / 2, map().height() / 2);
  send(QEvent::MouseButtonPress, Qt::LeftButton, at);
  send(QEvent::MouseButtonRelease, Qt::LeftButton, at);
  send(QEvent::MouseButtonDblClick, Qt::LeftButton, at);
  send(QEvent::MouseButtonRelease, Qt::LeftButton, at);
  send(QEvent::MouseButtonPress, Qt::LeftButton, at);  // swallowed
  send(QEvent::MouseButtonRelease, Qt::LeftButton, at);
  const LatLng p = map().screenProjection().fromDevice(at.x(), at.y());
  EXPECT_EQ(input().toStdString(), " " + formatLat(p.lat) + "/" + formatLng(p.lng));
  send(QEvent::MouseButtonPress, Qt::LeftButton, at);
  EXPECT_EQ(input().count('/'), 1);  // a click counts when the button comes up
  send(QEvent::MouseButtonRelease, Qt::LeftButton, at);
  EXPECT_EQ(input().count('/'), 2);
}

TEST_F(MainWindowTest, DraggingPansTheMapAndEscapeCancelsIt) {
  const QPoint from(map().width() / 2 + 100, map().height() / 2 + 60), to = from + QPoint(-150, 40);
  const LatLng held = map().screenProjection().fromDevice(from.x(), from.y());
  const auto moveTo = [&](QPoint p) {
    QMouseEvent move(QEvent::MouseMove, p, map().mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&map(), &move);
  };
  send(QEvent::MouseButtonPress, Qt::LeftButton, from);
  moveTo(from + QPoint(-60, 10));
  moveTo(to);
  send(QEvent::MouseButtonRelease, Qt::LeftButton, to);
  EXPECT_TRUE(input().isEmpty());  // a drag is no click
  EXPECT_FALSE(checked(kNorthAtlantic));
  QCoreApplication::processEvents();
  map().repaint();
  const DevicePoint now = map().screenProjection().toDevice(held);
  EXPECT_NEAR(now.x, to.x(), 3);  // the dragged position came with the pointer
  EXPECT_NEAR(now.y, to.y(), 3);

  const LatLng centre = app.view.centre;
  send(QEvent::MouseButtonPress, Qt::LeftButton, from);
  moveTo(to);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(&map(), &escape);
  send(QEvent::MouseButtonRelease, Qt::LeftButton, to);
  EXPECT_EQ(app.view.centre.lat, centre.lat);
  EXPECT_EQ(app.view.centre.lng, centre.lng);
  EXPECT_TRUE(input().isEmpty());
}

TEST_F(MainWindowTest, RightClickRecentres) {
  const QPoint at(map().width() / 2 + 120, map().height() / 2);
  const LatLng target = map().screenProjection().fromDevice(at.x(), at.y());
  const int before = map().repaintRequests();
  send(QEvent::MouseButtonPress, Qt::RightButton, at);
  send(QEvent::MouseButtonRelease, Qt::RightButton, at);
  EXPECT_EQ(app.view.centre.lat, target.lat);
  EXPECT_EQ(app.view.centre.lng, target.lng);
  EXPECT_EQ(app.view.range, 1000);
  EXPECT_FALSE(checked(kNorthAtlantic));
  EXPECT_GT(map().repaintRequests(), before);
}

TEST_F(MainWindowTest, ToolsWorkOnTheControlBarFields) {
  auto* result = frame->findChild<QLineEdit*>("resultField");
  frame->setInputText("50/30 50/20");
  trigger(cmd::Distance);
  EXPECT_TRUE(result->text().startsWith(QString::fromUtf8("086.17\xC2\xB0T")));
  EXPECT_EQ(app.tools.mode, ToolMode::Distance);
  frame->setInputText("50/30 50/20 51/25");
  trigger(cmd::Intersection);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "LINES DO NOT INTERSECT, OR NOT 4 VALID FIXES");
  EXPECT_TRUE(result->text().startsWith(QString::fromUtf8("086.17")));  // unchanged
  trigger(cmd::Clear);
  EXPECT_TRUE(input().isEmpty());
  EXPECT_TRUE(result->text().isEmpty());
  EXPECT_EQ(app.tools.mode, ToolMode::None);
}

TEST_F(MainWindowTest, TwoClickedPositionsMeasuredWithF8) {
  const QPoint a(map().width() / 2 - 100, map().height() / 2), b(map().width() / 2 + 100, map().height() / 2 - 50);
  for (QPoint at : {a, b}) {
    send(QEvent::MouseButtonPress, Qt::LeftButton, at);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, at);
  }
  trigger(cmd::Distance);
  const LatLng pa = map().screenProjection().fromDevice(a.x(), a.y());
  const LatLng pb = map().screenProjection().fromDevice(b.x(), b.y());
  // The clicked texts are rounded to hundredths of a minute.
  const double expected = distanceNm(pa, pb);
  const QString text = frame->findChild<QLineEdit*>("resultField")->text();
  const double shown = text.section(' ', 2, 2).toDouble();
  EXPECT_NEAR(shown, expected, 0.05) << text.toStdString();
  EXPECT_EQ(app.tools.mode, ToolMode::Distance);
}

// Run again by ctest with QT_SCALE_FACTOR=2: the window as on a high-density
// screen, painted in every device pixel rather than scaled up.
TEST_F(MainWindowTest, HighDensityScreensGetEveryDevicePixel) {
  if (map().devicePixelRatioF() < 2) GTEST_SKIP() << "run with QT_SCALE_FACTOR=2";
  const QImage shot = map().grab().toImage();
  ASSERT_EQ(shot.width(), 2 * map().width());
  EXPECT_EQ(map().screenProjection().width(), map().width());  // the map in device-independent units
  int within = 0;  // device pixels that differ from their neighbour within one map pixel
  for (int y = 0; y + 1 < shot.height(); y += 2)
    for (int x = 0; x + 1 < shot.width(); x += 2) within += shot.pixel(x, y) != shot.pixel(x + 1, y);
  EXPECT_GT(within, 500);
}

TEST_F(MainWindowTest, WheelStepsTheRange) {
  const LatLng held = map().screenProjection().fromDevice(100, 100);
  QWheelEvent in(QPointF(100, 100), map().mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, 120), Qt::NoButton,
                 Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&map(), &in);
  EXPECT_DOUBLE_EQ(app.view.range, 800);
  // The position under the pointer stays under it.
  map().repaint();
  const DevicePoint d = map().screenProjection().toDevice(held);
  EXPECT_NEAR(d.x, 100, 1);
  EXPECT_NEAR(d.y, 100, 1);
  QWheelEvent out(QPointF(100, 100), map().mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, -240), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&map(), &out);
  EXPECT_DOUBLE_EQ(app.view.range, 1250);
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// The navigation data is read on its own thread; the window takes it when read.
TEST_F(MainWindowTest, NavigationDataIsReadInTheBackground) {
  test::TempDir data;
  data.write("earth_fix.dat", "I\n1101 Version - made up, NOT FOR NAVIGATION\n 50.0 -40.0 ZZQQZ ENRT EG 0\n99\n");
  data.write("earth_nav.dat", "I\n1150 Version\n99\n");
  app.settings.set("NavDataDir", data.str(), false);
  map().readNavDataInBackground();
  EXPECT_TRUE(frame->statusBar()->currentMessage().startsWith("READING NAVIGATION DATA FROM"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return app.fixes->navData() != nullptr; }, 10000));
  EXPECT_FALSE(map().readingNavData());
  EXPECT_EQ(frame->statusBar()->currentMessage(), "NAVIGATION DATA: 1 FIXES AND NAVAIDS, 0 AIRWAY SEGMENTS");
  ASSERT_EQ(boxes.shown.size(), 1u);  // earth_awy.dat is missing
  LatLng p;
  EXPECT_TRUE(app.fixes->resolvePosition("ZZQQZ", {5000, -4000}, p));
  // Unchanged files are not read again; a changed one is.
  const XpNavData* first = app.fixes->navData();
  map().readNavDataInBackground();
  EXPECT_FALSE(map().readingNavData());
  data.write("earth_awy.dat", "I\n1100 Version\n99\n");
  map().readNavDataInBackground();
  ASSERT_TRUE(QTest::qWaitFor([&] { return app.fixes->navData() != first; }, 10000));
}

// ETOPS is worked out off the window's thread: the note says so, and the
// picture and its note come in when it is done.
TEST_F(MainWindowTest, EtopsIsWorkedOutOffTheWindowsThread) {
  app.settings.set("EtopsMinutes", "120", false);
  app.settings.set("EtopsAirports", "52N009W 64N022W 49N054W", false);
  map().applyRouteString("53N015W 54N020W 54N030W 53N040W 52N050W");
  trigger(switchCommandOf("etops"));
  ASSERT_TRUE(app.switches.etops);
  EXPECT_TRUE(etopsBeingWorkedOut(app) || app.etops.picture);
  ASSERT_TRUE(QTest::qWaitFor([&] { return app.etops.picture != nullptr && !etopsBeingWorkedOut(app); }, 10000));
  const auto note = [&] { return frame->findChild<QLabel*>("note")->text(); };
  ASSERT_TRUE(QTest::qWaitFor([&] { return note() == "ETOPS: 3 DIVERSION AIRPORTS, 2 EQUAL-TIME POINTS"; }, 10000))
      << note().toStdString();
  EXPECT_EQ(app.paintInput().etops, app.etops.picture);
  // A change asks for a new picture; the old one is not shown meanwhile.
  map().applyRouteString("53N015W 55N020W 55N030W 54N040W 52N050W");
  const std::shared_ptr<const EtopsPicture> before = app.etops.picture;
  if (etopsBeingWorkedOut(app)) {
    EXPECT_EQ(app.paintInput().etops, nullptr);
  }
  ASSERT_TRUE(QTest::qWaitFor([&] { return app.etops.picture != before && !etopsBeingWorkedOut(app); }, 10000));
  EXPECT_EQ(app.etops.picture->route.size(), 5u);
}

// Only the newest job's finish is done; a job running is stopped by the next
// and by the runner's end, never waited for to the end of its work.
TEST(JobRunner, TheNewestJobWinsAndAStopEndsTheOld) {
  std::atomic<int> stoppedSeen{0};
  std::vector<int> finished;
  {
    JobRunner runner;
    const auto endless = [&](int id) {
      return [&, id](const std::atomic<bool>& stop) -> BackgroundJobs::Finish {
        while (!stop.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ++stoppedSeen;
        return [&, id] { finished.push_back(id); };
      };
    };
    runner.start(endless(1));
    runner.start([&](const std::atomic<bool>&) -> BackgroundJobs::Finish { return [&] { finished.push_back(2); }; });
    EXPECT_EQ(stoppedSeen.load(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !finished.empty(); }, 10000));
    runner.start(endless(3));
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(stoppedSeen.load(), 2);
  EXPECT_EQ(finished, std::vector<int>{2});
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// Every frame a drag or the wheel shows is the kept picture moved, until the
// full paint arrives from the background; the probe says which was which.
TEST_F(MainWindowTest, DragAndWheelShowTheMovedMapUntilTheFullPaintArrives) {
  test::TempDir folder;
  const std::string log = folder.str() + "/frames.log";
  map().frameLog().open(log.c_str());
  const auto frames = [&] {
    std::vector<std::string> kinds;
    std::ifstream in(log);
    for (std::string ms, kind; in >> ms >> kind;) kinds.push_back(kind);
    return kinds;
  };
  // Until the full paint has arrived, nothing else is shown.
  const auto expectMovedThenFull = [&](std::size_t from, std::size_t moved) {
    const auto full = [&] {
      const std::vector<std::string> kinds = frames();
      return std::find(kinds.begin() + std::min(from, kinds.size()), kinds.end(), "full") - kinds.begin();
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::size_t(full()) < frames().size(); }, 10000));
    const std::vector<std::string> kinds = frames();
    const std::size_t arrived = full();
    EXPECT_GE(arrived - from, moved);
    for (std::size_t i = from; i < arrived && i < kinds.size(); ++i) EXPECT_EQ(kinds[i], "moved") << i;
    return arrived + 1;
  };
  const QPoint from(map().width() / 2, map().height() / 2);
  const LatLng held = map().screenProjection().fromDevice(from.x(), from.y());
  const QImage before = map().grab().toImage();
  const std::size_t start = frames().size();
  send(QEvent::MouseButtonPress, Qt::LeftButton, from);
  QPoint at = from;
  QImage first;
  for (int step = 1; step <= 20; ++step) {
    at = from + QPoint(-12 * step, 5 * step);
    QMouseEvent move(QEvent::MouseMove, at, map().mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&map(), &move);
    if (step == 1)
      first = map().grab().toImage();
    else
      map().repaint();
  }
  // The grabbed spot of the map came along with the pointer, to a pixel.
  int same = 0, drawn = 0;
  for (int dy = -10; dy <= 10; ++dy)
    for (int dx = -10; dx <= 10; ++dx) {
      drawn += before.pixel(from.x() + dx, from.y() + dy) != qRgb(255, 255, 255);
      bool found = false;
      for (int ey = -1; ey <= 1; ++ey)
        for (int ex = -1; ex <= 1; ++ex)
          found |= first.pixel(from.x() - 12 + dx, from.y() + 5 + dy) ==
                   before.pixel(from.x() + dx + ex, from.y() + dy + ey);
      same += found;
    }
  EXPECT_EQ(same, 21 * 21);
  EXPECT_GT(drawn, 20);  // the spot holds the grid and the 50N label
  send(QEvent::MouseButtonRelease, Qt::LeftButton, at);
  std::size_t shown = expectMovedThenFull(start, 20);
  const DevicePoint now = map().screenProjection().toDevice(held);
  EXPECT_NEAR(now.x, at.x(), 1);
  EXPECT_NEAR(now.y, at.y(), 1);

  const double range = app.view.range;
  for (int step = 0; step < 10; ++step) {
    QWheelEvent in(QPointF(200, 150), map().mapToGlobal(QPointF(200, 150)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&map(), &in);
    map().repaint();
  }
  EXPECT_NEAR(app.view.range, range / std::pow(1.25, 10), 1e-6);
  expectMovedThenFull(shown, 10);
  EXPECT_TRUE(map().layeredMap().isCurrent(takeFrame(app.paintInput()), map()));
}

}  // namespace
}  // namespace korvant
