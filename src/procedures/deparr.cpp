#include "procedures/deparr.h"

#include <cctype>

namespace korvant {

LegKind legKind(int type) {
  switch (type) {
    case 1:
    case 49:
    case 59:
    case 89: return {LegGroup::Direct, false, true, false};
    case 11:
    case 12:
    case 61:
    case 62: return {LegGroup::HeadingUntilAltitude, type % 2 == 0, true, type > 15};
    case 13:
    case 14:
    case 63:
    case 64: return {LegGroup::TrackUntilAltitude, type % 2 == 0, true, type > 15};
    case 21:
    case 22:
    case 71:
    case 72: return {LegGroup::HeadingUntilDme, type % 2 == 0, true, false};
    case 31:
    case 32: return {LegGroup::HeadingUntilRadial, type == 32, true, false};
    case 41:
    case 42:
    case 51:
    case 52:
    case 81:
    case 82: return {LegGroup::HeadingToIntercept, type % 2 == 0, true, false};
    case 45:
    case 46:
    case 55:
    case 56:
    case 85:
    case 86: return {LegGroup::TurnDirect, type % 2 == 0, true, false};
    default: return {};
  }
}

bool legHasFixedEnd(int type) {
  const LegGroup group = legKind(type).group;
  return group == LegGroup::Direct || group == LegGroup::TurnDirect;
}

bool isRunwayOrMarkerPoint(const DepArr& leg) {
  const std::string& n = leg.fix;
  return leg.type == 89 && n.size() >= 4 && (n.compare(0, 2, "MM") == 0 || n.compare(0, 2, "RW") == 0) &&
         std::isdigit(static_cast<unsigned char>(n[2])) && std::isdigit(static_cast<unsigned char>(n[3]));
}

int altitudeFeet(const std::string& altitude) {
  const bool flightLevel = altitude.compare(0, 2, "FL") == 0;
  const char* digits = altitude.c_str() + (flightLevel ? 2 : 0);
  if (!std::isdigit(static_cast<unsigned char>(*digits))) return 0;
  long value = 0;
  for (int n = 0; n < 7 && std::isdigit(static_cast<unsigned char>(*digits)); ++n)
    value = 10 * value + (*digits++ - '0');
  return static_cast<int>(flightLevel ? value * 100 : value);
}

}  // namespace korvant
