// The DAFIF-layout files: the record readers and their limits, the cache and
// the runway join, and the builder's round trip.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <thread>

#include "base/filereader.h"
#include "navdata/dafiffiles.h"
#include "navdata/dafifrecords.h"
#include "navdata/dafifsource.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

DafifAirport airport(const std::string& ident, const std::string& key, unsigned longest, LatLng p = {5000, -1000}) {
  return {ident, p, longest, 100, key, ident + " FIELD"};
}

TEST(DafifRecords, FiveByteDoublesKeepTheirTopBytes) {
  const double packed = 5128.2830000001;
  const double kept = fiveByteValue(packed);
  EXPECT_NEAR(kept, packed, 2e-5);       // 29 bits of mantissa: about 1e-5 minute
  EXPECT_EQ(fiveByteValue(kept), kept);  // nothing more is lost
  unsigned char five[5];
  writeFiveByteDouble(-1234.5, five);
  EXPECT_EQ(readFiveByteDouble(five), -1234.5);  // a short mantissa survives whole
}

TEST(DafifRecords, AirportsSkipImpossiblePositionsAndEndAtAShortRecord) {
  std::string bytes = encodeDafifAirport(airport("EGLL", "EGLL___", 12799)) +
                      encodeDafifAirport(airport("BAD1", "BAD1___", 5000, {9000.5, 0})) +
                      encodeDafifAirport(airport("NAN", "NAN____", 5000, {std::nan(""), 0})) +
                      encodeDafifAirport(airport("INF", "INF____", 5000, {0, HUGE_VAL})) +
                      encodeDafifAirport(airport("KJFK", "KJFK___", 14511, {4038.4, -7346.8}));
  bytes += bytes.substr(0, DAFA_RECORD_BYTES - 1);  // a record cut short
  const std::vector<DafifAirport> read = readDafifAirports(bytes);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].ident, "EGLL");
  EXPECT_EQ(read[0].key, "EGLL___");
  EXPECT_EQ(read[0].longestRunway, 12799u);
  EXPECT_EQ(read[0].name, "EGLL FIELD");
  EXPECT_EQ(read[1].ident, "KJFK");
  EXPECT_NEAR(read[1].position.lng, -7346.8, 2e-5);
}

TEST(DafifRecords, NavaidsKeepTheirTwoClassLetters) {
  const std::string bytes =
      encodeDafifNavaid({"LON", {5129.2, -28}, {'H', 'A'}}) + encodeDafifNavaid({"X", {5100, 0}, {'H', 'H'}});
  const std::vector<DafifNavaid> read = readDafifNavaids(bytes);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].ident, "LON");
  EXPECT_EQ(std::string(read[1].cls.data(), 2), "HH");
  EXPECT_TRUE(readDafifNavaids(bytes.substr(0, DAFN_RECORD_BYTES - 1)).empty());
}

TEST(DafifRecords, WaypointsFlaggedYAreNeverRead) {
  const std::string text =
      "ALPHA N5000.00 W03000.00 N - H - - -\n"
      "BRAVO N5100.00 W03000.00 Y - H - - -\n"
      "CHARL N9100.00 W03000.00 N - H - - -\n"  // no such latitude
      "DELTA S1000.00 E17959.00 N - B - - -\n"
      "ECHO N5000.00 W03000.00 N - L\n";  // the file ends inside a record
  const std::vector<DafifWaypoint> read = readDafifWaypoints(text);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].ident, "ALPHA");
  EXPECT_EQ(read[0].type, 'H');
  EXPECT_EQ(read[1].ident, "DELTA");
  EXPECT_EQ(read[1].position, (LatLng{-1000, 17959}));
  // A line of 100,000 characters is one long field, read and passed over.
  const std::string longLine = std::string(100000, 'X') + " N5000.00 W03000.00 N - H - - -\n" + text;
  EXPECT_LE(readDafifWaypoints(longLine).size(), 3u);
}

