#include "app/problemwords.h"

#include <gtest/gtest.h>

#include "base/filereader.h"

namespace korvant {
namespace {

// The boxes the user reads, from the reasons the readers return: the texts
// the program has always shown, whichever floor found the fault.
TEST(ProblemWords, EachReasonReadsAsItsBox) {
  const auto notRead = [](Reason what, Reason why, const char* detail, std::size_t limit) {
    const FileRead read{why, {}, detail};
    return read.notRead(what, "/p/F.PLN", limit);
  };
  Problem notAPoint{Reason::PlanLineNotAPoint, "/p/a.fms", 3};
  Problem refusedPoint = notAPoint;
  refusedPoint.refused = true;
  const struct {
    Problem problem;
    Message words;
  } cases[] = {
      {notRead(Reason::PlanNotRead, Reason::FileMissing, "gone", 1 << 20),
       {"CAN'T OPEN FILE", "/p/F.PLN", MessageIcon::Stop}},
      {notRead(Reason::ProcedureNotRead, Reason::FileTooLarge, "", 16 << 20),
       {"CAN'T OPEN FILE:", "/p/F.PLN (larger than 16 MB)", MessageIcon::Stop}},
      {notRead(Reason::NavDataNotRead, Reason::FileReadError, "Input/output error", 256 << 20),
       {"CAN'T READ NAVIGATION DATA:", "/p/F.PLN: CANNOT BE READ (Input/output error)", MessageIcon::Warning}},
      {notAPoint, {"FLIGHT PLAN:", "/p/a.fms: line 3: not a point", MessageIcon::Warning}},
      {refusedPoint, {"FLIGHT PLAN:", "/p/a.fms: line 3: not a point", MessageIcon::Stop}},
      {{Reason::PlanNoWaypoints, "/p/b.pln", 0, "XX YY"},
       {"NO WAYPOINTS IN FLIGHT PLAN:", "/p/b.pln (POINTS NOT FOUND: XX YY)", MessageIcon::Stop}},
      {{Reason::ProcedureBadHeading, "/p/SID", 0, "ABC"},
       {"/p/SID", "BAD HEADING IN FILE AT WPT:  ABC\nSET TO PREVIOUS", MessageIcon::None}},
      {{Reason::FileNotWritten, "/p/out.kml", 0, "No space left on device"},
       {"CAN'T WRITE FILE:", "cannot write /p/out.kml: No space left on device", MessageIcon::Stop}},
      {{Reason::TimeBadHour, {}, 0, "8 29/09/99"}, {"Bad Hour Format", "8 29/09/99", MessageIcon::Stop}},
      {{Reason::SourceHeaderUnknown, {}, 4}, {"", "line 4: not a header the builder knows", MessageIcon::Stop}},
  };
  for (const auto& c : cases) EXPECT_EQ(wordProblem(c.problem), c.words) << static_cast<int>(c.problem.reason);
}

}  // namespace
}  // namespace korvant
