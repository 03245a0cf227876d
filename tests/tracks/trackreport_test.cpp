#include "tracks/trackreport.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "navdata/fixfile_builder.h"
#include "support/utctime.h"
#include "tracks/resolvedtrack.h"
#include "tracks/trackexport.h"

namespace korvant {
namespace {

TEST(TrackReport, HeadersTracksLegsTotalsAndUnresolved) {
  FixFileContents c;
  c.fixes = {test::makeFix("ABCDE", 5300, -1500)};
  FixStore fixes;
  fixes.loadBytes(test::fixFileBytes(c));
  TrackStore store{fixes};
  TrackModel model;
  model.westHeader = "WESTBOUND TRACKS FLS 310/390";
  model.westValidity = "NOV 22/1130Z TO NOV 22/1900Z";
  ASSERT_TRUE(storeTrackLine(model, "A ABCDE 5330/20 55/30 QQQQQ", NAT_REFERENCE, store));
  model.westLevels[0] = "350 360";
  ASSERT_TRUE(storeTrackLine(model, "Z 50/20 51/30", NAT_REFERENCE, store));
  model.eastLevels[25] = "NIL";
  const std::string report = trackReport(model);

  EXPECT_EQ(report.substr(0, report.find("\nTRACK")),
            "\n\nWESTBOUND TRACKS FLS 310/390\nNOV 22/1130Z TO NOV 22/1900Z\n");
  EXPECT_NE(report.find("TRACK A  WESTBOUND\n  LEVELS 350 360\n  ABCDE       N5300.00 W01500.00\n"), std::string::npos);
  EXPECT_TRUE(
      std::regex_search(report, std::regex("  5330/20     N5330\\.00 W02000\\.00  [0-9]{3}\xC2\xB0   +[0-9]+ NM\n")));
  EXPECT_NE(report.find("TRACK Z  EASTBOUND\n  50/20"), std::string::npos);  // NIL levels are left out
  // At a chosen time each validity says whether it holds.
  EXPECT_NE(trackReport(model, {}, test::utc(2015, 11, 22, 12)).find("NOV 22/1900Z  VALID\n"), std::string::npos);
  EXPECT_NE(report.find("UNRESOLVED\n  QQQQQ (TRACK A)\n"), std::string::npos);
  // A Pacific track by its own number, the slot letter the message never gave left out.
  model.names[0] = "14";
  const std::string named = trackReport(model);
  EXPECT_NE(named.find("TRACK 14  WESTBOUND\n"), std::string::npos);
  EXPECT_NE(named.find("  QQQQQ (TRACK 14)\n"), std::string::npos);
  EXPECT_EQ(named.find("TRACK A"), std::string::npos);

  // The total is the sum of the legs' rounded distances.
  std::istringstream lines(report.substr(report.find("TRACK A"), report.find("TRACK Z") - report.find("TRACK A")));
  int sum = 0, total = -1;
  const std::regex leg(".* ([0-9]+) NM$"), totalLine("  TOTAL ([0-9]+) NM");
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (std::regex_match(line, m, totalLine))
      total = std::stoi(m[1]);
    else if (std::regex_match(line, m, leg))
      sum += std::stoi(m[1]);
  }
  EXPECT_GT(sum, 0);
  EXPECT_EQ(total, sum);
}

// A flex route's airways are flown direct between the fixes round them, and said.
TEST(TrackReport, SkippedAirwaysAreListedUnderTheirTrack) {
  FixFileContents c;
  c.fixes = {test::makeFix("KALNA", 4000, 15000), test::makeFix("CRYPT", 3000, 17000),
             test::makeFix("CDB", 5512, -16244)};
  FixStore fixes;
  fixes.loadBytes(test::fixFileBytes(c));
  TrackModel model;
  ASSERT_TRUE(storeTrackLine(model, "N KALNA G344 CRYPT A342 CDB", PACIFIC_REFERENCE, TrackStore{fixes}));
  const std::string report = trackReport(model);
  EXPECT_NE(report.find(" NM\n  G344 KALNA-CRYPT FLOWN DIRECT\n  A342 CRYPT-CDB FLOWN DIRECT\n"), std::string::npos)
      << report;
  // A later line for the letter takes its airways with it.
  ASSERT_TRUE(storeTrackLine(model, "N KALNA CRYPT", PACIFIC_REFERENCE, TrackStore{fixes}));
  EXPECT_EQ(trackReport(model).find("FLOWN DIRECT"), std::string::npos);
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// A name twice in the fix file: one at the region's reference, one next to
// the fix before it. The chain the reader built takes the one next to the
// fix before, and the report and the exports show that same fix.
TEST(TrackChain, OneResolutionForTheReportAndTheExports) {
  FixFileContents c;
  c.fixes = {test::makeFix("DUPLI", NAT_REFERENCE.lat, NAT_REFERENCE.lng), test::makeFix("DUPLI", 4030, -6000)};
  FixStore fixes;
  fixes.loadBytes(test::fixFileBytes(c));
  TrackModel model;
  ASSERT_TRUE(storeTrackLine(model, "A 40/60 DUPLI 42/50", NAT_REFERENCE, TrackStore{fixes}));
  ASSERT_EQ(model.chains[0].size(), 3u);
  EXPECT_EQ(model.chains[0][1].position, (LatLng{4030, -6000}));
  EXPECT_NE(trackReport(model).find("DUPLI       N4030.00 W06000.00"), std::string::npos);
  EXPECT_NE(exportTracks(resolvedTracks(model), TrackExportFormat::Gpx).find("lat=\"40.500000\" lon=\"-60.000000\""),
            std::string::npos);
}

}  // namespace
}  // namespace korvant
