#include "tracks/trackreport.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "base/textops.h"
#include "sky/legcourse.h"

namespace korvant {

std::string trackReport(const TrackModel& model, const FixStore& fixes, const MagneticModel& magnetic) {
  std::ostringstream out;
  for (const std::string* line : {&model.eastHeader, &model.eastValidity, &model.westHeader, &model.westValidity})
    out << *line << '\n';
  if (!(magnetic == MagneticModel())) out << magnetic.title() << '\n';

  for (int slot = 0; slot < TRACK_SLOTS; ++slot) {
    if (model.slotTexts[slot].empty()) continue;
    const char letter = static_cast<char>('A' + slot);
    out << "\nTRACK " << letter;
    if (!model.names[slot].empty())
      out << "  " << model.names[slot] << '\n';
    else
      out << (isWestboundSlot(slot) ? "  WESTBOUND\n" : "  EASTBOUND\n");
    if (const std::string levels = model.levels(slot); !levels.empty()) out << "  LEVELS " << levels << '\n';
    // The fixes as the map draws them: each resolved nearest the one before.
    std::string rest = model.slotTexts[slot];
    LatLng reference = model.reference, previous;
    bool havePrevious = false;
    double total = 0;
    char row[160];
    for (std::string word = nextWord(rest); !word.empty(); word = nextWord(rest)) {
      LatLng position;
      if (!fixes.resolvePositionWithAlias(word, reference, position)) continue;
      std::ostringstream where;
      where << position;
      if (havePrevious) {
        const LegCourse leg = legCourse(previous, position, magnetic);
        total += std::round(leg.distance);
        std::snprintf(row, sizeof row, "  %-11s %s  %s\xC2\xB0%s  %5.0f NM\n", word.c_str(), where.str().c_str(),
                      courseDegreesText(leg.courseTenths).c_str(), leg.isTrue ? "T" : " ", std::round(leg.distance));
      } else {
        std::snprintf(row, sizeof row, "  %-11s %s\n", word.c_str(), where.str().c_str());
      }
      out << row;
      previous = reference = position;
      havePrevious = true;
    }
    std::snprintf(row, sizeof row, "  TOTAL %.0f NM\n", total);
    out << row;
  }

  if (!model.unresolved.empty()) {
    out << "\nUNRESOLVED\n";
    for (const UnresolvedFix& u : model.unresolved) out << "  " << u.fix << " (TRACK " << u.track << ")\n";
  }
  return out.str();
}

}  // namespace korvant
