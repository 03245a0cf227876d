// Route strings against the sample messages: the fixes each expands to, where
// they stand, and what is said about the words it could not use.
#include "procedures/routestring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <tuple>

#include "base/textops.h"
#include "geo/greatcircle.h"
#include "procedures/routestringreport.h"
#include "tracks/trackreader.h"

namespace korvant {
namespace {

class RouteStringTest : public ::testing::Test {
 protected:
  RouteStringTest() {
    fixes.setPathDirectly(KORVANT_SAMPLE_DAT);
    fixes.load();
  }
  void readTracks(const std::string& file) {
    std::ifstream in(std::string(KORVANT_TEST_DATA) + "/tracks/" + file, std::ios::binary);
    ASSERT_TRUE(in) << file;
    model = *readTrackMessage(in, fileExtension(file), TrackStore{fixes});
    ASSERT_FALSE(model.empty()) << file;
  }
  RouteStringRead read(std::string_view text) { return readRouteString(text, model, fixes); }
  static std::string names(const RouteStringRead& r) {
    std::string out;
    for (const TrackFix& p : r.points) out += (out.empty() ? "" : " ") + p.name;
    return out;
  }
  FixStore fixes;
  TrackModel model;
};

TEST_F(RouteStringTest, AnEastboundNatTrackBetweenTheFixesWrittenRoundIt) {
  readTracks("nat-20160210-qsimplanner.html");
  // Track S: NICSO 48/50 50/40 51/30 52/20 LIMRI XETBO.
  const RouteStringRead r =
      read("KJFK DCT MERIT HFD PUT BOS KANNI DCT NICSO NATS LIMRI DCT GISTI SLANY UL9 KONAN EGLL");
  EXPECT_EQ(names(r), "KJFK MERIT HFD PUT BOS KANNI NICSO 48/50 50/40 51/30 52/20 LIMRI GISTI EGLL");
  ASSERT_EQ(r.points.size(), 14u);
  EXPECT_EQ(r.points[7].position, (LatLng{4800, -5000}));
  EXPECT_EQ(r.points[10].position, (LatLng{5200, -2000}));
  EXPECT_EQ(r.points[11].position, (LatLng{5200, -1500}));
  EXPECT_NEAR(r.points.back().position.lat, 5128.24, 0.01);
  ASSERT_EQ(r.tracks.size(), 1u);
  EXPECT_EQ(r.tracks[0].name, "NAT S");
  EXPECT_EQ(r.tracks[0].first, 7u);
  EXPECT_EQ(r.tracks[0].count, 4u);
  EXPECT_EQ(r.notExpanded, std::vector<std::string>{"UL9"});
  EXPECT_EQ(r.unresolved, (std::vector<std::string>{"SLANY", "KONAN"}));
  EXPECT_TRUE(r.missingTracks.empty());
  EXPECT_FALSE(r.cut);
}

TEST_F(RouteStringTest, AWestboundNatTrackMatchedByPositionBackwardsOrWhole) {
  readTracks("nat-20160210-qsimplanner.html");
  // Track A: SUNOT 57/20 57/30 57/40 56/50 JANJO; the exit written as a position.
  RouteStringRead r = read("EGLL/27R N0480F350 DCT SUNOT/M082F350 NAT A 5402N05700W DCT KJFK/31L");
  EXPECT_EQ(names(r), "EGLL SUNOT 57/20 57/30 57/40 56/50 5402N05700W KJFK");
  EXPECT_EQ(r.points[2].position, (LatLng{5700, -2000}));
  EXPECT_EQ(r.points[5].position, (LatLng{5600, -5000}));
  EXPECT_TRUE(r.unresolved.empty());
  // Neither neighbour on the track: all of it.
  r = read("EGLL NATA KJFK");
  EXPECT_EQ(names(r), "EGLL SUNOT 57/20 57/30 57/40 56/50 JANJO KJFK");
  // Written against the track's direction, it is flown backwards.
  r = read("KJFK JANJO NATA SUNOT EGLL");
  EXPECT_EQ(names(r), "KJFK JANJO 56/50 57/40 57/30 57/20 SUNOT EGLL");
  // Entered partway, the half-degree form of its fixes included.
  readTracks("nat-20160210-qsimplanner.html");
  r = read("EGLL ETARI 5530/20 NAT C KJFK");
  EXPECT_EQ(names(r), "EGLL ETARI 5530/20 5530/30 5530/40 5430/50 MELDI KJFK");
  EXPECT_EQ(r.points[2].position, (LatLng{5530, -2000}));
}

TEST_F(RouteStringTest, APacificTrackByItsNumberOrLetter) {
  readTracks("pacots-20160208-qsimplanner.txt");
  // Track 1 is stored as N: 40N160E ... 49N140W PRETY.
  for (const char* text : {"RJAA DCT 40N160E PACOTS 1 PRETY DCT KSFO", "RJAA 40N160E PACOTS1 PRETY KSFO",
                           "RJAA 40N160E PACOTSN PRETY KSFO"}) {
    const RouteStringRead r = read(text);
    EXPECT_EQ(names(r), "RJAA 40N160E 41N170E 43N180E 45N170W 47N160W 48N150W 49N140W PRETY KSFO") << text;
    ASSERT_EQ(r.points.size(), 10u) << text;
    EXPECT_EQ(r.points[3].position, (LatLng{4300, 18000}));
    EXPECT_EQ(r.points[4].position, (LatLng{4500, -17000}));
    ASSERT_EQ(r.tracks.size(), 1u);
    EXPECT_EQ(r.tracks[0].count, 6u);
  }
  // A NAT track is not among the Pacific ones, nor a number beyond 13.
  RouteStringRead r = read("RJAA NATN PACOTS 14 KSFO");
  EXPECT_EQ(r.missingTracks, (std::vector<std::string>{"NAT TRACK N IS NOT STORED", "PACOTS TRACK 14 IS NOT STORED"}));
  EXPECT_EQ(names(r), "RJAA KSFO");
}

TEST_F(RouteStringTest, GroupsSuffixesAirwaysAndUnknownWords) {
  readTracks("nat-20160210-qsimplanner.html");
  for (const char* group : {"N0480F350", "M082F350", "K0830S1010", "N0450VFR", "N0480A045", "M084F390"})
    EXPECT_TRUE(isSpeedLevelGroup(group)) << group;
  for (const char* word : {"NEEKO", "N048", "N0480", "N0480F35", "NF350", "N0480X350", "N0480F3500X", "K12F350"})
    EXPECT_FALSE(isSpeedLevelGroup(word)) << word;
  for (const char* airway : {"N557A", "UL9", "J80", "A590", "UN615", "Q1"}) EXPECT_TRUE(looksLikeAirway(airway));
  for (const char* word : {"NEEKO", "5530/20", "ABCD12", "12AB", "UL9AB", "UL12345"})
    EXPECT_FALSE(looksLikeAirway(word)) << word;

  const RouteStringRead r = read("kjfk\tn0480f350 merit J80\r\nQWERTY N557A NAT Q\x01 egll");
  EXPECT_EQ(names(r), "KJFK MERIT EGLL");
  EXPECT_EQ(r.notExpanded, (std::vector<std::string>{"J80", "N557A"}));
  EXPECT_EQ(r.unresolved, std::vector<std::string>{"QWERTY"});
  EXPECT_EQ(r.missingTracks, std::vector<std::string>{"NAT TRACK Q IS NOT STORED"});

  const std::string report = routeStringReport(r);
  EXPECT_NE(report.find("ROUTE STRING  KJFK-EGLL\n"), std::string::npos) << report;
  EXPECT_NE(report.find("  KJFK        N4038.37 W07346.76\n"), std::string::npos) << report;
  EXPECT_NE(report.find("\n  MERIT       N4122.92 W07308.25  "), std::string::npos) << report;
  EXPECT_NE(report.find("NOT EXPANDED, FLOWN DIRECT: J80 N557A\n"), std::string::npos) << report;
  EXPECT_NE(report.find("NOT RESOLVED: QWERTY\n"), std::string::npos) << report;
  EXPECT_NE(report.find("NAT TRACK Q IS NOT STORED\n"), std::string::npos) << report;
  EXPECT_NE(report.find("  TOTAL "), std::string::npos) << report;
}

// The ICAO form as a flight-service example writes it (the sample fix file
// lacks the Canadian and Norwegian names): dots part the words, DCT goes, a
// speed and level group after a slash is a change at that point, said in words.
TEST_F(RouteStringTest, TheIcaoFormWithDotsAndSpeedLevelChanges) {
  const RouteStringRead r = read(
      "DCT.KJFK.DCT.MERIT.J101.HFD.DCT.BOS/N0471F370.DCT.6401N03005W.6415N03000W.64N020W.63N010W."
      "65N005W/M082F350.DCT.EGLL/A045.DCT");
  EXPECT_EQ(names(r), "KJFK MERIT HFD BOS 6401N03005W 6415N03000W 64N020W 63N010W 65N005W EGLL");
  EXPECT_NEAR(r.points[4].position.lat, 6401, 1e-9);
  EXPECT_NEAR(r.points[4].position.lng, -3005, 1e-9);
  ASSERT_EQ(r.changes.size(), 3u);
  EXPECT_EQ(r.changes[0].point, 3u);
  EXPECT_EQ(r.changes[1].group, "M082F350");
  EXPECT_EQ(r.changes[2].point, 9u);
  const std::string report = routeStringReport(r);
  EXPECT_NE(report.find("    FROM BOS: N0471F370  471 KT, FL370\n  6401N03005W"), std::string::npos) << report;
  const std::pair<const char*, const char*> words[] = {{"N0471F370", "471 KT, FL370"},
                                                       {"M082F350", "MACH 0.82, FL350"},
                                                       {"K0830S1130", "830 KM/H, 11300 M"},
                                                       {"N0450VFR", "450 KT, VFR"},
                                                       {"A045", "4500 FT"},
                                                       {"M0840", "8400 M"},
                                                       {"VFR", "VFR"},
                                                       {"F37", ""}};
  for (const auto& [group, said] : words) EXPECT_EQ(speedLevelWords(group), said) << group;
  // A decimal point stays in its number.
  EXPECT_EQ(names(read("KJFK N4038.37/W07346.76 EGLL")), "KJFK N4038.37/W07346.76 EGLL");
}

// Filed routes as published (the North Atlantic's flight planning guidance,
// its example of a random route entered at ATSIX and left at TANTI, on into
// Canada and the United States), against the sample fix file: each point
// where it stands, each speed and level group at its point, airways this
// data does not hold flown direct and said, words that name nothing said.
TEST_F(RouteStringTest, APublishedRandomRouteReadsAsFiled) {
  const RouteStringRead r = read(
      "GELKI UP600 GOW/N0473F360 UN615 STN UN601 AKIVO UP60 ATSIX/M081F360 DCT 62N020W 63N030W 63N040W 62N050W "
      "62N060W DCT TANTI/N0467F380 DCT FEDDY SCAI 5321N09000W/N0459F390 SCAI YRL/N0338F160 V304 "
      "VBI/N0466F410 J538 DLH J89 BAE V63 JVL JVL4");
  EXPECT_EQ(names(r),
            "GOW STN AKIVO ATSIX 62N020W 63N030W 63N040W 62N050W 62N060W TANTI FEDDY 5321N09000W YRL VBI DLH BAE JVL");
  ASSERT_EQ(r.points.size(), 17u);
  for (const auto& [i, lat, lng] :
       {std::tuple{4, 6200, -2000}, {5, 6300, -3000}, {8, 6200, -6000}, {9, 6200, -6300}, {11, 5321, -9000}})
    EXPECT_EQ(r.points[static_cast<std::size_t>(i)].position,
              (LatLng{static_cast<double>(lat), static_cast<double>(lng)}))
        << r.points[static_cast<std::size_t>(i)].name;
  std::vector<std::pair<std::size_t, std::string>> changes;
  for (const SpeedLevelChange& c : r.changes) changes.emplace_back(c.point, c.group);
  EXPECT_EQ(changes, (std::vector<std::pair<std::size_t, std::string>>{{0, "N0473F360"},
                                                                       {3, "M081F360"},
                                                                       {9, "N0467F380"},
                                                                       {11, "N0459F390"},
                                                                       {12, "N0338F160"},
                                                                       {13, "N0466F410"}}));
  EXPECT_EQ(r.notExpanded,
            (std::vector<std::string>{"UP600", "UN615", "UN601", "UP60", "V304", "J538", "J89", "V63", "JVL4"}));
  EXPECT_EQ(r.unresolved, (std::vector<std::string>{"GELKI", "SCAI", "SCAI"}));
  // The organised track form: the letter run into NAT, between the entry and exit.
  readTracks("nat-20160210-qsimplanner.html");
  EXPECT_EQ(names(read("EGLL DCT SUNOT/M082F350 NATA JANJO DCT KJFK")),
            "EGLL SUNOT 57/20 57/30 57/40 56/50 JANJO KJFK");
}

TEST_F(RouteStringTest, EmptyEndlessAndHostileStrings) {
  readTracks("nat-20160210-qsimplanner.html");
  EXPECT_TRUE(read("").points.empty());
  EXPECT_TRUE(read("DCT DCT\nDCT").points.empty());
  EXPECT_TRUE(read("DCT DCT\nDCT").unresolved.empty());
  EXPECT_EQ(routeStringReport(read("DCT")), "ROUTE STRING\n  TOTAL 0 NM\n");
  // NAT with nothing after it, and a track named twice in a row.
  // NAT last is a word like any other (here Natal's VOR), no track.
  EXPECT_TRUE(read("EGLL NAT").tracks.empty());
  // Twice: flown once, and said.
  const RouteStringRead twice = read("SUNOT NATA NATA");
  EXPECT_EQ(names(twice), "SUNOT 57/20 57/30 57/40 56/50 JANJO");
  ASSERT_EQ(twice.tracks.size(), 1u);
  EXPECT_EQ(twice.notes, std::vector<std::string>{"NAT A IS NAMED TWICE: FLOWN ONCE"});
  // A slash form of a position stays one; other slashes start a suffix.
  EXPECT_EQ(names(read("N5030/W03500 50/30 SUNOT/ /N0480F350 NEEKO/N5030")), "N5030/W03500 50/30 SUNOT NEEKO");

  std::string endless;
  while (endless.size() < 100 * 1024) endless += "DCT NATS KJFK\x7f\x1b[31m N0480F350/ ";
  const RouteStringRead r = read(endless);
  EXPECT_TRUE(r.cut);
  EXPECT_LE(r.points.size(), ROUTE_STRING_WORDS * 8);
  std::string one(100 * 1024, 'A');
  const RouteStringRead single = read(one);
  EXPECT_TRUE(single.points.empty());
  EXPECT_EQ(single.unresolved.size(), 1u);
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>(i * 37);
  EXPECT_NO_FATAL_FAILURE(routeStringReport(read(binary)));
}

// The forms other programs write a position in, and what is not a position.
TEST_F(RouteStringTest, PositionsInEveryFormOrNone) {
  readTracks("nat-20160210-qsimplanner.html");
  const struct {
    const char* text;
    const char* points;
    LatLng second;
  } cases[] = {
      {"EGLL 4700N/05000W KJFK", "EGLL 4700N/05000W KJFK", {4700, -5000}},
      {"EGLL 47N/050W KJFK", "EGLL 47N/050W KJFK", {4700, -5000}},
      {"EGLL 4730N/050W KJFK", "EGLL 4730N/050W KJFK", {4730, -5000}},
      {"EGLL 47N/05030W KJFK", "EGLL 47N/05030W KJFK", {4700, -5030}},
      {"EGLL N5530W02000 KJFK", "EGLL N5530W02000 KJFK", {5530, -2000}},  // plans written before
      {"KJFK..MERIT..EGLL", "KJFK MERIT EGLL", {4122.92, -7308.25}},
      {"KJFK ETARI DCT ETARI/M082F300 EGLL", "KJFK ETARI EGLL", {5530, -1500}},
  };
  for (const auto& c : cases) {
    const RouteStringRead r = read(c.text);
    EXPECT_EQ(names(r), c.points) << c.text;
    ASSERT_GE(r.points.size(), 2u) << c.text;
    EXPECT_NEAR(r.points[1].position.lat, c.second.lat, 0.01) << c.text;
    EXPECT_NEAR(r.points[1].position.lng, c.second.lng, 0.01) << c.text;
    EXPECT_TRUE(r.unresolved.empty()) << c.text;
  }
  // The ARINC names, the planning services' decimal minutes and a cruise
  // climb's point: each where it is, never on the Greenwich meridian; words
  // shaped like a latitude alone (airways N14, S19) are no position.
  const struct {
    const char* text;
    std::vector<LatLng> at;
  } words[] = {
      {"5520N 5030N 5030E 5030S 5030W 50N30",
       {{5500, -2000}, {5000, -3000}, {5000, 3000}, {-5000, 3000}, {-5000, -3000}, {5000, -13000}}},
      {"N4918.0E00134.2 S3345.5W07030.1", {{4918.0, 134.2}, {-3345.5, -7030.1}}},
      {"EGLL C/48N050W/M082F290F350 KJFK", {{5128.24, -27.72}, {4800, -5000}, {4038.37, -7346.76}}},
      {"KJFK N14 N19 S19 EGLL", {{4038.37, -7346.76}, {5128.24, -27.72}}},
  };
  for (const auto& w : words) {
    const RouteStringRead r = read(w.text);
    ASSERT_EQ(r.points.size(), w.at.size()) << w.text << ": " << names(r);
    for (std::size_t i = 0; i < w.at.size(); ++i) {
      EXPECT_NEAR(r.points[i].position.lat, w.at[i].lat, 0.01) << w.text << " " << i;
      EXPECT_NEAR(r.points[i].position.lng, w.at[i].lng, 0.01) << w.text << " " << i;
    }
    EXPECT_TRUE(r.unresolved.empty()) << w.text;
  }
  const RouteStringRead climb = read("EGLL C/48N050W/M082F290F350 C/MERIT/N0430F300PLUS KJFK");
  EXPECT_EQ(names(climb), "EGLL 48N050W MERIT KJFK");
  ASSERT_EQ(climb.changes.size(), 2u);
  EXPECT_EQ(climb.changes[0].group, "M082F290");
  EXPECT_EQ(climb.changes[1].point, 2u);
  EXPECT_NE(std::find(climb.notes.begin(), climb.notes.end(), "CRUISE CLIMB FROM 48N050W: MACH 0.82, FL290 TO FL350"),
            climb.notes.end());
  // Minutes of 60 and more are no position, in any form.
  for (const char* bad : {"5590N02000W", "4760N/05000W", "N4700W05060"}) {
    const RouteStringRead r = read(std::string("EGLL ") + bad + " KJFK");
    EXPECT_EQ(names(r), "EGLL KJFK") << bad;
    EXPECT_EQ(r.unresolved, std::vector<std::string>{bad});
  }
}

// A point written round a track but not on it joins the track at its nearer
// end; a point far off its neighbours' line is said.
TEST_F(RouteStringTest, PointsOffTheTrackAndFarAway) {
  readTracks("nat-20261008-xdispatch-east.txt");  // X: ALLRY 51/50 53/40 55/30 55/20 RESNO NETKI
  const RouteStringRead r = read("KJFK NEEKO NATX LIMRI NATX XETBO EGLL");
  EXPECT_EQ(names(r), "KJFK NEEKO ALLRY 51/50 53/40 55/30 55/20 RESNO NETKI LIMRI XETBO EGLL");
  EXPECT_EQ(r.notes, (std::vector<std::string>{"NEEKO IS NOT ON NAT X: JOINED AT ITS FIRST POINT",
                                               "LIMRI IS NOT ON NAT X: LEFT AT ITS LAST POINT",
                                               "NAT X IS NAMED TWICE: FLOWN ONCE", "NEEKO LIES 1020 NM FROM KJFK"}));
  double total = 0;
  for (std::size_t i = 1; i < r.points.size(); ++i) total += distanceNm(r.points[i - 1].position, r.points[i].position);
  EXPECT_LT(total, 3400);  // 12,783 NM when the track was flown twice
  // Entered on the track and left off it: from the point on it to the end nearer the exit.
  EXPECT_EQ(names(read("53/40 NATX LIMRI")), "53/40 55/30 55/20 RESNO NETKI LIMRI");
  EXPECT_EQ(names(read("55/30 NATX ALLRY")), "55/30 53/40 51/50 ALLRY");

  const RouteStringRead far = read("EGLL SPI LFPG");  // Springfield, Illinois
  ASSERT_EQ(far.points.size(), 3u);
  ASSERT_EQ(far.notes.size(), 1u);
  EXPECT_EQ(far.notes[0].rfind("SPI LIES ", 0), 0u) << far.notes[0];
  EXPECT_NE(routeStringReport(far).find(far.notes[0] + "\n"), std::string::npos);
  EXPECT_TRUE(read("KJFK MERIT HFD BOS").notes.empty());
  // A long leg between two names is said; between positions it is the ocean.
  EXPECT_EQ(read("KJFK MERIT HFD EGLL").notes, std::vector<std::string>{"EGLL LIES 2914 NM FROM HFD"});
  EXPECT_TRUE(read("4000N/07000W 5000N/02000W").notes.empty());
}

}  // namespace
}  // namespace korvant
