#include "app/oceanicreport.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/flightsession.h"
#include "procedures/planreaders.h"
#include "support/sampletracksapp.h"
#include "tracks/resolvedtrack.h"

namespace korvant {
namespace {

using OceanicReport = test::SampleTracksApp;

double haversineNm(const LatLng& a, const LatLng& b) {
  const LatLng::Degrees p = a.decimalDegrees(), q = b.decimalDegrees();
  const double r = M_PI / 180;
  const double h = std::pow(std::sin((q.lat - p.lat) * r / 2), 2) +
                   std::cos(p.lat * r) * std::cos(q.lat * r) * std::pow(std::sin((q.lng - p.lng) * r / 2), 2);
  return 2 * std::asin(std::sqrt(h)) * 3444.0493065313782757;
}

// Track A of 8 October 2026 flown at Mach .82 from 1200Z: each ETA from an
// independent great-circle sum; the reports; the request by the track, with
// the set's TMI. The same points as a random route are found to be track A.
TEST_F(OceanicReport, TimesReportsAndTheRequestAlongATrack) {
  ASSERT_TRUE(read("nat-20261008-xdispatch-west.txt"));
  app.settings.set("Callsign", "KVT123", true);
  const std::vector<ResolvedTrack> tracks = resolvedTracks(*app.tracks);
  const ResolvedTrack& a = tracks.front();
  ASSERT_EQ(a.letter, 'A');
  FlightRoute route = flightRouteOf(a);
  route.points.push_back({"CYQX", {4857, -5434}, 0});  // the destination
  const std::vector<std::string> lines = oceanicReportLines(app, route, {12 * 60, 0, 0.82, "", 0});
  ASSERT_GE(lines.size(), route.points.size() + 2);
  EXPECT_EQ(lines[0], "MACH 0.82 AT FLIGHT LEVEL 350: 473 KT, STILL AIR");
  const double tas = 0.82 * 576.4;  // the standard atmosphere's speed of sound at FL350
  double along = 0;
  for (std::size_t i = 0; i < route.points.size(); ++i) {
    if (i > 0) along += haversineNm(route.points[i - 1].position, route.points[i].position);
    const std::string& line = lines[1 + i];
    ASSERT_EQ(line.substr(0, 5 + route.points[i].ident.size()), "ETA " + route.points[i].ident + " ") << line;
    const int minutes = std::stoi(line.substr(line.size() - 5, 2)) * 60 + std::stoi(line.substr(line.size() - 3, 2));
    EXPECT_LE(std::abs(minutes - (12 * 60 + static_cast<int>(std::lround(along / tas * 60)))), 1) << line;
  }
  EXPECT_EQ(lines[1 + route.points.size()].substr(0, 16), "POSITION REPORT ");
  EXPECT_NE(lines.back().find("VIA TRACK A, ENTRY POINT "), std::string::npos) << lines.back();
  EXPECT_NE(lines.back().find(", FLIGHT LEVEL 350, MACH 082, TMI 281"), std::string::npos) << lines.back();

  route.name = "RANDOM";
  const std::vector<std::string> random = oceanicReportLines(app, route, {12 * 60, 480, 0.82, "", 0});
  EXPECT_NE(std::find(random.begin(), random.end(), "THE ROUTE IS NAT A: REQUEST TRACK A"), random.end());
  EXPECT_EQ(oceanicReportLines(app, route, {12 * 60, 0, 0, "", 0}).back(),
            "NO TIMES: GIVE --ground-speed KT, --mach OR THE KEY CruiseMach");
}

int minutesAtEnd(const std::string& line) {
  return std::stoi(line.substr(line.size() - 5, 2)) * 60 + std::stoi(line.substr(line.size() - 3, 2));
}

// An OFP's own times: take-off 1205Z, 50 and 110 minutes to two fixes; the
// point between them by its distance, the destination after the last time
// at the mean speed. Given a departure, the plan's times follow it; a log
// whose times run backwards is not believed and the speed is used.
TEST_F(OceanicReport, TheTimesOfAnOfp) {
  const auto ofp = [](const std::string& secondTime) {
    return "<OFP><times><est_off>1791461100</est_off><sched_off>1</sched_off></times>"
           "<origin><icao_code>EINN</icao_code><pos_lat>52.70</pos_lat><pos_long>-8.92</pos_long></origin>"
           "<destination><icao_code>CYQX</icao_code><pos_lat>48.95</pos_lat><pos_long>-54.57</pos_long></destination>"
           "<navlog><fix><ident>TOC</ident><pos_lat>53</pos_lat><pos_long>-12</pos_long><time_total>900</time_total>"
           "</fix><fix><ident>5420N</ident><pos_lat>54</pos_lat><pos_long>-20</pos_long><time_total>3000</time_total>"
           "</fix><fix><ident>5430N</ident><pos_lat>54</pos_lat><pos_long>-30</pos_long></fix>"
           "<fix><ident>5340N</ident><pos_lat>53</pos_lat><pos_long>-40</pos_long><time_total>" +
           secondTime + "</time_total></fix></navlog></OFP>";
  };
  const Result<FlightPlan> plan = readAnyFlightPlan(ofp("6600"), nullptr);
  ASSERT_TRUE(plan);
  const FlightRoute route = flightRouteOf(*plan);
  ASSERT_EQ(route.points.size(), 5u);
  const std::vector<std::string> lines = oceanicReportLines(app, route, {std::nullopt, 0, 0, "", 0});
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[0], "TIMES OF THE PLAN FROM TAKE-OFF AT 1205Z");
  std::vector<double> along{0};
  for (std::size_t i = 1; i < 5; ++i)
    along.push_back(along.back() + haversineNm(route.points[i - 1].position, route.points[i].position));
  const double between = 50 + 60 * (along[2] - along[1]) / (along[3] - along[1]);
  const double last = 110 + (along[4] - along[3]) * 110 / along[3];
  const double expected[] = {0, 50, between, 110, last};
  for (std::size_t i = 0; i < 5; ++i)
    EXPECT_LE(std::abs(minutesAtEnd(lines[1 + i]) - (12 * 60 + 5 + expected[i])), 1) << lines[1 + i];

  EXPECT_EQ(oceanicReportLines(app, route, {13 * 60, 0, 0, "", 0})[0], "TIMES OF THE PLAN FROM TAKE-OFF AT 1300Z");
  const Result<FlightPlan> backwards = readAnyFlightPlan(ofp("2000"), nullptr);
  ASSERT_TRUE(backwards);
  EXPECT_EQ(oceanicReportLines(app, flightRouteOf(*backwards), {std::nullopt, 480, 0, "", 0})[0].substr(0, 9),
            "ETA EINN ");
  EXPECT_EQ(oceanicReportLines(app, flightRouteOf(*backwards), {std::nullopt, 0, 0, "", 0}).back(),
            "NO TIMES: GIVE --ground-speed KT, --mach OR THE KEY CruiseMach");
}

}  // namespace
}  // namespace korvant
