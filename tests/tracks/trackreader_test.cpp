#include "tracks/trackreader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "navdata/fixfile_builder.h"
#include "support/recordingboxes.h"

namespace korvant {
namespace {

class TrackReaderTest : public ::testing::Test {
 protected:
  TrackReaderTest() {
    FixFileContents c;
    c.fixes = {test::makeFix("ABCDE", 6000, -5000), test::makeFix("MALOT", 5300, -1500),
               test::makeFix("TIR", 5630, -650),    test::makeFix("KETOS", 4000, 15000),
               test::makeFix("SMOLT", 4100, 14500), test::makeFix("ONE", 4200, 16000)};
    fixes.loadBytes(test::fixFileBytes(c));
  }
  TrackFamily read(const std::string& text, const std::string& extension = ".txt") {
    std::istringstream in(text);
    Result<TrackModel> read = readTrackMessage(in, extension, store);
    model = read ? std::move(*read) : TrackModel();
    return model.family;
  }
  const std::string& slot(char letter) const { return model.slotTexts[letter - 'A']; }

  FixStore fixes;
  test::RecordingBoxes boxes;
  TrackStore store{fixes};
  TrackModel model;
};

TEST_F(TrackReaderTest, EastboundHeaderOnOneLine) {
  EXPECT_EQ(read("EASTBOUND TRACKS FLS 310-390 INCLUSIVE JAN 10/0100Z TO JAN 10/0800Z\n"
                 "EASTBOUND TRACKS FLS 320-400 INCLUSIVE JAN 11/0100Z TO JAN 11/0800Z\n"),
            TrackFamily::NorthAtlantic);
  EXPECT_EQ(model.eastHeader, "EASTBOUND TRACKS FLS 310-390");
  EXPECT_EQ(model.eastValidity, "JAN 10/0100Z TO JAN 10/0800Z");  // the second header is ignored
  EXPECT_TRUE(model.westHeader.empty());
}

TEST_F(TrackReaderTest, HeaderTextStartsAtTracksFls) {
  read("(NAT-1/3 TRACKS FLS 310/390 INCLUSIVE NOV 22/1130Z TO NOV 22/1900Z\n");
  EXPECT_EQ(model.westHeader, "WESTBOUND TRACKS FLS 310/390");
  EXPECT_EQ(model.westValidity, "NOV 22/1130Z TO NOV 22/1900Z");
}

TEST_F(TrackReaderTest, ValidityOnTheNextLineAndWestbound) {
  read("(NAT-1/3 TRACKS FLS 310/390\nNOV 22/1130Z TO NOV 22/1900Z\nA 57/20 58/30\n");
  EXPECT_EQ(model.westHeader, "WESTBOUND TRACKS FLS 310/390");
  EXPECT_EQ(model.westValidity, "NOV 22/1130Z TO NOV 22/1900Z");
  EXPECT_EQ(slot('A'), "57/20 58/30");
}

TEST_F(TrackReaderTest, NatTracksAndTheChainRule) {
  EXPECT_EQ(read("N 57/20 58/30 59/40\nNAT-K 57/20 ZZZZZ 58/30\nNAT-K 50/20 51/30\n1 57/20 58/30\n"),
            TrackFamily::NorthAtlantic);
  EXPECT_EQ(slot('N'), "57/20 58/30 59/40");
  EXPECT_EQ(slot('K'), "50/20 51/30");  // the later line for a letter wins
  EXPECT_EQ(model.reference.lat, NAT_REFERENCE.lat);
}

TEST_F(TrackReaderTest, ResolveSkipsAirwaysReadsTireeAndBridgesUnresolvedFixes) {
  // Every point that resolves stays in the chain: an unknown name between two
  // is passed over, not the point after it.
  TrackFixes f = resolveTrackFixes("P1 57/20 58/30 XXXXX 59/40 60/50", NAT_REFERENCE, fixes);
  EXPECT_EQ(f.chain, "57/20 58/30 59/40 60/50");
  EXPECT_EQ(f.segments, 3);
  EXPECT_EQ(f.unresolved, 2);
  EXPECT_EQ(f.notes, " P1 XXXXX");
  f = resolveTrackFixes("57/20 YYYYY ZZZZZ 58/30", NAT_REFERENCE, fixes);
  EXPECT_EQ(f.chain, "57/20 58/30");
  f = resolveTrackFixes("57/20 R220 58/30 R580 59/40", NAT_REFERENCE, fixes);
  EXPECT_EQ(f.chain, "57/20 58/30 59/40");
  EXPECT_EQ(f.notes, " R220=IGNORE R580=IGNORE");
  ASSERT_EQ(f.airways.size(), 2u);
  EXPECT_EQ(f.airways[1], (SkippedAirway{"R580", "58/30", "59/40"}));
  f = resolveTrackFixes("TIREE 57/20 . 58/30", NAT_REFERENCE, fixes);
  EXPECT_EQ(f.chain, "TIR 57/20 58/30");
  EXPECT_EQ(f.unresolved, 0);  // a one-character word leaves no note
}

TEST_F(TrackReaderTest, FixesNotesOnlyForStoredTracksWithDiagnostics) {
  Problems notes;
  TrackStore noisy{fixes, &notes};
  EXPECT_FALSE(storeTrackLine(model, "A ZZZZZ", NAT_REFERENCE, noisy));
  EXPECT_TRUE(notes.empty());
  EXPECT_TRUE(storeTrackLine(model, "A 57/20 R220 58/30 QQQQQ", NAT_REFERENCE, noisy));
  EXPECT_EQ(notes, (Problems{{Reason::TrackFixesUnresolved, {}, 0, " R220=IGNORE QQQQQ"}}));
  EXPECT_TRUE(boxes.shown.empty());
  ASSERT_EQ(model.unresolved.size(), 1u);
  EXPECT_EQ(model.unresolved[0].fix, "QQQQQ");
  EXPECT_FALSE(storeTrackLine(model, "a 57/20 58/30", NAT_REFERENCE, noisy));
  EXPECT_FALSE(storeTrackLine(model, "AB57/20 58/30", NAT_REFERENCE, noisy));
}

TEST_F(TrackReaderTest, PacificTdmNumbersBecomeLetters) {
  EXPECT_EQ(read("(TDM TRK 1 151106060001 KETOS SMOLT ONE\n"
                 "TDM TRK 12 KETOS SMOLT\n"
                 "TDM TRK 14 KETOS SMOLT\n"
                 "A0763/16 - TDM TRK A KETOS ONE RTS/RJAA SMOLT\n"
                 "TDM TRK P KETOS SMOLT\n"),
            TrackFamily::Pacific);
  EXPECT_EQ(slot('N'), "KETOS SMOLT ONE");
  EXPECT_EQ(slot('Y'), "KETOS SMOLT");
  EXPECT_EQ(slot('A'), "KETOS ONE");
  EXPECT_TRUE(slot('P').empty());
  EXPECT_EQ(model.reference.lng, PACIFIC_REFERENCE.lng);
}

TEST_F(TrackReaderTest, CleanTdmLine) {
  EXPECT_EQ(cleanTdmLine("1 KETOS SMOLT RTS/RJAA ONE"), "N KETOS SMOLT");
  EXPECT_EQ(cleanTdmLine("12 KETOS"), "Y  KETOS");
  EXPECT_EQ(cleanTdmLine("14 KETOS"), "");
  EXPECT_EQ(cleanTdmLine("Q KETOS"), "");
  EXPECT_EQ(cleanTdmLine("B KETOS"), "B KETOS");
  EXPECT_EQ(cleanTdmLine("RTS/X"), "");
  EXPECT_EQ(cleanTdmLine("3 AMDT KETOS REPLACE A12/15 SMOLT 1511060600 ONE"), "P  KETOS   SMOLT  ONE");
  EXPECT_EQ(cleanTdmLine("1 12345678901234567890 KETOS"), "N  KETOS");
  EXPECT_EQ(cleanTdmLine("99999999999999999999 KETOS"), "");
}

TEST_F(TrackReaderTest, FlexRoutesOnOneLine) {
  read(
      "TRACK 14. FLEX ROUTE : KETOS SMOLT JAPAN ROUTE : ONE TRACK 15. FLEX ROUTE : SMOLT ONE "
      "JAPAN ROUTE : X TRACK 16. FLEX ROUTE : KETOS ONE JAPAN ROUTE : Y\n");
  EXPECT_EQ(slot('V'), "KETOS SMOLT");
  EXPECT_EQ(slot('W'), "SMOLT ONE");
  std::string rest = "TRACK 2.  FLEX RTE : KETOS ONE JAPAN RTE : TAIL";
  std::string track;
  ASSERT_TRUE(splitFlexRoute(rest, track));
  EXPECT_EQ(track, "O KETOS ONE");
  EXPECT_EQ(rest, "TAIL");
  EXPECT_FALSE(splitFlexRoute(rest, track));
  EXPECT_TRUE(rest.empty());
  rest = "TRACK 3. FLEX ROUTE : KETOS ONE";  // no connecting route marker
  EXPECT_FALSE(splitFlexRoute(rest, track));
}

TEST_F(TrackReaderTest, HtmlTagsEndLinesAndNbspVanishes) {
  read("<html><pre>A&nbsp;57/20<br>58/30\nB 57/20&nbsp;&nbsp; 58/30</pre>", ".HTML");
  EXPECT_TRUE(slot('A').empty());  // "A 57/20" alone has one fix
  EXPECT_EQ(slot('B'), "57/20 58/30");
  read("<b>C 50/20 51/30<i>\n", "htm");
  EXPECT_EQ(slot('C'), "50/20 51/30");
  read("<b>C 50/20 51/30", ".txt");
  EXPECT_TRUE(slot('C').empty());  // markup means nothing in a text file
}

TEST_F(TrackReaderTest, LongLinesAreCutAndLeadingBlanksDropped) {
  std::string line = "   \tD 57/20 58/30";
  line += std::string(2000, ' ');
  line += "59/40";
  read(line + "\n");
  EXPECT_EQ(slot('D'), "57/20 58/30");  // 59/40 lies beyond 1500 characters
}

TEST_F(TrackReaderTest, BadInputReadsAsNothing) {
  EXPECT_EQ(read(""), TrackFamily::None);
  EXPECT_EQ(read("&nbsp;", ".html"), TrackFamily::None);
  EXPECT_EQ(read("<unterminated tag A 57/20 58/30", ".html"), TrackFamily::None);
  std::string binary;
  for (int i = 0; i < 5000; ++i) binary.push_back(static_cast<char>(i * 37));
  read(binary);
  EXPECT_EQ(read(std::string(1 << 20, 'X')), TrackFamily::None);
  EXPECT_TRUE(model.empty());
}

TEST_F(TrackReaderTest, OaklandTdmOverSeveralLines) {
  EXPECT_EQ(read("A0763/16 - (TDM TRK A 151107190001 \n"
                 "1511071900 1511080800 \n"
                 "KETOS SMOLT \n"
                 "ONE \n"
                 "RTS/PHNL KEOLA LILIA \n"
                 "RMK/0)\n"),
            TrackFamily::Pacific);
  EXPECT_EQ(slot('A'), "KETOS SMOLT ONE");
  // An empty line ends the TDM as well; so does the next TDM.
  read(
      "(TDM TRK 2 151107190001\n1511071900 1511080800\nKETOS SMOLT\n\nONE\n"
      "(TDM TRK 3 151107190001\nSMOLT ONE\n(TDM TRK 4 KETOS ONE RTS/X\n");
  EXPECT_EQ(slot('O'), "KETOS SMOLT");
  EXPECT_EQ(slot('P'), "SMOLT ONE");
  EXPECT_EQ(slot('Q'), "KETOS ONE");
}

TEST_F(TrackReaderTest, OneLineLayoutsReadAsBefore) {
  // Each TDM and flex route whole on its line, as the one-line rules expect.
  read(
      "TDM TRK 1 KETOS SMOLT ONE RTS/RJAA ONE\nRMK/LATE KETOS\n"
      "TDM TRK 5 KETOS SMOLT\nTDM TRK 6 SMOLT ONE\n"
      "TRACK 14. FLEX ROUTE : KETOS SMOLT JAPAN ROUTE : ONE\nSMOLT KETOS\n");
  EXPECT_EQ(slot('N'), "KETOS SMOLT ONE");
  EXPECT_EQ(slot('R'), "KETOS SMOLT");
  EXPECT_EQ(slot('S'), "SMOLT ONE");
  EXPECT_EQ(slot('V'), "KETOS SMOLT");
}

TEST_F(TrackReaderTest, FukuokaFlexRouteWrappedOverLines) {
  EXPECT_EQ(read("EASTBOUND PACOTS TRACKS BETWEEN JAPAN AND NORTH AMERICA,\n"
                 "TRACK 1.\n"
                 " FLEX ROUTE : KETOS SMOLT\n"
                 "              ONE\n"
                 "JAPAN ROUTE : SMOLT OTR15 KETOS\n"
                 " PHNL ROUTE : ONE\n"
                 "TRACK 14.\n"
                 "     FLEX ROUTE : SMOLT ONE\n"
                 "RCTP/VHHH ROUTE : MOLKA M750 SMOLT\n"
                 "TRACK 2.\n"
                 " FLEX ROUTE : KETOS ONE\n"
                 "\n"
                 "JAPAN ROUTE : KETOS\n"),
            TrackFamily::Pacific);
  EXPECT_EQ(slot('N'), "KETOS SMOLT ONE");
  EXPECT_EQ(slot('V'), "SMOLT ONE");
  EXPECT_TRUE(slot('O').empty());  // the empty line came before the route's end
}

TEST_F(TrackReaderTest, JoinedLinesStayWithinTheLineLimit) {
  std::string text = "(TDM TRK A 151107190001\n";
  for (int i = 0; i < 2000; ++i) text += "KETOS SMOLT ONE KETOS SMOLT\n";
  read(text);
  EXPECT_FALSE(slot('A').empty());
}

TEST_F(TrackReaderTest, FlightLevelsStayWithTheirTrack) {
  read(
      "NAT-1/3 TRACKS FLS 340/400\nOCT 08/1130Z TO OCT 08/1900Z\n"
      "A 57/20 58/30\nEAST LVLS NIL\nWEST LVLS 350 360 370 400\nEUR RTS WEST NIL\n"
      "Z 50/20 51/30\nEAST LVLS 340 350\nWEST LVLS NIL\n");
  EXPECT_EQ(model.westLevels[0], "350 360 370 400");
  EXPECT_EQ(model.levels(0), "350 360 370 400");
  EXPECT_EQ(model.levels(25), "340 350");
  EXPECT_EQ(model.eastLevels[0], "NIL");
  EXPECT_TRUE(model.levels(1).empty());
}

TEST_F(TrackReaderTest, SavedFeedReadsItsMessagesByPart) {
  const std::string feed = R"([
    {"notam_number_formatted": "EGGX1", "part_no": 2, "condition_message": "B 59/20 60/30\r\nWEST LVLS 350"},
    {"notam_number_formatted": "EGGX1", "part_no": 1,
     "condition_message": "NAT-1/2 TRACKS FLS 340/400 INCLUSIVE\r\nOCT 08/1130Z TO OCT 08/1900Z\r\nA 57/20 58/30"},
    {"notam_number_formatted": "CZQX1", "condition_message": "Z 50/20 51/30"}
  ])";
  EXPECT_EQ(read(feed, ".dat"), TrackFamily::NorthAtlantic);
  EXPECT_EQ(model.westHeader, "WESTBOUND TRACKS FLS 340/400 INCLUSIVE");
  EXPECT_EQ(slot('A'), "57/20 58/30");
  EXPECT_EQ(slot('B'), "59/20 60/30");
  EXPECT_EQ(model.levels(1), "350");
  EXPECT_EQ(slot('Z'), "50/20 51/30");
}

