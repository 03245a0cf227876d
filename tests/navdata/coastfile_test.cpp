// COAST.DAT: what the writer makes reads back the same; any other bytes are
// refused with a reason, never half read; and the file built from GSHHG has
// its points where the shore is.
#include <gtest/gtest.h>

#include <filesystem>

#include "geo/greatcircle.h"
#include "navdata/coastfile.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

// One resolution of 10-degree bins with one piece of shore near New York
// and a lake in the bin east of it.
CoastData smallCoast() {
  CoastResolution r;
  r.binMinutes = 600;
  r.columns = 36;
  r.rows = 18;
  r.binStart.assign(36 * 18 + 1, 0);
  // Row 4 from the north holds 40N-50N; column 28 is 80W-70W.
  const int bin = 4 * 36 + 28;
  for (std::size_t b = bin + 1; b < r.binStart.size(); ++b) r.binStart[b] = b == bin + 1 ? 1 : 2;
  r.pieceStart = {0, 3, 5};
  r.pieceLevel = {1, 2};
  r.xy = {39321, 3276, 39000, 5000, 38000, 6000, 50000, 50000, 51000, 51000};
  CoastData data;
  data.resolutions.push_back(r);
  return data;
}

TEST(CoastFileTest, WrittenBytesReadBackAndOthersAreRefused) {
  const CoastData data = smallCoast();
  const std::string bytes = writeCoastFile(data);
  const CoastRead back = readCoastBytes(bytes);
  ASSERT_EQ(back.fault, "");
  EXPECT_EQ(back.data, data);
  // 80W + 0.6 of 10 degrees, 40N + 0.05 of 10 degrees.
  const LatLng p = back.data.resolutions[0].point(4 * 36 + 28, 0);
  EXPECT_NEAR(degMinToDegrees(p.lng), -74.0, 1e-3);
  EXPECT_NEAR(degMinToDegrees(p.lat), 40.5, 1e-3);

  // Every cut of the file is refused, none read in part.
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    const CoastRead cut = readCoastBytes(std::string_view(bytes).substr(0, n));
    ASSERT_NE(cut.fault, "") << n;
    ASSERT_TRUE(cut.data.empty()) << n;
  }
  struct Case {
    const char* what;
    std::size_t at;  // byte changed
    char to;
    const char* fault;
  };
  const std::size_t binsAt = 8 + 4 + 20, piecesAt = binsAt + (36 * 18 + 1) * 4;
  const Case cases[] = {
      {"magic", 0, 'X', "NOT A COASTLINE FILE"},
      {"no resolution", 8, 0, "NO RESOLUTIONS"},
      {"bins of 519 minutes", 12, 7, "BINS OF 519 MINUTES IN 36 BY 18"},
      {"a bin's start before the last", binsAt + (4 * 36 + 29) * 4, 5, "BINS OUT OF ORDER"},
      {"the first piece not at 0", piecesAt, 1, "PIECES OUT OF ORDER"},
      {"a huge count of points", 12 + 16 + 3, 0x7f, "MORE POINTS OR PIECES THAN A COASTLINE HAS"},
  };
  for (const Case& c : cases) {
    std::string bad = bytes;
    bad[c.at] = c.to;
    const CoastRead read = readCoastBytes(bad);
    EXPECT_EQ(read.fault, c.fault) << c.what;
    EXPECT_TRUE(read.data.empty()) << c.what;
  }
  EXPECT_EQ(readCoastBytes(bytes + "x").fault, "BYTES AFTER THE LAST RESOLUTION");

  test::TempDir dir;
  EXPECT_EQ(*readCoastFile(dir.write("COAST.DAT", bytes)), data);
  std::filesystem::create_directory(dir.path() / "FOLDER");
  for (const std::string& path : {(dir.path() / "FOLDER").string(), (dir.path() / "MISSING.DAT").string()}) {
    const Result<CoastData> none = readCoastFile(path);
    EXPECT_FALSE(none);
    ASSERT_EQ(none.problems.size(), 1u);
    EXPECT_EQ(none.problems[0].reason, Reason::CoastNotRead);
  }
  EXPECT_EQ(readCoastFile(dir.write("BAD.DAT", "KVCOAST1")).problems.at(0).detail, "NO RESOLUTIONS");
}

// The shore where the charts have it: lighthouses on the coast lie within a
// resolution's error of one of its points (low: about 5 km, intermediate:
// about 1 km).
TEST(CoastFileTest, TheBuiltCoastLiesWhereTheShoreIs) {
  const std::string path = std::filesystem::path(KORVANT_SAMPLE_DAT).parent_path() / "COAST.DAT";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no COAST.DAT: built only with the GSHHG shorelines";
  const Result<CoastData> coast = readCoastFile(path);
  ASSERT_TRUE(coast);
  ASSERT_EQ(coast->resolutions.size(), 2u);
  struct Light {
    const char* name;
    LatLng at;
  };
  const Light lights[] = {
      {"Montauk Point", {4104.26, -7151.41}},
      {"Cape Race", {4639.58, -5303.82}},
      {"Mizen Head", {5126.95, -949.20}},
      {"Cape Farewell", {5946.00, -4353.00}},
  };
  const double within[] = {6, 2};  // NM: low, intermediate
  for (std::size_t level = 0; level < 2; ++level) {
    const CoastResolution& r = coast->resolutions[level];
    for (const Light& light : lights) {
      double nearest = 1e9;
      for (int bin = 0; bin < r.columns * r.rows; ++bin)
        for (std::uint32_t piece = r.binStart[bin]; piece < r.binStart[bin + 1]; ++piece)
          for (std::uint32_t i = r.pieceStart[piece]; i < r.pieceStart[piece + 1]; ++i)
            nearest = std::min(nearest, distanceNmFast(light.at, r.point(bin, i)));
      EXPECT_LT(nearest, within[level]) << light.name << " at resolution " << level;
    }
  }
}

}  // namespace
}  // namespace korvant
