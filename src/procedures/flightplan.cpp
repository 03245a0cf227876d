#include "procedures/flightplan.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "base/textops.h"
#include "geo/earthposition.h"
#include "geo/positiontext.h"
#include "procedures/planreaders.h"

namespace korvant {

namespace {

bool startsWithIgnoringCase(std::string_view line, std::string_view key) {
  if (line.size() < key.size()) return false;
  for (std::size_t i = 0; i < key.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(line[i])) != std::tolower(static_cast<unsigned char>(key[i])))
      return false;
  return true;
}

std::string skipBlanks(std::string_view field) {
  std::size_t at = 0;
  while (at < field.size() && (field[at] == ' ' || field[at] == '\t')) ++at;
  return std::string(field.substr(at));
}

std::vector<std::string> splitFields(std::string_view text) {
  std::vector<std::string> fields;
  std::size_t at = 0;
  while (true) {
    const std::size_t comma = text.find(',', at);
    fields.push_back(
        skipBlanks(text.substr(at, comma == std::string_view::npos ? std::string_view::npos : comma - at)));
    if (comma == std::string_view::npos) break;
    at = comma + 1;
  }
  return fields;
}

// A whole number from the start of the text (a sign allowed), 0 when none.
// Leading zeros count for nothing; past nine digits it stays at 999999999,
// which no field that is bounded takes.
long wholeNumber(std::string_view text) {
  std::size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  while (at + 1 < text.size() && text[at] == '0' && std::isdigit(static_cast<unsigned char>(text[at + 1]))) ++at;
  long value = 0;
  for (int digits = 0; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++digits, ++at)
    value = digits < 9 ? 10 * value + (text[at] - '0') : 999999999;
  return negative ? -value : value;
}

bool looksLikeLatitude(const std::string& field) {
  return field.size() >= 2 && (field[0] == 'N' || field[0] == 'S' || field[0] == 'n' || field[0] == 's') &&
         std::isdigit(static_cast<unsigned char>(field[1]));
}

std::string altitudeOf(const UW_Wpt& w) {
  const std::string why = altitudeFault(std::to_string(w.altitude));
  return why.empty() ? why : "altitude " + why;
}

std::optional<UW_Wpt> waypointOf(std::string_view rest, std::string& fault) {
  const std::vector<std::string> f = splitFields(rest);
  if (f.size() < 5) return std::nullopt;  // fewer than five fields: left out
  UW_Wpt w;
  const std::size_t eq = f[0].find('=');
  w.number = static_cast<int>(wholeNumber(f[0].substr(0, eq)));
  // The longer form puts region, identifier, name and identifier again before
  // the type: the latitude stands sixth, not third.
  const bool longForm = !looksLikeLatitude(f[2]) && f.size() >= 8 && looksLikeLatitude(f[5]);
  if (longForm) {
    w.identifier = f[3].empty() ? f[1] : f[3];
    w.type = f[4];
    w.position = {readPlanCoordinate(f[5], 'S', &fault), readPlanCoordinate(f[6], 'W', &fault)};
    w.altitude = static_cast<int>(wholeNumber(f[7]));
    if (fault.empty()) fault = altitudeOf(w);
    if (f.size() > 8) w.text = f[8];
    return w;
  }
  w.identifier = eq == std::string::npos ? std::string() : f[0].substr(eq + 1);
  w.type = f[1];
  w.position = {readPlanCoordinate(f[2], 'S', &fault), readPlanCoordinate(f[3], 'W', &fault)};
  w.altitude = static_cast<int>(wholeNumber(f[4]));
  if (fault.empty()) fault = altitudeOf(w);
  if (f.size() > 5) w.text = f[5];
  return w;
}

}  // namespace

double readPlanCoordinate(std::string_view field, char negative, std::string* fault) {
  if (field.empty()) return 0;
  const double sign = std::toupper(static_cast<unsigned char>(field[0])) == negative ? -1 : 1;
  const std::string_view rest = field.substr(1);
  const double degrees = static_cast<double>(wholeNumber(rest));
  const std::size_t star = rest.find('*');
  std::string_view minutesText = star == std::string_view::npos ? std::string_view() : rest.substr(star + 1);
  while (minutesText.size() > 1 && minutesText[0] == '0' && std::isdigit(static_cast<unsigned char>(minutesText[1])))
    minutesText.remove_prefix(1);
  double minutes = minutesText.empty() ? 0 : readDecimalNumber(minutesText.substr(0, 40));
  const std::string why = offEarthReason({std::fabs(degrees), minutes, 0}, negative == 'S');
  if (fault && !why.empty()) *fault = why + " (" + std::string(field.substr(0, 40)) + ")";
  if (!why.empty()) minutes = 0;
  return sign * packDegreesMinutes(degrees, minutes);
}

