// Flight plan files and the user overlay's command lines.
#include <gtest/gtest.h>

#include "base/filereader.h"
#include "procedures/flightplan.h"
#include "procedures/useroverlay.h"
#include "procedures/useroverlayfile.h"
#include "support/recordingboxes.h"
#include "support/shownmessages.h"

namespace korvant {
namespace {

TEST(FlightPlan, BothWaypointFormsAndTheKeys) {
  test::RecordingBoxes boxes;
  const auto plan = readFlightPlan(
      "[flightplan]\r\n"
      "title=Test plan\r\n"
      "CRUISING_ALTITUDE=35000\n"
      "Departure_Name=HERE\n"
      "destination_name=THERE\n"
      "description=not kept\n"
      "# a comment\n"
      "WAYPOINT.3=ABC, V, N50* 30.0', W001* 15.5', +000120.00\n"
      "waypoint.0=XY, A, S12* 0.5', E130* 0.0', 0, TEXT\n"
      "waypoint.1=KK, WIK, , WIK, V, N58* 27.53', W003* 06.02', +000000.00,\n"
      "waypoint.2=AB, V, N50* 30.0'\n"  // fewer than five fields: left out
      "waypoint.4=NOSTAR, V, N50, W001* 15.5', +1e999\n"
      "TEXT 5030N HELLO\n",
      boxes);
  ASSERT_TRUE(plan);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(plan->title, "Test plan");
  EXPECT_EQ(plan->cruisingAltitude, "35000");
  EXPECT_EQ(plan->departureName, "HERE");
  EXPECT_EQ(plan->destinationName, "THERE");
  ASSERT_EQ(plan->waypoints.size(), 5u);
  const UW_Wpt& a = plan->waypoints[0];
  EXPECT_EQ(a.number, 3);
  EXPECT_EQ(a.identifier, "ABC");
  EXPECT_EQ(a.type, "V");
  EXPECT_EQ(a.position, (LatLng{5030.0, -115.5}));
  EXPECT_EQ(a.altitude, 120);
  EXPECT_EQ(a.text, "");
  const UW_Wpt& b = plan->waypoints[1];
  EXPECT_DOUBLE_EQ(b.position.lat, -1200.5);
  EXPECT_EQ(b.text, "TEXT");
  const UW_Wpt& c = plan->waypoints[2];
  EXPECT_EQ(c.identifier, "WIK");
  EXPECT_EQ(c.type, "V");
  EXPECT_DOUBLE_EQ(c.position.lat, 5827.53);
  EXPECT_DOUBLE_EQ(c.position.lng, -306.02);
  const UW_Wpt& d = plan->waypoints[3];
  EXPECT_DOUBLE_EQ(d.position.lat, 5000);  // no '*': no minutes
  EXPECT_EQ(d.altitude, 1);                // +1e999: the whole number before the 'e'
  EXPECT_TRUE(plan->waypoints[4].isUserItem());
  EXPECT_EQ(plan->waypoints[4].text, "TEXT 5030N HELLO");
}

TEST(FlightPlan, TheHeaderItsRefusalAndLongLines) {
  test::RecordingBoxes boxes;
  EXPECT_FALSE(readFlightPlan("waypoint.0=A, V, N50* 0', W001* 0', 0\n[flightplan]  \n", boxes));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "[flightplan] header not found");
  EXPECT_EQ(boxes.shown[0].caption, "");
  // Only user items: both ends of the plan are 0/0.
  const auto items = readFlightPlan("[flightplan]\nCOLOR 255 0 0\nTEXT 5030N X\n", boxes);
  ASSERT_TRUE(items);
  EXPECT_EQ(planEnds(*items).first, (LatLng{0, 0}));
  EXPECT_EQ(planEnds(*items).second, (LatLng{0, 0}));
  // A line longer than 253 characters goes on as the next line.
  const auto cut = readFlightPlan("[flightplan]\ntitle=" + std::string(300, 'x') + "\n", boxes);
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->title.size(), 253u - 6);
  ASSERT_EQ(cut->waypoints.size(), 1u);  // the rest: a user item
  EXPECT_EQ(cut->waypoints[0].text, std::string(300 - 247, 'x'));
  const auto one = readFlightPlan("[flightplan]\nwaypoint.0=A, V, N50* 0', W001* 0', 0\n", boxes);
  EXPECT_EQ(planEnds(*one).first, planEnds(*one).second);
  // The header in any letter case, after a UTF-8 byte-order mark too.
  for (const char* text : {"[FlightPlan]\nwaypoint.0=A, V, N50* 0', W001* 0', 0\n",
                           "\xEF\xBB\xBF[FLIGHTPLAN]\r\nwaypoint.0=A, V, N50* 0', W001* 0', 0\r\n"}) {
    const auto read = readFlightPlan(text, boxes);
    ASSERT_TRUE(read) << text;
    ASSERT_EQ(read->waypoints.size(), 1u);
    EXPECT_EQ(read->waypoints[0].position, (LatLng{5000, -100}));
  }
  EXPECT_EQ(boxes.shown.size(), 1u);  // only the refusal above
}

