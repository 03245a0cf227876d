#include "base/datafile.h"

#include <gtest/gtest.h>

#include "support/tempdir.h"

namespace korvant {
namespace {

TEST(FolderJoin, EitherSeparatorCountsAsTrailing) {
  EXPECT_EQ(joinFolder("/data", "A.TXT"), "/data/A.TXT");
  EXPECT_EQ(joinFolder("/data/", "A.TXT"), "/data/A.TXT");
  EXPECT_EQ(joinFolder("C:\\PS13\\", "A.TXT"), "C:\\PS13\\A.TXT");
  EXPECT_EQ(joinFolder("", "A.TXT"), "A.TXT");
  EXPECT_EQ(withTrailingSeparator("C:\\KORVANT"), "C:\\KORVANT/");
}

TEST(FolderJoin, CaseInsensitiveFallback) {
  test::TempDir dir;
  dir.write("wptn.txt", "x");
  EXPECT_EQ(resolveCaseInsensitive(dir.str() + "/WPTN.TXT"), dir.str() + "/wptn.txt");
  EXPECT_EQ(resolveCaseInsensitive(dir.str() + "/MISSING.TXT"), dir.str() + "/MISSING.TXT");
  EXPECT_EQ(resolveCaseInsensitive("/no/such/folder/X"), "/no/such/folder/X");
}

class OpenDataFileTest : public ::testing::Test {
 protected:
  OpenDataFileTest() { settings.markReadDone(); }
  std::string readAll(std::ifstream& in) { return {std::istreambuf_iterator<char>(in), {}}; }

  OnceFlags once;
  Settings settings{once};
  Problems messages;
  test::TempDir data, run, fallback;
};

TEST_F(OpenDataFileTest, SearchOrderDataRunFallback) {
  data.write("A.TXT", "data");
  run.write("A.TXT", "run");
  run.write("B.TXT", "run");
  fallback.write("B.TXT", "fallback");
  fallback.write("C.TXT", "fallback");
  settings.set("DataFolder", data.str() + "/", false);
  settings.set("RunFolder", run.str() + "/", false);
  bool reported = false;
  std::ifstream in;
  ASSERT_TRUE(openDataFile(in, "A.TXT", std::ios::in, fallback.str(), reported, settings, messages));
  EXPECT_EQ(readAll(in), "data");
  ASSERT_TRUE(openDataFile(in, "B.TXT", std::ios::in, fallback.str(), reported, settings, messages));
  EXPECT_EQ(readAll(in), "run");
  ASSERT_TRUE(openDataFile(in, "c.txt", std::ios::in, fallback.str(), reported, settings, messages));
  EXPECT_EQ(readAll(in), "fallback");
  EXPECT_TRUE(messages.empty());
}

TEST_F(OpenDataFileTest, FailureIsReportedOncePerCaller) {
  settings.set("RunFolder", run.str() + "/", false);
  bool reported = false;
  std::ifstream in;
  EXPECT_FALSE(openDataFile(in, "DAFA.BIN", std::ios::binary, "", reported, settings, messages));
  EXPECT_FALSE(openDataFile(in, "DAFA.BIN", std::ios::binary, "", reported, settings, messages));
  EXPECT_EQ(messages, (Problems{{Reason::DataFileMissing, {}, 0, "DAFA.BIN"}}));
  bool otherCaller = false;
  EXPECT_FALSE(openDataFile(in, "DAFA.BIN", std::ios::binary, "", otherCaller, settings, messages));
  EXPECT_EQ(messages.size(), 2u);
}

TEST_F(OpenDataFileTest, AFolderIsNotAFile) {
  run.write("DIR.TXT/inner", "x");
  settings.set("RunFolder", run.str(), false);
  bool reported = true;
  std::ifstream in;
  EXPECT_FALSE(openDataFile(in, "DIR.TXT", std::ios::in, "", reported, settings, messages));
}

}  // namespace
}  // namespace korvant
