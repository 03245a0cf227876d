// Which plan a file holds, told from its content, and what the readers share.
#include <cmath>
#include <cstring>
#include <sstream>

#include "base/textops.h"
#include "geo/earthposition.h"
#include "procedures/planxml.h"

namespace korvant {

namespace {

std::string_view withoutMark(std::string_view text) {
  return text.substr(0, 3) == "\xEF\xBB\xBF" ? text.substr(3) : text;
}

bool hasIniHeader(std::string_view text) {
  for (std::size_t at = 0; at < text.size() && at < 64 * 1024;) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(at, std::min<std::size_t>(end - at, 64)));
    trimLeadingBlanks(line);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (toUpper(line) == "[FLIGHTPLAN]") return true;
    at = end + 1;
  }
  return false;
}

// "I" or "A" on the first line that is not blank, and a version line after it.
bool looksLikeFms(std::string_view text) {
  std::string rest(text.substr(0, 4096));
  std::istringstream lines(rest);
  std::string line;
  int seen = 0;
  while (std::getline(lines, line) && seen < 2) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string word = nextWord(line), second = nextWord(line);
    if (word.empty()) continue;
    if (seen == 0 && word != "I" && word != "A") return false;
    if (seen == 1) return toUpper(second) == "VERSION";
    ++seen;
  }
  return false;
}

// pugixml reads UTF-16 text two bytes at a time where it lies: the text is
// copied to storage of its own first, as a view past a three-byte mark is
// not aligned for that (a fuzz target's UBSan found the misaligned loads).
pugi::xml_parse_result loadXml(pugi::xml_document& doc, std::string_view text) {
  const std::string copy(text);
  return doc.load_buffer(copy.data(), copy.size(), pugi::parse_default, pugi::encoding_auto);
}

std::string rootName(const pugi::xml_document& doc) {
  const pugi::xml_node root = doc.document_element();
  std::string name = root.name();
  // A namespace prefix ("gpx:flight-plan") does not change the format.
  if (const std::size_t colon = name.find(':'); colon != std::string::npos) name = name.substr(colon + 1);
  return name;
}

}  // namespace

std::string planKindOf(const std::string& type) {
  const std::string t = toUpper(type);
  if (t == "AIRPORT" || t == "APT") return "A";
  if (t == "VOR") return "V";
  if (t == "NDB") return "N";
  if (t == "INTERSECTION" || t == "INT" || t == "INT-VRP" || t == "WPT") return "I";
  return "U";
}

std::string childText(const pugi::xml_node& node, const char* name) {
  std::string text = node.child(name).text().as_string();
  trimLeadingBlanks(text);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
  return text;
}

