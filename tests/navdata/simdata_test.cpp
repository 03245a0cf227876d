// The simulator's files: records, the file cache, the airport searches and
// the runway lookup.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <thread>

#include "navdata/runwaycoords.h"
#include "navdata/simfiles.h"
#include "navdata/simrecords.h"
#include "navdata/simsource.h"
#include "sky/magvar.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

std::string stationBytes(const char ident[3], int latDeg, int latTenths, int lonDeg, int lonTenths) {
  std::string r(SIM_STATION_BYTES, '\0');
  r.replace(0, 3, ident, 3);
  const auto put16 = [&](std::size_t at, int v) {
    r[at] = static_cast<char>(v & 0xff);
    r[at + 1] = static_cast<char>((v >> 8) & 0xff);
  };
  r[7] = static_cast<char>(latDeg);
  put16(8, latTenths);
  put16(10, lonDeg);
  put16(12, lonTenths);
  return r;
}

TEST(SimRecords, StationIdentifiersLoseOnlyTrailingPadding) {
  const std::string records = stationBytes("AB_", 50, 0, -30, 0) + stationBytes("A__", 50, 0, -30, 0) +
                              stationBytes("_B_", 50, 0, -30, 0) + stationBytes("abc", 50, 0, -30, 0);
  const std::vector<SimPoint> points = readSimStations(records);
  ASSERT_EQ(points.size(), 4u);
  EXPECT_EQ(points[0].ident, "AB");
  EXPECT_EQ(points[1].ident, "A");
  EXPECT_EQ(points[2].ident, "_B");
  EXPECT_EQ(points[3].ident, "ABC");  // upper-cased
}

TEST(SimRecords, SignedDegreesAndTenthsAdd) {
  const SimPoint p = readSimStations(stationBytes("XYZ", -12, -305, -151, -123))[0];
  EXPECT_DOUBLE_EQ(p.position.lat, -1230.5);
  EXPECT_DOUBLE_EQ(p.position.lng, -15112.3);
  // The writer lays down what the reader reads.
  const SimPoint back = readSimWaypoints(encodeSimWaypoint({"MALOT", {5330.5, -1512.3}}))[0];
  EXPECT_EQ(back.ident, "MALOT");
  EXPECT_DOUBLE_EQ(back.position.lat, 5330.5);
  EXPECT_DOUBLE_EQ(back.position.lng, -1512.3);
  // Values no record can hold are clamped, not converted out of range.
  for (const LatLng& p : {LatLng::unset(), LatLng{std::nan(""), 1e300}, LatLng{-1e9, -1e9}})
    EXPECT_EQ(readSimWaypoints(encodeSimWaypoint({"X", p})).size(), 1u);
}

TEST(SimRecords, ShortRecordsEndAndTheLimitHolds) {
  std::string file;
  for (int i = 0; i < 64010; ++i) file += encodeSimAirport({"KAAA", {4000, -7000}, false, 0, 0, 0, 0, 0});
  EXPECT_EQ(readSimAirports(file).size(), SIM_RECORD_LIMIT);
  EXPECT_EQ(readSimAirports(file.substr(0, 75)).size(), 1u);  // a short last record ends quietly
  EXPECT_TRUE(readSimWaypoints("").empty());
  // Every byte 0xFF or '_': read, not refused.
  EXPECT_EQ(readSimStations(std::string(140, '\xff')).size(), 10u);
  EXPECT_EQ(readSimAirports(std::string(100, '_')).size(), 2u);
  EXPECT_TRUE(readSimAirports(std::string(100, '_'))[0].runway);
}

class SimFilesTest : public ::testing::Test {
 protected:
  SimFilesTest() { files.setFolders(dir.str() + "/", dir.str() + "/"); }
  void write(const std::string& name, const std::string& bytes) { dir.write(name, bytes); }

  test::TempDir dir;
  SimFiles files;
};

SimAirportRecord airport(const std::string& ident, LatLng at, int elevation = 0) {
  return {ident, at, false, 0, 0, 0, elevation, 0};
}

SimAirportRecord runway(LatLng at, int heading, int length, std::uint8_t f23 = 0, std::uint8_t f25 = 0) {
  return {"", at, true, f23, f25, heading, 0, length};
}

