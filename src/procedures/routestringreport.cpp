#include "procedures/routestringreport.h"

#include <sstream>

#include "procedures/plantrackmatch.h"
#include "tracks/trackreport.h"

namespace korvant {

namespace {

void wordList(std::ostringstream& out, const char* title, const std::vector<std::string>& words) {
  if (words.empty()) return;
  out << title;
  for (const std::string& w : words) out << ' ' << w;
  out << '\n';
}

}  // namespace

std::string routeStringReport(const RouteStringRead& route, const MagneticModel& magnetic, const TrackSets* tracks,
                              std::optional<std::time_t> at) {
  std::ostringstream out;
  out << "ROUTE STRING";
  if (!route.points.empty()) out << "  " << route.points.front().name << '-' << route.points.back().name;
  out << '\n';
  if (!(magnetic == MagneticModel())) out << magnetic.title() << '\n';
  // Each point's row, and under it a change of speed and level written there.
  std::istringstream rows(legRows(route.points, magnetic));
  std::size_t index = 0;
  for (std::string row; std::getline(rows, row); ++index) {
    out << row << '\n';
    for (const SpeedLevelChange& c : route.changes)
      if (c.point == index)
        out << "    FROM " << route.points[index].name << ": " << c.group << "  " << speedLevelWords(c.group) << '\n';
  }
  if (tracks && !tracks->empty())
    for (const std::string& line : planTrackLines(routeAsPlan(route.points), *tracks, at)) out << line << '\n';
  for (const ExpandedTrack& t : route.tracks)
    out << t.name << ": " << t.count << (t.count == 1 ? " FIX" : " FIXES") << " OF THE TRACK\n";
  for (const std::string& missing : route.missingTracks) out << missing << '\n';
  for (const std::string& note : route.notes) out << note << '\n';
  wordList(out, "NOT EXPANDED, FLOWN DIRECT:", route.notExpanded);
  wordList(out, "NOT RESOLVED:", route.unresolved);
  if (route.cut) out << "ONLY THE FIRST " << ROUTE_STRING_WORDS << " WORDS WERE READ\n";
  return out.str();
}

}  // namespace korvant
