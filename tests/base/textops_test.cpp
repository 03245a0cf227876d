#include "base/textops.h"

#include <gtest/gtest.h>

#include <climits>

namespace korvant {
namespace {

TEST(TextOps, TrimLeadingBlanksKeepsTabs) {
  std::string t = "   \tKEY";
  trimLeadingBlanks(t);
  EXPECT_EQ(t, "\tKEY");
  std::string blanks = "    ";
  trimLeadingBlanks(blanks);
  EXPECT_EQ(blanks, "");
}

TEST(TextOps, CutAtLineEnd) {
  std::string t = "ABC\r\nDEF";
  cutAtLineEnd(t);
  EXPECT_EQ(t, "ABC");
  std::string lf = "\nABC";
  cutAtLineEnd(lf);
  EXPECT_EQ(lf, "");
}

TEST(TextOps, NextWordSkipsSeparatorsBehindTheWord) {
  std::string t = "  PS13DIR   \t D:\\SIM\\PS13\\  ";
  EXPECT_EQ(nextWord(t), "PS13DIR");
  EXPECT_EQ(t, "D:\\SIM\\PS13\\  ");
  std::string one = "ALONE";
  EXPECT_EQ(nextWord(one), "ALONE");
  EXPECT_EQ(one, "");
  std::string empty;
  EXPECT_EQ(nextWord(empty), "");
  std::string tabFirst = "\tVALUE";
  EXPECT_EQ(nextWord(tabFirst), "");
  EXPECT_EQ(tabFirst, "VALUE");
}

TEST(TextOps, UpperCaseAndCompare) {
  EXPECT_EQ(toUpper("Lambert ortho 5030n"), "LAMBERT ORTHO 5030N");
  EXPECT_TRUE(equalsIgnoreCase("korvant.dat", "KORVANT.DAT"));
  EXPECT_FALSE(equalsIgnoreCase("korvant.dat", "KORVANT.DA"));
}

TEST(TextOps, FileExtensionsOfTheNameAlone) {
  EXPECT_EQ(fileExtension("out/tracks.GeoJSON"), "GEOJSON");
  EXPECT_EQ(fileExtension("a.b/plan"), "");  // the dot is the folder's
  EXPECT_EQ(fileExtension("dir\\route.pln"), "PLN");
  EXPECT_EQ(fileExtension(".kml"), "");
  EXPECT_EQ(fileExtension("x."), "");
}

TEST(TextOps, LeadingIntegerAndSwitches) {
  EXPECT_EQ(readLeadingInt("9"), 9);
  EXPECT_EQ(readLeadingInt(" 12abc"), 12);
  EXPECT_EQ(readLeadingInt("Y"), 0);
  EXPECT_EQ(readLeadingInt("-3"), -3);
  EXPECT_EQ(readLeadingInt(std::string(50, '9')), LONG_MAX);
  EXPECT_TRUE(isSwitchOn("1"));
  EXPECT_TRUE(isSwitchOn("Y"));
  EXPECT_TRUE(isSwitchOn("N"));
  EXPECT_FALSE(isSwitchOn("0"));
  EXPECT_FALSE(isSwitchOn("01"));
  EXPECT_FALSE(isSwitchOn(""));
}

}  // namespace
}  // namespace korvant