std::optional<double> readPlanNumber(std::string text) {
  trimLeadingBlanks(text);
  for (char& c : text)
    if (c == ',') c = '.';
  if (text.empty() || text.size() > 40) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  while (end && (*end == ' ' || *end == '\t')) ++end;
  if (end == text.c_str() || (end && *end != '\0') || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::string planPositionFault(const std::string& latText, const std::string& lngText, std::optional<double> lat,
                              std::optional<double> lng) {
  if (latText.empty() && lngText.empty()) return {};
  if (!lat || !lng) return "position " + latText.substr(0, 30) + " " + lngText.substr(0, 30) + " is not a number";
  return offEarthReason(*lat, *lng);
}

std::string planAltitudeFault(const std::string& text) {
  std::string decimal = text;
  for (char& c : decimal)
    if (c == ',') c = '.';
  return altitudeFault(decimal);
}

PlanFileFormat planFileFormatOf(std::string_view text) {
  text = withoutMark(text);
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return PlanFileFormat::None;
  if (text[first] == '<') {
    pugi::xml_document doc;
    if (!loadXml(doc, text)) return PlanFileFormat::None;
    const std::string root = rootName(doc);
    if (root == "SimBase.Document") return PlanFileFormat::SimXml;
    if (root == "flight-plan") return PlanFileFormat::GarminFpl;
    if (root == "OFP") return PlanFileFormat::PlannerOfp;
    return PlanFileFormat::None;
  }
  if (looksLikeFms(text.substr(first))) return PlanFileFormat::XPlaneFms;
  if (hasIniHeader(text)) return PlanFileFormat::Ini;
  return PlanFileFormat::None;
}

Result<FlightPlan> readXmlPlan(std::string_view text, const FixStore* fixes) {
  text = withoutMark(text);
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed = loadXml(doc, text);
  if (!parsed) {
    return {std::nullopt,
            {planFault(std::string("not well-formed XML at byte ") + std::to_string(parsed.offset) + ": " +
                       parsed.description())}};
  }
  const std::string root = rootName(doc);
  if (root == "SimBase.Document") return readSimXmlPlan(doc.document_element(), fixes);
  if (root == "flight-plan") return readGarminPlan(doc.document_element(), fixes);
  if (root == "OFP") return readOfpPlan(doc.document_element(), fixes);
  return {std::nullopt, {planFault("<" + root.substr(0, 40) + "> is no flight plan this program reads")}};
}

Result<FlightPlan> readAnyFlightPlan(std::string_view text, const FixStore* fixes) {
  switch (planFileFormatOf(text)) {
    case PlanFileFormat::Ini: return readFlightPlan(text);
    case PlanFileFormat::XPlaneFms: return readFmsPlan(text);
    case PlanFileFormat::SimXml:
    case PlanFileFormat::GarminFpl:
    case PlanFileFormat::PlannerOfp: return readXmlPlan(text, fixes);
    case PlanFileFormat::None: break;
  }
  // XML of another kind, or broken: the XML reader says which.
  const std::string_view body = withoutMark(text);
  const std::size_t first = body.find_first_not_of(" \t\r\n");
  if (first != std::string_view::npos && body[first] == '<') return readXmlPlan(text, fixes);
  // None of them: the INI reader says its header is missing, as it always has.
  return readFlightPlan(text);
}

Result<FlightPlan> finishPlan(FlightPlan plan, const std::vector<PlanPoint>& points, const FixStore* fixes) {
  Result<FlightPlan> result;
  if (points.size() > PLAN_WAYPOINT_LIMIT) {
    result.problems.push_back(tooManyPlanPoints());
    return result;
  }
  std::string missing;
  std::optional<LatLng> previous;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const PlanPoint& p = points[i];
    std::optional<LatLng> position = p.position;
    if (!position && fixes) {
      // Nearest the point before; the first point nearest the next known one.
      std::optional<LatLng> reference = previous;
      for (std::size_t j = i + 1; !reference && j < points.size(); ++j) reference = points[j].position;
      LatLng found;
      if (fixes->resolvePositionWithAlias(p.ident, reference.value_or(LatLng{0, 0}), found)) position = found;
    }
    if (!position) {
      missing += (missing.empty() ? "" : " ") + p.ident.substr(0, 40);
      continue;
    }
    UW_Wpt w;
    w.number = static_cast<int>(plan.waypoints.size());
    w.identifier = p.ident;
    w.type = p.kind;
    w.position = *position;
    w.altitude = p.altitude;
    w.text = p.airway;
    w.elapsedS = p.elapsedS;
    w.windKt = p.windKt;
    plan.waypoints.push_back(std::move(w));
    previous = position;
  }
  if (!missing.empty()) result.problems.push_back({Reason::PlanPointsNotFound, {}, 0, missing});
  result.value = std::move(plan);
  return result;
}

std::optional<double> readWorldCoordinate(std::string_view text, bool latitude, std::string* fault) {
  const auto refuse = [&](std::string why) -> std::optional<double> {
    if (fault) *fault = std::move(why);
    return std::nullopt;
  };
  std::size_t at = text.find_first_not_of(" \t");
  if (at == std::string_view::npos) return refuse("no position");
  const char hemisphere = static_cast<char>(std::toupper(static_cast<unsigned char>(text[at])));
  if (latitude ? (hemisphere != 'N' && hemisphere != 'S') : (hemisphere != 'E' && hemisphere != 'W'))
    return refuse(std::string(latitude ? "latitude" : "longitude") + " has no hemisphere letter");
  ++at;
  // Degrees, minutes and seconds: numbers separated by anything that is not
  // part of a number (the degree sign in either encoding, ', ").
  double parts[3] = {0, 0, 0};
  int count = 0;
  // Only marks may stand between the numbers: skipping letters too read
  // "NNaN° 0' 0.00"" as 0 degrees, a point on the Greenwich meridian.
  const auto isMark = [](unsigned char c) {
    return c == ' ' || c == '\t' || c == '\'' || c == '"' || c == '*' || c == 0xB0 || c == 0xBA || c == 0xC2;
  };
  while (at < text.size() && count < 3) {
    while (at < text.size() && !std::isdigit(static_cast<unsigned char>(text[at]))) {
      if (!isMark(static_cast<unsigned char>(text[at])))
        return refuse(std::string(latitude ? "latitude" : "longitude") + " is not a number");
      ++at;
    }
    // Leading zeros say nothing, however many there are.
    while (at + 1 < text.size() && text[at] == '0' && std::isdigit(static_cast<unsigned char>(text[at + 1]))) ++at;
    const std::size_t start = at;
    while (at < text.size() && (std::isdigit(static_cast<unsigned char>(text[at])) || text[at] == '.')) ++at;
    if (start == at) break;
    if (at - start > 20) return refuse(std::string(latitude ? "latitude" : "longitude") + " is beyond the Earth");
    const auto v = readPlanNumber(std::string(text.substr(start, at - start)));
    if (!v) return refuse(std::string(latitude ? "latitude" : "longitude") + " is not a number");
    parts[count++] = *v;
  }
  if (count == 0) return refuse(std::string(latitude ? "latitude" : "longitude") + " has no degrees");
  if (std::string why = offEarthReason({parts[0], parts[1], parts[2]}, latitude); !why.empty())
    return refuse(std::move(why));
  const double degrees = parts[0] + parts[1] / 60 + parts[2] / 3600;
  const bool negative = hemisphere == 'S' || hemisphere == 'W';
  return degreesToDegMin(negative ? -degrees : degrees);
}

}  // namespace korvant
