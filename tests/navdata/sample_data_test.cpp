// The fix file that ships with the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "geo/positiontext.h"
#include "navdata/fixstore.h"

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

TEST_F(SampleDataTest, EverySectionTheMapDrawsHasRecords) {
  EXPECT_GT(store.openSection(FixSectionId::Fixes).recordsLeft(), 10000u);
  EXPECT_GT(store.openSection(FixSectionId::TerrainPoints).recordsLeft(), 5000u);
  EXPECT_GE(store.openSection(FixSectionId::BoundaryLines).recordsLeft(), 19u);
}

}  // namespace
}  // namespace korvant
