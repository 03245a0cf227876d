// X-Plane navigation data, in made-up files of the published forms.
#include "navdata/xpnavdata.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/gunzip.h"
#include "navdata/fixfile_builder.h"
#include "navdata/fixstore.h"
#include "navdata/xpnavbuilder.h"
#include "procedures/routestring.h"
#include "procedures/routestringreport.h"
#include "support/shownmessages.h"
#include "support/tempdir.h"
#include "tracks/resolvedtrack.h"
#include "tracks/trackexport.h"
#include "tracks/trackreport.h"

namespace korvant {
namespace {

// NOT FOR NAVIGATION: made up for these tests.
constexpr const char* kFixes =
    "I\n1101 Version - made up, NOT FOR NAVIGATION\n\n"
    "  40.500000  -73.000000 MERIT ENRT K6 2105430\n"
    "  41.000000  -71.000000 BOSOX ENRT K6 2105430\n"
    "  42.000000  -68.000000 ALLEX ENRT K6 2105430\n"
    " -42.000000  -68.000000 ALLEX ENRT SA 2105430\n"
    "  95.000000  -68.000000 BADLAT ENRT K6 2105430\n"
    "  42.0 -68.0 TOOLONGNAME ENRT K6\n"
    "  42.0 -68.0\n"
    "99\n";
constexpr const char* kNavaids =
    "I\n1150 Version - made up, NOT FOR NAVIGATION\n"
    "2  41.500000  -70.000000 0 300 50 0.0 QX ENRT K6 MADE UP NDB\n"
    "3  41.800000  -69.000000 0 11500 130 -14.0 MDV ENRT K6 MADE UP VOR/DME\n"
    "4  40.600000  -73.700000 0 10950 18 44.0 IJFK KJFK K6 RWY 04L ILS-cat-I\n"
    "12  41.800000  -69.000000 0 11500 130 0.0 MDV ENRT K6 MADE UP VOR/DME\n"
    "13  41.200000  -70.500000 0 11320 40 0.0 DMX ENRT K6 MADE UP DME\n"
    "99\n";
// J1 MERIT-BOSOX-QX-MDV-ALLEX, one way from MERIT on; the last segment also J2.
constexpr const char* kAirways =
    "I\n1100 Version - made up, NOT FOR NAVIGATION\n"
    "MERIT K6 11 BOSOX K6 11 F 2 180 450 J1\n"
    "BOSOX K6 11 QX K6 2 F 2 180 450 J1\n"
    "QX K6 2 MDV K6 3 F 2 180 450 J1\n"
    "MDV K6 3 ALLEX K6 11 N 2 180 450 J1-J2\n"
    "NOPE K6 11 ALLEX K6 11 N 2 180 450 J3\n"
    "MERIT K6\n";  // cut short: no 99

class XpNavDataTest : public ::testing::Test {
 protected:
  XpNavDataTest() {
    dir.write("earth_fix.dat", kFixes);
    dir.write("EARTH_NAV.DAT", kNavaids);  // found whatever the case
    dir.write("earth_awy.dat", kAirways);
  }
  test::TempDir dir;
};

TEST_F(XpNavDataTest, ReadsFixesNavaidsAndAirwaysAndSaysWhatItCouldNotUse) {
  Result<XpNavData> data = readXpNavData(dir.str());
  ASSERT_TRUE(data);
  EXPECT_EQ(data->pointCount(), 7u);  // 4 fixes, an NDB, a VOR, a DME alone; no ILS, no VOR's own DME
  std::vector<std::string> said;
  for (const Message& m : worded(data.problems)) said.push_back(m.text);
  EXPECT_EQ(said, (std::vector<std::string>{"earth_fix.dat: 3 LINES NOT USED (FIRST line 8: position out of range)",
                                            "earth_awy.dat: 1 LINES NOT USED (FIRST line 8: too few columns)",
                                            "earth_awy.dat: ENDS WITHOUT ITS CLOSING 99: CUT SHORT?",
                                            "earth_awy.dat: 1 SEGMENTS WITH AN END NOT IN THE FIXES OR NAVAIDS"}));
  EXPECT_EQ(data->segments().size(), 5u);  // J1 four times, J2 once
  // The nearest of a name; kinds as the fix file's.
  EXPECT_NEAR(data->nearest("ALLEX", {-4000, -6800})->position.lat, -4200, 1e-9);
  EXPECT_EQ(data->nearest("MDV", {0, 0})->kind, FIX_KIND_VOR);
  EXPECT_EQ(data->nearest("QX", {0, 0})->kind, FIX_KIND_NDB);
  EXPECT_EQ(data->nearest("DMX", {0, 0})->kind, FIX_KIND_DME);
  EXPECT_EQ(data->nearest("NOPE", {0, 0}), nullptr);
  // A stop set (the window closing): nothing read, nothing said.
  const std::atomic<bool> stop{true};
  const Result<XpNavData> stopped = readXpNavData(dir.str(), &stop);
  EXPECT_FALSE(stopped);
  EXPECT_TRUE(stopped.problems.empty());
}

TEST_F(XpNavDataTest, AirwaysAreFlownAlongTheirSegmentsAndTheirDirection) {
  const Result<XpNavData> data = readXpNavData(dir.str());
  ASSERT_TRUE(data);
  const auto forward = data->airwayPath("J1", "MERIT", "ALLEX", {4050, -7300});
  ASSERT_TRUE(forward);
  EXPECT_EQ(forward->names, (std::vector<std::string>{"MERIT", "BOSOX", "QX", "MDV", "ALLEX"}));
  EXPECT_EQ(forward->segments, 4);
  EXPECT_FALSE(forward->againstDirection);
  const auto backward = data->airwayPath("J1", "ALLEX", "BOSOX", {4200, -6800});
  ASSERT_TRUE(backward);
  EXPECT_TRUE(backward->againstDirection);
  EXPECT_EQ(backward->segments, 3);
  EXPECT_FALSE(data->airwayPath("J2", "MERIT", "ALLEX", {4050, -7300}));
  EXPECT_FALSE(data->airwayPath("J9", "MERIT", "ALLEX", {4050, -7300}));
}

TEST_F(XpNavDataTest, NamesTheFixFileLacksResolveAndRouteAirwaysExpand) {
  FixFileContents c;
  c.fixes = {test::makeFix("KJFK", 4038.38, -7346.69)};
  FixStore fixes;
  fixes.loadBytes(test::fixFileBytes(c));
  LatLng p;
  EXPECT_FALSE(fixes.resolvePosition("MERIT", {4000, -7000}, p));
  Result<XpNavData> data = readXpNavData(dir.str());
  fixes.setNavData(std::make_shared<const XpNavData>(std::move(*data)));
  ASSERT_TRUE(fixes.resolvePosition("MERIT", {4000, -7000}, p));
  EXPECT_NEAR(p.lat, 4030, 1e-9);
  EXPECT_NEAR(p.lng, -7300, 1e-9);
  ASSERT_TRUE(fixes.resolvePosition("MDV", p, p));
  EXPECT_EQ(fixes.kindOf("MDV", p), FIX_KIND_VOR);

  const RouteStringRead route = readRouteString("KJFK MERIT J1 ALLEX J7 MDV DMX", TrackModel{}, fixes);
  std::vector<std::string> names;
  for (const TrackFix& f : route.points) names.push_back(f.name);
  EXPECT_EQ(names, (std::vector<std::string>{"KJFK", "MERIT", "BOSOX", "QX", "MDV", "ALLEX", "MDV", "DMX"}));
  EXPECT_EQ(route.notes, (std::vector<std::string>{"J1 MERIT-ALLEX: 4 SEGMENTS",
                                                   "J7 ALLEX-MDV FLOWN DIRECT: NOT IN THE NAVIGATION DATA"}));
  EXPECT_EQ(route.notExpanded, (std::vector<std::string>{"J7"}));
  // The report marks the navaids by kind, as the plans will carry them.
  const std::string report = routeStringReport(route, {});
  EXPECT_NE(report.find(" NM  NDB\n"), std::string::npos) << report;
  EXPECT_NE(report.find(" NM  VOR\n"), std::string::npos) << report;
  EXPECT_NE(report.find(" NM  DME\n"), std::string::npos) << report;
}

// An airway's name that a fix has too, an airway shaped like a position and
// a name in both the fix file and the pilot's data: the airway where it joins
// the points round it, the fix nearest the point before, and a long leg said.
TEST(XpNavDataRoutes, AirwaysBeforeFixesOfTheirNameAndTheNearestOfEveryName) {
  test::TempDir dir;
  dir.write("earth_fix.dat",
            "I\n1101 Version - made up, NOT FOR NAVIGATION\n\n"
            "  50.000000  -10.000000 ALPHA ENRT EG 2105430\n"
            "  51.000000  -12.000000 BRAVO ENRT EG 2105430\n"
            "  52.000000  -14.000000 CHARL ENRT EG 2105430\n"
            "  50.500000  -11.000000 SPI ENRT EG 2105430\n"
            "99\n");
  dir.write("earth_nav.dat",
            "I\n1150 Version - made up, NOT FOR NAVIGATION\n"
            "2  10.000000  10.000000 0 300 50 0.0 V2 ENRT DN MADE UP NDB\n"
            "99\n");
  dir.write("earth_awy.dat",
            "I\n1100 Version - made up, NOT FOR NAVIGATION\n"
            "ALPHA EG 11 BRAVO EG 11 N 2 180 450 V2\n"
            "BRAVO EG 11 CHARL EG 11 N 2 180 450 N14\n"
            "99\n");
  FixFileContents c;
  c.fixes = {test::makeFix("SPI", 3950, -8940), test::makeFix("FARPT", 3950, -8940)};
  FixStore fixes;
  fixes.loadBytes(test::fixFileBytes(c));
  Result<XpNavData> data = readXpNavData(dir.str());
  ASSERT_TRUE(data);
  fixes.setNavData(std::make_shared<const XpNavData>(std::move(*data)));
  const struct {
    const char* route;
    const char* points;
    std::vector<std::string> notes;
  } cases[] = {
      {"ALPHA V2 BRAVO", "ALPHA BRAVO", {"V2 ALPHA-BRAVO: 1 SEGMENT"}},
      {"BRAVO N14 CHARL", "BRAVO CHARL", {"N14 BRAVO-CHARL: 1 SEGMENT"}},
      // V2 does not join BRAVO and CHARL: the NDB, far off the route.
      {"BRAVO V2 CHARL", "BRAVO V2 CHARL", {"V2 LIES 2693 NM OFF THE ROUTE"}},
      {"ALPHA SPI", "ALPHA SPI", {}},
      {"ALPHA FARPT", "ALPHA FARPT", {"FARPT LIES 3282 NM FROM ALPHA"}},
  };
  for (const auto& c : cases) {
    const RouteStringRead r = readRouteString(c.route, TrackModel{}, fixes);
    std::string names;
    for (const TrackFix& f : r.points) names += (names.empty() ? "" : " ") + f.name;
    EXPECT_EQ(names, c.points) << c.route;
    EXPECT_EQ(r.notes, c.notes) << c.route;
  }
  LatLng spi;
  ASSERT_TRUE(fixes.resolvePosition("SPI", {5000, -1000}, spi));
  EXPECT_EQ(spi, (LatLng{5030, -1100}));
  ASSERT_TRUE(fixes.resolvePosition("SPI", {4000, -9000}, spi));
  EXPECT_EQ(spi, (LatLng{3950, -8940}));
}

// A route string flying a long airway back and forth: expanded until the
// route holds ROUTE_STRING_POINTS points, then flown direct and said once.
TEST(XpNavDataRoutes, ALongAirwayBackAndForthIsExpandedUpToTheBound) {
  std::string airways = "I\n640 Version - made up, NOT FOR NAVIGATION\n";
  char line[160];
  for (int i = 0; i < 4999; ++i) {
    std::snprintf(line, sizeof line, "W%04d %.6f -60.0 W%04d %.6f -60.0 2 180 450 J9\n", i, 30 + i * 0.002, i + 1,
                  30 + (i + 1) * 0.002);
    airways += line;
  }
  test::TempDir dir;
  dir.write("earth_awy.dat", airways + "99\n");
  Result<XpNavData> data = readXpNavData(dir.str());
  ASSERT_TRUE(data);
  FixStore fixes;
  fixes.setNavData(std::make_shared<const XpNavData>(std::move(*data)));
  const RouteStringRead r = readRouteString("W0000 J9 W4999 J9 W0000 J9 W4999 J9 W0000", TrackModel{}, fixes);
  // Three expansions (the third starts below the bound), the fourth direct.
  EXPECT_EQ(r.points.size(), 3u * 4999 + 2);
  EXPECT_EQ(std::count(r.notes.begin(), r.notes.end(), "AIRWAYS FLOWN DIRECT BEYOND 10000 POINTS"), 1);
  EXPECT_EQ(r.notExpanded, std::vector<std::string>{"J9"});
}

TEST(XpNavDataFolder, AMissingFolderOrFileIsSaidOnce) {
  test::TempDir dir;
  const Result<XpNavData> none = readXpNavData(dir.str() + "/missing");
  EXPECT_FALSE(none);
  EXPECT_EQ(none.problems.size(), 3u);
  dir.write("earth_fix.dat/inner", "x");  // a folder where the file should be
  dir.write("earth_nav.dat", "I\n1150 Version\n99\n");
  const Result<XpNavData> some = readXpNavData(dir.str());
  ASSERT_TRUE(some);
  ASSERT_EQ(some.problems.size(), 2u);
  EXPECT_NE(wordProblem(some.problems[0]).text.find("earth_fix.dat: NOT A FILE"), std::string::npos);
  EXPECT_NE(wordProblem(some.problems[1]).text.find("earth_awy.dat: MISSING"), std::string::npos);
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// A flex route's airway is flown along its segments when the data has it.
TEST(XpNavDataTracks, AFlexRoutesAirwayFollowsItsSegments) {
  test::TempDir dir;
  dir.write("earth_fix.dat",
            "I\n1101 Version - made up, NOT FOR NAVIGATION\n 40.0 170.0 KALNA ENRT RJ 0\n"
            " 38.0 175.0 MIDLE ENRT RJ 0\n 35.0 -178.0 CRYPT ENRT RJ 0\n 30.0 -170.0 OTHER ENRT RJ 0\n99\n");
  dir.write("earth_nav.dat", "I\n1150 Version\n99\n");
  dir.write("earth_awy.dat",
            "I\n1100 Version\nKALNA RJ 11 MIDLE RJ 11 N 2 180 450 G344\n"
            "MIDLE RJ 11 CRYPT RJ 11 N 2 180 450 G344\n99\n");
  FixStore fixes;
  fixes.loadBytes(test::fixFileBytes({}));
  fixes.setNavData(std::make_shared<const XpNavData>(std::move(*readXpNavData(dir.str()))));
  TrackModel model;
  ASSERT_TRUE(storeTrackLine(model, "N KALNA G344 CRYPT A342 OTHER", PACIFIC_REFERENCE, TrackStore{fixes}));
  EXPECT_EQ(model.slotTexts[13], "KALNA MIDLE CRYPT OTHER");
  const std::string report = trackReport(model);
  EXPECT_NE(report.find("  G344 KALNA-CRYPT: 2 SEGMENTS\n"), std::string::npos) << report;
  EXPECT_NE(report.find("  A342 CRYPT-OTHER FLOWN DIRECT: NOT IN THE NAVIGATION DATA\n"), std::string::npos);
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// The sample folder korvant-mkdat builds from the public fixes and the
// made-up airways reads back whole.
TEST(XpNavDataSample, TheBuiltSampleFolderReadsBackWhole) {
  const std::string run = std::filesystem::path(KORVANT_SAMPLE_DAT).parent_path().string();
  const Result<XpNavData> data = readXpNavData(run + "/XPNAV");
  ASSERT_TRUE(data);
  EXPECT_TRUE(data.problems.empty()) << wordProblem(data.problems[0]).text;
  EXPECT_EQ(data->segments().size(), 6u + 4 + 1 + 2 + 2);
  const auto j581 = data->airwayPath("J581", "MERIT", "ALLEX", {4123, -7308});
  ASSERT_TRUE(j581);
  EXPECT_EQ(j581->names, (std::vector<std::string>{"MERIT", "HTO", "ALLEX"}));
  EXPECT_EQ(data->nearest("HTO", {4100, -7200})->kind, FIX_KIND_VOR);
  const auto backwards = data->airwayPath("UN601", "ELSOX", "KESIX", {5100, -1400});
  ASSERT_TRUE(backwards);
  EXPECT_TRUE(backwards->againstDirection);
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

TEST(XpNavFolderBuilder, RefusesWhatTheFilesCannotHold) {
  for (const auto& [text, why] :
       {std::pair{"name,kind,lat,lon\nABC,0,nan,10\n", "line 2: position out of range"},
        std::pair{"name,kind,lat,lon\nA B,0,10,10\n", "line 2: a name of 1 to 8 characters without blanks"},
        std::pair{"name,kind,lat,lon\nABC,x,10,10\n", "line 2: not a number"},
        std::pair{"airway,level,direction,points\nJ1,2,N,ABC\n",
                  "line 2: an airway needs its level, direction and two points"},
        std::pair{"something,else\n", "line 1: a header name,... or airway,... first"}}) {
    XpNavFolderBuilder builder;
    const Problems problems = builder.add(text);
    ASSERT_EQ(problems.size(), 1u) << text;
    EXPECT_EQ(wordProblem(problems[0]).text, why);
  }
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// NOT FOR NAVIGATION: made up. UL607 runs KONAN-REMBA-SPI; a second SPI lies
// off it near KONAN, a second KONAN off it near ABCDE, and the program's own
// fix file has a third SPI far away and a MIDLE that is not the airway's.
class AirwayEnds : public ::testing::Test {
 protected:
  AirwayEnds() {
    dir.write("earth_fix.dat",
              "I\n1101 Version - made up, NOT FOR NAVIGATION\n 51.0 2.0 KONAN ENRT EB 0\n"
              " 50.9 4.0 REMBA ENRT EB 0\n 50.5 5.7 SPI ENRT EB 0\n 51.2 2.6 SPI ENRT EG 0\n"
              " 48.0 -3.0 KONAN ENRT LF 0\n 40.0 170.0 KALNA ENRT RJ 0\n 38.0 175.0 MIDLE ENRT RJ 0\n"
              " 35.0 -178.0 CRYPT ENRT RJ 0\n99\n");
    dir.write("earth_nav.dat", "I\n1150 Version\n99\n");
    dir.write("earth_awy.dat",
              "I\n1100 Version\nKONAN EB 11 REMBA EB 11 N 2 180 450 UL607\nREMBA EB 11 SPI EB 11 N 2 180 450 UL607\n"
              "KALNA RJ 11 MIDLE RJ 11 N 2 180 450 G344\nMIDLE RJ 11 CRYPT RJ 11 N 2 180 450 G344\n99\n");
    FixFileContents c;
    c.fixes = {test::makeFix("SPI", 3951, -8940), test::makeFix("ABCDE", 4800, -330), test::makeFix("MIDLE", 0, 0)};
    fixes.loadBytes(test::fixFileBytes(c));
    fixes.setNavData(std::make_shared<const XpNavData>(std::move(*readXpNavData(dir.str()))));
  }
  test::TempDir dir;
  FixStore fixes;
};

TEST_F(AirwayEnds, AnAirwaysEndsAreItsOwnPointsOfThoseNamesAndAddedPointsKeepTheirNames) {
  struct Case {
    std::string route;
    std::vector<std::string> names;
    std::vector<LatLng> positions;
    std::string note;
  };
  const Case cases[] = {
      // The SPI on the airway, not the nearer one off it nor the fix file's.
      {"KONAN UL607 SPI",
       {"KONAN", "REMBA", "SPI"},
       {{5100, 200}, {5054, 400}, {5030, 542}},
       "UL607 KONAN-SPI: 2 SEGMENTS"},
      // KONAN resolves near ABCDE to the one off the airway; the airway's own is flown.
      {"ABCDE KONAN UL607 SPI",
       {"ABCDE", "KONAN", "REMBA", "SPI"},
       {{4800, -330}, {5100, 200}, {5054, 400}, {5030, 542}},
       "UL607 KONAN-SPI: 2 SEGMENTS"},
      // Not flown: said, and each name resolved as any other, nearest the point before.
      {"KONAN UL607 ABCDE",
       {"KONAN", "ABCDE"},
       {{4800, -300}, {4800, -330}},
       "UL607 KONAN-ABCDE FLOWN DIRECT: UL607 HAS NO POINT ABCDE"},
      {"ABCDE UL607 SPI",
       {"ABCDE", "SPI"},
       {{4800, -330}, {5112, 236}},
       "UL607 ABCDE-SPI FLOWN DIRECT: UL607 HAS NO POINT ABCDE"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.route);
    const RouteStringRead route = readRouteString(c.route, TrackModel{}, fixes);
    ASSERT_EQ(route.points.size(), c.names.size());
    for (std::size_t i = 0; i < c.names.size(); ++i) {
      EXPECT_EQ(route.points[i].name, c.names[i]);
      EXPECT_NEAR(route.points[i].position.lat, c.positions[i].lat, 1e-6) << i;
      EXPECT_NEAR(route.points[i].position.lng, c.positions[i].lng, 1e-6) << i;
    }
    EXPECT_EQ(route.notes, std::vector<std::string>{c.note});
  }
  // A flex route's airway: MIDLE keeps its name at the airway's point, in the
  // chain, the report and the export alike.
  TrackModel model;
  ASSERT_TRUE(storeTrackLine(model, "N KALNA G344 CRYPT", PACIFIC_REFERENCE, TrackStore{fixes}));
  ASSERT_EQ(model.chains[13].size(), 3u);
  EXPECT_EQ(model.chains[13][1].name, "MIDLE");
  EXPECT_EQ(model.chains[13][1].position, (LatLng{3800, 17500}));
  EXPECT_NE(trackReport(model).find("MIDLE "), std::string::npos);
  EXPECT_NE(exportTracks(resolvedTracks(model), TrackExportFormat::GeoJson).find("\"MIDLE\""), std::string::npos);
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// FlightGear's Navaids folder, as its files come (made up, NOT FOR
// NAVIGATION): fix.dat (600), nav.dat (810) and awy.dat (640), gzipped; an
// airway end that neither file holds is the airway's own point.
TEST(XpNavDataLayouts, FlightGearsGzippedFilesAndOlderLayoutsRead) {
  test::TempDir dir;
  dir.write("fix.dat",
            "I\n600 Version - made up, NOT FOR NAVIGATION\n 50.500000 -20.000000 ALPHA\n"
            " 51.000000 -21.000000 BRAVO\n 51.0 -21.0\n99\n");
  dir.write("nav.dat",
            "I\n810 Version - made up, NOT FOR NAVIGATION\n"
            "2  50.000000 -19.000000 0 350 50 0.0 XY MADE UP NDB\n"
            "3  52.000000 -22.000000 0 11500 130 -10.0 VVV MADE UP VOR-DME\n"
            "13 52.500000 -22.500000 0 11320 40 0.0 DDD MADE UP DME\n"
            "4  50.600000 -20.700000 0 10950 18 44.0 IXX RWY 04 ILS\n99\n");
  dir.write("awy.dat",
            "I\n640 Version - made up, NOT FOR NAVIGATION\n"
            "ALPHA 50.500000 -20.000000 BRAVO 51.000000 -21.000000 2 180 450 UN1-UN2\n"
            "BRAVO 51.000000 -21.000000 VVV 52.000000 -22.000000 2 180 450 UN1\n"
            "VVV 52.000000 -22.000000 CHARL 53.000000 -23.000000 1 50 170 UN1\n99\n");
  ASSERT_EQ(
      std::system(("gzip -9n " + dir.str() + "/fix.dat " + dir.str() + "/nav.dat " + dir.str() + "/awy.dat").c_str()),
      0);
  const Result<XpNavData> data = readXpNavData(dir.str());
  ASSERT_TRUE(data);
  ASSERT_EQ(data.problems.size(), 1u);
  EXPECT_EQ(wordProblem(data.problems[0]).text, "fix.dat.gz: 1 LINES NOT USED (FIRST line 5: too few columns)");
  EXPECT_EQ(data->pointCount(), 2u + 3 + 1);  // two fixes, NDB, VOR, DME, and the airway's own CHARL
  EXPECT_EQ(data->nearest("DDD", {0, 0})->kind, FIX_KIND_DME);
  const auto un1 = data->airwayPath("UN1", "ALPHA", "CHARL", {5000, -2000});
  ASSERT_TRUE(un1);
  EXPECT_EQ(un1->names, (std::vector<std::string>{"ALPHA", "BRAVO", "VVV", "CHARL"}));
  EXPECT_TRUE(data->airwayPath("UN2", "BRAVO", "ALPHA", {5100, -2100}));

  // A layout not read is said once with its number; a damaged or oversized
  // gzip file is refused with why.
  test::TempDir other;
  other.write("earth_fix.dat", "I\n1300 Version - made up\n 50.0 -20.0 ALPHA ENRT EG 0\n99\n");
  other.write("earth_nav.dat.gz", "\x1F\x8B not really gzip");
  const Result<XpNavData> said = readXpNavData(other.str());
  ASSERT_GE(said.problems.size(), 2u);
  EXPECT_EQ(wordProblem(said.problems[0]).text, "earth_fix.dat: LAYOUT 1300 IS NOT READ");
  const std::string damaged = wordProblem(said.problems[1]).text;
  EXPECT_NE(damaged.find("earth_nav.dat.gz: DAMAGED"), std::string::npos) << damaged;
  const std::string zeros = other.write("zeros", std::string(1 << 20, '\0'));
  ASSERT_EQ(std::system(("gzip -9n " + zeros).c_str()), 0);
  std::ifstream packed(zeros + ".gz", std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(packed), {}};
  EXPECT_EQ(gunzip(bytes, 1000).reason, "LARGER THAN 0 MB UNPACKED");
  EXPECT_EQ(gunzip(bytes, 1 << 20).bytes.size(), 1u << 20);
  EXPECT_EQ(gunzip(bytes + bytes, 2 << 20).bytes.size(), 2u << 20);  // two members, as cat makes them
  EXPECT_EQ(gunzip(bytes.substr(0, bytes.size() - 4), 2 << 20).reason, "DAMAGED (CUT SHORT)");
}

}  // namespace
}  // namespace korvant