TEST(DafifRecords, SegmentsLabelsAndTheirNumbers) {
  const std::string segment =
      "51.487202 -0.466667 274 094 H 28.2 UL9 UL9 Y 270.84 90.25 51.491699 -1.219720 0\n"
      "nan -0.466667 274 094 H 28.2 UL9 UL9 Y 270.84 90.25 51.491699 -1.219720 1\n"
      "51.4 -0.4 274 094 L 28.2 UL9 UL9 N 270.84 90.25 91 -1.2 2\n";
  const std::vector<DafifSegment> s = readDafifSegments(segment);
  ASSERT_EQ(s.size(), 1u);
  EXPECT_TRUE(s[0].draw);
  EXPECT_EQ(s[0].level, 'H');
  EXPECT_EQ(s[0].radial1, 274);
  EXPECT_EQ(s[0].radial2, 94);
  EXPECT_DOUBLE_EQ(s[0].length, 28.2);
  EXPECT_NEAR(s[0].end1.lat, degreesToDegMin(51.487202), 1e-9);

  const auto ids = readDafifIdentifiers("51.48 -0.46 270.84 H 28 UL9\n51.48 -0.46 inf H 28 UL9\n");
  ASSERT_EQ(ids.size(), 1u);
  EXPECT_EQ(ids[0].ident, "UL9");
  EXPECT_EQ(ids[0].value, 28);
  const auto distances = readDafifDistances("51.48 -0.46 270.84 L - - 28.2\n");
  ASSERT_EQ(distances.size(), 1u);
  EXPECT_EQ(distances[0].level, 'L');
  EXPECT_DOUBLE_EQ(distances[0].value, 28.2);
}

TEST(DafifRecords, OrtcaBlocksByTheirSize) {
  const std::string text =
      "# comment\n"
      "quadrangle_size 1\n"
      "n5030.00 w00030.00 45\n"
      "QUADRANGLE_SIZE 0\n"
      "N5030.00 W00130.00 12\n"
      "QUADRANGLE_SIZE 1e9\n"
      "N5030.00 W00230.00 13\n"
      "QUADRANGLE_SIZE 5\n"
      "N5230.00 W00230.00 96" +
      std::string(200, ' ') +
      "7\n"                   // cut at 100 characters: 96 stays
      "N4730.00 E00230.00\n"  // no third word: the end of the file
      "N4730.00 E00730.00 73\n";
  const std::vector<DafifOrtcaBlock> blocks = readDafifOrtca(text);
  ASSERT_EQ(blocks.size(), 4u);
  EXPECT_EQ(blocks[0].size, 1);
  ASSERT_EQ(blocks[0].values.size(), 1u);
  EXPECT_EQ(blocks[0].values[0].value, 45);
  EXPECT_EQ(blocks[0].values[0].position, (LatLng{5030, -30}));
  EXPECT_EQ(blocks[1].size, 0);
  EXPECT_EQ(blocks[2].size, 1e9);
  EXPECT_EQ(blocks[3].size, 5);
  ASSERT_EQ(blocks[3].values.size(), 1u);
  EXPECT_EQ(blocks[3].values[0].value, 96);
}

TEST(DafifRunwayJoin, RunwaysSteppedInKeyOrderAcrossAirports) {
  const std::vector<DafifAirport> airports = {airport("AAAA", "A______", 7000), airport("BBBB", "B______", 7000),
                                              airport("CCCC", "C______", 7000), airport("DDDD", "D______", 7000)};
  const auto rwy = [](const char* key, const char* n) {
    return DafifRunway{key, n, "-", {5000, -1000}, {5001, -1000}};
  };
  // Out of key order: B's line after C's is passed by when C comes.
  const std::vector<DafifRunway> runways = {rwy("0______", "00"), rwy("A______", "09"), rwy("A______", "18"),
                                            rwy("C______", "04"), rwy("B______", "13"), rwy("D______", "36")};
  const DafifAirportSet set = joinDafifRunways(airports, runways);
  ASSERT_EQ(set.runways.size(), 4u);
  ASSERT_EQ(set.runways[0].size(), 2u);
  EXPECT_EQ(set.runways[0][1].number1, "18");
  EXPECT_TRUE(set.runways[1].empty());
  ASSERT_EQ(set.runways[2].size(), 1u);
  EXPECT_EQ(set.runways[2][0].number1, "04");
  // D's line still comes: B's out-of-order line sorts below D and is passed over.
  ASSERT_EQ(set.runways[3].size(), 1u);
}