TEST(FlightPlan, TheRealFileWithItsThirteenWaypoints) {
  const FileRead file = readWholeFile(KORVANT_TEST_DATA "/plans/EGPB-EISG.PLN", 1 << 20);
  ASSERT_TRUE(file.ok());
  test::RecordingBoxes boxes;
  const auto plan = readFlightPlan(file.bytes, boxes);
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->title, "EGPB to EISG");
  EXPECT_EQ(plan->cruisingAltitude, "22000");
  EXPECT_EQ(plan->departureName, "SUMBURGH");
  std::vector<const UW_Wpt*> fixes;
  for (const UW_Wpt& w : plan->waypoints)
    if (!w.isUserItem()) fixes.push_back(&w);
  ASSERT_EQ(fixes.size(), 13u);
  EXPECT_EQ(fixes[0]->identifier, "EGPB");
  EXPECT_EQ(fixes[0]->type, "A");
  EXPECT_EQ(fixes[0]->position, (LatLng{5952.88, -117.63}));
  EXPECT_EQ(fixes[0]->altitude, 20);
  EXPECT_EQ(fixes[1]->identifier, "WIK");
  EXPECT_EQ(fixes[1]->position, (LatLng{5827.53, -306.02}));
  EXPECT_EQ(fixes[10]->identifier, "MAC");
  EXPECT_EQ(fixes[10]->type, "N");
  EXPECT_EQ(fixes[12]->identifier, "EISG");
  EXPECT_EQ(fixes[12]->position, (LatLng{5416.82, -835.95}));
  // AppVersion= is no key of the plan: it is kept as a user item.
  EXPECT_EQ(plan->waypoints[0].text, "AppVersion=9.1.40901");
}

TEST(UserOverlay, CommandLinesAndTheirOperands) {
  const auto c = [](const char* line) { return parseOverlayLine(line, 7); };
  EXPECT_EQ(c("# comment").op, OverlayOp::None);
  EXPECT_EQ(c("").op, OverlayOp::None);
  EXPECT_EQ(c("   nodraw").op, OverlayOp::NoDraw);
  EXPECT_EQ(c("BOGUS 1 2").op, OverlayOp::None);
  const OverlayCommand text = c("  text 5030N Hello World\r");
  EXPECT_EQ(text.op, OverlayOp::Text);
  EXPECT_EQ(text.a, (LatLng{5000, -3000}));  // 50N 30W
  EXPECT_EQ(text.text, "Hello World");
  EXPECT_FALSE(text.bad);
  const OverlayCommand fix = c("TEXT MALOT somewhere");
  EXPECT_TRUE(fix.bad);  // fix names are not positions here
  EXPECT_EQ(fix.line, 7);
  EXPECT_FALSE(c("TEXT N5030.00/W03500.00 x").bad);
  const OverlayCommand color = c("COLOR 300 -1 256");
  EXPECT_EQ(color.red, 44);
  EXPECT_EQ(color.green, -1);
  EXPECT_EQ(color.blue, 0);
  EXPECT_EQ(c("LINE DOT 50/30 55/20").style, OverlayLineStyle::Dot);
  EXPECT_EQ(c("LINE X 50/30 55/20").style, OverlayLineStyle::Solid);
  const OverlayCommand arc = c("ARC 5030N 100 90 45");
  EXPECT_EQ(arc.op, OverlayOp::Arc);
  EXPECT_EQ(arc.value, 100);
  EXPECT_EQ(arc.start, 90);
  EXPECT_EQ(arc.end, 45);
  const OverlayCommand route = c("TEXTR 50/30 55/20 120 along the way");
  EXPECT_EQ(route.b, (LatLng{5500, -2000}));
  EXPECT_EQ(route.value, 120);
  EXPECT_EQ(route.text, "along the way");
  EXPECT_EQ(c("ALIGN center Top").words, (std::vector<std::string>{"CENTER", "TOP"}));
  const std::string longLine = "TEXT 5030N " + std::string(1 << 20, 'x');
  EXPECT_EQ(c(longLine.c_str()).text.size(), OVERLAY_LINE_LIMIT - 11);
}

TEST(UserOverlay, TheLastAlignmentCarriesIntoTheNextReading) {
  std::string h = "LEFT", v = "BOTTOM";
  finalOverlayAlignment(parseUserOverlay("ALIGN RIGHT\nNODRAW\nALIGN LEFT TOP\nDRAW\nALIGN TOP\n"), h, v);
  EXPECT_EQ(h, "RIGHT");
  EXPECT_EQ(v, "TOP");
}

}  // namespace
}  // namespace korvant
