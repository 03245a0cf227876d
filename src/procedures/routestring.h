#pragma once
// A route string as flight-planning services hand it out:
//   KJFK DCT MERIT HFD PUT BOS KANNI N557A NEEKO NATU GISTI SLANY UL9 KONAN EGLL
// The ICAO form too: DCT.MCW.J101.SSM.YQL/N0471F370.DCT.6401N03005W. Each
// fix name or position resolves nearest the point before it; DCT goes, a
// speed and level group after a point's slash is kept as a change there,
// other "/..." suffixes go; NAT U (or NATU) and
// PACOTS 11 (or PACOTSK) stand for the stored track's fixes between the
// points written round them; airways are flown as direct legs.
#include <string>
#include <string_view>
#include <vector>

#include "navdata/fixstore.h"
#include "navdata/simfiles.h"
#include "tracks/resolvedtrack.h"
#include "tracks/tracksets.h"

namespace korvant {

// Words beyond this many are not read: no real route comes near it.
inline constexpr std::size_t ROUTE_STRING_WORDS = 1000;
// Airways are expanded while the route has fewer points than this; beyond,
// flown direct and said: a route of a thousand words along a long airway
// back and forth stays a moment's work.
inline constexpr std::size_t ROUTE_STRING_POINTS = 10000;
// A point this far off the great circle of its neighbours is noted.
inline constexpr double FAR_OFF_ROUTE_NM = 1000;

struct ExpandedTrack {
  std::string name;       // "NAT U", "PACOTS 11"
  std::size_t first = 0;  // the index of its first point in the route
  std::size_t count = 0;  // how many of its fixes the route flies
};

// A speed and level group written after a point (YQL/N0471F370): from that
// point on, the flight's speed, level or both change.
struct SpeedLevelChange {
  std::size_t point = 0;  // its index in the route
  std::string group;      // "N0471F370", "F350", "A045", "VFR"
};

struct RouteStringRead {
  std::vector<TrackFix> points;
  std::vector<SpeedLevelChange> changes;
  std::vector<ExpandedTrack> tracks;
  std::vector<std::string> unresolved;     // words that named nothing
  std::vector<std::string> notExpanded;    // airways, flown as direct legs
  std::vector<std::string> missingTracks;  // tracks named but not stored: "NAT TRACK Q IS NOT STORED"
  // What the pilot should check: a point off a track joined at its end, a
  // track named twice, a point far off the line of its neighbours.
  std::vector<std::string> notes;
  bool cut = false;  // words beyond ROUTE_STRING_WORDS were left unread
};

// `sim`, when given, finds the airports the fix store does not know.
RouteStringRead readRouteString(std::string_view text, const TrackSets& tracks, const FixStore& fixes,
                                const SimFiles* sim = nullptr);

// A speed and level group: N0480F350, M082F350, K0830S1010, N0450VFR.
bool isSpeedLevelGroup(std::string_view word);
// What a speed and level group or a level alone files: Mach in hundredths or
// true airspeed in knots (km/h converted), the level in feet; 0 for what it
// does not say (VFR, a text that is no group).
struct SpeedLevel {
  int machHundredths = 0;
  int tasKt = 0;
  int levelFt = 0;
};
SpeedLevel readSpeedLevel(std::string_view group);
// A cruise climb's group: a speed and level group, then the upper level or
// PLUS (M082F290F350, N0430F300PLUS).
bool isCruiseClimb(std::string_view word);
// What may follow a point's slash: a speed and level group, or a level alone
// (F370, A045, S1130, M0840), VFR or IFR.
bool isSpeedLevelSuffix(std::string_view word);
// The group in words: "471 KT, FL370", "MACH 0.82, FL350", "4500 FT".
std::string speedLevelWords(std::string_view group);
// Letters then digits, perhaps a letter after them: N557A, UL9, J80, A590.
bool looksLikeAirway(std::string_view word);

}  // namespace korvant
