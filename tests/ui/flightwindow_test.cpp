// The window flown with the simulator: FlightGear's lines from a stand-in
// on 127.0.0.1, the symbol moved without a full paint, the panel, Follow.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "app/flightsession.h"
#include "app/menutable.h"
#include "app/oceanicreport.h"
#include "base/commandids.h"
#include "support/simulatorstandin.h"
#include "support/windowfixture.h"
#include "ui/flightpanel.h"
#include "ui/flightsettingsdialog.h"

namespace korvant {
namespace {

using test::SimulatorStandIn;
using test::StandInFlight;

TEST_F(MainWindowTest, FlownWithTheSimulatorSymbolPanelFollowAndTrail) {
  const int port = test::freeUdpPort();
  app.settings.set("LiveSource", "FLIGHTGEAR", true);
  app.settings.set("LivePort", std::to_string(port), true);
  app.settings.set("Callsign", "KVT123", true);
  map().applyRouteString("60N020W 62N030W 63N040W 62N050W");
  trigger(cmd::FlightPanel);
  trigger(cmd::ConnectSimulator);
  ASSERT_TRUE(checked(cmd::ConnectSimulator));
  const auto note = [&] { return frame->statusBar()->findChild<QLabel*>("note")->text().toStdString(); };
  EXPECT_EQ(note(), "WAITING FOR FLIGHTGEAR ON PORT " + std::to_string(port));

  StandInFlight flight;
  flight.simulationRate = 4;
  flight.startNmBeforeB = 0.5;
  SimulatorStandIn flightGear(SimulatorStandIn::Kind::FlightGear, flight, port, 10);
  ASSERT_TRUE(QTest::qWaitFor([&] { return app.flight.aircraft.has_value(); }, 3000));
  QCoreApplication::processEvents();
  const int repaints = map().repaintRequests(), frames = map().aircraftFrames();
  const LatLng first = app.flight.aircraft->position;
  const FlightPanel& panel = *frame->flightPanel();
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel.cell(1, 3).startsWith("ATA "); }, 4000))
      << panel.cell(1, 3).toStdString();
  // Moved, drawn over the kept picture in its own small box: no full paint.
  EXPECT_NE(app.flight.aircraft->position, first);
  EXPECT_GT(map().aircraftFrames(), frames);
  EXPECT_EQ(map().repaintRequests(), repaints);
  EXPECT_EQ(panel.cell(2, 0), "63N040W");
  EXPECT_TRUE(panel.cell(2, 3).startsWith("ETA ")) << panel.cell(2, 3).toStdString();
  EXPECT_TRUE(panel.cell(2, 2).endsWith(" NM"));
  EXPECT_TRUE(panel.table()->item(2, 0)->font().bold());  // the next point
  EXPECT_NE(note().find("FLIGHTGEAR: "), std::string::npos) << note();
  // The report at the oceanic point just passed, with its Copy button.
  EXPECT_TRUE(panel.words(0).startsWith("POSITION REPORT 62N030W: POSITION, KVT123, 62 NORTH 030 WEST AT "))
      << panel.words(0).toStdString();
  EXPECT_TRUE(panel.words(0).contains(", FLIGHT LEVEL 350, ESTIMATING 63 NORTH 040 WEST AT "));
  panel.copyWords(0);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), panel.words(0));

  // Follow brings the aircraft into view; taking the map stops it.
  app.view.setCentre({-3000, 10000}, 0);
  map().requestRepaint();
  trigger(cmd::FollowAircraft);
  ASSERT_TRUE(QTest::qWaitFor([&] { return std::abs(app.view.centre.lat - 6200) < 100; }, 3000));
  send(QEvent::MouseButtonPress, Qt::LeftButton, {400, 300});
  send(QEvent::MouseMove, Qt::LeftButton, {460, 330});
  send(QEvent::MouseButtonRelease, Qt::LeftButton, {460, 330});
  EXPECT_FALSE(checked(cmd::FollowAircraft));

  trigger(cmd::ConnectSimulator);
  EXPECT_FALSE(checked(cmd::ConnectSimulator));
  ASSERT_FALSE(app.flight.trail->empty());
  // Kept in the work folder and back on the next start.
  const std::size_t points = app.flight.trail->points().size();
  app.flight.trail.edit().clear();
  EXPECT_TRUE(restoreTrail(app).empty());
  EXPECT_EQ(app.flight.trail->points().size(), points);
  EXPECT_TRUE(map().exportTrailTo(current.str() + "/trail.gpx"));
  EXPECT_TRUE(std::filesystem::file_size(current.str() + "/trail.gpx") > 100);
}

