#include "platform/livelink.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <fstream>
#include <thread>

#include "app/flightsession.h"
#include "app/problemwords.h"
#include "flight/livedatagram.h"
#include "support/recordingboxes.h"
#include "support/simulatorstandin.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

using test::SimulatorStandIn;
using test::StandInFlight;

struct Heard {
  AircraftState state;
  double steady;
};

// Runs the event loop for `seconds`, keeping each state the link hears.
std::vector<Heard> listen(LiveLink& link, double seconds) {
  std::vector<Heard> heard;
  QElapsedTimer steady;
  steady.start();
  const QMetaObject::Connection c = QObject::connect(&link, &LiveLink::aircraftMoved, [&] {
    heard.push_back({*link.feed().last(), static_cast<double>(steady.nsecsElapsed()) * 1e-9});
  });
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
  loop.exec();
  QObject::disconnect(c);
  return heard;
}

// Where the stand-in's aircraft was at the simulator's time `utc`.
StandInFlight::Where expectedAt(const StandInFlight& f, double utc) {
  return f.at((utc - static_cast<double>(f.startUtc)) / f.simulationRate);
}

// X-Plane asked for six values at five a second, answering at that rate
// with a clock four times faster than real time; the positions are the
// stand-in's to 1e-5 degrees; the subscriptions are cancelled at the end.
TEST(LiveLink, XPlaneAskedAtItsRateFourTimesFasterAndCancelled) {
  StandInFlight flight;
  flight.simulationRate = 4;
  SimulatorStandIn xplane(SimulatorStandIn::Kind::XPlaneRref, flight);
  test::FixedClock clock(flight.startUtc);
  LiveLink link(clock);
  LiveSettings settings;
  settings.xplanePort = xplane.port();
  ASSERT_TRUE(link.start(settings).empty());
  EXPECT_EQ(liveStatusWords(link.status(), settings),
            "WAITING FOR X-PLANE AT 127.0.0.1:" + std::to_string(xplane.port()));
  const std::vector<Heard> heard = listen(link, 1.6);
  ASSERT_GE(heard.size(), 5u);
  EXPECT_LE(heard.size(), 10u);
  for (const Heard& h : heard) {
    ASSERT_TRUE(h.state.simulatorTime);
    const StandInFlight::Where w = expectedAt(flight, h.state.utc);
    const LatLng::Degrees d = h.state.position.decimalDegrees();
    EXPECT_NEAR(d.lat, w.lat, 1e-5);
    EXPECT_NEAR(d.lng, w.lng, 1e-5);
    EXPECT_NEAR(h.state.groundSpeedKt, 480, 1e-3);
  }
  const double simulated = heard.back().state.utc - heard.front().state.utc;
  EXPECT_NEAR(simulated / (heard.back().steady - heard.front().steady), 4, 0.6);
  const std::string words = liveStatusWords(link.status(), settings);
  EXPECT_TRUE(words == "X-PLANE: 5 POSITIONS A SECOND" || words == "X-PLANE: 4 POSITIONS A SECOND" ||
              words == "X-PLANE: 6 POSITIONS A SECOND")
      << words;
  link.stop();
  QElapsedTimer wait;
  wait.start();
  constexpr int kValues = static_cast<int>(XPlaneValue::Count);
  while (xplane.requests().size() < 2 * kValues && wait.elapsed() < 2000) QCoreApplication::processEvents();
  const std::vector<SimulatorStandIn::Request> asked = xplane.requests();
  ASSERT_EQ(asked.size(), 2u * kValues);
  for (int i = 0; i < 2 * kValues; ++i) {
    EXPECT_EQ(asked[i].index, i % kValues);
    EXPECT_EQ(asked[i].rate, i < kValues ? 5 : 0);
    EXPECT_EQ(asked[i].dataref, xplaneDataref(static_cast<XPlaneValue>(i % kValues)));
  }
}

