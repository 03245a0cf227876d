#include "navdata/fixsource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "navdata/fixstore.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

bool parse(std::string_view text, FixFileContents& c, Problem& e, std::string_view name = "src.csv") {
  const Problems problems = parseFixSource(text, name, c);
  if (!problems.empty()) e = problems[0];
  return problems.empty();
}

TEST(FixSource, HeadersSelectTheSections) {
  FixFileContents c;
  Problem e;
  ASSERT_TRUE(
      parse("# comment\n\nname,kind,lat,lon\nMALOT,0,53,-15\nKJFK,1,N4038.4,W07346.7\n"
            "alias,target\nOLD,MALOT\n"
            "Terrain, Lat, Lon\n1,50,-5\n1,51,-4\n2,40,10\n",
            c, e))
      << e.detail;
  ASSERT_EQ(c.fixes.size(), 2u);
  EXPECT_EQ(c.fixes[0].position.lat, 5300);
  EXPECT_EQ(c.fixes[0].position.lng, -1500);
  EXPECT_EQ(c.fixes[1].kind, 1);
  EXPECT_EQ(c.fixes[1].position.lat, 4038.4);
  EXPECT_EQ(c.fixes[1].position.lng, -7346.7);
  ASSERT_EQ(c.aliases.size(), 1u);
  ASSERT_EQ(c.terrain.size(), 3u);
  EXPECT_EQ(c.terrain[0].pen, 1);
  EXPECT_EQ(c.terrain[1].pen, 0);
  EXPECT_EQ(c.terrain[2].pen, 1);
}

TEST(FixSource, DecimalDegreesBecomePackedMinutes) {
  FixFileContents c;
  Problem e;
  ASSERT_TRUE(parse("name,kind,lat,lon\nA,0,-33.9461,151.1772\nB,0,55.99999999,-0.5\n", c, e));
  EXPECT_NEAR(c.fixes[0].position.lat, -3356.766, 1e-9);
  EXPECT_NEAR(c.fixes[0].position.lng, 15110.632, 1e-9);
  // A hair under a whole degree is the whole degree, not 55 degrees 60 minutes.
  EXPECT_EQ(c.fixes[1].position.lat, 5600);
  EXPECT_EQ(c.fixes[1].position.lng, -30);
}

TEST(FixSource, LongLinesSplitIntoPiecesSharingTheirJoins) {
  std::string text = "boundary,lat,lon\n";
  for (int i = 0; i < 120; ++i) text += "L," + std::to_string(i * 0.5) + ",0\n";
  text += "M,1,1\nM,2,2\n";
  FixFileContents c;
  Problem e;
  ASSERT_TRUE(parse(text, c, e)) << e.detail;
  ASSERT_EQ(c.boundaryLines.size(), 4u);
  EXPECT_EQ(c.boundaryLines[0].count, 50);
  EXPECT_EQ(c.boundaryLines[1].count, 50);
  EXPECT_EQ(c.boundaryLines[2].count, 22);  // 120 points: 50 + 49 + 21 new ones
  EXPECT_EQ(c.boundaryLines[1].points[0].lat, c.boundaryLines[0].points[49].lat);
  EXPECT_EQ(c.boundaryLines[2].points[0].lat, c.boundaryLines[1].points[49].lat);
  EXPECT_EQ(c.boundaryLines[3].count, 2);
}

TEST(FixSource, RouteRowsFormOneRouteSet) {
  FixFileContents c;
  Problem e;
  ASSERT_TRUE(
      parse("route,class,pen6,pen7,designator,lat,lon,value1,label_lat,label_lon,value2,value3\n"
            "R,4,1,1,NAR12,47,-53,0,47,-53,0,0\nR,4,1,1,NAR12,48,-50,-5,47.5,-51.5,700,-1\n",
            c, e))
      << e.detail;
  ASSERT_EQ(c.routeSets.size(), 1u);
  EXPECT_EQ(c.routeSets[0].routeClass(), 4);
  EXPECT_TRUE(c.routeSets[0].pen6() && c.routeSets[0].pen7());
  EXPECT_EQ(c.routeSets[0].count, 2);
  EXPECT_EQ(c.routeSets[0].points[1].value2, 700);
}

