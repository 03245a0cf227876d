#pragma once
// What went wrong, as the core says it: a reason from one numbered list, the
// file and line it concerns, and the particulars the words need (a name, a
// count, the system's own words). The app floor words every reason in one
// place (app/problemwords); below it nothing is worded for the user.
//
// The numbers are by family and never reused: a test or a log may name one.
#include <string>
#include <vector>

namespace korvant {

enum class Reason : int {
  None = 0,
  // Reading and writing files.
  FileMissing = 101,        // cannot be opened: missing, or no permission (detail: the system's words)
  NotAFile = 102,           // a folder, a device, ...
  FileReadError = 103,      // the system refused a read partway (detail: its words)
  FileTooLarge = 104,       // beyond the reader's limit (count: the limit in bytes)
  FileNotWritten = 105,     // cannot write it (detail: why, when known)
  FileNotUnpacked = 106,    // a gzip file that cannot be unpacked (detail: why)
  PathTooLong = 107,        // the folder and the fix file's name together
  NoWorkingFolder = 108,    // the fix file's folder is not there
  DataFileMissing = 109,    // a data file in none of its folders (detail: its name)
  ExportNameUnknown = 110,  // an export's file name ends in no format written
  NoTracksToExport = 111,
  NoRouteToWrite = 112,
  // Settings.
  LookupBeforeRead = 201,     // a key looked up before KORVANT.CTL was read (detail: the key)
  ControlFileMissing = 202,   // KORVANT.CTL cannot be read
  SettingValueUnknown = 203,  // detail: the key; causeDetail: the value it has
  // Track messages.
  TrackFeedTooLarge = 301,
  TrackFeedMalformed = 302,
  TrackFeedMessageNotText = 303,  // a condition_message that is not a string
  TrackFeedEmpty = 304,           // no condition_message at all
  TrackFixesUnresolved = 305,     // the diagnostic switch's notes of one track line (detail: the notes)
  // Flight plans.
  PlanNotRead = 401,          // the file (cause: why)
  PlanLineNotAPoint = 402,    // line
  PlanPointOutOfRange = 403,  // line; detail: what is out of range
  PlanTooManyPoints = 404,    // count: the most there may be
  PlanNoVersionLine = 405,
  PlanHeaderMissing = 406,
  PlanFault = 407,           // detail: where in the file and what is wrong there
  PlanPointsNotFound = 408,  // detail: the names
  PlanNoWaypoints = 409,     // detail: the names not found, if any
  // Procedure and route files.
  ProcedureNotRead = 501,  // the file (cause: why)
  ProcedureIsDocumentation = 502,
  ProcedureRecordLength = 503,
  ProcedureBadPosition = 504,  // detail: the waypoint
  ProcedureBadHeading = 505,   // detail: the waypoint
  ProcedureBadSpeed = 506,     // detail: the waypoint
  ProcedureTooManyErrors = 507,
  ProcedureNoLegs = 508,
  // Flying a procedure.
  AirportNotInDatabase = 601,  // detail: the airport
  AirportInfoMissing = 602,
  RunwayInfoMissing = 603,
  StartAirportMissing = 604,  // detail: the airport
  EndAirportMissing = 605,    // detail: the airport
  NonNumericCourse = 606,     // detail: the fix
  DmeWithoutSlash = 607,      // detail: the fix
  // Navigation data.
  NavDataNotRead = 701,        // the file (cause: why)
  NavDataLinesNotUsed = 702,   // count: how many; line: the first; detail: why it was not
  NavDataCutShort = 703,       // no closing 99
  NavDataLayoutNotRead = 704,  // count: the layout, 0 for none named
  NavDataEndsUnknown = 705,    // count: segments with an end in neither the fixes nor the navaids
  CoastNotRead = 706,          // the finer coastline's file (cause: why; detail: what is wrong in it)
  // Why a navigation data line is not used.
  LineTooFewColumns = 711,
  IdentifierTooLong = 712,
  PositionOutOfRange = 713,
  // Source files of korvant-mkdat.
  SourceLineFault = 751,      // line; detail: what is wrong with it
  SourceRowUnreadable = 752,  // line
  SourceHeaderUnknown = 753,  // line
  SourceHeaderMissing = 754,  // line: a record before any header
  // The terminator's time as typed (detail: the text).
  TimeBadHour = 801,
  TimeBadDate = 802,
  TimeYearOutOfRange = 803,
  // The simulator's datagrams and lines.
  LiveNotOfItsKind = 901,       // detail: the header expected
  LiveCutShort = 902,           // not whole records after the header; detail: the header
  LiveValueOutOfRange = 903,    // detail: which value
  LiveFieldCount = 904,         // count: the fields found
  LiveSecondSender = 905,       // detail: its address; causeDetail: the one followed
  LiveSystemClock = 906,        // the simulator sends no time: the system clock is used
  TrailLinesNotUsed = 907,      // the trail file; count: how many; line: the first
  LivePortInUse = 908,          // count: the port
  LiveHostUnknown = 909,        // detail: the host
  LiveNotOpened = 910,          // detail: the system's words
  LiveNoData = 911,             // detail: where from
  TrailNotRead = 912,           // the file (cause: why)
  LiveGeometricAltitude = 913,  // no pressure altitude: levels from the height above sea level
  LiveSenderChanged = 914,      // detail: the sender now followed; causeDetail: the one before, silent
  LiveImpossibleSpeed = 915,    // count: NM from the last position, in too short a time
};

struct Problem {
  Reason reason = Reason::None;
  std::string file = {};    // the file it concerns, empty for none
  int line = 0;             // its line, 0 for none
  std::string detail = {};  // the particulars: a name, a value, the system's words
  long long count = 0;      // a number the words need: a limit, how many
  // Why, when the reason is that a file was not read: one of the file
  // reasons, with its own detail and count.
  Reason cause = Reason::None;
  std::string causeDetail = {};
  long long causeCount = 0;
  // The read it arose in gave up: nothing was read.
  bool refused = false;

  bool operator==(const Problem&) const = default;
};

using Problems = std::vector<Problem>;

}  // namespace korvant
