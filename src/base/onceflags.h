#pragma once
// Messages that the program shows at most once per run.

namespace korvant {

struct OnceFlags {
  bool earlyLookup = false;          // "LOOKUP() BEFORE READ():"
  bool controlFileOpen = false;      // "CAN'T OPEN CONTROL FILE:"
  bool simWaypointsMissing = false;  // "CAN'T FIND 747WPT.DAT FILE"
};

}  // namespace korvant