TEST(FixSource, RefusalsNameTheLine) {
  const struct {
    const char* text;
    int line;
  } cases[] = {
      {"name,kind,lat,lon\nABCDEF,0,1,1\n", 2},
      {"name,kind,lat,lon\nA,0,91,1\n", 2},
      {"name,kind,lat,lon\nA,0,1,-180.5\n", 2},
      {"name,kind,lat,lon\nA,0,N5060,W00000\n", 2},
      {"name,kind,lat,lon\nA,0,N9100,W00000\n", 2},
      {"name,kind,lat,lon\nA,256,1,1\n", 2},
      {"name,kind,lat,lon\nA,0,1\n", 2},
      {"name,kind,lat,lon\nA,0,1x,1\n", 2},
      {"\nMALOT,0,1,1\n", 2},
      {"alias,target\nOLD,TOOLONG\n", 2},
      {"route,class,pen6,pen7,designator,lat,lon,value1,label_lat,label_lon,value2,value3\n"
       "R,1,0,0,X,1,1,0,1,1,0,0\n",
       2},
      {"route,class,pen6,pen7,designator,lat,lon,value1,label_lat,label_lon,value2,value3\n"
       "R,2,0,0,X,1,1,0,1,1,0,0\nR,3,0,0,X,1,1,0,1,1,0,0\n",
       3},
      {"preamble\nbad \\q escape\n", 2},
      {"preamble\nwith marker \\x1A\n", 2},
  };
  for (const auto& t : cases) {
    FixFileContents c;
    Problem e;
    EXPECT_FALSE(parse(t.text, c, e)) << t.text;
    EXPECT_EQ(e.line, t.line) << t.text;
    EXPECT_EQ(e.file, "src.csv");
    EXPECT_FALSE(e.detail.empty());
  }
}

TEST(FixSource, PreambleEscapesRoundTrip) {
  std::string raw = "Line one\r\nback\\slash \x01\xff tab\t\r\n";
  std::string back;
  ASSERT_TRUE(unescapePreamble(escapePreamble(raw), back));
  EXPECT_EQ(back, raw);
  EXPECT_EQ(escapePreamble(raw).find('\n'), std::string::npos);
  EXPECT_FALSE(unescapePreamble("\\x4", back));
  EXPECT_FALSE(unescapePreamble("trailing\\", back));
}

TEST(FixSource, DumpAndRebuildGiveTheSameBytes) {
  FixFileContents c;
  Problem e;
  std::string text =
      "preamble\nSample\\r\\n\nname,kind,lat,lon\nMALOT,0,53.123456,-15.98765\nZZ,7,-0.1,0.1\n"
      "alias,target\nOLD,MALOT\nterrain,lat,lon\n1,50,-5\n1,51,-4\n"
      "boundary,lat,lon\n";
  for (int i = 0; i < 75; ++i) text += "B," + std::to_string(40 + i * 0.1) + ",-30\n";
  text +=
      "route,class,pen6,pen7,designator,lat,lon,value1,label_lat,label_lon,value2,value3\n"
      "R,7,0,1,,1.5,2.5,3,4,5,6,-7\nR,7,0,1,,2,3,3,4,5,6,-7\n";
  ASSERT_TRUE(parse(text, c, e)) << e.detail;
  const auto bytes = writeFixFile(c);
  const FixFileContents read = readFixFileContents(bytes);
  const std::string dumped = formatFixSource(read);
  FixFileContents again;
  ASSERT_TRUE(parse(dumped, again, e, "dump")) << e.detail << "\n" << dumped;
  EXPECT_EQ(writeFixFile(again), bytes);
  EXPECT_EQ(formatFixSource(again), dumped);
}

#ifdef KORVANT_MKDAT
std::string slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

int run(const std::string& command) { return std::system((command + " 2> /dev/null > /dev/null").c_str()); }

TEST(FixFileBuilder, BuildsDumpsAndRebuildsIdentically) {
  test::TempDir dir;
  const std::string fixes = dir.write("fixes.csv", "name,kind,lat,lon\nMALOT,0,53,-15\nKJFK,1,40.64,-73.78\n");
  const std::string coast = dir.write("coast.csv", "terrain,lat,lon\nA,50,-5\nA,51,-4\n");
  const std::string mkdat = KORVANT_MKDAT;
  const auto a = dir.path() / "A.DAT", b = dir.path() / "B.DAT", dumped = dir.path() / "dump.txt";
  ASSERT_EQ(run(mkdat + " -o " + a.string() + " " + fixes + " " + coast), 0);
  const std::string bytes = slurp(a);
  EXPECT_NE(bytes.find("fixes.csv coast.csv"), std::string::npos);  // what it was built from
  ASSERT_EQ(std::system((mkdat + " --dump " + a.string() + " > " + dumped.string()).c_str()), 0);
  ASSERT_EQ(run(mkdat + " -o " + b.string() + " " + dumped.string()), 0);
  EXPECT_EQ(slurp(b), bytes);

  FixStore store;
  store.loadBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  LatLng p;
  ASSERT_TRUE(store.findFix("KJFK", {0, 0}, p));
  EXPECT_NEAR(degMinToDegrees(p.lng), -73.78, 1e-7);
}