Result<FlightPlan> readFlightPlan(std::string_view text) {
  FlightPlan plan;
  bool header = false;
  int lineNumber = 0;
  bool lineStarts = true;
  // Editors on other systems start a UTF-8 file with a byte-order mark.
  std::size_t at = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  while (at < text.size()) {
    // A line, or the next piece of a longer one.
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::size_t take = std::min(end - at, PLAN_LINE_LIMIT);
    std::string_view piece = text.substr(at, take);
    if (lineStarts) ++lineNumber;
    lineStarts = take == end - at;
    at = lineStarts ? end + 1 : at + take;
    piece = piece.substr(0, std::min(piece.find('\r'), piece.size()));
    std::size_t lead = 0;
    while (lead < piece.size() && piece[lead] == ' ') ++lead;
    const std::string line(piece.substr(lead));
    if (line.empty()) continue;
    if (plan.waypoints.size() > PLAN_WAYPOINT_LIMIT) return {std::nullopt, {tooManyPlanPoints()}};
    // [FlightPlan] as some planners write it, in any case as the keys are.
    if (line.size() == 12 && startsWithIgnoringCase(line, "[flightplan]")) {
      header = true;
      continue;
    }
    struct Key {
      const char* name;
      std::string* kept;
    };
    const Key keys[] = {{"title=", &plan.title},
                        {"description=", nullptr},
                        {"type=", nullptr},
                        {"routetype=", nullptr},
                        {"CRUISING_ALTITUDE=", &plan.cruisingAltitude},
                        {"departure_id=", nullptr},
                        {"departure_position=", nullptr},
                        {"destination_id=", &plan.destinationId},
                        {"departure_name=", &plan.departureName},
                        {"destination_name=", &plan.destinationName},
                        {"alternate_name=", nullptr}};
    bool known = false;
    for (const Key& key : keys)
      if (startsWithIgnoringCase(line, key.name)) {
        if (key.kept) *key.kept = line.substr(std::string_view(key.name).size());
        known = true;
        break;
      }
    if (known || line[0] == '#') continue;
    if (startsWithIgnoringCase(line, "waypoint.")) {
      std::string fault;
      std::optional<UW_Wpt> w = waypointOf(std::string_view(line).substr(9), fault);
      // A point off the Earth is a damaged file: no route is drawn or written from it.
      if (!fault.empty()) return {std::nullopt, {planLineFault(lineNumber, fault)}};
      if (w) plan.waypoints.push_back(*w);
      continue;
    }
    UW_Wpt item;
    item.type = USER_ITEM_TYPE;
    item.text = line;
    plan.waypoints.push_back(std::move(item));
  }
  if (!header) return {std::nullopt, {planFault({}, Reason::PlanHeaderMissing)}};
  // "EGLL, N51* 28.65', W0* 27.68', +000079.00": the code before its position.
  std::string id = plan.destinationId.substr(0, plan.destinationId.find(','));
  plan.destinationId = toUpper(nextWord(id));
  if (std::string why = altitudeFault(plan.cruisingAltitude); !why.empty())
    return {std::nullopt, {planFault("CRUISING_ALTITUDE=" + plan.cruisingAltitude.substr(0, 40) + ": " + why)}};
  return {std::move(plan), {}};
}

std::string altitudeFault(std::string_view text) {
  std::string t(text.substr(0, 64));
  trimLeadingBlanks(t);
  while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.pop_back();
  if (t.empty()) return {};
  char* end = nullptr;
  const double feet = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || !std::isfinite(feet)) return "not a number of feet";
  if (feet < PLAN_ALTITUDE_MIN || feet > PLAN_ALTITUDE_MAX)
    return "beyond " + std::to_string(PLAN_ALTITUDE_MIN) + " to " + std::to_string(PLAN_ALTITUDE_MAX) + " feet";
  return {};
}

std::pair<LatLng, LatLng> planEnds(const FlightPlan& plan) {
  std::pair<LatLng, LatLng> ends{{0, 0}, {0, 0}};
  bool first = true;
  for (const UW_Wpt& w : plan.waypoints) {
    if (w.isUserItem()) continue;
    if (first) ends.first = w.position;
    ends.second = w.position;
    first = false;
  }
  return ends;
}

}  // namespace korvant
