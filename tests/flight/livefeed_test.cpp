#include "flight/livefeed.h"

#include <gtest/gtest.h>

#include "base/utctime.h"
#include "support/simdatagram.h"

namespace korvant {
namespace {

using test::Datagram;

TEST(LiveFeed, AddressesAndSourceNames) {
  const LiveSettings base;
  const auto x = parseLiveAddress("xplane:sim.local:49001", base);
  ASSERT_TRUE(x);
  EXPECT_EQ(x->source, LiveSource::XPlane);
  EXPECT_EQ(x->host, "sim.local");
  EXPECT_EQ(x->xplanePort, 49001);
  const auto d = parseLiveAddress("XPLANE-DATA:49010", base);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->source, LiveSource::XPlaneData);
  EXPECT_EQ(d->livePort, 49010);
  EXPECT_EQ(parseLiveAddress("flightgear:5500", base)->source, LiveSource::FlightGear);
  for (const char* bad : {"xplane:49000", "xplane::49000", "flightgear:0", "flightgear:65536", "flightgear:12a",
                          "msfs:49000", "flightgear", "xplane-data:"})
    EXPECT_FALSE(parseLiveAddress(bad, base)) << bad;
  for (const LiveSource s : {LiveSource::XPlane, LiveSource::XPlaneData, LiveSource::FlightGear})
    EXPECT_EQ(liveSourceByName(liveSourceName(s)), s);
}

// The simulator's seconds of the day land on the day nearest the system's
// clock, also when the two lie either side of midnight.
TEST(LiveFeed, ZuluSecondsTakeTheNearestDay) {
  const std::time_t noon = utcTime(2026, 12, 8, 12, 0);
  const std::time_t justAfterMidnight = utcTime(2026, 12, 9, 0, 0, 5);
  EXPECT_EQ(utcFromZuluSeconds(12 * 3600 + 30, noon), static_cast<double>(noon + 30));
  EXPECT_EQ(utcFromZuluSeconds(86390, justAfterMidnight), static_cast<double>(utcTime(2026, 12, 8, 23, 59, 50)));
  EXPECT_EQ(utcFromZuluSeconds(10, utcTime(2026, 12, 8, 23, 59, 0)),
            static_cast<double>(utcTime(2026, 12, 9, 0, 0, 10)));
}

// X-Plane's pieces make one state once the position arrives; the time is
// the simulator's, running four times faster than the steady clock; the
// message bar's count is of the last whole second.
TEST(LiveFeed, PiecesJoinAndTheSimulatorsClockRuns) {
  LiveFeed feed({});
  const std::time_t today = utcTime(2026, 12, 8, 12, 0);
  EXPECT_EQ(feed.status(0).state, LiveStatus::State::Waiting);
  EXPECT_TRUE(feed.requestDue(0));
  EXPECT_FALSE(feed.requestDue(1));
  EXPECT_TRUE(feed.requestDue(3.5));
  Datagram speed("RREF");
  speed.index(3).value(250).index(4).value(265).index(2).value(10668);
  EXPECT_FALSE(feed.accept(speed.bytes, "127.0.0.1:49000", 10.0, today));
  std::optional<AircraftState> s;
  for (int i = 0; i < 10; ++i) {
    Datagram d("RREF");
    d.index(0).value(56.2f).index(1).value(-20.05f).index(5).value(static_cast<float>(45000 + 4 * 0.2 * i));
    s = feed.accept(d.bytes, "127.0.0.1:49000", 10.0 + 0.2 * i, today);
    ASSERT_TRUE(s);
  }
  EXPECT_TRUE(s->simulatorTime);
  EXPECT_NEAR(s->utc - static_cast<double>(utcTime(2026, 12, 8, 12, 30)), 4 * 0.2 * 9, 1e-2);
  EXPECT_NEAR(s->groundSpeedKt, 250 * 3600 / 1852.0, 1e-3);
  EXPECT_NEAR(s->altitudeFt, 35000, 0.01);
  EXPECT_EQ(s->trackDeg, 265);
  EXPECT_FALSE(feed.requestDue(11.9));  // data flows: no need to ask again
  const LiveStatus receiving = feed.status(12.1);
  EXPECT_EQ(receiving.state, LiveStatus::State::Receiving);
  EXPECT_EQ(receiving.positionsPerSecond, 5);
  const LiveStatus silent = feed.status(11.8 + 12.5);
  EXPECT_EQ(silent.state, LiveStatus::State::Silent);
  EXPECT_EQ(silent.silentSeconds, 12);
  EXPECT_TRUE(feed.takeNotes().empty());
}

// Another sender, damaged datagrams and a source without time are counted
// and said once each; nothing they carry reaches the map.
TEST(LiveFeed, OthersAndDamageSaidOnce) {
  LiveFeed feed({LiveSource::XPlaneData});
  Datagram row("DATA");
  row.row(20, {50, -30, 35000});
  EXPECT_FALSE(feed.accept(std::vector<std::uint8_t>{'?'}, "127.0.0.1:7000", 1, 1000000));  // a stray one first
  EXPECT_TRUE(feed.accept(row.bytes, "127.0.0.1:5000", 1, 1000000));
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(feed.accept(row.bytes, "127.0.0.1:6000", 1, 1000000));
    EXPECT_FALSE(feed.accept(std::vector<std::uint8_t>{'D', 'A', 'T', 'A', 0, 1}, "127.0.0.1:5000", 1, 1000000));
  }
  EXPECT_EQ(feed.fromOthers(), 3);
  EXPECT_EQ(feed.refused(), 4);
  const Problems notes = feed.takeNotes();
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_EQ(notes[0].reason, Reason::LiveNotOfItsKind);
  EXPECT_EQ(notes[1].reason, Reason::LiveSystemClock);
  EXPECT_EQ(notes[2].reason, Reason::LiveSecondSender);
  EXPECT_EQ(notes[2].detail, "127.0.0.1:6000");
  feed.accept(std::vector<std::uint8_t>{'X'}, "127.0.0.1:5000", 2, 1000000);
  EXPECT_TRUE(feed.takeNotes().empty());
  EXPECT_FALSE(feed.requestDue(0));  // nothing to ask of a sender that sends by itself
}

}  // namespace
}  // namespace korvant
