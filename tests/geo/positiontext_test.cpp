#include "geo/positiontext.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvant {
namespace {

struct Parsed {
  bool ok;
  double lat;
  double lng;
};

Parsed parse(std::string_view text) {
  LatLng position;
  const bool ok = parsePositionText(text, position);
  return {ok, position.lat, position.lng};
}

void expectPosition(std::string_view text, double lat, double lng) {
  SCOPED_TRACE(std::string(text));
  const Parsed p = parse(text);
  ASSERT_TRUE(p.ok);
  EXPECT_DOUBLE_EQ(p.lat, lat);
  EXPECT_DOUBLE_EQ(p.lng, lng);
}

void expectNoPosition(std::string_view text) {
  SCOPED_TRACE(std::string(text));
  const Parsed p = parse(text);
  EXPECT_FALSE(p.ok);
  EXPECT_EQ(p.lat, NO_POSITION);
  EXPECT_EQ(p.lng, NO_POSITION);
}

TEST(FiveCharacterForm, QuadrantLetterGivesTheSigns) {
  expectPosition("5030N", 5000, -3000);
  expectPosition("5030E", 5000, 3000);
  expectPosition("5030S", -5000, 3000);
  expectPosition("5030W", -5000, -3000);
}

TEST(FiveCharacterForm, LetterInTheMiddleAddsOneHundredDegreesOfLongitude) {
  expectPosition("50N30", 5000, -13000);
  expectPosition("50E30", 5000, 13000);
  expectPosition("50S00", -5000, 10000);
  expectPosition("50W45", -5000, -14500);
}

TEST(FiveCharacterForm, OtherShapesFail) {
  expectNoPosition("5030X");
  expectNoPosition("503N0");
  expectNoPosition("A030N");
  expectNoPosition("5030n");  // the letter is not upper-cased here
}

TEST(NatSlashForm, WholeDegreesNorthAndWest) {
  expectPosition("50/30", 5000, -3000);
  expectPosition("50/130", 5000, -13000);
  expectPosition("00/00", 0, 0);
}

TEST(NatSlashForm, NonDigitsAreNotAPosition) {
  expectNoPosition("AB/CD");
  expectNoPosition("50/3X");
}

TEST(HalfDegreeForm, LatitudeMinutesAndWestLongitude) {
  expectPosition("5530/20", 5530, -2000);
  expectPosition("5430/130", 5430, -13000);
  expectPosition("5530/2050", 5530, -2050);
  expectPosition("5000/17959", 5000, -17959);
  expectPosition("0000/00", 0, 0);
  expectNoPosition("5560/20");  // minutes must be below 60
  expectNoPosition("5530/2060");
  expectNoPosition("9100/20");
  expectNoPosition("5530/181");
  expectNoPosition("5530/2");  // one digit is no longitude
  expectNoPosition("5530/18001");
  expectNoPosition("553A/20");
  // The forms that read today keep their meaning.
  expectPosition("55/20", 5500, -2000);
  expectPosition("N5530/W02000", 5530, -2000);
}

TEST(SevenCharacterForm, DegreesWithHemispheres) {
  expectPosition("50N035W", 5000, -3500);
  expectPosition("33S151E", -3300, 15100);
  expectPosition("90N180E", 9000, 18000);
  expectNoPosition("95N035W");
  expectNoPosition("50N181W");
  expectNoPosition("50X035W");
}

TEST(ElevenCharacterForm, PackedDegreesAndMinutes) {
  expectPosition("5030N03500W", 5030, -3500);
  expectPosition("3345S15110E", -3345, 15110);
  expectNoPosition("5030N0350W0");
}

TEST(PrefixedSlashForm, ReadsEachHalfWide) {
  expectPosition("N5030.5/W03500", 5030.5, -3500);
  expectPosition("S3345.25/E15110.75", -3345.25, 15110.75);
  // The form reads a value above range wide; as a position it is refused.
  LatLng above;
  ASSERT_TRUE(readPrefixedSlashForm("N9100/W03500", above));
  EXPECT_EQ(above.lat, OUT_OF_RANGE);
  EXPECT_EQ(above.lng, -3500);
  expectNoPosition("N9100/W03500");
  // Ten characters is one too few for this form; it is the compact form's.
  EXPECT_FALSE(readPrefixedSlashForm("N5030/W035", above));
  expectPosition("N5030/W035", 5030, -3500);
  // Each half is a coordinate and nothing more: a DME leg, a long name with
  // a slash, stray bytes, a hemisphere letter on the wrong half.
  for (const char* text : {"CANDYS/120.5", "ABCDEFGHIJK/X", "\x1b\x1b\x1b\x1b\x1b\x1b/\x1b\x1b\x1b\x1b\x1b",
                           "N5030.5/W035X0", "N5030.5 /W03500", "E5030.5/N03500", "N/W0350000000", "N5030.5//W035"})
    expectNoPosition(text);
}

TEST(PositionText, PositionsBeyondTheEarthAreRefusedInEveryForm) {
  for (const char* text : {"99/30", "50/190", "9930N", "50N99", "9999N99999W", "9100N03500W", "5030N18100E",
                           "N9100.00/W03500.00", "N5000.00/W18000.01", "S9000.01/E00000.00"})
    expectNoPosition(text);
  // The limits themselves are positions.
  expectPosition("9000N18000W", 9000, -18000);
  expectPosition("S9000.00/E18000.00", -9000, 18000);
  expectPosition("90/180", 9000, -18000);
}

TEST(PositionText, FormsAreTriedInOrderAndNamesFail) {
  expectNoPosition("");
  expectNoPosition("MALOT");
  expectNoPosition("KJFK");
  expectNoPosition("N5030");
}

TEST(CoordinateReaders, HemisphereLetterAndLimits) {
  EXPECT_EQ(readLat("S5030"), -5030);
  EXPECT_EQ(readLat("N5030.5"), 5030.5);
  EXPECT_EQ(readLat("9001"), NO_POSITION);
  EXPECT_EQ(readLatWide("9001"), OUT_OF_RANGE);
  EXPECT_EQ(readLng("W18000"), -18000);
  EXPECT_EQ(readLng("E18000.1"), NO_POSITION);
  EXPECT_EQ(readLngWide("W18001"), OUT_OF_RANGE);
  EXPECT_FALSE(std::signbit(readLat("S0")));
  EXPECT_EQ(readLat(""), 0);
  EXPECT_EQ(readLat("N"), 0);
  EXPECT_EQ(readLng("W03500XYZ"), -3500);
  EXPECT_EQ(readLat("N" + std::string(400, '9')), NO_POSITION);
  EXPECT_EQ(readLat("N0." + std::string(400, '0') + "1"), 0);
}

TEST(CoordinateReaders, DecimalsAreReadExactly) {
  // The same double the compiler makes of the literal, to the last bit.
  EXPECT_EQ(readLat("N5030.33"), 5030.33);
  EXPECT_EQ(readLng("W17959.999"), -17959.999);
}

TEST(DafifPosition, FiveCharacterThenHalvesThroughSet) {
  const LatLng a = readDafifPosition("5030N");
  EXPECT_EQ(a.lat, 5000);
  EXPECT_EQ(a.lng, -3000);
  const LatLng b = readDafifPosition("N5030.5/W03500");
  EXPECT_EQ(b.lat, 5030.5);
  EXPECT_EQ(b.lng, -3500);
  const LatLng c = readDafifPosition("N9100/W03500");
  EXPECT_EQ(c.lat, NO_POSITION);
  EXPECT_EQ(c.lng, -3500);
  EXPECT_TRUE(readDafifPosition("MALOT").isUnset());
}

TEST(OverlayPosition, TwoByTwoIsNatFormOtherSlashesArePrefixed) {
  LatLng p;
  ASSERT_TRUE(readOverlayPosition("50/30", p));
  EXPECT_EQ(p.lat, 5000);
  EXPECT_EQ(p.lng, -3000);
  ASSERT_TRUE(readOverlayPosition("N50/W30", p));  // short prefixed form accepted here
  EXPECT_EQ(p.lat, 50);
  EXPECT_EQ(p.lng, -30);
  ASSERT_TRUE(readOverlayPosition("50N30", p));
  EXPECT_EQ(p.lng, -13000);
  ASSERT_TRUE(readOverlayPosition("N9100/W03500", p));
  EXPECT_EQ(p.lat, NO_POSITION);  // through set, not the wide marker
  EXPECT_FALSE(readOverlayPosition("MALOT", p));
  EXPECT_FALSE(readOverlayPosition("JFK/12", p));  // a word with a slash is no position
  EXPECT_EQ(p.lat, 0);
  EXPECT_EQ(p.lng, 0);
}

TEST(FormatPosition, PatternsAndMinuteCarry) {
  EXPECT_EQ(formatLat(5030), "N5030.00");
  EXPECT_EQ(formatLat(-3345.5), "S3345.50");
  EXPECT_EQ(formatLat(0), "N0000.00");
  EXPECT_EQ(formatLng(-3500), "W03500.00");
  EXPECT_EQ(formatLng(15110.25), "E15110.25");
  EXPECT_EQ(formatLat(5959.999), "N6000.00");
  EXPECT_EQ(formatLat(4959.996), "N5000.00");
  EXPECT_EQ(formatLng(-17959.999), "W18000.00");
  EXPECT_EQ(formatLng(-959.999), "W01000.00");
  EXPECT_EQ(formatLng(9959.996), "E10000.00");
  // Not a carry: 59.99 minutes stay.
  EXPECT_EQ(formatLat(4959.99), "N4959.99");
}

TEST(FormatPosition, CarryPastTheLastDigitWidensTheText) { EXPECT_EQ(formatLat(9959.999), "N10000.00"); }

}  // namespace
}  // namespace korvant
