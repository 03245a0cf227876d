#include "app/maptools.h"

#include <cstdio>
#include <sstream>

#include "base/textops.h"
#include "geo/fixgeometry.h"
#include "geo/greatcircle.h"
#include "sky/magvar.h"

namespace korvant {

namespace {

// The input as the tools read it: at most 200 characters, upper case, no leading blanks.
std::string toolText(const std::string& input) {
  std::string text = toUpper(input.substr(0, 200));
  trimLeadingBlanks(text);
  return text;
}

std::string streamPosition(const LatLng& p) {
  std::ostringstream out;
  out << ' ';
  writeStreamLat(out, p.lat);
  out << ' ';
  writeStreamLng(out, p.lng);
  return out.str();
}

}  // namespace

ToolOutcome MapTools::info(const std::string& input) {
  const std::string text = toolText(input);
  LatLng a;
  if (!app_.fixes->resolvePositionWithAlias(text, app_.view.centre, a)) {
    app_.boxes.show("FIX NOT FOUND:", text, MessageIcon::None);
    return {};
  }
  app_.tools = {ToolMode::Info, {a}};
  return {true, streamPosition(a)};
}

ToolOutcome MapTools::distance(const std::string& input) {
  const std::string text = toolText(input);
  std::string rest = text;
  const std::string first = nextWord(rest);
  LatLng a, b;
  const LatLng& centre = app_.view.centre;
  if (!app_.fixes->resolvePositionWithAlias(first, centre, a) ||
      !app_.fixes->resolvePositionWithAlias(rest, centre, b)) {
    app_.boxes.show("2 VALID FIXES NOT FOUND", text, MessageIcon::None);
    return {};
  }
  const double variation = app_.magneticModel().variation(a);
  const CourseDistance cd = courseAndDistance(a, b, variation);
  const double magnetic = magneticCourse(cd.course, variation);
  char result[96];
  std::snprintf(result, sizeof result, "%06.2f\xC2\xB0T %06.2f\xC2\xB0M %.2f NM", printableCourse(cd.course), magnetic,
                cd.distance);
  app_.tools = {ToolMode::Distance, {a, b}};
  return {true, result};
}

ToolOutcome MapTools::intersection(const std::string& input) {
  const std::string text = toolText(input);
  std::string rest = text;
  std::array<LatLng, 4> points;
  bool resolved = true;
  for (LatLng& p : points) {
    const std::string word = nextWord(rest);
    if (resolved) resolved = app_.fixes->resolvePositionWithAlias(word, app_.view.centre, p);
  }
  Intersection x;
  if (resolved) {
    const bool traced = app_.settings.lookup(INTERSECT_SWITCH_KEY) == "ON";
    const GeometryDiagnostics dump =
        traced ? GeometryDiagnostics([this](const std::string& line) { app_.dump.line(line); }) : GeometryDiagnostics();
    x = intersectLines(points[0], points[1], points[2], points[3], 0, dump);
  }
  if (!resolved || !x.ok) {
    app_.boxes.show("LINES DO NOT INTERSECT, OR NOT 4 VALID FIXES", text, MessageIcon::None);
    return {};
  }
  app_.tools = {ToolMode::Intersection, points};
  return {true, streamPosition(x.position)};
}

void MapTools::clear() { app_.tools = {}; }

}  // namespace korvant