// X-Plane's host by its name: the start returns at once and X-Plane is
// asked once the name answers; a name that is not there is said among the
// notes, and nothing is asked.
TEST(LiveLink, AHostNameIsLookedUpWithoutHoldingTheWindow) {
  StandInFlight flight;
  SimulatorStandIn xplane(SimulatorStandIn::Kind::XPlaneRref, flight);
  test::FixedClock clock(flight.startUtc);
  LiveLink link(clock);
  LiveSettings settings;
  settings.xplanePort = xplane.port();
  settings.host = "localhost";
  ASSERT_TRUE(link.start(settings).empty());
  EXPECT_FALSE(listen(link, 1.0).empty());
  EXPECT_FALSE(xplane.requests().empty());
  link.stop();

  settings.host = "no such host";
  ASSERT_TRUE(link.start(settings).empty());
  Problems notes;
  QElapsedTimer wait;
  wait.start();
  while (notes.empty() && wait.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    notes = link.feed().takeNotes();
  }
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].reason, Reason::LiveHostUnknown);
  EXPECT_EQ(notes[0].detail, "no such host");
  link.stop();
}

// Data Output rows and FlightGear's lines arrive on the port of their own;
// a second sender there is ignored and said once.
TEST(LiveLink, DataOutputAndFlightGearOnTheirPortOneSenderFollowed) {
  for (const auto kind : {SimulatorStandIn::Kind::XPlaneData, SimulatorStandIn::Kind::FlightGear}) {
    const int port = test::freeUdpPort();
    test::FixedClock clock(1796817600);
    LiveLink link(clock);
    LiveSettings settings;
    settings.source = kind == SimulatorStandIn::Kind::FlightGear ? LiveSource::FlightGear : LiveSource::XPlaneData;
    settings.livePort = port;
    ASSERT_TRUE(link.start(settings).empty());
    StandInFlight flight;
    SimulatorStandIn simulator(kind, flight, port, 20);
    std::vector<Heard> heard = listen(link, 0.3);
    StandInFlight other = flight;
    other.latA = 10;
    SimulatorStandIn second(kind, other, port, 20);
    const std::vector<Heard> more = listen(link, 0.4);
    heard.insert(heard.end(), more.begin(), more.end());
    ASSERT_GE(heard.size(), 5u);
    for (const Heard& h : heard) EXPECT_NEAR(h.state.position.decimalDegrees().lat, 60.0, 2.1);
    EXPECT_EQ(heard.back().state.simulatorTime, kind == SimulatorStandIn::Kind::FlightGear);
    EXPECT_GT(link.feed().fromOthers(), 0);
    const Problems notes = link.feed().takeNotes();
    EXPECT_EQ(std::count_if(notes.begin(), notes.end(),
                            [](const Problem& p) { return p.reason == Reason::LiveSecondSender; }),
              1);
  }
}

