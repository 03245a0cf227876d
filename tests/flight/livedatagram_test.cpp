#include "flight/livedatagram.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <pugixml.hpp>

#include "base/utctime.h"
#include "support/simdatagram.h"

namespace korvant {
namespace {

using test::Datagram;

Reason reasonOf(const Result<LiveSample>& r) { return r.problems.empty() ? Reason::None : r.problems[0].reason; }

TEST(LiveDatagram, XPlaneRrefAskedForAndRead) {
  const std::vector<std::uint8_t> ask = xplaneRrefRequest(XPlaneValue::Track, 5);
  ASSERT_EQ(ask.size(), 413u);
  EXPECT_EQ(std::string(ask.begin(), ask.begin() + 5), std::string("RREF\0", 5));
  EXPECT_EQ(ask[5], 5);
  EXPECT_EQ(ask[9], static_cast<int>(XPlaneValue::Track));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&ask[13])), "sim/flightmodel/position/hpath");

  Datagram d("RREF");
  d.index(0).value(51.4775f).index(1).value(-0.4614f).index(2).value(10668).index(3).value(231.5f);
  d.index(4).value(-87).index(5).value(45296.5f).index(6).value(35600).index(99).value(1);
  const Result<LiveSample> read = readXPlaneRref(d.bytes);
  ASSERT_TRUE(read) << static_cast<int>(reasonOf(read));
  ASSERT_TRUE(read->position);
  EXPECT_NEAR(degMinToDegrees(read->position->lat), 51.4775, 1e-5);  // the float's own value, in double
  EXPECT_NEAR(degMinToDegrees(read->position->lng), -0.4614, 1e-5);
  EXPECT_NEAR(*read->altitudeFt, 35000, 0.01);
  EXPECT_NEAR(*read->groundSpeedKt, 450.0, 0.01);
  EXPECT_NEAR(*read->trackDeg, 273, 1e-9);
  EXPECT_EQ(*read->zuluSeconds, 45296.5);
  EXPECT_EQ(*read->pressureAltitudeFt, 35600);

  // Half a position is none; the other values still count.
  const Result<LiveSample> half = readXPlaneRref(Datagram("RREF").index(0).value(50).index(4).value(90).bytes);
  ASSERT_TRUE(half);
  EXPECT_FALSE(half->position);
  EXPECT_EQ(half->trackDeg, 90);
  // A hair west of north is north, not 360 (the fuzzer's find).
  EXPECT_EQ(readXPlaneRref(Datagram("RREF").index(4).value(-4e-25f).bytes)->trackDeg, 0);
}

TEST(LiveDatagram, XPlaneDataRowsInAnyOrder) {
  Datagram d("DATA");
  d.row(3, {250, 251, 300, 320.5f}).row(17, {2, -1, 359.5f}).row(20, {-33.9f, 151.2f, 37000}).row(66, {1});
  const Result<LiveSample> read = readXPlaneData(d.bytes);
  ASSERT_TRUE(read);
  EXPECT_NEAR(degMinToDegrees(read->position->lat), -33.9, 1e-5);
  EXPECT_EQ(read->altitudeFt, 37000);
  // Row 17 is the heading: never called the track.
  EXPECT_EQ(read->headingDeg, 359.5);
  EXPECT_FALSE(read->trackDeg);
  EXPECT_EQ(read->groundSpeedKt, 320.5);
  EXPECT_FALSE(read->zuluSeconds);
  EXPECT_FALSE(read->pressureAltitudeFt);  // -999: the slot not filled
  // Row 1's UTC time of day in hours, row 20's indicated altitude.
  const Result<LiveSample> timed =
      readXPlaneData(Datagram("DATA").row(1, {1, 2, 3, 4, -999, 12.5f}).row(20, {50, -20, 36400, 1, 0, 35000}).bytes);
  ASSERT_TRUE(timed);
  EXPECT_EQ(timed->zuluSeconds, 45000);
  EXPECT_EQ(timed->pressureAltitudeFt, 35000);
}

// Whatever arrives on the port: each refusal with its reason, nothing read
// past the datagram's end.
TEST(LiveDatagram, WhatNoSimulatorSendsIsRefused) {
  const struct {
    std::vector<std::uint8_t> bytes;
    bool data;
    Reason reason;
  } cases[] = {
      {{}, false, Reason::LiveNotOfItsKind},
      {{'R', 'R', 'E'}, false, Reason::LiveNotOfItsKind},
      {Datagram("DATA").row(20, {1, 2, 3}).bytes, false, Reason::LiveNotOfItsKind},
      {[] {
         auto b = Datagram("RREF").index(0).value(1).bytes;
         b.pop_back();
         return b;
       }(),
       false, Reason::LiveCutShort},
      {Datagram("RREF").index(0).value(95).index(1).value(0).bytes, false, Reason::LiveValueOutOfRange},
      {Datagram("RREF").index(3).value(NAN).bytes, false, Reason::LiveValueOutOfRange},
      {Datagram("RREF").index(3).value(-1).bytes, false, Reason::LiveValueOutOfRange},
      {Datagram("DATA").row(20, {10, 190, 1000}).bytes, true, Reason::LiveValueOutOfRange},
      {Datagram("DATA").row(20, {10, 10, 1e9f}).bytes, true, Reason::LiveValueOutOfRange},
      {Datagram("DATA").row(20, {10, 10, 1000}).index(3).bytes, true, Reason::LiveCutShort},
      {Datagram("DATA").bytes, true, Reason::None},  // nothing in it, nothing wrong
  };
  for (const auto& c : cases) {
    const Result<LiveSample> read = c.data ? readXPlaneData(c.bytes) : readXPlaneRref(c.bytes);
    EXPECT_EQ(reasonOf(read), c.reason) << c.bytes.size();
    EXPECT_EQ(read.value.has_value(), c.reason == Reason::None);
  }
}