TEST(DafifFiles, FoundInTheDataFolderThenTheRunFolderAndReadAgainWhenChanged) {
  test::TempDir dir;
  dir.write("data/wpte.txt", "ALPHA N5000.00 W03000.00 N - H - - -\n");
  dir.write("run/WPTN.TXT", "BRAVO N5100.00 W03000.00 N - H - - -\n");
  dir.write("run/WPTE.TXT", "XRAY N5100.00 W03000.00 N - H - - -\n");
  DafifFiles files;
  files.setFolders(dir.str() + "/data/", dir.str() + "/run");
  EXPECT_EQ(files.waypoints("WPTE.TXT")->front().ident, "ALPHA");  // the data folder first, any case
  EXPECT_EQ(files.waypoints("WPTN.TXT")->front().ident, "BRAVO");
  EXPECT_EQ(files.waypoints("WPTS.TXT"), nullptr);
  const auto first = files.waypoints("WPTE.TXT");
  EXPECT_EQ(files.waypoints("WPTE.TXT"), first);  // unchanged: the same parse
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  dir.write("data/wpte.txt", "CHARLIE N5000.00 W03000.00 N - H - - -\nDELTA N5000.00 W03000.00 N - T - - -\n");
  EXPECT_EQ(files.waypoints("WPTE.TXT")->size(), 2u);
  std::filesystem::remove(dir.path() / "data" / "wpte.txt");
  EXPECT_EQ(files.waypoints("WPTE.TXT")->front().ident, "XRAY");  // then the run folder's
  std::filesystem::create_directories(dir.path() / "data" / "DAFA.BIN");
  EXPECT_EQ(files.airports(), nullptr);  // a folder is no file
}

TEST(DafifFiles, AirportsComeJoinedAndFollowTheirRunwayFile) {
  test::TempDir dir;
  dir.write("DAFA.BIN", encodeDafifAirport(airport("AAAA", "A______", 7000)) +
                            encodeDafifAirport(airport("BBBB", "B______", 6999)));
  DafifFiles files;
  files.setFolders(dir.str() + "/", "");
  const auto without = files.airports();
  ASSERT_NE(without, nullptr);
  EXPECT_TRUE(without->runways[0].empty());
  dir.write("RWY0.TXT", "B______ 09 27 N5000.00 W01000.00 N5000.00 W00958.00\n");
  const auto with = files.airports();
  ASSERT_EQ(with->runways[1].size(), 1u);
  EXPECT_EQ(with->runways[1][0].end2, (LatLng{5000, -958}));
}

TEST(DafifSource, TheSampleDumpBuildsAndDumpsBackByteForByte) {
  const FileRead sample = readWholeFile(KORVANT_DAFIF_SAMPLE, 4 << 20);
  ASSERT_TRUE(sample.ok());
  DafifFolderBuilder builder;
  ASSERT_TRUE(builder.add(sample.bytes).empty());
  const DafifFolder folder = builder.finish();
  EXPECT_EQ(folder.size(), 12u);
  std::string withoutComments;
  for (std::size_t at = 0; at < sample.bytes.size();) {
    const std::size_t end = sample.bytes.find('\n', at);
    const std::string line = sample.bytes.substr(at, end - at + 1);
    at = end + 1;
    if (line[0] != '#') withoutComments += line;
  }
  EXPECT_EQ(dumpDafifFolder(folder), withoutComments);
  DafifFolderBuilder again;
  ASSERT_TRUE(again.add(dumpDafifFolder(folder)).empty());
  EXPECT_EQ(again.finish(), folder);
  EXPECT_GT(readDafifAirports(folder.at("DAFA.BIN")).size(), 1000u);
}

TEST(DafifSource, DumpsNameOnlyTheFolderOwnFilesAndRecordsTheyCanHold) {
  DafifFolderBuilder a;
  const Problems outside = a.add("file,../../etc/passwd\ntext,x\n");
  ASSERT_EQ(outside.size(), 1u);
  EXPECT_NE(outside[0].detail.find("not a file of a DAFIF folder"), std::string::npos);
  DafifFolderBuilder b;
  EXPECT_FALSE(b.add("file,ATSID.TXT\ndafa,EGLL,5128,-27,1,1,K,N\n").empty());  // a record in a text file
  DafifFolderBuilder c;
  EXPECT_FALSE(c.add("file,DAFA.BIN\ndafa,EGLL,9100,-27,1,1,K,N\n").empty());  // read back it would be skipped
  DafifFolderBuilder d;
  EXPECT_FALSE(d.add("file,DAFA.BIN\ndafn,LON,5128,-27,HA\n").empty());
  // Any text file comes back, odd bytes and a missing last line feed too.
  DafifFolderBuilder e;
  const std::string odd = std::string("A\tB\r\n\x01\xff\n") + "no line feed";
  ASSERT_TRUE(e.add(dumpDafifFolder({{"WPTN.TXT", odd}})).empty());
  EXPECT_EQ(e.finish().at("WPTN.TXT"), odd);
}