// Ten thousand datagrams a second: read in batches, the window's event loop
// keeps turning, the map hears of the aircraft far less often than that;
// and after it the port is still read: the next good lines arrive.
// Waits on events, never on the wall clock's ticks: a busy machine passes.
TEST(LiveLink, AFloodLeavesTheEventLoopTurning) {
  const int port = test::freeUdpPort();
  test::FixedClock clock(1796817600);
  LiveLink link(clock);
  LiveSettings settings;
  settings.source = LiveSource::FlightGear;
  settings.livePort = port;
  ASSERT_TRUE(link.start(settings).empty());
  // One sender, the simulator's, for the flood and after it.
  const int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  to.sin_port = htons(static_cast<std::uint16_t>(port));
  std::thread flood([&] {
    const char line[] = "56.5,-20.5,35000,265,480,2026-12-09T12:00:00\n";
    for (int burst = 0; burst < 100; ++burst) {
      for (int i = 0; i < 2000; ++i)
        ::sendto(s, line, sizeof line - 1, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  int ticks = 0, moved = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  QObject::connect(&link, &LiveLink::aircraftMoved, [&] { ++moved; });
  ticker.start(20);
  QEventLoop loop;
  QTimer::singleShot(1500, &loop, &QEventLoop::quit);
  loop.exec();
  flood.join();
  EXPECT_GT(ticks, 0);  // the loop turned while the datagrams poured in
  EXPECT_GT(moved, 0);
  EXPECT_LT(moved, 200000);
  EXPECT_EQ(link.feed().refused(), 0);
  // After the flood, a position of its own, sent until it is heard (at most 10 s).
  const char after[] = "56.5,-20.5001,35000,265,480,2026-12-09T12:00:01\n";
  const bool heard = QTest::qWaitFor(
      [&] {
        ::sendto(s, after, sizeof after - 1, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
        return link.feed().last() && std::fabs(link.feed().last()->position.decimalDegrees().lng + 20.5001) < 1e-6;
      },
      10000);
  ::close(s);
  EXPECT_TRUE(heard);
}

TEST(LiveLink, APortInUseIsSaid) {
  QUdpSocket other;
  ASSERT_TRUE(other.bind(QHostAddress::AnyIPv4, 0, QUdpSocket::DontShareAddress));
  test::FixedClock clock;
  LiveLink link(clock);
  LiveSettings settings;
  settings.source = LiveSource::FlightGear;
  settings.livePort = other.localPort();
  const Problems refused = link.start(settings);
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(wordProblem(refused[0]).text,
            "PORT " + std::to_string(other.localPort()) + " IS IN USE BY ANOTHER PROGRAM");
  EXPECT_FALSE(link.running());
}

std::string slurp(const std::string& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), {}};
}

// korvant-plot listening to the stand-in while the aircraft passes 62/30 on
// track A: the time over it, the next point's distance and ETA against the
// stand-in's own great circle, the picture; silence is status 1.
TEST(LiveLink, PlotReportsTheFlightAndSaysSilence) {
  StandInFlight flight;
  flight.simulationRate = 4;
  flight.startNmBeforeB = 0.4;
  SimulatorStandIn xplane(SimulatorStandIn::Kind::XPlaneRref, flight);
  test::TempDir dir;
  dir.write("KORVANT.CTL", "");
  const std::string tracks = std::string(KORVANT_TEST_DATA) + "/tracks/nat-20261008-xdispatch-west.txt";
  const std::string command = "cd " + dir.str() + " && " + KORVANT_PLOT + " --tracks " + tracks +
                              " --fly-track a --live xplane:127.0.0.1:" + std::to_string(xplane.port()) +
                              " --live-seconds 1.5 --report -o live.png > out.txt 2> err.txt";
  ASSERT_EQ(std::system(command.c_str()), 0) << slurp(dir.str() + "/err.txt");
  const std::string out = slurp(dir.str() + "/out.txt");
  const StandInFlight::Where last = xplane.lastSent();
  EXPECT_NE(out.find("\nATA 62/30 "), std::string::npos) << out;
  const std::size_t next = out.find("\nNEXT 63/40 N6300.00 W04000.00 ");
  ASSERT_NE(next, std::string::npos) << out;
  // The stand-in's last position to 63N 40W, by the haversine.
  const double r = M_PI / 180, dLat = (63 - last.lat) * r, dLng = (-40 - last.lng) * r;
  const double h =
      std::pow(std::sin(dLat / 2), 2) + std::cos(last.lat * r) * std::cos(63 * r) * std::pow(std::sin(dLng / 2), 2);
  const double nm = 2 * std::asin(std::sqrt(h)) * StandInFlight::kRadiusNm;
  int printedNm = 0, printedTime = 0;
  ASSERT_EQ(std::sscanf(out.c_str() + next + 31, "%d NM %dZ", &printedNm, &printedTime), 2) << out;
  EXPECT_NEAR(printedNm, nm, 1.0);
  const double eta = last.utc + nm / 480 * 3600;
  const auto minutesOfDay = [](double utc) { return static_cast<int>(std::fmod(utc, 86400) / 60); };
  const int printedMinutes = printedTime / 100 * 60 + printedTime % 100;
  EXPECT_LE(std::abs(printedMinutes - minutesOfDay(eta + 30)), 1) << out;
  EXPECT_FALSE(QImage(QString::fromStdString(dir.str() + "/live.png")).isNull());

  const int silent = test::freeUdpPort();
  const std::string quiet = "cd " + dir.str() + " && " + KORVANT_PLOT + " --live flightgear:" + std::to_string(silent) +
                            " --live-seconds 0.3 --report > out.txt 2> err.txt";
  const int status = std::system(quiet.c_str());
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(slurp(dir.str() + "/err.txt").find("NO DATA FROM FLIGHTGEAR ON PORT " + std::to_string(silent)),
            std::string::npos);
}

}  // namespace
}  // namespace korvant
