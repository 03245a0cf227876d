#include "procedures/procedurereport.h"

#include <cstdio>

#include "geo/positiontext.h"

namespace korvant {

std::string procedureReport(const LoadedProcedure& loaded) {
  const ProcedureSource& s = loaded.source;
  std::string report = s.fileName + "  " + loaded.title + "  FILE DATE " + loaded.fileDate;
  if (s.sid) {
    static const char* const suffixes[] = {"", "L", "C", "R"};
    char runway[16];
    std::snprintf(runway, sizeof runway, "%02d%s", s.runway, suffixes[static_cast<int>(s.suffix)]);
    report += std::string("  RUNWAY ") + runway;
  }
  report += '\n';
  std::size_t leg = 0;
  for (std::size_t at = 0; at < loaded.text.size(); ++leg) {
    const std::size_t end = std::min(loaded.text.find('\n', at), loaded.text.size());
    std::string line = loaded.text.substr(at, end - at);
    at = end + 1;
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
