// Procedure and route files: the record reader with its repairs and
// refusals, the altitude and leg texts, and what a path says.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

#include "procedures/loadedprocedure.h"
#include "procedures/procedurefile.h"
#include "procedures/proceduresource.h"
#include "procedures/proceduretext.h"
#include "support/recordingboxes.h"
#include "support/shownmessages.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

using test::RecordingBoxes;
using test::TempDir;

std::string built(const std::string& text) {
  const ProcedureBuild b = buildProcedureFile(text);
  EXPECT_TRUE(b.ok) << b.problem.detail;
  return b.bytes;
}

// One leg record with the given heading and speed.
std::string leg(const std::string& fix, int speed, int heading) {
  return built("1 " + fix + " N5000.0 W03000.0 " + std::to_string(speed) + " 3500 - " + std::to_string(heading) + "\n");
}

TEST(FormatAltitude, FeetFlightLevelsAndTheirLimits) {
  EXPECT_EQ(formatAltitude(0), "0");
  EXPECT_EQ(formatAltitude(350), "3500");
  EXPECT_EQ(formatAltitude(9999), "99990");
  EXPECT_EQ(formatAltitude(10000), "?????");
  EXPECT_EQ(formatAltitude(32767), "?????");
  EXPECT_EQ(formatAltitude(62036), "FL350");
  EXPECT_EQ(formatAltitude(62027), "FL350");  // integer division
  EXPECT_EQ(formatAltitude(65036), "FL050");
  EXPECT_EQ(formatAltitude(55546), "FL999");
  EXPECT_EQ(formatAltitude(55536), "FL???");
  EXPECT_EQ(formatAltitude(32768), "FL???");
}

TEST(AppendLegText, EachGroupItsWordsAndUnknownCodesOnlyThePrefix) {
  std::string text;
  appendLegText(text, 1, "CPT", 90, "3500");
  appendLegText(text, 62, "", 7, "FL070");
  appendLegText(text, 13, "", 273, "3000");
  appendLegText(text, 72, "OCK/15", 300, "0");
  appendLegText(text, 31, "R123", 45, "0");
  appendLegText(text, 52, "CPT050", 290, "0");
  appendLegText(text, 85, "BIG", 0, "0");
  appendLegText(text, 86, "BIG", 0, "0");
  appendLegText(text, 5, "ZZZ", 100, "0");
  appendLegText(text, 200, "ZZZ", 100, "0");
  EXPECT_EQ(text,
            "[01] DIRECT CPT\n"
            "[62] TURN RIGHT HEADING 007 UNTIL FL070\n"
            "[13] TURN LEFT TO TRACK 273 UNTIL 3000\n"
            "[72] TURN RIGHT TO HEADING 300 UNTIL OCK/15 DME\n"
            "[31] TURN LEFT TO HEADING 045 UNTIL CROSSING R123 RADIAL\n"
            "[52] TURN RIGHT TO HEADING 290 TO INTERCEPT CPT050 COURSE\n"
            "[85] TURN LEFT DIRECT BIG\n"
            "[86] TURN RIGHT DIRECT BIG\n"
            "[05] \n"
            "[200] \n");
}

TEST(ProcedureRecords, NamesPositionsAndRouteHeaders) {
  ProcedureRecord r;
  r.name = {'c', 'p', 't', '_', 'X', 'Y', 'Z'};
  r.latDegrees = -33;
  r.latTenths = -125;
  r.lngDegrees = 151;
  r.lngTenths = 100;
  EXPECT_EQ(recordFixName(r), "CPT");
  EXPECT_EQ(recordPosition(r), (LatLng{-3312.5, 15110}));
  unsigned char bytes[PROCEDURE_RECORD_BYTES];
  encodeProcedureRecord(r, bytes);
  const ProcedureRecord back = decodeProcedureRecord(bytes);
  EXPECT_EQ(back.latDegrees, -33);
  EXPECT_EQ(back.latTenths, -125);
  EXPECT_EQ(back.name, r.name);

  const auto header = encodeRouteHeader("kjfk", "EGLL");
  // A NUL ends a name as the padding does.
  r.name = {'B', 'I', 'G', '\0', 'X', '_', '_'};
  EXPECT_EQ(recordFixName(r), "BIG");
  EXPECT_EQ(routeHeaderTitle(header.data()), "KJFK-EGLL");
}

