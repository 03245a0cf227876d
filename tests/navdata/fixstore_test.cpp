#include "navdata/fixstore.h"

#include <gtest/gtest.h>

#include <fstream>

#include "navdata/fixfile_builder.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

using test::makeFix;

FixFileContents sampleContents() {
  FixFileContents c;
  c.fixes = {makeFix("ABCDE", 5000, -3000), makeFix("MALOT", 5300, -1500),       makeFix("ABCDE", -3000, 15000),
             makeFix("5030N", 1000, 1000),  makeFix("KJFK", 4038.4, -7346.7, 1), makeFix("TWIN", 1000, 1000),
             makeFix("TWIN", -1000, 1000)};
  c.aliases = {{"OLDNM", "MALOT"}, {"GONE", "NOFIX"}, {"CRD", "50/20"}};
  BoundaryLine line;
  line.count = 3;
  line.points[0] = {6100, -3000};
  line.points[1] = {6100, -1000};
  line.points[2] = {5700, -1000};
  c.boundaryLines = {line};
  c.terrain = {{1, {5000, -500}}, {0, {5100, -400}}, {1, {4000, 1000}}};
  RouteSet r;
  r.flags = 3 | 0x40;
  r.designator = "NAR12";
  r.count = 2;
  r.points[0].position = {4700, -5300};
  r.points[1] = {{4800, -5000}, -12, {4750, -5150}, 65535, 7};
  c.routeSets = {r};
  return c;
}

class FixStoreTest : public ::testing::Test {
 protected:
  FixStoreTest() { store.loadBytes(test::fixFileBytes(sampleContents())); }
  LatLng resolve(std::string_view text, LatLng reference = {0, 0}) {
    LatLng p;
    ok = store.resolvePositionWithAlias(text, reference, p);
    return p;
  }
  FixStore store;
  bool ok = false;
};

TEST_F(FixStoreTest, NearestOfSameNamedFixesWins) {
  LatLng p;
  ASSERT_TRUE(store.findFix("ABCDE", {4500, -2000}, p));
  EXPECT_EQ(p.lat, 5000);
  EXPECT_EQ(p.lng, -3000);
  ASSERT_TRUE(store.findFix("ABCDE", {-3500, 15500}, p));
  EXPECT_EQ(p.lat, -3000);
  EXPECT_EQ(p.lng, 15000);
}

TEST_F(FixStoreTest, EquallyNearKeepsTheFirstInTheFile) {
  LatLng p;
  ASSERT_TRUE(store.findFix("TWIN", {0, 1000}, p));
  EXPECT_EQ(p.lat, 1000);
  ASSERT_TRUE(store.findFix("TWIN", {-1, 1000}, p));
  EXPECT_EQ(p.lat, -1000);
}

TEST_F(FixStoreTest, CoordinateTextBeatsAFixOfThatName) {
  LatLng p;
  ASSERT_TRUE(store.findFix("5030N", {0, 0}, p));
  EXPECT_EQ(p.lat, 5000);
  EXPECT_EQ(p.lng, -3000);
}

TEST_F(FixStoreTest, NamesCompareExactly) {
  LatLng p;
  EXPECT_FALSE(store.findFix("malot", {0, 0}, p));
  EXPECT_TRUE(p.isUnset());
  EXPECT_FALSE(store.findFix("MALOTX", {0, 0}, p));
  EXPECT_FALSE(store.findFix("MALO", {0, 0}, p));
  EXPECT_FALSE(store.findFix(std::string_view("MA\0OT", 5), {0, 0}, p));
}

TEST_F(FixStoreTest, AliasOnlyThroughTheAliasLookup) {
  LatLng p;
  EXPECT_FALSE(store.findFix("OLDNM", {0, 0}, p));
  EXPECT_FALSE(store.resolvePosition("OLDNM", {0, 0}, p));
  const LatLng viaAlias = resolve("OLDNM");
  ASSERT_TRUE(ok);
  EXPECT_EQ(viaAlias.lat, 5300);
  EXPECT_EQ(viaAlias.lng, -1500);
  const LatLng coordinateAlias = resolve("CRD");
  ASSERT_TRUE(ok);
  EXPECT_EQ(coordinateAlias.lat, 5000);
  EXPECT_EQ(coordinateAlias.lng, -2000);
  resolve("GONE");
  EXPECT_FALSE(ok);
}