TEST(LiveDatagram, FlightGearLines) {
  const Result<LiveSample> read = readFlightGearLine("64.130000,-21.940000,120.5,271.0,145.2,2026-12-08T21:15:30\r\n");
  ASSERT_TRUE(read);
  EXPECT_NEAR(degMinToDegrees(read->position->lng), -21.94, 1e-9);
  EXPECT_EQ(read->altitudeFt, 120.5);
  EXPECT_EQ(read->headingDeg, 271.0);
  EXPECT_FALSE(read->trackDeg);
  EXPECT_FALSE(read->pressureAltitudeFt);
  EXPECT_EQ(read->groundSpeedKt, 145.2);
  EXPECT_EQ(read->utc, std::time_t{1796764530});
  for (const auto& [line, reason] :
       {std::pair{"64,-21,120,271,145", Reason::LiveFieldCount},
        std::pair{"64,-21,120,271,145,2026-12-08T21:15:30,7", Reason::LiveFieldCount},
        std::pair{"64,-21,120,271,145,2026-12-08T21:15:30,7,8,9", Reason::LiveFieldCount},
        std::pair{"64,-21,120,271,145,2026-12-08T21:15:30,1e9,8", Reason::LiveValueOutOfRange},
        std::pair{"64,-21,120,271,145,2026-12-08T21:15:30,100,nan", Reason::LiveValueOutOfRange},
        std::pair{"64,-21,x,271,145,2026-12-08T21:15:30", Reason::LiveValueOutOfRange},
        std::pair{"64,-21,,271,145,2026-12-08T21:15:30", Reason::LiveValueOutOfRange},
        std::pair{"91,-21,120,271,145,2026-12-08T21:15:30", Reason::LiveValueOutOfRange},
        std::pair{"64,-21,120,271,145,2026-02-31T21:15:30", Reason::LiveValueOutOfRange},
        std::pair{"64,-21,120,271,145,yesterday", Reason::LiveValueOutOfRange}})
    EXPECT_EQ(reasonOf(readFlightGearLine(line)), reason) << line;
}

// The protocol file Korvant installs for FlightGear and the reader agree:
// its fields, in its order and its formats, read back as the values written.
TEST(LiveDatagram, TheInstalledFlightGearProtocolReadsBack) {
  pugi::xml_document protocol;
  ASSERT_TRUE(protocol.load_file(KORVANT_FLIGHTGEAR_PROTOCOL));
  const pugi::xml_node output = protocol.child("PropertyList").child("generic").child("output");
  EXPECT_STREQ(output.child_value("line_separator"), "newline");
  EXPECT_STREQ(output.child_value("var_separator"), ",");
  const char* nodes[] = {"/position/latitude-deg",
                         "/position/longitude-deg",
                         "/position/altitude-ft",
                         "/orientation/heading-deg",
                         "/velocities/groundspeed-kt",
                         "/sim/time/gmt",
                         "/instrumentation/altimeter/pressure-alt-ft",
                         "/orientation/track-deg"};
  const double values[] = {56.2057501, -20.0512345, 35012.3, 265.25, 478.5, 0, 34400.5, 263.5};
  std::string line;
  int i = 0;
  for (const pugi::xml_node chunk : output.children("chunk")) {
    ASSERT_LT(i, 8);
    EXPECT_STREQ(chunk.child_value("node"), nodes[i]);
    char field[64];
    if (i != 5) {
      std::snprintf(field, sizeof field, chunk.child_value("format"), values[i]);
    } else {
      std::snprintf(field, sizeof field, chunk.child_value("format"), "2026-12-08T21:15:30");
    }
    line += (i == 0 ? "" : ",") + std::string(field);
    ++i;
  }
  ASSERT_EQ(i, 8);
  const Result<LiveSample> read = readFlightGearLine(line + "\n");
  ASSERT_TRUE(read.value) << line;
  EXPECT_NEAR(read.value->position->decimalDegrees().lat, values[0], 1e-7);
  EXPECT_NEAR(read.value->position->decimalDegrees().lng, values[1], 1e-7);
  EXPECT_NEAR(*read.value->altitudeFt, values[2], 0.05);
  EXPECT_NEAR(*read.value->headingDeg, values[3], 0.005);
  EXPECT_NEAR(*read.value->pressureAltitudeFt, values[6], 0.05);
  EXPECT_NEAR(*read.value->trackDeg, values[7], 0.005);
  EXPECT_NEAR(*read.value->groundSpeedKt, values[4], 0.05);
  EXPECT_EQ(*read.value->utc, utcTime(2026, 12, 8, 21, 15, 30));
}

}  // namespace
}  // namespace korvant
