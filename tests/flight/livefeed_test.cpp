#include "flight/livefeed.h"

#include <gtest/gtest.h>

#include "app/problemwords.h"
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
  speed.index(3).value(250).index(4).value(265).index(2).value(10668).index(6).value(34600);
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
  EXPECT_EQ(s->altitudeFt, 34600);  // the pressure altitude: a flight level, not the height
  EXPECT_EQ(s->trackDeg, 265);
  EXPECT_FALSE(s->headingForTrack);
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
  for (int i = 0; i < LiveFeed::FOLLOWED_AFTER; ++i) EXPECT_TRUE(feed.accept(row.bytes, "127.0.0.1:5000", 1, 1000000));
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(feed.accept(row.bytes, "127.0.0.1:6000", 1, 1000000));
  for (int i = 0; i < 3; ++i)
    EXPECT_FALSE(feed.accept(std::vector<std::uint8_t>{'D', 'A', 'T', 'A', 0, 1}, "127.0.0.1:5000", 1, 1000000));
  EXPECT_EQ(feed.fromOthers(), 3);
  EXPECT_EQ(feed.refused(), 4);
  const Problems notes = feed.takeNotes();
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(notes[0].reason, Reason::LiveNotOfItsKind);
  EXPECT_EQ(notes[1].reason, Reason::LiveGeometricAltitude);
  EXPECT_EQ(notes[2].reason, Reason::LiveSystemClock);
  EXPECT_EQ(notes[3].reason, Reason::LiveSecondSender);
  EXPECT_EQ(notes[3].detail, "127.0.0.1:6000");
  feed.accept(std::vector<std::uint8_t>{'X'}, "127.0.0.1:5000", 2, 1000000);
  EXPECT_TRUE(feed.takeNotes().empty());
  EXPECT_FALSE(feed.requestDue(0));  // nothing to ask of a sender that sends by itself
}

Datagram rowAt(float lat, float lng) {
  Datagram d("DATA");
  d.row(20, {lat, lng, 35000, 0, 0, 34000}).row(1, {0, 0, 0, 0, 0, 12});
  return d;
}

// The sender that keeps decoding is followed: a stray datagram that decodes
// does not lock the simulator out, a simulator restarted on a new port is
// followed once the old one is silent (said), and X-Plane's replies are
// taken from the address asked alone.
TEST(LiveFeed, TheSenderThatKeepsDecodingIsFollowed) {
  LiveFeed feed({LiveSource::XPlaneData});
  EXPECT_TRUE(feed.accept(rowAt(10, 10).bytes, "127.0.0.1:7000", 1, 1000000));  // a stray
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(feed.accept(rowAt(50, -30).bytes, "127.0.0.1:5000", 1 + i, 1000000));
  EXPECT_FALSE(feed.accept(rowAt(50, -30).bytes, "127.0.0.1:7000", 6, 1000000));
  EXPECT_FALSE(feed.accept(rowAt(50, -30).bytes, "127.0.0.1:5001", 8, 1000000));
  EXPECT_TRUE(feed.accept(rowAt(50, -30).bytes, "127.0.0.1:5001", 5 + LiveFeed::SILENT_AFTER_S, 1000000));
  const Problems notes = feed.takeNotes();
  ASSERT_FALSE(notes.empty());
  EXPECT_EQ(notes.back().reason, Reason::LiveSenderChanged);
  EXPECT_EQ(wordProblem(notes.back()).text, "NOW FOLLOWING 127.0.0.1:5001: 127.0.0.1:5000 FELL SILENT");

  LiveFeed xplane({LiveSource::XPlaneData});
  xplane.onlyFrom("127.0.0.1");
  EXPECT_FALSE(xplane.accept(rowAt(50, -30).bytes, "127.0.0.2:49000", 1, 1000000));
  EXPECT_TRUE(xplane.accept(rowAt(50, -30).bytes, "127.0.0.1:49000", 1, 1000000));
}

// One sample at 0N 0E, at the pole or across the ocean between good ones is
// set aside and said once; an aircraft moved for good is followed after
// MOVED_AFTER samples that agree.
TEST(LiveFeed, ASampleNoAircraftCouldReachIsSetAside) {
  LiveFeed feed({LiveSource::XPlaneData});
  const auto at = [&](float lat, float lng, double hours) {
    Datagram d("DATA");
    d.row(20, {lat, lng, 35000, 0, 0, 34000}).row(1, {0, 0, 0, 0, 0, static_cast<float>(hours)});
    return feed.accept(d.bytes, "127.0.0.1:5000", hours * 3600, 1000000).has_value();
  };
  EXPECT_TRUE(at(51, -30, 12));
  EXPECT_FALSE(at(0, 0, 12.001));
  EXPECT_FALSE(at(90, 0, 12.002));
  EXPECT_FALSE(at(52, -15, 12.003));  // 550 NM in 11 seconds
  EXPECT_TRUE(at(51, -29.9f, 12.004));
  EXPECT_EQ(feed.setAside(), 3);
  int said = 0;
  for (const Problem& p : feed.takeNotes()) said += p.reason == Reason::LiveImpossibleSpeed;
  EXPECT_EQ(said, 1);
  bool moved = false;
  for (int i = 0; i < LiveFeed::MOVED_AFTER; ++i) moved = at(40, -70, 12.01 + i * 0.001);
  EXPECT_TRUE(moved);
  EXPECT_NEAR(feed.last()->position.lat, 4000, 1e-3);
}

}  // namespace
}  // namespace korvant