TEST(FixFileBuilder, ALargeResultIsWrittenWithAWarning) {
  test::TempDir dir;
  std::string text = "name,kind,lat,lon\n";
  for (int i = 0; i < 19000; ++i) text += "F" + std::to_string(i % 10000) + ",0,50,-30\n";
  const std::string big = dir.write("big.csv", text);
  const auto out = dir.path() / "BIG.DAT", err = dir.path() / "err.txt";
  ASSERT_EQ(
      std::system((std::string(KORVANT_MKDAT) + " -o " + out.string() + " " + big + " 2> " + err.string()).c_str()), 0);
  EXPECT_GT(std::filesystem::file_size(out), FIX_FILE_MAX_BYTES);
  const std::string warning = slurp(err);
  EXPECT_NE(warning.find("warning"), std::string::npos);
  EXPECT_NE(warning.find("300000"), std::string::npos);
}

TEST(FixFileBuilder, RefusalLeavesNoFileBehind) {
  test::TempDir dir;
  const std::string bad = dir.write("bad.csv", "name,kind,lat,lon\nMALOT,0,53,-15\nWAYTOOLONG,0,1,1\n");
  const auto out = dir.path() / "OUT.DAT";
  EXPECT_NE(run(std::string(KORVANT_MKDAT) + " -o " + out.string() + " " + bad), 0);
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  EXPECT_NE(run(std::string(KORVANT_MKDAT) + " --dump " + bad), 0);
  EXPECT_NE(run(std::string(KORVANT_MKDAT) + " -o"), 0);
}

TEST(FixFileBuilder, SourcesThatCannotBeReadAreNamed) {
  test::TempDir dir;
  std::filesystem::create_directory(dir.path() / "d.csv");
  const auto out = dir.path() / "x.dat", err = dir.path() / "err.txt";
  const std::string mkdat = KORVANT_MKDAT;
  for (const std::string& args : {"-o " + out.string() + " " + (dir.path() / "d.csv").string(),
                                  std::string("--dump /proc/self/mem"), "--dump " + (dir.path() / "d.csv").string()}) {
    const int status = std::system((mkdat + " " + args + " > /dev/null 2> " + err.string()).c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << args;
    const std::string message = slurp(err);
    EXPECT_NE(message.find("cannot read"), std::string::npos) << message;
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(FixFileBuilder, TinyCoordinatesDumpWithoutExponents) {
  test::TempDir dir;
  const std::string source = dir.write("tiny.csv", "name,kind,lat,lon\nABCDE,1,47,0.00000001\nFGHIJ,1,-1e-300,5\n");
  const auto a = dir.path() / "A.DAT", b = dir.path() / "B.DAT", dumped = dir.path() / "dump.txt";
  const std::string mkdat = KORVANT_MKDAT;
  ASSERT_EQ(run(mkdat + " -o " + a.string() + " " + dir.write("ok.csv", "name,kind,lat,lon\nABCDE,1,47,0.00000001\n")),
            0);
  ASSERT_EQ(std::system((mkdat + " --dump " + a.string() + " > " + dumped.string()).c_str()), 0);
  const std::string text = slurp(dumped);
  EXPECT_EQ(text.find("e-"), std::string::npos) << text;
  EXPECT_EQ(text.find("e+"), std::string::npos) << text;
  ASSERT_EQ(run(mkdat + " -o " + b.string() + " " + dumped.string()), 0);
  EXPECT_EQ(slurp(b), slurp(a));
  EXPECT_NE(run(mkdat + " -o " + b.string() + " " + source), 0);  // the reader takes no exponent
}
#endif

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// A disk that fills while a navigation-data folder is written (the file
// size limit does to the large fix file what a full disk does): the folder
// keeps its whole old set, and no temporary file is left.
TEST(XpNavFolderBuilder, AFullDiskLeavesTheOldSetWhole) {
  test::TempDir dir;
  std::string fixes = "name,kind,lat,lon\n";
  for (int i = 0; i < 3000; ++i) fixes += "F" + std::to_string(i) + ",0,50,-30\n";
  const std::string source = dir.write("fixes.csv", fixes);
  const std::string airways = dir.write("airways.csv", "airway,level,direction,points\nJ1,2,N,F1,F2\n");
  const auto out = dir.path() / "XPNAV";
  std::filesystem::create_directory(out);
  const std::vector<std::string> names{"earth_awy.dat", "earth_fix.dat", "earth_nav.dat"};
  for (const std::string& name : names) std::ofstream(out / name) << "old " << name;
  const std::string command = "(trap '' XFSZ; ulimit -f 16; exec " + std::string(KORVANT_MKDAT) + " --xpnav " +
                              out.string() + " " + source + " " + airways + ")";
  EXPECT_NE(run(command), 0);
  for (const std::string& name : names) EXPECT_EQ(slurp(out / name), "old " + name) << name;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 3);
  // With room, the whole new set.
  ASSERT_EQ(run(std::string(KORVANT_MKDAT) + " --xpnav " + out.string() + " " + source + " " + airways), 0);
  for (const std::string& name : names) EXPECT_NE(slurp(out / name).rfind("old", 0), 0u) << name;
}

}  // namespace
}  // namespace korvant