TEST_F(TrackReaderTest, BadFeedsSayWhy) {
  const auto problem = [&](const std::string& text, const char* extension = ".json") {
    std::istringstream in(text);
    const Result<TrackModel> read = readTrackMessage(in, extension, store);
    EXPECT_EQ(read.value.has_value(), read.problems.empty());
    return read.problems.empty() ? Reason::None : read.problems[0].reason;
  };
  EXPECT_EQ(problem("[{\"condition_message\": \"A 57/20"), Reason::TrackFeedMalformed);
  EXPECT_EQ(problem("  {\"condition_message\": 42}", ".txt"), Reason::TrackFeedMessageNotText);
  EXPECT_EQ(problem("[1, 2, {\"other\": \"x\"}]"), Reason::TrackFeedEmpty);
  EXPECT_EQ(problem("\"text\""), Reason::TrackFeedMalformed);
  EXPECT_EQ(problem(std::string(100000, '[')), Reason::TrackFeedMalformed);
  EXPECT_EQ(problem("[" + std::string(TRACK_MESSAGE_LIMIT, ' ') + "]"), Reason::TrackFeedTooLarge);
  EXPECT_EQ(problem("A 57/20 58/30", ".txt"), Reason::None);  // plain text is no feed
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

TEST(AusotsTdm, NameValidityAndRouteUpToTheConnectingRoutes) {
  const auto track = readAusotsTdm(
      "TDM TRK XM16 151114060001 1511140900 1511142200 SOLIH 06S080E 13S085E 33S115E REDEL MTG "
      "RTS/MTG Y53 WENDY V279 ML YMML RMK/AUSOTS GROUP B");
  ASSERT_TRUE(track);
  EXPECT_EQ(track->name, "XM16");
  EXPECT_EQ(track->validity, "1511140900 1511142200");
  EXPECT_EQ(track->route, "SOLIH 06S080E 13S085E 33S115E REDEL MTG");
  // No track today: recognised, with nothing to draw.
  const auto none = readAusotsTdm(
      "TDM TRK MY16 151113233001 1511132330 1511141400 SVC TRK MY16 NO TRACK - USE PUBLISHED FIXED ROUTES");
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->route.empty());
  // Pacific TDMs and broken ones are no Australian tracks.
  EXPECT_FALSE(readAusotsTdm("TDM TRK 1 151106100001 1511061000 1511062100 EMRON 41N160E RTS/RJAA"));
  EXPECT_FALSE(readAusotsTdm("TDM TRK "));
  EXPECT_FALSE(readAusotsTdm("TDM TRK sy16 1 2 3"));
  EXPECT_FALSE(readAusotsTdm("NO TDM HERE"));
  const auto bare = readAusotsTdm("TDM TRK SY16");
  ASSERT_TRUE(bare);
  EXPECT_TRUE(bare->route.empty());
}

}  // namespace
}  // namespace korvant
