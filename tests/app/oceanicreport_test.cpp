#include "app/oceanicreport.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/flightsession.h"
#include "app/routestringcommand.h"
#include "procedures/planreaders.h"
#include "support/sampletracksapp.h"
#include "support/tempdir.h"
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

int minutesAtEnd(const std::string& line);

// The sample plan shipped where the plan dialog opens: a crossing whose
// request is whole.
TEST_F(OceanicReport, TheSamplePlanIsACrossing) {
  app.settings.set("Callsign", "KVT123", true);
  MapCommands(app).openDropped(std::string(KORVANT_SAMPLE_PS1) + "/routes/KJFK-EGLL-NAT.PLN");
  ASSERT_TRUE(app.procedure->routeShown);
  const std::vector<std::string> lines =
      oceanicReportLines(app, flightRouteOf(app.procedure->plan), {12 * 60, 0, 0.82, "", 0});
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().rfind("CLEARANCE REQUEST: KVT123 REQUEST CLEARANCE TO EGLL VIA BOS 4700N/05000W ", 0), 0u)
      << lines.back();
}

// Each flight key read whole and within its range; what is refused is said
// as given, printable, and taken as none.
TEST_F(OceanicReport, FlightKeysWithinTheirRanges) {
  const std::string longCallsign(500, 'K');
  const struct {
    const char *key, *value;
    const char* said;  // empty: taken
  } cases[] = {
      {"MaxFlightLevel", "370", ""},
      {"MaxFlightLevel", "4294967686", "MaxFlightLevel 4294967686 IS NOT A FLIGHT LEVEL FROM 100 TO 600"},
      {"MaxFlightLevel", "99999999999", "MaxFlightLevel 99999999999 IS NOT A FLIGHT LEVEL FROM 100 TO 600"},
      {"MaxFlightLevel", "370.5", "MaxFlightLevel 370.5 IS NOT A FLIGHT LEVEL FROM 100 TO 600"},
      {"CruiseMach", " 0.82 ", ""},
      {"CruiseMach", "1E308", "CruiseMach 1E308 IS NOT A MACH FROM 0.30 TO 2.50"},
      {"CruiseMach", "0.82ABC", "CruiseMach 0.82ABC IS NOT A MACH FROM 0.30 TO 2.50"},
      {"Callsign", "kvt123", ""},
      {"Callsign", "KVT\n123", "Callsign KVT?123 IS NOT 2 TO 7 LETTERS AND DIGITS"},
      {"Callsign", "KVT,123", "Callsign KVT,123 IS NOT 2 TO 7 LETTERS AND DIGITS"},
      {"Callsign", longCallsign.c_str(), "IS NOT 2 TO 7 LETTERS AND DIGITS"},
  };
  for (const auto& c : cases) {
    for (const char* key : {"MaxFlightLevel", "CruiseMach", "Callsign"}) app.settings.set(key, "", true);
    app.settings.set(c.key, c.value, true);
    const FlightKeys keys = flightKeys(app);
    if (*c.said == 0) {
      EXPECT_TRUE(keys.faults.empty()) << c.key << " " << c.value;
      continue;
    }
    ASSERT_EQ(keys.faults.size(), 1u) << c.value;
    EXPECT_NE(keys.faults[0].find(c.said), std::string::npos) << keys.faults[0];
    EXPECT_EQ(keys.faults[0].find('\n'), std::string::npos);
    EXPECT_TRUE(keys.callsign.empty() && keys.mach == 0 && keys.maxFlightLevel == 0) << c.value;
  }
}

