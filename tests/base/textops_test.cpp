#include "base/textops.h"
#include "base/validtext.h"

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

namespace korvant {
namespace {

// What every writer puts in a file: well-formed UTF-8 (RFC 3629's table of
// sequences), no control character.
TEST(ValidText, EveryByteSequenceBecomesValidPrintableUtf8) {
  const std::string r = "\xEF\xBF\xBD";  // U+FFFD
  const std::pair<std::string, std::string> cases[] = {
      {"MALOT", "MALOT"},
      {"\xC3\xA5lesund \xE2\x82\xAC \xF0\x9F\x9B\xAB", "\xC3\xA5lesund \xE2\x82\xAC \xF0\x9F\x9B\xAB"},
      {"\xFF\xFE\xC0\x80", r + r + r + r},                  // bytes that never start a sequence; an overlong NUL
      {"A\xC3", "A" + r},                                   // cut short at the end
      {"\xC3(", r + "("},                                   // a lead byte without its continuation
      {"\xE0\x80\xAF", r + r + r},                          // overlong
      {"\xED\xA0\x80", r + r + r},                          // a surrogate
      {"\xF4\x90\x80\x80", r + r + r + r},                  // past U+10FFFF
      {"\xEF\xBF\xBE\xEF\xBF\xBF", r + r + r + r + r + r},  // U+FFFE, U+FFFF: not in XML
      {"A\nB\rC\tD\x1B[0m\x07\x7F", "A B C D [0m  "},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(printableText(in), out) << ::testing::PrintToString(in);
  EXPECT_EQ(printableText("A\nB\r\x1B\t", '?', true), "A\nB??\t");
  EXPECT_EQ(validUtf8("A\nB\x1B\xC3"), "A\nB\x1B" + r);
}

}  // namespace
}  // namespace korvant
