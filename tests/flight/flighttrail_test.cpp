#include "flight/flighttrail.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdlib>

#include "support/tempdir.h"

namespace korvant {
namespace {

AircraftState at(double utc, double track, double lat = 5000) { return {{lat, -3000}, 35000, track, 480, utc, true}; }

// A point every ten seconds or on a turn of two degrees, a day at most, and
// never more points than the bound however the aircraft turns.
TEST(FlightTrail, KeepsPointsByTimeAndTurnWithinBounds) {
  FlightTrail trail;
  struct Step {
    double utc, track;
    bool kept;
  } steps[] = {{0, 90, true},    {9.9, 91.5, false}, {10, 91.5, true},   {11, 93.5, true}, {12, 95.25, false},
               {13, 91.5, true}, {14, 0.5, true},    {15, 359.0, false}, {16, 358.5, true}};
  for (const Step& s : steps) EXPECT_EQ(trail.add(at(s.utc, s.track)), s.kept) << s.utc;
  for (int i = 1; i <= 9000; ++i) trail.add(at(16 + 10.0 * i, 0));
  EXPECT_LE(trail.points().back().utc - trail.points().front().utc, FlightTrail::KEPT_S);
  EXPECT_EQ(trail.points().back().utc, 16 + 90000);
  for (int i = 0; i < 50000; ++i) trail.add(at(100000 + i * 0.01, i % 2 ? 0 : 10));
  EXPECT_EQ(trail.points().size(), FlightTrail::MOST_POINTS);
}

// The runs a paint of a small area visits: every line of the trail in
// exactly one, each point and line within its run's cap, while the day's
// limit trims the front and after a clear.
TEST(FlightTrail, RunsHoldEveryLineOnceAcrossTrimming) {
  FlightTrail trail;
  const auto check = [&](const char* when) {
    const std::vector<FlightTrail::Run> runs = trail.runs();
    ASSERT_FALSE(runs.empty()) << when;
    EXPECT_EQ(runs.front().first, 0u) << when;
    EXPECT_EQ(runs.back().end, trail.points().size()) << when;
    for (std::size_t k = 0; k < runs.size(); ++k) {
      if (k > 0) {
        EXPECT_EQ(runs[k].first, runs[k - 1].end - 1) << when << " run " << k;
      }
      for (std::size_t i = runs[k].first; i < runs[k].end; ++i)
        EXPECT_TRUE(runs[k].cap.contains(trail.points()[i].position)) << when << " point " << i;
    }
  };
  // A wandering path an hour a point, so that the day trims a point at every add.
  for (int i = 0; i < 200; ++i) trail.add(at(3600.0 * i, i * 7, 4000 + 100 * ((i * 7) % 30)));
  EXPECT_LT(trail.points().size(), 30u);
  check("trimmed");
  trail.clear();
  for (int i = 0; i < 300; ++i) trail.add(at(10.0 * i, 90, 5000 + i));
  EXPECT_EQ(trail.runs().size(), (300 + FlightTrail::RUN_POINTS - 1) / FlightTrail::RUN_POINTS);
  check("after a clear");
}

// A point whose time is out of step (a line dated 2199, a file's point of
// the year 5138) is set aside and the trail kept; two in step with each
// other are a new flight.
TEST(FlightTrail, TimesOutOfStepAreSetAside) {
  FlightTrail trail;
  for (int i = 0; i < 100; ++i) trail.add(at(1796817600 + 10.0 * i, 90));
  EXPECT_FALSE(trail.add(at(7258118400, 90)));  // 2200
  for (int i = 100; i < 140; ++i) EXPECT_TRUE(trail.add(at(1796817600 + 10.0 * i, 90)));
  EXPECT_EQ(trail.points().size(), 140u);
  EXPECT_EQ(trail.setAside(), 1u);

  std::string file = "; trail\n";
  for (int i = 0; i < 5; ++i) file += std::to_string(1796817600 + 10 * i) + " 50 -30 35000 90\n";
  file += "99999999999 50 -30 35000 90\n";
  const Result<FlightTrail> read = readTrailText(file);
  EXPECT_EQ(read.value->points().size(), 5u);
  ASSERT_EQ(read.problems.size(), 1u);
  EXPECT_EQ(read.problems[0].count, 1);

  // A week later, twice: a new flight, and the day before it goes.
  EXPECT_FALSE(trail.add(at(1796817600 + 7 * 86400.0, 90)));
  EXPECT_TRUE(trail.add(at(1796817600 + 7 * 86400.0 + 10, 90)));
  EXPECT_EQ(trail.points().size(), 2u);
}

// The file reads back what was written; lines that are no point are passed
// over and said; the GPX is valid against the schema with times and heights.
TEST(FlightTrail, FileRoundTripAndGpx) {
  FlightTrail trail;
  trail.add(at(1796817600, 90, 5012.345));
  trail.add(at(1796817630, 95, 5013));
  Result<FlightTrail> back = readTrailText(trailText(trail));
  ASSERT_TRUE(back.value);
  EXPECT_TRUE(back.problems.empty());
  ASSERT_EQ(back.value->points().size(), 2u);
  EXPECT_NEAR(back.value->points()[0].position.lat, 5012.345, 1e-5);
  EXPECT_EQ(back.value->points()[1].utc, 1796817630);

  const Result<FlightTrail> damaged =
      readTrailText("1 50 -30 35000 90\nnonsense\n2 95 0 0 0\n3 50 -30 1 360.5\n4 50 -30 1 9 x\n");
  EXPECT_EQ(damaged.value->points().size(), 1u);
  ASSERT_EQ(damaged.problems.size(), 1u);
  EXPECT_EQ(damaged.problems[0].count, 4);
  EXPECT_EQ(damaged.problems[0].line, 2);

  // What the writer writes, the reader reads: a track a hair west of north.
  FlightTrail north;
  north.add(at(1796817600, 359.97));
  const Result<FlightTrail> northBack = readTrailText(trailText(north));
  EXPECT_TRUE(northBack.problems.empty());
  ASSERT_EQ(northBack.value->points().size(), 1u);
  EXPECT_EQ(northBack.value->points()[0].trackDeg, 0);

  const std::string text = trailGpx(trail, "EGLL-KJFK");
  pugi::xml_document gpx;
  ASSERT_TRUE(gpx.load_string(text.c_str()));
  const pugi::xml_node first = gpx.select_node("/gpx/trk/trkseg/trkpt").node();
  EXPECT_STREQ(first.child_value("time"), "2026-12-09T12:00:00Z");
  EXPECT_STREQ(first.child_value("ele"), "10668.0");
  EXPECT_STREQ(first.attribute("lat").value(), "50.205750");
  test::TempDir dir;
  const std::string file = dir.write("trail.gpx", text);
  const std::string schema = std::string(KORVANT_TEST_DATA) + "/schemas/gpx-1.1-routes.xsd";
  EXPECT_EQ(std::system(("xmllint --noout --schema " + schema + " " + file + " 2> /dev/null").c_str()), 0);
}

}  // namespace
}  // namespace korvant