TEST(ReadProcedureFile, EmptyFilesAndRecordLength) {
  TempDir dir;
  RecordingBoxes boxes;
  const ProcedureFileRead empty = readProcedureFile(dir.write("EGLL/EMPTY.27R", ""), RouteFileKind::Plain, boxes);
  EXPECT_TRUE(empty.ok);
  EXPECT_TRUE(empty.legs.empty());
  EXPECT_TRUE(boxes.shown.empty());

  const ProcedureFileRead odd =
      readProcedureFile(dir.write("EGLL/ODD.27R", leg("CPT", 250, 90) + "x"), RouteFileKind::Plain, boxes);
  EXPECT_FALSE(odd.ok);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "BAD SID/STAR/APP/ROUTE FILE FORMAT - WRONG RECORD LENGTH");
  EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Stop);
}

TEST(ReadProcedureFile, DocumentationMissingFilesAndFolders) {
  TempDir dir;
  RecordingBoxes boxes;
  const std::string readme = dir.write("readme/EGLL/SID.27R", leg("CPT", 250, 90));
  EXPECT_FALSE(readProcedureFile(readme, RouteFileKind::Plain, boxes).ok);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "SKIPPING TXT/DOC FILE: " + readme);

  EXPECT_FALSE(readProcedureFile(dir.str() + "/EGLL/NONE.27R", RouteFileKind::Plain, boxes).ok);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].caption, "CAN'T OPEN FILE:");
  EXPECT_EQ(boxes.shown[1].text, dir.str() + "/EGLL/NONE.27R");

  EXPECT_FALSE(readProcedureFile(dir.str() + "/readme", RouteFileKind::Plain, boxes).ok);  // skipped by name
  std::filesystem::create_directories(dir.path() / "EGLL" / "FOLDER.27R");
  EXPECT_FALSE(readProcedureFile(dir.str() + "/EGLL/FOLDER.27R", RouteFileKind::Plain, boxes).ok);
  EXPECT_EQ(boxes.shown.back().caption, "CAN'T OPEN FILE:");
}

TEST(ReadProcedureBytes, HeadingsRepairedToThePreviousOne) {
  RecordingBoxes boxes;
  const ProcedureFileRead r =
      readProcedureBytes(leg("A", 250, 361) + leg("B", 250, 360) + leg("C", 250, 0) + leg("D", 250, 400),
                         RouteFileKind::Plain, "F", boxes);
  ASSERT_TRUE(r.ok);
  ASSERT_EQ(r.legs.size(), 4u);
  EXPECT_EQ(r.legs[0].heading, 0);  // the first record's previous heading
  EXPECT_EQ(r.legs[1].heading, 360);
  EXPECT_EQ(r.legs[2].heading, 0);
  EXPECT_EQ(r.legs[3].heading, 0);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].caption, "F");
  EXPECT_EQ(boxes.shown[0].text, "BAD HEADING IN FILE AT WPT:  A\nSET TO PREVIOUS");
}

TEST(ReadProcedureBytes, SpeedsWithinTheirLimitsAndRepairedBeyond) {
  RecordingBoxes boxes;
  const ProcedureFileRead r =
      readProcedureBytes(leg("A", -999, 90) + leg("B", 999, 90) + leg("C", 1000, 90) + leg("D", -1000, 90),
                         RouteFileKind::Plain, "F", boxes);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.legs[0].speed, -999);
  EXPECT_EQ(r.legs[1].speed, 999);
  EXPECT_EQ(r.legs[2].speed, 250);
  EXPECT_EQ(r.legs[3].speed, 250);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text, "BAD IAS IN FILE AT WPT:  C\nSET TO 250");
}

