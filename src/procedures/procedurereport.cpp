#include "procedures/procedurereport.h"

#include <cmath>
#include <cstdio>

#include "geo/positiontext.h"
#include "sky/legcourse.h"

namespace korvant {

namespace {

// A plan's waypoints as the track report writes a track's fixes.
std::string planReport(const LoadedProcedure& loaded) {
  const FlightPlan& plan = loaded.plan;
  std::string report = loaded.source.fileName + "  " + plan.title + "  FILE DATE " + loaded.fileDate + "\n";
  if (!plan.cruisingAltitude.empty()) report += "  CRUISING ALTITUDE " + plan.cruisingAltitude + "\n";
  const UW_Wpt* previous = nullptr;
  double total = 0;
  char row[256];
  for (const UW_Wpt& w : plan.waypoints) {
    if (w.isUserItem()) continue;
    const std::string where = formatLat(w.position.lat) + " " + formatLng(w.position.lng);
    if (previous) {
      const LegCourse leg = legCourse(previous->position, w.position);
      total += std::round(leg.distance);
      std::snprintf(row, sizeof row, "  %-11s %s  %s\xC2\xB0%s  %5.0f NM\n", w.identifier.substr(0, 40).c_str(),
                    where.c_str(), courseDegreesText(leg.courseTenths).c_str(), leg.isTrue ? "T" : " ",
                    std::round(leg.distance));
    } else {
      std::snprintf(row, sizeof row, "  %-11s %s\n", w.identifier.substr(0, 40).c_str(), where.c_str());
    }
    report += row;
    // The point's own altitude, where the plan gives one.
    if (w.altitude > 0) report.insert(report.size() - 1, "  " + std::to_string(w.altitude) + " FT");
    previous = &w;
  }
  std::snprintf(row, sizeof row, "  TOTAL %.0f NM\n", total);
  return report + row;
}

}  // namespace

std::string procedureReport(const LoadedProcedure& loaded) {
  if (loaded.source.kind == RouteFileKind::FlightPlan) return planReport(loaded);
  const ProcedureSource& s = loaded.source;
  std::string report = s.fileName + "  " + loaded.title + "  FILE DATE " + loaded.fileDate;
  if (s.sid) {
    static const char* const suffixes[] = {"", "L", "C", "R"};
    char runway[16];
    std::snprintf(runway, sizeof runway, "%02d%s", s.runway, suffixes[static_cast<int>(s.suffix)]);
    report += std::string("  RUNWAY ") + runway;
  }
  report += '\n';
  for (std::size_t leg = 0; leg < loaded.legs.size(); ++leg) {
    std::string line = legText(loaded.legs[leg]);
    if (line.size() < 56) line.resize(56, ' ');
    const auto& ends = loaded.geometry.legEnds;
    report +=
        line + "  " +
        (leg < ends.size() ? formatLat(ends[leg].lat) + " " + formatLng(ends[leg].lng) : std::string("NOT FLOWN")) +
        '\n';
  }
  return report;
}

}  // namespace korvant
