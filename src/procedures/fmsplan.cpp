// X-Plane's .fms, versions 3 and 1100: "I" or "A", the version line, header
// keys, then one line a point: "type ident [via] altitude lat lon".
#include <algorithm>
#include <cmath>
#include <sstream>

#include "base/textops.h"
#include "geo/earthposition.h"
#include "procedures/planreaders.h"

namespace korvant {

namespace {

// The point types of the format, as the INI plan names its kinds.
std::string kindOf(int type) {
  switch (type) {
    case 1: return "A";
    case 2: return "N";
    case 3: return "V";
    case 11: return "I";
    default: return "U";
  }
}

std::vector<std::string> wordsOf(std::string_view line) {
  std::vector<std::string> words;
  std::string rest(line);
  for (std::string w = nextWord(rest); !w.empty() && words.size() < 16; w = nextWord(rest)) words.push_back(w);
  return words;
}

std::optional<double> number(const std::string& word) {
  char* end = nullptr;
  const double v = std::strtod(word.c_str(), &end);
  if (end == word.c_str() || *end != '\0' || !std::isfinite(v)) return std::nullopt;
  return v;
}

}  // namespace

Result<FlightPlan> readFmsPlan(std::string_view text) {
  Result<FlightPlan> result;
  FlightPlan plan;
  std::size_t at = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  int lineNumber = 0;
  bool version = false;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, std::min<std::size_t>(end - at, PLAN_LINE_LIMIT));
    at = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::vector<std::string> w = wordsOf(line);
    if (w.empty()) continue;
    const std::string key = toUpper(w[0]);
    if (!version) {
      if (w.size() >= 2 && toUpper(w[1]) == "VERSION") version = true;
      continue;  // "I"/"A", then the version line
    }
    if (key == "ADEP" || key == "DEP") {
      if (w.size() > 1) plan.departureName = w[1];
      continue;
    }
    if (key == "ADES" || key == "DES") {
      if (w.size() > 1) plan.destinationName = w[1];
      continue;
    }
    if (!std::isdigit(static_cast<unsigned char>(key[0]))) continue;  // CYCLE, NUMENR, SID, APP, ...
    if (w.size() == 1) continue;                                      // version 3's count of points
    // 1100 names the airway between ident and altitude; version 3 does not.
    if (w.size() != 5 && w.size() != 6) {
      result.problems.push_back({Reason::PlanLineNotAPoint, {}, static_cast<int>(lineNumber)});
      continue;
    }
    const std::size_t n = w.size();
    const auto type = number(w[0]);
    const auto altitude = number(w[n - 3]), lat = number(w[n - 2]), lng = number(w[n - 1]);
    if (!type || !altitude || !lat || !lng || *type < 0 || *type > 99) {
      result.problems.push_back({Reason::PlanLineNotAPoint, {}, static_cast<int>(lineNumber)});
      continue;
    }
    if (*type == 0) continue;  // version 3's padding, "0 ---- 0 0.000000 0.000000"
    // A point off the Earth, or at an altitude no aircraft flies, is a
    // damaged file: no route is drawn or written from it.
    std::string fault = offEarthReason(*lat, *lng);
    if (fault.empty()) fault = altitudeFault(w[n - 3]);
    if (!fault.empty()) {
      result.problems.push_back(planLineFault(static_cast<int>(lineNumber), fault));
      return result;
    }
    if (plan.waypoints.size() >= PLAN_WAYPOINT_LIMIT) {
      result.problems.push_back(tooManyPlanPoints());
      return result;
    }
    UW_Wpt p;
    p.number = static_cast<int>(plan.waypoints.size());
    p.identifier = w[1];
    p.type = kindOf(static_cast<int>(*type));
    p.position = {degreesToDegMin(*lat), degreesToDegMin(*lng)};
    p.altitude = static_cast<int>(std::lround(*altitude));
    if (n == 6 && w[2] != "DRCT" && w[2] != "ADEP" && w[2] != "ADES") p.text = w[2];
    plan.waypoints.push_back(std::move(p));
  }
  if (!version) {
    result.problems.push_back(planFault({}, Reason::PlanNoVersionLine));
    return result;
  }
  if (!plan.departureName.empty() && !plan.destinationName.empty())
    plan.title = plan.departureName + " to " + plan.destinationName;
  result.value = std::move(plan);
  return result;
}

}  // namespace korvant