// Before the simulator: the planned times from the departure typed in the
// panel (at the Mach of CruiseMach), then an OFP's own times, the clearance
// request under them; a time that is none is said and the times go.
// Alt and a menu's letter opens that menu with the Flight panel open: no
// field or button of the panel takes a letter of the menu bar.
TEST_F(MainWindowTest, NoPanelFieldTakesAMenusKey) {
  trigger(cmd::FlightPanel);
  std::set<QChar> menuKeys;
  for (const std::string_view menu : topLevelMenus()) {
    const std::size_t amp = menu.find('&');
    if (amp != std::string_view::npos) menuKeys.insert(QChar(menu[amp + 1]).toUpper());
  }
  ASSERT_EQ(menuKeys.size(), topLevelMenus().size());
  int mnemonics = 0;
  const auto check = [&](const QString& text) {
    const qsizetype amp = text.indexOf('&');
    if (amp < 0 || amp + 1 >= text.size()) return;
    ++mnemonics;
    EXPECT_EQ(menuKeys.count(text.at(amp + 1).toUpper()), 0u) << text.toStdString();
  };
  for (const QLabel* label : frame->flightPanel()->findChildren<QLabel*>()) check(label->text());
  for (const QAbstractButton* button : frame->flightPanel()->findChildren<QAbstractButton*>()) check(button->text());
  EXPECT_GT(mnemonics, 0);
}

// Flight > Flight Settings... and the panel's button open one dialog: a
// value out of range is said there and nothing written; good values go to
// KORVANT.CTL with its other lines as they were, and the times follow.
TEST_F(MainWindowTest, FlightSettingsAreTypedCheckedAndWritten) {
  current.write("KORVANT.CTL", "RunMaximized 0\n; the pilot's own line\n");
  map().applyRouteString("KJFK 4700N/05000W 5000N/03000W EGLL");
  trigger(cmd::FlightPanel);
  QString said;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<FlightSettingsDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->field(0)->setText("KVT\n123");
    dialog->field(1)->setText("0.05");
    dialog->accept();
    said = dialog->faults();
    EXPECT_TRUE(dialog->isVisible());
    dialog->field(0)->setText("kvt123");
    dialog->field(1)->setText("0.82");
    dialog->field(2)->setText("370");
    dialog->accept();
  });
  frame->flightPanel()->settingsButton()->click();
  EXPECT_TRUE(said.contains("CALLSIGN KVT?123: 2 TO 7 LETTERS AND DIGITS")) << said.toStdString();
  EXPECT_TRUE(said.contains("MACH 0.05: 0.30 TO 2.50")) << said.toStdString();
  EXPECT_EQ(app.settings.lookup("CruiseMach"), "0.82");
  std::ifstream in(current.path() / "KORVANT.CTL");
  const std::string ctl{std::istreambuf_iterator<char>(in), {}};
  EXPECT_NE(ctl.find("; the pilot's own line"), std::string::npos) << ctl;
  EXPECT_NE(ctl.find("CruiseMach"), std::string::npos) << ctl;
  EXPECT_NE(ctl.find("370"), std::string::npos) << ctl;
  ASSERT_NE(frame->action(cmd::FlightSettings), nullptr);
}