TEST(ReadProcedureBytes, TheFourthRepairGivesUp) {
  RecordingBoxes boxes;
  const std::string three = leg("A", 1000, 90) + leg("B", 250, 999) + leg("C", 1000, 90);
  EXPECT_TRUE(readProcedureBytes(three, RouteFileKind::Plain, "F", boxes).ok);
  boxes.shown.clear();
  const ProcedureFileRead r = readProcedureBytes(three + leg("D", 250, 361), RouteFileKind::Plain, "F", boxes);
  EXPECT_FALSE(r.ok);
  ASSERT_EQ(boxes.shown.size(), 5u);
  EXPECT_EQ(boxes.shown[4].text, "TOO MANY ERRORS - GIVING UP");
}

TEST(ReadProcedureBytes, BadPositionsEndTheReadAtOnce) {
  RecordingBoxes boxes;
  std::string bad = leg("BAD", 250, 90);
  bad[0] = static_cast<char>(91);  // latitude 91 degrees
  const ProcedureFileRead r =
      readProcedureBytes(leg("A", 250, 90) + bad + leg("C", 250, 90), RouteFileKind::Plain, "/x/F", boxes);
  EXPECT_FALSE(r.ok);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "/x/F");
  EXPECT_EQ(boxes.shown[0].text, "BAD LAT/LNG IN FILE AT WPT:  BAD");
}

TEST(ReadProcedureBytes, RouteHeadersGiveTheTitleAndNoLeg) {
  RecordingBoxes boxes;
  const std::string bytes = built("ROUTE KJFK EGLL\n1 DOTTY N5038.0 W05535.0 0 FL350 - 60\n");
  const ProcedureFileRead route = readProcedureBytes(bytes, RouteFileKind::Route, "F", boxes);
  ASSERT_TRUE(route.ok);
  EXPECT_EQ(route.title, "KJFK-EGLL");
  ASSERT_EQ(route.legs.size(), 1u);
  EXPECT_EQ(route.legs[0].fix, "DOTTY");
  EXPECT_EQ(formatAltitude(route.legs[0].altitude), "FL350");
  EXPECT_EQ(legText(route.legs[0]), "[01] DIRECT DOTTY");
  // Without the header kind the first record is a leg of its own.
  EXPECT_EQ(readProcedureBytes(bytes, RouteFileKind::Plain, "F", boxes).legs.size(), 2u);
}

TEST(ProcedureSource, SidRunwaysFromTheExtension) {
  const ProcedureSource r = describeProcedurePath("/sim/deparr/egll/bpk7f.27R", false);
  EXPECT_EQ(r.folderName, "EGLL");
  EXPECT_EQ(r.fileName, "BPK7F.27R");
  EXPECT_EQ(r.directory, "/sim/deparr/egll/");
  EXPECT_TRUE(r.sid);
  EXPECT_EQ(r.runway, 27);
  EXPECT_EQ(r.suffix, RunwaySuffix::Right);

  const ProcedureSource plain = describeProcedurePath("/sim/EGLL/BPK7F.27", false);
  EXPECT_EQ(plain.runway, 27);
  EXPECT_EQ(plain.suffix, RunwaySuffix::None);
  const ProcedureSource shortOne = describeProcedurePath("/sim/EGLL/BPK7F.7", false);
  EXPECT_TRUE(shortOne.sid);
  EXPECT_EQ(shortOne.runway, 36);
  EXPECT_EQ(describeProcedurePath("/sim/EGLL/X.09c", false).suffix, RunwaySuffix::Centre);
  EXPECT_EQ(describeProcedurePath("/sim/EGLL/X.09L", false).suffix, RunwaySuffix::Left);
}

TEST(ProcedureSource, ArrivalsApproachesRoutesAndExtensionsThatNameNoRunway) {
  for (const char* name : {"/a/EGLL/X.ARR", "/a/EGLL/X.app", "/a/EGLL/X.Rou"}) {
    const ProcedureSource s = describeProcedurePath(name, false);
    EXPECT_FALSE(s.sid) << name;
    EXPECT_EQ(s.runway, 36) << name;
  }
  // No runway 0, 37 or DA: flown from the first fix instead of a runway that is not there.
  for (const char* name : {"/a/EGLL/X.00", "/a/EGLL/X.37L", "/a/EGLL/X.DAT"})
    EXPECT_FALSE(describeProcedurePath(name, false).sid) << name;

  EXPECT_EQ(describeProcedurePath("/r/A.rou", true).kind, RouteFileKind::Route);
  EXPECT_EQ(describeProcedurePath("/r/A.PLN", true).kind, RouteFileKind::FlightPlan);
  const ProcedureSource other = describeProcedurePath("/r/A.27R", true);
  EXPECT_EQ(other.kind, RouteFileKind::Plain);
  EXPECT_TRUE(other.route);
  EXPECT_FALSE(other.sid);
}