TEST_F(FixStoreTest, TextLengthLimits) {
  LatLng p{1, 1};
  EXPECT_FALSE(store.resolvePosition(std::string(26, 'A'), {0, 0}, p));
  EXPECT_TRUE(p.isUnset());
  EXPECT_FALSE(store.resolvePosition("", {0, 0}, p));
  EXPECT_FALSE(store.resolvePositionWithAlias(std::string(26, 'A'), {0, 0}, p));
  // 25 characters still reach the coordinate readers.
  EXPECT_TRUE(store.resolvePosition("N5030.000000/W03500.0000", {0, 0}, p));
}

TEST_F(FixStoreTest, SectionsEnumerateEveryRecord) {
  FixSection lines = store.openSection(FixSectionId::BoundaryLines);
  BoundaryLine line;
  ASSERT_TRUE(lines.readBoundaryLine(line));
  EXPECT_EQ(line.count, 3);
  EXPECT_EQ(line.points[2].lat, 5700);
  EXPECT_FALSE(lines.readBoundaryLine(line));

  FixSection terrain = store.openSection(FixSectionId::TerrainPoints);
  TerrainPoint t;
  std::vector<int> pens;
  while (terrain.readTerrainPoint(t)) pens.push_back(t.pen);
  EXPECT_EQ(pens, (std::vector<int>{1, 0, 1}));

  FixSection routes = store.openSection(FixSectionId::RouteSets);
  RouteSet r;
  ASSERT_TRUE(routes.readRouteSet(r));
  EXPECT_EQ(r.routeClass(), 3);
  EXPECT_TRUE(r.pen6());
  EXPECT_FALSE(r.pen7());
  EXPECT_EQ(r.designator, "NAR12");
  ASSERT_EQ(r.count, 2);
  EXPECT_EQ(r.points[1].value1, -12);
  EXPECT_EQ(r.points[1].value2, 65535);
  EXPECT_EQ(r.points[1].value3, 7);
  EXPECT_EQ(r.points[1].labelAnchor.lat, 4750);
  EXPECT_FALSE(routes.readRouteSet(r));

  FixSection aliases = store.openSection(FixSectionId::Aliases);
  EXPECT_EQ(aliases.recordsLeft(), 3u);
}

TEST_F(FixStoreTest, NestedEnumerationKeepsEachCursor) {
  FixSection aliases = store.openSection(FixSectionId::Aliases);
  Alias a;
  int resolved = 0, seen = 0;
  while (aliases.readAlias(a)) {
    ++seen;
    LatLng p;
    if (store.resolvePosition(a.target, {0, 0}, p)) ++resolved;
  }
  EXPECT_EQ(seen, 3);
  EXPECT_EQ(resolved, 2);  // GONE's target does not resolve
}

// Raw images that the writer would never make.
std::vector<std::uint8_t> rawImage(std::vector<std::uint8_t> body, std::uint32_t entry, std::uint32_t offset,
                                   std::uint32_t count) {
  std::vector<std::uint8_t> bytes = {'x', 0x1A};
  bytes.resize(2 + 88, 0);
  for (int i = 0; i < 4; ++i) {
    bytes[2 + 8 * entry + i] = static_cast<std::uint8_t>(offset >> (8 * i));
    bytes[2 + 8 * entry + 4 + i] = static_cast<std::uint8_t>(count >> (8 * i));
  }
  bytes.insert(bytes.end(), body.begin(), body.end());
  return bytes;
}

TEST(FixStoreDamage, BoundaryLineOverFiftyPointsIsCutAndTheNextStillReads) {
  std::vector<std::uint8_t> body;
  body.push_back(60);
  body.resize(1 + 600, 0);
  body.push_back(2);
  body.resize(body.size() + 20, 0);
  FixStore store;
  store.loadBytes(rawImage(body, 4, 90, 2));
  FixSection s = store.openSection(FixSectionId::BoundaryLines);
  BoundaryLine line;
  ASSERT_TRUE(s.readBoundaryLine(line));
  EXPECT_EQ(line.count, 50);
  ASSERT_TRUE(s.readBoundaryLine(line));
  EXPECT_EQ(line.count, 2);
  EXPECT_FALSE(s.readBoundaryLine(line));
}

TEST(FixStoreDamage, CountsThatOverrunTheDataEndTheSection) {
  std::vector<std::uint8_t> body(16 * 2, 0);
  FixStore store;
  store.loadBytes(rawImage(body, 0, 90, 1000));
  FixSection s = store.openSection(FixSectionId::Fixes);
  Fix f;
  int n = 0;
  while (s.readFix(f)) ++n;
  EXPECT_EQ(n, 2);
  EXPECT_EQ(s.recordsLeft(), 0u);
}