// A random route as filed: its reports start at the oceanic entry, not at
// the departure; the level and Mach filed at ETARI hold from there, in the
// reports, the request and the times; slash-form positions are oceanic
// points; the request needs no TMI and quotes the westbound set's.
TEST_F(OceanicReport, ARandomRouteFiledWithItsSpeedAndLevel) {
  ASSERT_TRUE(read("nat-20261008-xdispatch-west.txt"));
  app.settings.set("Callsign", "KVT123", true);
  const RouteStringOutcome shown =
      showRouteString(app, "EGLL ETARI/M082F300 5530N/02000W 56N/030W N5600W04000 5550N KJFK");
  ASSERT_TRUE(shown.drawn) << shown.error;
  const FlightRoute route = flightRouteOf(*app.plottedRoute);
  ASSERT_EQ(route.points.size(), 7u);
  const std::vector<std::string> lines = oceanicReportLines(app, route, {12 * 60, 0, 0.84, "", 0});
  std::vector<std::string> reports;
  for (const std::string& l : lines)
    if (l.rfind("POSITION REPORT ", 0) == 0) reports.push_back(l);
  ASSERT_EQ(reports.size(), 5u);
  EXPECT_EQ(reports[0].substr(0, 22), "POSITION REPORT ETARI:");
  for (const std::string& r : reports) EXPECT_NE(r.find("FLIGHT LEVEL 300, MACH 082, "), std::string::npos) << r;
  // After ETARI at Mach .82 at FL300: 589.4 kt the speed of sound there.
  const double tas = 0.82 * 589.4;
  const double leg = haversineNm(route.points[1].position, route.points[2].position);
  EXPECT_LE(std::abs(minutesAtEnd(lines[4]) - minutesAtEnd(lines[3]) - leg / tas * 60), 1.0) << lines[4];
  EXPECT_EQ(lines.back(),
            "CLEARANCE REQUEST: KVT123 REQUEST CLEARANCE TO KJFK VIA ETARI 5530N/02000W 5600N/03000W 5600N/04000W "
            "5500N/05000W, ENTRY POINT ETARI AT " +
                lines.back().substr(lines.back().find(" AT ") + 4, 4) + ", FLIGHT LEVEL 300, MACH 082, TMI 281");
}

// An OFP's own Mach: general/cruise_mach, else the first Mach group of its
// filed route; neither given on the command line nor in CruiseMach.
TEST_F(OceanicReport, AnOfpsOwnMach) {
  test::TempDir dir;
  for (const auto& [general, mach] : {std::pair{"<cruise_mach>0.84</cruise_mach>", "MACH 0.84"},
                                      std::pair{"<route>DCT ETARI/M083F350 DCT</route>", "MACH 0.83"}}) {
    dir.write("ofp.xml", std::string("<OFP><general>") + general +
                             "</general><origin><icao_code>EINN</icao_code><pos_lat>52.70</pos_lat>"
                             "<pos_long>-8.92</pos_long></origin><destination><icao_code>CYQX</icao_code>"
                             "<pos_lat>48.95</pos_lat><pos_long>-54.57</pos_long></destination><navlog><fix>"
                             "<ident>5420N</ident><pos_lat>54</pos_lat><pos_long>-20</pos_long></fix></navlog></OFP>");
    MapCommands(app).openDropped(dir.str() + "/ofp.xml");
    ASSERT_TRUE(app.procedure->routeShown);
    const std::vector<std::string> lines =
        oceanicReportLines(app, flightRouteOf(app.procedure->plan), {12 * 60, 0, 0, "", 0});
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].rfind(mach, 0), 0u) << lines[0];
  }
}

// A simulator's plan names its destination's airport by name and code: the
// request takes the code.
TEST_F(OceanicReport, ThePlansDestinationCode) {
  ASSERT_TRUE(read("nat-20261008-xdispatch-west.txt"));
  app.settings.set("Callsign", "KVT123", true);
  test::TempDir dir;
  dir.write("plan.pln",
            "<SimBase.Document><FlightPlan.FlightPlan><Title>KJFK to EGLL</Title><CruisingAlt>35000</CruisingAlt>"
            "<DestinationID>EGLL</DestinationID><DestinationName>Heathrow</DestinationName>"
            "<ATCWaypoint id=\"KJFK\"><WorldPosition>N40\xC2\xB0 38' 22\",W73\xC2\xB0 46' 41\",+13</WorldPosition>"
            "</ATCWaypoint><ATCWaypoint id=\"5050N\"><WorldPosition>N50\xC2\xB0 0' 0\",W50\xC2\xB0 0' 0\",+35000"
            "</WorldPosition></ATCWaypoint><ATCWaypoint id=\"5230N\"><WorldPosition>N52\xC2\xB0 0' 0\",W30\xC2\xB0 0'"
            " 0\",+35000</WorldPosition></ATCWaypoint><ATCWaypoint id=\"LHR\"><WorldPosition>N51\xC2\xB0 28' 0\","
            "W0\xC2\xB0 27' 0\",+80</WorldPosition></ATCWaypoint></FlightPlan.FlightPlan></SimBase.Document>");
  MapCommands(app).openDropped(dir.str() + "/plan.pln");
  ASSERT_TRUE(app.procedure->routeShown);
  const std::vector<std::string> lines =
      oceanicReportLines(app, flightRouteOf(app.procedure->plan), {12 * 60, 0, 0.82, "", 0});
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(lines.back().find("REQUEST CLEARANCE TO EGLL VIA "), std::string::npos) << lines.back();
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