TEST(ProcedureSource, FileDatesFromTheModificationTime) {
  TempDir dir;
  const std::string path = dir.write("F.27R", "");
  std::tm when{};
  when.tm_year = 2026 - 1900;
  when.tm_mon = 1;
  when.tm_mday = 5;
  when.tm_hour = 12;
  const std::time_t t = std::mktime(&when);
  struct timespec times[2] = {{t, 0}, {t, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  EXPECT_EQ(fileDateText(path), "05 FEB 2026");
  EXPECT_EQ(fileDateText(dir.str() + "/missing"), "CAN'T DETERMINE");
}

TEST(ReadLoadedProcedure, TitlesFromTheFolderOrTheHeader) {
  TempDir dir;
  RecordingBoxes boxes;
  const auto sid = readLoadedProcedure(dir.write("egll/A.27R", leg("CPT", 250, 90)), false, boxes);
  ASSERT_TRUE(sid);
  EXPECT_EQ(sid->title, "EGLL");
  EXPECT_TRUE(sid->procedureShown);
  EXPECT_FALSE(sid->routeShown);
  const auto route =
      readLoadedProcedure(dir.write("routes/A.ROU", built("ROUTE KJFK EGLL\n") + leg("X", 0, 0)), true, boxes);
  ASSERT_TRUE(route);
  EXPECT_EQ(route->title, "KJFK-EGLL");
  EXPECT_TRUE(route->routeShown);
  const auto plain = readLoadedProcedure(dir.write("routes/A.TRK", leg("X", 0, 0)), true, boxes);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->title, "");
  EXPECT_TRUE(boxes.shown.empty());
  // A flight plan goes to its own reader: refused without its header.
  const auto plan =
      readLoadedProcedure(dir.write("routes/A.PLN", "[flightplan]\ntitle=T\nTEXT 5030N X\n"), true, boxes);
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->plan.title, "T");
  EXPECT_TRUE(plan->routeShown);
  EXPECT_FALSE(readLoadedProcedure(dir.write("routes/B.pln", "title=T\n"), true, boxes));
  EXPECT_EQ(boxes.shown.size(), 1u);
  // Nothing to draw: said, not shown as an empty map.
  EXPECT_FALSE(readLoadedProcedure(dir.write("routes/C.pln", "[flightplan]\ntitle=T\n"), true, boxes));
  EXPECT_FALSE(readLoadedProcedure(dir.write("deparr/EGLL/EMPTY.27R", ""), false, boxes));
  ASSERT_EQ(boxes.shown.size(), 3u);
  EXPECT_EQ(boxes.shown[1].caption, "NO WAYPOINTS IN FLIGHT PLAN:");
  EXPECT_EQ(boxes.shown[2].caption, "NO LEGS IN FILE:");
  // One box a failure, naming the file: a plan of names none of which is
  // found, and a plan cut short.
  boxes.shown.clear();
  const std::string names = dir.write("routes/names.pln",
                                      "<SimBase.Document><FlightPlan.FlightPlan><ATCWaypoint id=\"QQQQQ\"/>"
                                      "</FlightPlan.FlightPlan></SimBase.Document>");
  EXPECT_FALSE(readLoadedProcedure(names, true, boxes));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, names + " (POINTS NOT FOUND: QQQQQ)");
  const std::string cut = dir.write("routes/cut.pln", "<SimBase.Document><FlightPlan.Flight");
  EXPECT_FALSE(readLoadedProcedure(cut, true, boxes));
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].caption, "FLIGHT PLAN:");
  EXPECT_EQ(boxes.shown[1].text.rfind(cut + ": not well-formed XML", 0), 0u) << boxes.shown[1].text;
}

}  // namespace
}  // namespace korvant
