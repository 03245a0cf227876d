#pragma once
// The tracks of the current message: one slot per letter, each holding the
// chain of its fixes that resolved, and the four header lines of the legend.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "geo/latlng.h"
#include "navdata/fixstore.h"
#include "tracks/trackfix.h"

namespace korvant {

inline constexpr int TRACK_SLOTS = 26;
inline constexpr LatLng NAT_REFERENCE{5000.0, -3500.0};
inline constexpr LatLng PACIFIC_REFERENCE{4500.0, -17500.0};
inline constexpr LatLng AUSTRALIA_REFERENCE{-2500.0, 13500.0};

// Which system of tracks a set holds; each has its own reference position,
// the point its fixes are resolved nearest.
enum class TrackFamily { None = 0, NorthAtlantic = 1, Pacific = 2, Australian = 3 };
TrackFamily familyOfReference(const LatLng& reference);

// Slots A-M are westbound, N-Z eastbound.
inline bool isWestboundSlot(int slot) { return slot < 13; }

struct UnresolvedFix {
  char track;
  std::string fix;

  bool operator==(const UnresolvedFix&) const = default;
};

// An airway a track line names between two fixes: the map flies the leg
// between them direct, and the report says so.
struct SkippedAirway {
  std::string airway, from, to;
  char track = 0;
  // With navigation data: whether it has the airway between the two, and
  // the segments the chain then flies.
  std::optional<bool> inNavData = std::nullopt;
  int segments = 0;
  AirwayMiss miss = AirwayMiss::None;  // why it was not flown, when the data has no way

  bool operator==(const SkippedAirway&) const = default;
};

struct TrackModel {
  // Each track's chain of names, and the same chain as the reader resolved
  // it: name, position and kind of every point, the airways' points with
  // theirs. Everything that draws, reports or writes a track reads `chains`.
  std::array<std::string, TRACK_SLOTS> slotTexts;
  std::array<std::vector<TrackFix>, TRACK_SLOTS> chains;
  std::string eastHeader, eastValidity, westHeader, westValidity;
  // The Track Message Identification of each direction's message ("281",
  // amended "326A"): the day of the year the set was published, which the
  // clearance is read back with. Empty when the message gives none.
  std::string eastTmi, westTmi;
  // The reference position the fixes were resolved with: the painter starts
  // from it, so it finds the same fixes.
  LatLng reference = NAT_REFERENCE;
  TrackFamily family = TrackFamily::NorthAtlantic;  // of the reference
  // Every fix of a track line that did not resolve, for the report.
  std::vector<UnresolvedFix> unresolved;
  std::vector<SkippedAirway> skippedAirways;
  // The flight levels of each North Atlantic track: the texts after
  // "EAST LVLS " and "WEST LVLS " ("340 350 360", or "NIL").
  std::array<std::string, TRACK_SLOTS> eastLevels, westLevels;
  // A track's own name where it is not its slot letter: an Australian
  // track's "SY16", a numbered Pacific track's "1".
  std::array<std::string, TRACK_SLOTS> names;
  // A track's own validity where the message gives one per track or per
  // Pacific set ("1511071900 1511080800"); else the direction's line above.
  std::array<std::string, TRACK_SLOTS> validities;

  // The levels of a slot's own direction, empty when there are none.
  std::string levels(int slot) const;
  // The validity of a slot: its own, else its direction's line (an
  // Australian track has only its own).
  const std::string& validityText(int slot) const;

  bool operator==(const TrackModel&) const = default;

  void clear() { *this = TrackModel(); }
  bool empty() const;
  // Whether the message gave this direction: a header or a track of its slots.
  bool hasDirection(bool westbound) const;
};

// A North Atlantic message of one direction keeps the other direction's set
// from the message read before it: westbound tracks live in slots A-M and
// eastbound in N-Z, so the two never share a slot. A direction the new
// message gives replaces the old one whole.
void keepOtherDirection(TrackModel& fresh, const TrackModel& previous);

// How a track line is stored: the fix store to resolve with, and where the
// notes of fixes not found go when the diagnostic switch is on (none when off).
struct TrackStore {
  const FixStore& fixes;
  Problems* diagnostics = nullptr;
};

struct TrackFixes {
  std::string chain;             // the fixes that resolved, separated by single blanks
  std::vector<TrackFix> points;  // the same, resolved
  int segments = 0;
  std::string notes;
  int unresolved = 0;
  std::vector<std::string> unresolvedWords;
  std::vector<SkippedAirway> airways;
};

// Airway designators that Pacific track lines name between their fixes.
bool isSkippedAirway(std::string_view word);

TrackFixes resolveTrackFixes(std::string_view text, const LatLng& reference, const FixStore& fixes);

// Stores a line that begins with its letter and a blank; false when it does
// not, or when no two consecutive fixes of it resolve.
bool storeTrackLine(TrackModel& model, std::string_view line, const LatLng& reference, const TrackStore& store);

}  // namespace korvant