TEST_F(SimFilesTest, FilesAreFoundWhateverTheirCaseAndReadAgainOnlyWhenChanged) {
  write("747wpt.dat", encodeSimWaypoint({"ABCDE", {5000, -3000}}));
  const auto first = files.waypoints();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(files.waypoints(), first);  // unchanged: the same records, not decoded again
  const std::string signature = files.signature();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  write("747wpt.dat", encodeSimWaypoint({"FGHIJ", {5000, -3000}}) + encodeSimWaypoint({"KLMNO", {5100, -3000}}));
  const auto changed = files.waypoints();
  ASSERT_NE(changed, nullptr);
  EXPECT_EQ((*changed)[0].ident, "FGHIJ");
  EXPECT_NE(files.signature(), signature);
  std::filesystem::remove(dir.path() / "747wpt.dat");
  EXPECT_EQ(files.waypoints(), nullptr);
  std::filesystem::create_directory(dir.path() / "747NAM.STA");  // a folder where a file should be
  EXPECT_EQ(files.stations("NAM"), nullptr);
}

TEST_F(SimFilesTest, AirportSearchesFollowTheirOwnOrders) {
  // The same identifier in two regions: the find order takes NAM, the seek order EUR before NPO.
  write("747NPO.APT", encodeSimAirport(airport("XXXX", {1000, 1000})));
  write("747NAM.APT", encodeSimAirport(airport("XXXX", {2000, 2000})));
  write("747EUR.APT",
        encodeSimAirport(airport("YYYY", {3000, 3000})) + encodeSimAirport(runway({3000, 3000}, 90, 6076)));
  EXPECT_EQ(files.findSimAirport("XXXX")->lat, 2000);
  EXPECT_FALSE(files.findSimAirport("ZZZZ"));
  const auto y = files.seekSimAirport("YYYY");
  ASSERT_TRUE(y);
  EXPECT_EQ(y->runways.size(), 1u);
  EXPECT_TRUE(y->lastInFile);
  write("747SPO.APT", encodeSimAirport(airport("NZSP", {-9000, 0})));
  EXPECT_TRUE(files.seekSimAirport("NZSP"));  // SPO is searched by the seek only
  EXPECT_FALSE(files.findSimAirport("NZSP"));
}

// A place where the model's variation lies between 3.5 and 3.9 degrees.
LatLng whereVariationIsNear37() {
  for (double lng = -18000; lng < 18000; lng += 10)
    for (double lat : {0.0, 1000.0, -1000.0, 3000.0}) {
      const double v = magneticVariation({lat, lng});
      if (v > 3.5 && v < 3.9) return {lat, lng};
    }
  return LatLng::unset();
}

TEST_F(SimFilesTest, RunwaysAnswerInBothDirections) {
  const LatLng at = whereVariationIsNear37();
  ASSERT_FALSE(at.isUnset());
  // True heading 87 with the parallel flags P = 2 (flag A): 09L one way, 27R the other.
  write("747NAM.APT", encodeSimAirport(airport("TEST", at, 120)) +
                          encodeSimAirport(runway({at.lat + 1, at.lng}, 87, 9000, 0x80, 0)) +
                          encodeSimAirport(airport("NEXT", {at.lat + 100, at.lng})));
  const RunwayCoords left = getRunwayCoords(files, "TEST", 9, RunwaySuffix::Left);
  ASSERT_TRUE(left.ok);
  EXPECT_EQ(left.heading, 90);
  EXPECT_EQ(left.position.lat, at.lat + 1);
  EXPECT_EQ(left.elevation, 120);
  const RunwayCoords right = getRunwayCoords(files, "TEST", 27, RunwaySuffix::Right);
  ASSERT_TRUE(right.ok);
  EXPECT_EQ(right.heading, 270);
  // No runway 36: the airport and 360, the next airport ending the search.
  const RunwayCoords none = getRunwayCoords(files, "TEST", 36, RunwaySuffix::None);
  ASSERT_TRUE(none.ok);
  EXPECT_EQ(none.heading, 360);
  EXPECT_EQ(none.position.lat, at.lat);
}

TEST_F(SimFilesTest, TheLastAirportOfAFileStillAnswers) {
  write("747NAM.APT",
        encodeSimAirport(airport("LAST", {4000, -7000})) + encodeSimAirport(runway({4001, -7000}, 10, 8000)));
  const RunwayCoords r = getRunwayCoords(files, "LAST", 36, RunwaySuffix::None);
  ASSERT_TRUE(r.ok);  // the end of the file ends the search as a next airport would
  EXPECT_EQ(r.position.lat, 4000);
  EXPECT_EQ(r.heading, 360);
  const RunwayCoords missing = getRunwayCoords(files, "NONE", 9, RunwaySuffix::None);
  EXPECT_FALSE(missing.ok);
  EXPECT_TRUE(missing.position.isUnset());
  EXPECT_EQ(missing.caption, "CAN'T FIND:");
  EXPECT_EQ(missing.text, "PATH: " + dir.str() + "/\nAPT:  NONE\nFILE: ");
}