TEST(FixStoreDamage, ZeroCountLineEndsTheSection) {
  std::vector<std::uint8_t> body = {0, 2};
  body.resize(body.size() + 20, 0);
  FixStore store;
  store.loadBytes(rawImage(body, 4, 90, 2));
  BoundaryLine line;
  EXPECT_FALSE(store.openSection(FixSectionId::BoundaryLines).readBoundaryLine(line));
}

TEST(FixStoreDamage, NoMarkerOrEntryPastTheEndGivesEmptySections) {
  FixStore noMarker;
  noMarker.loadBytes(std::vector<std::uint8_t>(2000, 'A'));
  EXPECT_EQ(noMarker.openSection(FixSectionId::Fixes).recordsLeft(), 0u);

  std::vector<std::uint8_t> late(1002, 'A');
  late.push_back(0x1A);  // past the first 1002 bytes
  late.resize(late.size() + 88, 1);
  FixStore lateMarker;
  lateMarker.loadBytes(late);
  EXPECT_EQ(lateMarker.openSection(FixSectionId::Fixes).recordsLeft(), 0u);

  FixStore pastEnd;
  pastEnd.loadBytes(rawImage({}, 0, 5000, 3));
  EXPECT_EQ(pastEnd.openSection(FixSectionId::Fixes).recordsLeft(), 0u);

  FixStore shortDirectory;
  shortDirectory.loadBytes({'x', 0x1A, 1, 2});
  EXPECT_EQ(shortDirectory.openSection(FixSectionId::Aliases).recordsLeft(), 0u);

  FixStore empty;
  empty.loadBytes({});
  LatLng p;
  EXPECT_FALSE(empty.findFix("MALOT", {0, 0}, p));
}

TEST(FixStoreFile, LoadsFromTheFolderAndReadsOnlyTheFirst300000Bytes) {
  test::TempDir dir;
  FixFileContents c;
  for (int i = 0; i < 20000; ++i) c.fixes.push_back(makeFix(i < 19999 ? "AAAAA" : "LAST", 1000, 1000));
  const auto bytes = test::fixFileBytes(c);
  ASSERT_GT(bytes.size(), FIX_FILE_MAX_BYTES);
  std::ofstream(dir.path() / "KORVANT.DAT", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  FixStore store;
  EXPECT_TRUE(store.setPath(dir.str(), "KORVANT.DAT").empty());
  store.load();
  EXPECT_TRUE(store.loadedIntoMemory());
  LatLng p;
  EXPECT_TRUE(store.findFix("AAAAA", {0, 0}, p));
  EXPECT_FALSE(store.findFix("LAST", {0, 0}, p));
}

TEST(FixStoreFile, MissingFileStillResolvesCoordinates) {
  test::TempDir dir;
  FixStore store;
  EXPECT_TRUE(store.setPath(dir.str(), "KORVANT.DAT").empty());  // a missing file is no error here
  LatLng p;
  ASSERT_TRUE(store.resolvePositionWithAlias("50/30", {0, 0}, p));
  EXPECT_EQ(p.lat, 5000);
  EXPECT_EQ(p.lng, -3000);
  EXPECT_FALSE(store.resolvePositionWithAlias("MALOT", {0, 0}, p));
  EXPECT_FALSE(store.loadedIntoMemory());
  // The file that appears later is read by the next section.
  const auto bytes = test::fixFileBytes(sampleContents());
  std::ofstream(dir.path() / "korvant.dat", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  EXPECT_TRUE(store.resolvePositionWithAlias("MALOT", {0, 0}, p));
  EXPECT_EQ(p.lat, 5300);
  // Read straight from the file, the same rules hold.
  ASSERT_TRUE(store.findFix("TWIN", {0, 1000}, p));
  EXPECT_EQ(p.lat, 1000);
  ASSERT_TRUE(store.findFix("ABCDE", {-3500, 15500}, p));
  EXPECT_EQ(p.lat, -3000);
}

TEST(FixStoreFile, UnreadableFolderAndOverlongPathAreReported) {
  FixStore store;
  EXPECT_EQ(store.setPath("/no/such/folder", "KORVANT.DAT"), (Problems{{Reason::NoWorkingFolder, "/no/such/folder"}}));
  EXPECT_TRUE(store.path().empty());

  test::TempDir dir;
  const Problems tooLong = store.setPath(dir.str() + std::string(5000, '/'), "KORVANT.DAT");
  ASSERT_EQ(tooLong.size(), 1u);
  EXPECT_EQ(tooLong[0].reason, Reason::PathTooLong);
  EXPECT_TRUE(store.path().empty());
  EXPECT_EQ(store.openSection(FixSectionId::Fixes).recordsLeft(), 0u);
}

}  // namespace
}  // namespace korvant
