#include "tracks/trackreport.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "base/textops.h"
#include "navdata/xpnavdata.h"
#include "sky/legcourse.h"
#include "tracks/resolvedtrack.h"
#include "tracks/trackvalidity.h"

namespace korvant {

std::string legRows(const std::vector<TrackFix>& fixes, const MagneticModel& magnetic) {
  std::ostringstream out;
  double total = 0;
  char row[160];
  for (std::size_t i = 0; i < fixes.size(); ++i) {
    const TrackFix& fix = fixes[i];
    std::ostringstream where;
    where << fix.position;
    if (i > 0) {
      const LegCourse leg = legCourse(fixes[i - 1].position, fix.position, magnetic);
      total += std::round(leg.distance);
      std::snprintf(row, sizeof row, "  %-11s %s  %s\xC2\xB0%s  %5.0f NM\n", fix.name.c_str(), where.str().c_str(),
                    courseDegreesText(leg.courseTenths).c_str(), leg.isTrue ? "T" : " ", std::round(leg.distance));
    } else {
      std::snprintf(row, sizeof row, "  %-11s %s\n", fix.name.c_str(), where.str().c_str());
    }
    out << row;
    // A navaid is marked as one: the kind a flight plan will carry.
    if (const char* kind = navaidKindName(fix.kind)) {
      out.seekp(-1, std::ios_base::cur);
      out << "  " << kind << '\n';
    }
  }
  std::snprintf(row, sizeof row, "  TOTAL %.0f NM\n", total);
  out << row;
  return out.str();
}

std::string trackReport(const TrackModel& model, const MagneticModel& magnetic, std::optional<std::time_t> at) {
  const auto said = [&](const std::string& validity) { return at ? withValidityWords(validity, *at) : validity; };
  std::ostringstream out;
  out << model.eastHeader << '\n'
      << (at ? withValidityAndTmi(model.eastValidity, model.eastTmi, *at) : model.eastValidity) << '\n'
      << model.westHeader << '\n'
      << (at ? withValidityAndTmi(model.westValidity, model.westTmi, *at) : model.westValidity) << '\n';
  if (!(magnetic == MagneticModel())) out << magnetic.title() << '\n';

  for (const ResolvedTrack& track : resolvedTracks(model)) {
    // A track by the name its message gives it ("C", Pacific "1", Australian
    // "SY16"); an Australian one, having no direction, with its validity.
    out << "\nTRACK " << (track.name.empty() ? std::string(1, track.letter) : track.name) << "  "
        << (track.direction.empty() ? said(track.validity) : track.direction) << '\n';
    if (!track.levels.empty()) out << "  LEVELS " << track.levels << '\n';
    out << legRows(track.fixes, magnetic);
    for (const SkippedAirway& a : model.skippedAirways)
      if (a.track == track.letter) {
        out << "  " << a.airway << ' ' << a.from << '-' << a.to;
        if (a.inNavData.value_or(false))
          out << ": " << a.segments << (a.segments == 1 ? " SEGMENT\n" : " SEGMENTS\n");
        else
          out << (a.inNavData ? " FLOWN DIRECT: " + airwayMissWords(a.miss, a.airway, a.from, a.to) + "\n"
                              : std::string(" FLOWN DIRECT\n"));
      }
  }

  if (!model.unresolved.empty()) {
    out << "\nUNRESOLVED\n";
    for (const UnresolvedFix& u : model.unresolved) {
      const int slot = u.track - 'A';
      const bool named = slot >= 0 && slot < TRACK_SLOTS && !model.names[slot].empty();
      out << "  " << u.fix << " (TRACK " << (named ? model.names[slot] : std::string(1, u.track)) << ")\n";
    }
  }
  return out.str();
}

}  // namespace korvant
