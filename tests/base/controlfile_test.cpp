#include "base/controlfile.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/tempdir.h"

namespace korvant {
namespace {

class ControlFileTest : public ::testing::Test {
 protected:
  ControlFileTest() {
    seedDefaults(settings);
    settings.markReadDone();
  }
  void read(const std::string& text) {
    std::istringstream in(text);
    ControlFile::readLines(settings, in);
  }
  std::string get(const char* key) { return settings.lookup(key); }

  OnceFlags once;
  Settings settings{once};
};

// A fresh program's settings, before the control file was read.
struct FreshSettings {
  OnceFlags once;
  Settings settings{once};
  Problems said;
  bool read(const std::string& path, bool report) {
    return ControlFile::read(settings, once, path, report ? &said : nullptr);
  }
};

TEST_F(ControlFileTest, KeyThenValueAfterBlanks) {
  read("  PS13DIR   D:\\SIM\\PS13\\\n");
  EXPECT_EQ(get("PS13DIR"), "D:\\SIM\\PS13\\");
}

TEST_F(ControlFileTest, ValueKeepsTrailingBlanksAndInnerText) {
  read("MapFont DejaVu Sans  \r\n");
  EXPECT_EQ(get("MAPFONT"), "DejaVu Sans  ");
}

TEST_F(ControlFileTest, CommentsOnlyInColumnOne) {
  read("; comment\n# also\n ;NOTCOMMENT value\n\n");
  EXPECT_EQ(get(";NOTCOMMENT"), "value");
  EXPECT_EQ(get("; comment"), "");
  for (const CtlData& e : settings.entries()) EXPECT_NE(e.key.front(), '#');
}

TEST_F(ControlFileTest, UpperCaseOnlyForFlaggedKeys) {
  read("initialmap 50/30 500 ortho\nmapfont Liberation Sans\nNewKey MixedCase\n");
  EXPECT_EQ(get("INITIALMAP"), "50/30 500 ORTHO");
  EXPECT_EQ(get("MAPFONT"), "Liberation Sans");
  EXPECT_EQ(get("NEWKEY"), "MixedCase");
}

TEST_F(ControlFileTest, LaterLineWinsAndKeyAloneStoresEmpty) {
  read("Distance KM\ndistance nm\nColorVideo\n");
  EXPECT_EQ(get("DISTANCE"), "NM");
  bool flag = false;
  EXPECT_EQ(settings.lookupEntry("COLORVIDEO", flag), "");
  EXPECT_TRUE(flag);
}

TEST_F(ControlFileTest, LongLinesStayOneEntry) {
  const std::string longValue(10000, 'x');
  read("LONGKEY " + longValue + "\nNEXT 1\n");
  EXPECT_EQ(get("LONGKEY"), longValue);
  EXPECT_EQ(get("NEXT"), "1");
  EXPECT_EQ(get(longValue.substr(0, 99).c_str()), "");
}

TEST_F(ControlFileTest, CarriageReturnAloneEndsALine) {
  read("A 1\rB 2\r\rC 3");
  EXPECT_EQ(get("A"), "1");
  EXPECT_EQ(get("B"), "2");
  EXPECT_EQ(get("C"), "3");
}

TEST_F(ControlFileTest, BinaryAndNulBytesDoNotBreakTheReader) {
  std::string data = "BIN \x01\x02\xff\xfe";
  data += '\0';
  data += "tail\nOK yes\n\t\tTABBED x\n   \n";
  read(data);
  EXPECT_EQ(get("BIN").size(), 9u);
  EXPECT_EQ(get("OK"), "yes");
}

TEST_F(ControlFileTest, ReadOnlyOnceAndMissingFileIsSilent) {
  FreshSettings fresh;
  test::TempDir dir;
  EXPECT_FALSE(fresh.read(dir.str() + "/KORVANT.CTL", false));
  EXPECT_TRUE(fresh.settings.readDone());
  EXPECT_TRUE(fresh.said.empty());
  dir.write("KORVANT.CTL", "DISTANCE KM\n");
  EXPECT_FALSE(fresh.read(dir.str() + "/KORVANT.CTL", false));
  EXPECT_EQ(fresh.settings.lookup("DISTANCE"), "");
}

TEST_F(ControlFileTest, MissingFileReportedOnceWhenAsked) {
  FreshSettings fresh;
  EXPECT_FALSE(fresh.read("/nonexistent/KORVANT.CTL", true));
  EXPECT_EQ(fresh.said, (Problems{{Reason::ControlFileMissing, "/nonexistent/KORVANT.CTL"}}));
}

TEST_F(ControlFileTest, AFileThatCannotBeReadCountsAsMissing) {
  test::TempDir dir;
  std::filesystem::create_directory(dir.path() / "KORVANT.CTL");
  for (const std::string& path :
       {dir.str() + "/KORVANT.CTL", std::string("/proc/self/mem"), std::string("/dev/zero")}) {
    FreshSettings fresh;
    EXPECT_FALSE(fresh.read(path, true)) << path;
    EXPECT_TRUE(fresh.settings.readDone());
    ASSERT_EQ(fresh.said.size(), 1u) << path;
    EXPECT_EQ(fresh.said[0].reason, Reason::ControlFileMissing);
  }
}

TEST_F(ControlFileTest, FileIsFoundRegardlessOfCase) {
  FreshSettings fresh;
  test::TempDir dir;
  dir.write("korvant.ctl", "Distance km\n");
  seedDefaults(fresh.settings);
  EXPECT_TRUE(fresh.read(dir.str() + "/KORVANT.CTL", false));
  EXPECT_EQ(fresh.settings.lookup("DISTANCE"), "KM");
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// The keys written replace their lines, any case and any number of them;
// every other line, comment and line ending stays, and the file reads back
// with the new values.
TEST(ControlFileWrite, KeysReplacedOtherLinesKept) {
  const std::vector<ControlValue> values{{"LiveSource", "FLIGHTGEAR"}, {"LivePort", "49010"}};
  struct Case {
    std::string text, expected;
  } cases[] = {
      {"", "LiveSource FLIGHTGEAR\nLivePort 49010\n"},
      {"; mine\nMapFont Arial\nlivesource XPLANE\nLIVEPORT 1\nLiveSource XPLANE-DATA",
       "; mine\nMapFont Arial\nLiveSource FLIGHTGEAR\nLivePort 49010\n"},
      {"MapFont Arial\r\n  LivePort 2\r\nRunMaximized 0",
       "MapFont Arial\r\nRunMaximized 0\r\nLiveSource FLIGHTGEAR\r\nLivePort 49010\r\n"},
      {"Distance KM\rLivePort 3\r", "Distance KM\rLiveSource FLIGHTGEAR\nLivePort 49010\n"},
      {";LivePort 4\n#LiveSource X\n", ";LivePort 4\n#LiveSource X\nLiveSource FLIGHTGEAR\nLivePort 49010\n"},
  };
  for (const Case& c : cases) {
    const std::string written = withControlValues(c.text, values);
    EXPECT_EQ(written, c.expected) << c.text;
    OnceFlags once;
    Settings settings{once};
    seedDefaults(settings);
    settings.markReadDone();
    std::istringstream in(written);
    ControlFile::readLines(settings, in);
    EXPECT_EQ(settings.lookup("LiveSource"), "FLIGHTGEAR");
    EXPECT_EQ(settings.lookup("LivePort"), "49010");
  }
  EXPECT_EQ(withControlValues("", {{"XPlaneHost", "a\nb"}}), "XPlaneHost a b\n");
}

}  // namespace
}  // namespace korvant