TEST(SimSource, DumpsNameOnlyTheFolderOwnFiles) {
  SimFolderBuilder builder;
  const Problems outside = builder.add("file,../747WPT.DAT\nwaypoint,AACEZ,34,331,-73,-598\n");
  ASSERT_EQ(outside.size(), 1u);
  EXPECT_NE(outside[0].detail.find("not a file of a PS1 folder"), std::string::npos);
  EXPECT_TRUE(builder.add("file,747WPT.DAT\nwaypoint,AACEZ,34,331,-73,-598\n").empty());
}

TEST(SimSource, PublicRowsBecomeRecordsAndTheDumpReadsBack) {
  SimFolderBuilder builder;
  ASSERT_TRUE(builder
                  .add("name,lat,lon,kind,region,fir,source\nMALOT,53,-15,waypoint,NAT,EGGX,x\n"
                       "YQX,48.9,-54.5,vor,NAT,CZQX,x\n")
                  .empty());
  ASSERT_TRUE(builder
                  .add("name,lat,lon,kind,area,freq_khz,usage,country,fullname\n"
                       "YQX,48.95,-54.56,VOR-DME,NAT,113500,BOTH,CA,\"Gander, NL\"\nLONG,1,1,NDB,NAT,1,LO,X,Y\n")
                  .empty());
  ASSERT_TRUE(
      builder.add("name,lat,lon,kind,area,iata,country,fullname\nCYQX,48.94,-54.57,large,NAT,YQX,CA,G\n").empty());
  ASSERT_TRUE(builder
                  .add("airport_ident,length_ft,width_ft,surface,closed,le_ident,le_latitude_deg,le_longitude_deg,"
                       "le_heading_degT,he_ident,he_latitude_deg,he_longitude_deg,he_heading_degT,le_elevation_ft,"
                       "airport_elevation_ft\nCYQX,8900,200,ASP,0,03L,48.93,-54.58,19,21R,48.96,-54.56,199,,496\n")
                  .empty());
  const SimFolder folder = builder.finish();
  ASSERT_EQ(folder.size(), 3u);                                     // 747WPT.DAT, 747NAM.STA, 747NAM.APT
  EXPECT_EQ(readSimWaypoints(folder.at("747WPT.DAT")).size(), 1u);  // a VOR row is no waypoint
  EXPECT_EQ(readSimStations(folder.at("747NAM.STA")).size(), 1u);   // LONG has no room
  const std::vector<SimAirportRecord> apt = readSimAirports(folder.at("747NAM.APT"));
  ASSERT_EQ(apt.size(), 2u);
  EXPECT_EQ(apt[0].elevation, 496);
  EXPECT_TRUE(apt[1].runway);
  EXPECT_EQ(apt[1].trueHeading, 19);
  EXPECT_EQ(apt[1].flags23 & 0x80, 0x80);  // L: flag A
  // The dump builds the same bytes again.
  SimFolderBuilder again;
  ASSERT_TRUE(again.add(dumpSimFolder(folder)).empty());
  EXPECT_EQ(again.finish(), folder);
  // Identifiers of any bytes (commas, quotes, line ends, NUL) dump and read back.
  const SimFolder odd{{"747WPT.DAT", encodeSimWaypoint({"A,\"\n\\", {100, 200}})},
                      {"747NAM.STA", stationBytes("\0,\n", 1, 2, 3, 4)}};
  SimFolderBuilder oddBuilder;
  ASSERT_TRUE(oddBuilder.add(dumpSimFolder(odd)).empty());
  EXPECT_EQ(oddBuilder.finish(), odd);
  EXPECT_FALSE(SimFolderBuilder().add("file,747WPT.DAT\nwaypoint,A\\x4,1,2,3,4\n").empty());
  EXPECT_FALSE(SimFolderBuilder().add("what,is,this\n").empty());
  EXPECT_EQ(SimFolderBuilder().add("file,747WPT.DAT\nwaypoint,ABC,1,2,3\n"),
            (Problems{{Reason::SourceLineFault, {}, 2, "not a record of the dump form"}}));
}

}  // namespace
}  // namespace korvant