// The panel's width as the pilot left it: after hiding it, and in the next
// run from KORVANT.CTL.
TEST_F(MainWindowTest, FlightPanelKeepsItsWidth) {
  QDockWidget* dock = frame->findChild<QDockWidget*>("flightPanel");
  ASSERT_NE(dock, nullptr);
  trigger(cmd::FlightPanel);
  QCoreApplication::processEvents();
  const int first = dock->width();
  frame->resizeDocks({dock}, {first + 90}, Qt::Horizontal);
  QCoreApplication::processEvents();
  const int widened = dock->width();
  ASSERT_GT(widened, first + 40);
  trigger(cmd::FlightPanel);
  trigger(cmd::FlightPanel);
  EXPECT_TRUE(QTest::qWaitFor([&] { return dock->width() == widened; }, 5000)) << dock->width();

  frame->close();
  std::ifstream in(current.path() / "KORVANT.CTL");
  const std::string ctl{std::istreambuf_iterator<char>(in), {}};
  EXPECT_NE(ctl.find("FlightPanelWidth"), std::string::npos) << ctl;
  EXPECT_NE(ctl.find("RunMaximized 0"), std::string::npos) << ctl;
  frame.reset();
  app.flight.panelShown = false;  // as a new run starts
  frame = std::make_unique<FrameWin>(app);
  frame->resize(900, 700);
  frame->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
  trigger(cmd::FlightPanel);
  dock = frame->findChild<QDockWidget*>("flightPanel");
  EXPECT_TRUE(QTest::qWaitFor([&] { return dock->width() == widened; }, 5000)) << dock->width();
}

TEST_F(MainWindowTest, PlannedTimesInTheFlightPanel) {
  app.settings.set("Callsign", "KVT123", true);
  map().applyRouteString("53N015W 54N020W 54N030W 53N040W 52N050W 50N055W");
  trigger(cmd::FlightPanel);
  FlightPanel& panel = *frame->flightPanel();
  ASSERT_EQ(panel.table()->rowCount(), 6);
  EXPECT_EQ(panel.timesNote(), "TYPE THE DEPARTURE TIME FOR THE PLANNED TIMES");
  EXPECT_EQ(panel.cell(5, 3), "-");
  const auto type = [&](const QString& text) {
    panel.departureField()->setFocus();
    panel.departureField()->selectAll();
    QTest::keyClicks(panel.departureField(), text);
    QTest::keyClick(panel.departureField(), Qt::Key_Return);
  };
  type("1200");
  EXPECT_EQ(panel.timesNote(), "NO TIMES: SET THE MACH FLOWN IN FLIGHT SETTINGS");
  app.settings.set("CruiseMach", "0.82", true);
  type("1230");
  EXPECT_EQ(panel.timesNote(), "MACH 0.82 AT FLIGHT LEVEL 350: 473 KT, STILL AIR");
  EXPECT_EQ(panel.cell(0, 3), "ETA 1230Z");
  EXPECT_EQ(panel.cell(0, 2), "0 NM");
  // The level the times are worked out at, for a route string that files none.
  EXPECT_EQ(panel.cell(1, 4), "FL350");
  // Every column shows, LEVEL too.
  EXPECT_GE(panel.table()->minimumWidth(), panel.table()->horizontalHeader()->length());
  EXPECT_GE(panel.table()->width(), panel.table()->horizontalHeader()->length());
  const std::vector<std::string> lines = oceanicReportLines(app, shownFlightRoute(app), {12 * 60 + 30, 0, 0, "", 0});
  EXPECT_EQ("ETA " + panel.cell(5, 3).toStdString().substr(4), "ETA " + lines[6].substr(lines[6].size() - 5));
  // No airport ends the route: the request says what it lacks (a random
  // route needs no TMI).
  EXPECT_EQ(panel.words(2), "CLEARANCE REQUEST: NO DESTINATION");
  type("2599");
  EXPECT_EQ(frame->statusBar()->findChild<QLabel*>("note")->text(), "THE DEPARTURE TAKES HHMM, UTC: 2599");
  EXPECT_EQ(panel.cell(0, 3), "-");

  current.write("plan.xml",
                "<OFP><times><est_off>1791461100</est_off></times><origin><icao_code>EINN</icao_code><pos_lat>52.7"
                "</pos_lat><pos_long>-8.92</pos_long></origin><navlog><fix><ident>5420N</ident><pos_lat>54</pos_lat>"
                "<pos_long>-20</pos_long><time_total>3000</time_total></fix></navlog></OFP>");
  map().openFile(current.str() + "/plan.xml");
  EXPECT_EQ(panel.timesNote(), "TIMES OF THE PLAN FROM TAKE-OFF AT 1205Z");
  EXPECT_EQ(panel.cell(1, 3), "ETA 1255Z");
}

}  // namespace
}  // namespace korvant
