#include "app/problemwords.h"

#include "base/textops.h"

namespace korvant {

namespace {

using I = MessageIcon;

// "LARGER THAN 16 MB", or bytes below a megabyte.
std::string largerThan(long long limit) {
  const long long mb = limit >> 20;
  return mb > 0 ? "larger than " + std::to_string(mb) + " MB" : "larger than " + std::to_string(limit) + " bytes";
}

// A "CAN'T OPEN FILE" box's text: the path, and why when it is more than a
// file that is not there.
std::string cannotOpenText(const Problem& p) {
  if (p.cause == Reason::FileMissing) return p.file;
  return p.file + " (" + fileReadWords(p.cause, p.causeDetail, p.causeCount) + ")";
}

// The navigation data's words for why a file was not read.
std::string navDataWhy(const Problem& p) {
  switch (p.cause) {
    case Reason::FileTooLarge: return "LARGER THAN " + std::to_string(p.causeCount >> 20) + " MB";
    case Reason::NotAFile: return "NOT A FILE";
    case Reason::FileMissing: return "MISSING";
    case Reason::FileNotUnpacked: return p.causeDetail;
    default: return "CANNOT BE READ (" + p.causeDetail + ")";
  }
}

std::string lineWords(Reason why) {
  switch (why) {
    case Reason::IdentifierTooLong: return "identifier longer than 8 characters";
    case Reason::PositionOutOfRange: return "position out of range";
    default: return "too few columns";
  }
}

// What the plan readers say of a file's content, before the file is named.
std::string planText(const Problem& p) {
  switch (p.reason) {
    case Reason::PlanLineNotAPoint: return "line " + std::to_string(p.line) + ": not a point";
    case Reason::PlanPointOutOfRange: return "line " + std::to_string(p.line) + ": " + p.detail;
    case Reason::PlanTooManyPoints: return "more than " + std::to_string(p.count) + " points";
    case Reason::PlanNoVersionLine: return "no version line: not an X-Plane flight plan";
    default: return p.detail;
  }
}

std::string trackFeedText(Reason reason) {
  switch (reason) {
    case Reason::TrackFeedTooLarge: return "THE TRACK FEED IS LARGER THAN 16 MB";
    case Reason::TrackFeedMalformed: return "NOT A TRACK FEED (MALFORMED JSON)";
    case Reason::TrackFeedMessageNotText: return "A CONDITION_MESSAGE OF THE FEED IS NOT TEXT";
    default: return "THE FEED HOLDS NO CONDITION_MESSAGE";
  }
}

std::string inFile(const Problem& p, const std::string& text) { return p.file.empty() ? text : p.file + ": " + text; }

}  // namespace

std::string fileReadWords(Reason why, const std::string& detail, long long limit) {
  switch (why) {
    case Reason::FileMissing: return "cannot open (" + detail + ")";
    case Reason::NotAFile: return "is not a file";
    case Reason::FileReadError: return "read error (" + detail + ")";
    case Reason::FileTooLarge: return largerThan(limit);
    case Reason::FileNotUnpacked: return detail;
    default: return {};
  }
}

std::string notWrittenWords(const Problem& p) {
  return "cannot write " + p.file + (p.detail.empty() ? std::string() : ": " + p.detail);
}

Message wordProblem(const Problem& p) {
  switch (p.reason) {
    case Reason::None: break;
    case Reason::FileMissing:
    case Reason::NotAFile:
    case Reason::FileReadError:
    case Reason::FileTooLarge:
    case Reason::FileNotUnpacked:
      return {"CAN'T OPEN FILE:", p.file + " (" + fileReadWords(p.reason, p.detail, p.count) + ")", I::Stop};
    case Reason::FileNotWritten: return {"CAN'T WRITE FILE:", notWrittenWords(p), I::Stop};
    case Reason::ExportNameUnknown:
      return {"CAN'T EXPORT TRACKS", "the export must end in .geojson, .json, .kml or .gpx: " + p.file, I::Stop};
    case Reason::NoTracksToExport: return {"CAN'T EXPORT TRACKS", "no tracks to export", I::Stop};
    case Reason::NoRouteToWrite: return {"CAN'T WRITE FLIGHT PLAN", "no route to write", I::Stop};
    case Reason::PathTooLong: return {"ERROR:", "PATH + DAT FILE NAME TOO LONG", I::Stop};
    case Reason::NoWorkingFolder: return {"WINDOWS/DOS ERROR:", "UNABLE TO GET CURRENT WORKING DIRECTORY", I::Stop};
    case Reason::DataFileMissing: return {"CAN'T OPEN FILE", p.detail, I::Warning};
    case Reason::LookupBeforeRead: return {"LOOKUP() BEFORE READ():", p.detail, I::Warning};
    case Reason::SettingValueUnknown:
      return {"KORVANT.CTL:", toUpper(p.detail) + " " + p.causeDetail + " IS NOT A VALUE IT TAKES: THE DEFAULT IS USED",
              I::Warning};
    case Reason::ControlFileMissing: return {"CAN'T OPEN CONTROL FILE:", p.file, I::Warning};

    case Reason::TrackFeedTooLarge:
    case Reason::TrackFeedMalformed:
    case Reason::TrackFeedMessageNotText:
    case Reason::TrackFeedEmpty:
      return {"CAN'T READ TRACK MESSAGE:", trackFeedText(p.reason) + (p.file.empty() ? "" : ": " + p.file), I::Stop};
    case Reason::TrackFixesUnresolved: return {"FIXES ??", p.detail, I::Warning};

    case Reason::PlanNotRead: return {"CAN'T OPEN FILE", cannotOpenText(p), I::Stop};
    case Reason::PlanHeaderMissing: return {"", "[flightplan] header not found", I::None};
    case Reason::PlanPointsNotFound: return {"POINTS NOT FOUND:", inFile(p, p.detail), I::Warning};
    case Reason::PlanNoWaypoints:
      return {"NO WAYPOINTS IN FLIGHT PLAN:",
              p.file + (p.detail.empty() ? "" : " (POINTS NOT FOUND: " + p.detail + ")"), I::Stop};
    case Reason::PlanLineNotAPoint:
    case Reason::PlanPointOutOfRange:
    case Reason::PlanTooManyPoints:
    case Reason::PlanNoVersionLine:
    case Reason::PlanFault:
      // A reader's own words stand alone; with its file, they go in a box.
      if (p.file.empty()) return {"", planText(p), I::None};
      return {"FLIGHT PLAN:", inFile(p, planText(p)), p.refused ? I::Stop : I::Warning};

    case Reason::ProcedureNotRead: return {"CAN'T OPEN FILE:", cannotOpenText(p), I::Stop};
    case Reason::ProcedureIsDocumentation: return {"", "SKIPPING TXT/DOC FILE: " + p.file, I::None};
    case Reason::ProcedureRecordLength:
      return {"", "BAD SID/STAR/APP/ROUTE FILE FORMAT - WRONG RECORD LENGTH", I::Stop};
    case Reason::ProcedureBadPosition: return {p.file, "BAD LAT/LNG IN FILE AT WPT:  " + p.detail, I::None};
    case Reason::ProcedureBadHeading:
      return {p.file, "BAD HEADING IN FILE AT WPT:  " + p.detail + "\nSET TO PREVIOUS", I::None};
    case Reason::ProcedureBadSpeed: return {p.file, "BAD IAS IN FILE AT WPT:  " + p.detail + "\nSET TO 250", I::None};
    case Reason::ProcedureTooManyErrors: return {"", "TOO MANY ERRORS - GIVING UP", I::None};
    case Reason::ProcedureNoLegs: return {"NO LEGS IN FILE:", p.file, I::Stop};

    case Reason::AirportNotInDatabase: return {"AIRPORT NOT IN DATABASE:", p.detail, I::Stop};
    case Reason::AirportInfoMissing: return {"", "CAN'T FIND AIRPORT INFO", I::Stop};
    case Reason::RunwayInfoMissing: return {"", "CAN'T FIND RUNWAY INFO", I::Stop};
    case Reason::StartAirportMissing: return {"CAN'T FIND START AIRPORT:", p.detail, I::None};
    case Reason::EndAirportMissing: return {"CAN'T FIND END AIRPORT:", p.detail, I::None};
    case Reason::NonNumericCourse: return {"NON-NUMERIC COURSE IN PROCEDURE (SET TO 0):", p.detail, I::None};
    case Reason::DmeWithoutSlash: return {"DME MISSING '/' IN PROCEDURE", p.detail, I::None};

    case Reason::NavDataNotRead: return {"CAN'T READ NAVIGATION DATA:", p.file + ": " + navDataWhy(p), I::Warning};
    case Reason::CoastNotRead:
      return {"CAN'T READ THE FINER COASTLINE:", p.file + ": " + (p.detail.empty() ? navDataWhy(p) : p.detail),
              I::Warning};
    case Reason::NavDataLinesNotUsed:
      return {"NAVIGATION DATA:",
              p.file + ": " + std::to_string(p.count) + " LINES NOT USED (FIRST line " + std::to_string(p.line) + ": " +
                  lineWords(p.cause) + ")",
              I::Warning};
    case Reason::NavDataCutShort:
      return {"NAVIGATION DATA:", p.file + ": ENDS WITHOUT ITS CLOSING 99: CUT SHORT?", I::Warning};
    case Reason::NavDataLayoutNotRead:
      return {"NAVIGATION DATA:",
              p.file + ": LAYOUT " + (p.count ? std::to_string(p.count) : std::string("(NONE)")) + " IS NOT READ",
              I::Warning};
    case Reason::NavDataEndsUnknown:
      return {"NAVIGATION DATA:",
              p.file + ": " + std::to_string(p.count) + " SEGMENTS WITH AN END NOT IN THE FIXES OR NAVAIDS",
              I::Warning};
    case Reason::SourceLineFault:
      // A fix source names its file as compilers do; the others follow the file's name.
      if (!p.file.empty()) return {"", p.file + ":" + std::to_string(p.line) + ": " + p.detail, I::Stop};
      return {"", "line " + std::to_string(p.line) + ": " + p.detail, I::Stop};
    case Reason::SourceRowUnreadable: return {"", "line " + std::to_string(p.line) + ": cannot read the row", I::Stop};
    case Reason::SourceHeaderUnknown:
      return {"", "line " + std::to_string(p.line) + ": not a header the builder knows", I::Stop};
    case Reason::SourceHeaderMissing:
      return {"", "line " + std::to_string(p.line) + ": a header name,... or airway,... first", I::Stop};
    case Reason::LiveNotOfItsKind: return {"SIMULATOR:", "NOT A " + p.detail + " DATAGRAM", I::Warning};
    case Reason::LiveCutShort: return {"SIMULATOR:", p.detail + " DATAGRAM CUT SHORT", I::Warning};
    case Reason::LiveValueOutOfRange: return {"SIMULATOR:", "NO AIRCRAFT HAS THAT " + toUpper(p.detail), I::Warning};
    case Reason::LiveFieldCount: return {"SIMULATOR:", std::to_string(p.count) + " FIELDS IN A LINE OF 6", I::Warning};
    case Reason::LiveSecondSender:
      return {"SIMULATOR:", "IGNORING " + p.detail + ": FOLLOWING " + p.causeDetail + " ALONE", I::Warning};
    case Reason::LiveSenderChanged:
      return {"SIMULATOR:", "NOW FOLLOWING " + p.detail + ": " + p.causeDetail + " FELL SILENT", I::Information};
    case Reason::LiveImpossibleSpeed:
      return {"SIMULATOR:",
              "A POSITION " + std::to_string(p.count) + " NM FROM THE LAST, FASTER THAN ANY AIRCRAFT: SET ASIDE",
              I::Warning};
    case Reason::LiveGeometricAltitude:
      return {"SIMULATOR:", "NO PRESSURE ALTITUDE FROM THE SIMULATOR: LEVELS FROM THE HEIGHT ABOVE SEA LEVEL",
              I::Information};
    case Reason::LiveSystemClock:
      return {"SIMULATOR:", "NO TIME FROM THE SIMULATOR: TIMES FROM THIS COMPUTER'S CLOCK", I::Information};
    case Reason::LivePortInUse:
      return {"SIMULATOR:", "PORT " + std::to_string(p.count) + " IS IN USE BY ANOTHER PROGRAM", I::Stop};
    case Reason::LiveHostUnknown: return {"SIMULATOR:", "NO SUCH HOST: " + p.detail, I::Stop};
    case Reason::LiveNotOpened: return {"SIMULATOR:", "CAN'T LISTEN: " + toUpper(p.detail), I::Stop};
    case Reason::TrailNotRead: return {"CAN'T READ THE TRAIL:", cannotOpenText(p), I::Warning};
    case Reason::LiveNoData: return {"SIMULATOR:", "NO DATA FROM " + p.detail, I::Stop};
    case Reason::TrailLinesNotUsed:
      return {"TRAIL:",
              std::to_string(p.count) + " LINES OF " + p.file + " ARE NO POINT (FIRST: LINE " + std::to_string(p.line) +
                  ")",
              I::Warning};
    case Reason::TimeBadHour: return {"Bad Hour Format", p.detail, I::Stop};
    case Reason::TimeBadDate: return {"Bad DD/MM/(YY)YY format", p.detail, I::Stop};
    case Reason::TimeYearOutOfRange: return {"Year out of range (1901-2036)", p.detail, I::Stop};
    case Reason::LineTooFewColumns:
    case Reason::IdentifierTooLong:
    case Reason::PositionOutOfRange: return {"NAVIGATION DATA:", inFile(p, lineWords(p.reason)), I::Warning};
  }
  return {"", "PROBLEM " + std::to_string(static_cast<int>(p.reason)), I::Warning};
}

void showProblems(MessageBoxes& boxes, const Problems& problems) {
  for (const Problem& p : problems) {
    const Message m = wordProblem(p);
    boxes.show(m.caption, m.text, m.icon);
  }
}

}  // namespace korvant
