#pragma once
// Messages that the program shows at most once per run.

namespace korvant {

struct OnceFlags {
  bool earlyLookup = false;          // "LOOKUP() BEFORE READ():"
  bool controlFileOpen = false;      // "CAN'T OPEN CONTROL FILE:"
  bool simWaypointsMissing = false;  // "CAN'T FIND 747WPT.DAT FILE"
  // "CAN'T OPEN FILE" for DAFA.BIN, DAFN.BIN, RWY0.TXT, DAFORTCA.TXT, the
  // four ATS files together; "CAN'T FIND ANY OF:" the waypoint files.
  bool dafifAirports = false, dafifNavaids = false, dafifRunways = false, dafifOrtca = false;
  bool dafifAts = false, dafifWaypoints = false, dafifCut = false;
  bool userOverlayMissing = false;  // "CAN'T OPEN REQUESTED FILE:" USER.TXT
};

}  // namespace korvant