TEST(DafifSource, PublicRowsBecomeRecordsOfTheirClass) {
  DafifFolderBuilder b;
  ASSERT_TRUE(b.add("name,lat,lon,kind,area,iata,country,fullname\n"
                    "EGLL,51.4706,-0.461941,large,NAT,LHR,GB,London Heathrow Airport\n")
                  .empty());
  ASSERT_TRUE(b.add("airport_ident,length_ft,width_ft,surface,closed,le_ident,le_latitude_deg,le_longitude_deg,"
                    "le_heading_degT,he_ident,he_latitude_deg,he_longitude_deg,he_heading_degT,le_elevation_ft,"
                    "airport_elevation_ft\n"
                    "EGLL,12799,164,ASP,0,09L,51.4775,-0.484994,89.6,27R,51.4777,-0.433294,269.6,79,83\n"
                    "EGLL,12001,164,ASP,0,09R,51.4648,-0.482286,89.6,27L,51.4650,-0.434036,269.6,75,83\n"
                    "EGLL,20000,164,ASP,1,05,51.46,-0.48,50,23,51.47,-0.43,230,75,83\n")
                  .empty());
  ASSERT_TRUE(b.add("name,lat,lon,kind,area,freq_khz,usage,country,fullname\n"
                    "LON,51.487202,-0.466667,VOR-DME,NAT,113600,BOTH,GB,London\n"
                    "BIG,51.33,0.03,VOR,NAT,115100,LO,GB,Biggin\n"
                    "WOD,51.45,-0.87,VOR,NAT,,,GB,Woodley\n"
                    "BNN,51.72,-0.54,NDB,NAT,,HI,GB,Bovingdon\n"
                    "OX,51.72,-1.54,NDB,NAT,,BOTH,GB,Ox\n"
                    "CH,51.72,-2.54,NDB,NAT,,LO,GB,Ch\n")
                  .empty());
  ASSERT_TRUE(b.add("record,name,level,lat,lon\nairway,UL9,H,51.487202,-0.466667\nairway,UL9,H,51.491699,-1.219720\n"
                    "ortca,5,96,52.5,-2.5\nortca,1,45,51.5,-0.5\nortca,5,73,47.5,2.5\n")
                  .empty());
  EXPECT_FALSE(b.add("what,is,this\n1,2,3\n").empty());
  const DafifFolder f = b.finish();
  const std::vector<DafifAirport> airports = readDafifAirports(f.at("DAFA.BIN"));
  ASSERT_EQ(airports.size(), 1u);
  EXPECT_EQ(airports[0].longestRunway, 12799u);  // the closed runway does not count
  EXPECT_EQ(airports[0].number, 83u);
  EXPECT_EQ(f.at("RWY0.TXT"), "EGLL___ 09L 27R N5128.65 W00029.10 N5128.66 W00026.00\n");
  std::string classes;
  for (const DafifNavaid& n : readDafifNavaids(f.at("DAFN.BIN"))) classes += std::string(n.cls.data(), 2) + ",";
  EXPECT_EQ(classes, "HA,L ,T ,H ,HH,MH,");
  const std::vector<DafifSegment> segments = readDafifSegments(f.at("RADIALK.TXT"));
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_NEAR(segments[0].length, 28.2, 0.06);
  EXPECT_EQ(readDafifIdentifiers(f.at("ATSID.TXT"))[0].ident, "UL9");
  const std::vector<DafifOrtcaBlock> ortca = readDafifOrtca(f.at("DAFORTCA.TXT"));
  ASSERT_EQ(ortca.size(), 2u);
  EXPECT_EQ(ortca[0].size, 5);
  EXPECT_EQ(ortca[0].values.size(), 2u);
  EXPECT_EQ(ortca[1].values[0].value, 45);
}

}  // namespace
}  // namespace korvant
