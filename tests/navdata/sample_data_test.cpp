// The fix file that ships with the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "geo/positiontext.h"
#include "navdata/fixstore.h"
#include "tracks/trackmodel.h"
#include "tracks/trackreport.h"

namespace korvant {
namespace {

class SampleDataTest : public ::testing::Test {
 protected:
  SampleDataTest() {
    std::ifstream in(KORVANT_SAMPLE_DAT, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    store.loadBytes(bytes);
  }
  std::string where(std::string_view name, LatLng reference) {
    LatLng p;
    if (!store.findFix(name, reference, p)) return "not found";
    return formatLat(p.lat) + "/" + formatLng(p.lng);
  }
  std::vector<std::uint8_t> bytes;
  FixStore store;
};

TEST_F(SampleDataTest, FitsWhatTheProgramLoads) {
  ASSERT_FALSE(bytes.empty());
  EXPECT_LE(bytes.size(), FIX_FILE_MAX_BYTES);
}

TEST_F(SampleDataTest, OceanicFixesAirportsAndStations) {
  const LatLng nat{5500, -3000};
  EXPECT_EQ(where("MALOT", nat), "N5300.00/W01500.00");
  EXPECT_EQ(where("GISTI", nat), "N5300.00/W01400.00");
  EXPECT_EQ(where("BEXET", nat), "N5400.00/W01400.00");
  EXPECT_EQ(where("EGLL", nat).substr(0, 6), "N5128.");
  EXPECT_EQ(where("KJFK", nat).substr(0, 6), "N4038.");
  EXPECT_NE(where("YQX", nat), "not found");  // Gander VOR
}

// The Gander entry points that newer westbound tracks name, and the two
// CUDDYs: each track takes the one nearest the fix before it.
TEST_F(SampleDataTest, GanderEntryPointsAndTheNearestOfTwoCuddys) {
  const LatLng nat{5500, -3000};
  EXPECT_EQ(where("TOXIT", nat), "N5858.00/W05800.00");
  EXPECT_EQ(where("DORYY", nat), "N5602.00/W05700.00");
  EXPECT_EQ(where("HOIST", nat), "N5502.00/W05700.00");
  EXPECT_EQ(where("NASBA", nat), "N4900.00/W01300.00");
  EXPECT_EQ(where("CUDDY", {5600, -5000}), "N5642.00/W05700.00");   // Gander, from 56/50
  EXPECT_EQ(where("CUDDY", {5700, -16500}), "N5647.95/W16018.12");  // Alaska, from the Bering Sea

  TrackModel tracks;
  const TrackStore storeOf{store};
  storeTrackLine(tracks, "A SOMAX 55/20 56/30 56/40 56/50 CUDDY", NAT_REFERENCE, storeOf);
  storeTrackLine(tracks, "B NIPPI 57/170 CUDDY ANC", NAT_REFERENCE, storeOf);
  const std::string report = trackReport(tracks);
  EXPECT_NE(report.find("  CUDDY       N5642.00 W05700.00"), std::string::npos) << report;
  EXPECT_NE(report.find("  CUDDY       N5647.95 W16018.12"), std::string::npos) << report;
}

TEST_F(SampleDataTest, EverySectionTheMapDrawsHasRecords) {
  EXPECT_GT(store.openSection(FixSectionId::Fixes).recordsLeft(), 10000u);
  EXPECT_GT(store.openSection(FixSectionId::TerrainPoints).recordsLeft(), 5000u);
  EXPECT_GE(store.openSection(FixSectionId::BoundaryLines).recordsLeft(), 19u);
}

}  // namespace
}  // namespace korvant
