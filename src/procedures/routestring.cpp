#include "procedures/routestring.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>

#include "geo/greatcircle.h"
#include "geo/positiontext.h"
#include "tracks/trackreader.h"

namespace korvant {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return c >= 'A' && c <= 'Z'; }

std::size_t countDigits(std::string_view text, std::size_t at) {
  std::size_t n = 0;
  while (at + n < text.size() && isDigit(text[at + n])) ++n;
  return n;
}

// Words split at blanks, line ends and every other control character, in
// upper case; at most `limit` of them.
std::vector<std::string> splitWords(std::string_view text, std::size_t limit, bool& cut) {
  std::vector<std::string> words;
  std::string word;
  cut = false;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : ' ';
    // The ICAO form parts words with dots (DCT.MCW.J101.SSM), and KJFK..EGLL
    // with runs of them; a dot between digits is a decimal point.
    if (c == '.' && !(i > 0 && i + 1 < text.size() && isDigit(text[i - 1]) && isDigit(text[i + 1]))) c = ' ';
    if (c > ' ' && c != 0x7F) {
      word += static_cast<char>(std::toupper(c));
      continue;
    }
    if (word.empty()) continue;
    if (words.size() == limit) {
      cut = true;
      break;
    }
    words.push_back(std::move(word));
    word.clear();
  }
  return words;
}

// A track named by the words at `i`: its family's word and its letter or
// number, run together ("NATU", "PACOTS11") or apart ("NAT U"). `used` is
// how many words it took.
struct TrackName {
  bool pacific = false;
  std::string label;  // "U", "11"
  char letter = 0;    // the slot, 0 when the label names none
  std::size_t used = 1;
};

std::optional<TrackName> trackNameAt(const std::vector<std::string>& words, std::size_t i) {
  const std::string& w = words[i];
  TrackName name;
  std::size_t prefix = 0;
  if (w.rfind("PACOTS", 0) == 0) {
    name.pacific = true;
    prefix = 6;
  } else if (w.rfind("NAT", 0) == 0) {
    prefix = 3;
  } else {
    return std::nullopt;
  }
  std::string label = w.substr(prefix);
  if (label.empty() && i + 1 < words.size()) {
    label = words[i + 1];
    name.used = 2;
  }
  const bool letter = label.size() == 1 && isLetter(label[0]);
  const bool number = name.pacific && !label.empty() && label.size() <= 2 && countDigits(label, 0) == label.size();
  if (!letter && !number) return std::nullopt;
  name.label = label;
  name.letter = letter ? label[0] : pacificTrackLetter(std::stol(label));
  return name;
}

// The slash forms of a position, each half with its digits: the prefixed
// form's own reader takes "SUNOT/M082F350" for a position at 0/0.
bool isSlashPosition(const std::string& word) {
  LatLng position;
  if (readNatSlashForm(word, position) || readHalfDegreeForm(word, position)) return true;
  const std::size_t slash = word.find('/');
  const auto hemisphere = [&](std::size_t at, char a, char b) {
    return at + 1 < word.size() && (word[at] == a || word[at] == b) && isDigit(word[at + 1]);
  };
  return hemisphere(0, 'N', 'S') && hemisphere(slash + 1, 'E', 'W');
}

// 4700N/05000W and its kin, whether or not its numbers are in range: cut at
// the slash, 4760N/05000W would become the ARINC name 4760N (47N 60W).
bool looksLikeCompactPosition(std::string_view word) {
  const std::size_t slash = word.find('/');
  const auto half = [](std::string_view h, char a, char b, std::size_t whole) {
    if (!h.empty() && (h.front() == a || h.front() == b))
      h.remove_prefix(1);
    else if (!h.empty() && (h.back() == a || h.back() == b))
      h.remove_suffix(1);
    else
      return false;
    return (h.size() == whole || h.size() == whole + 2) && countDigits(h, 0) == h.size();
  };
  return slash != std::string_view::npos && half(word.substr(0, slash), 'N', 'S', 2) &&
         half(word.substr(slash + 1), 'E', 'W', 3);
}

bool samePoint(const LatLng& a, const LatLng& b) { return distanceNm(a, b) < 0.5; }

class RouteReader {
 public:
  RouteReader(const TrackSets& tracks, const FixStore& fixes, const SimFiles* sim)
      : fixes_(fixes), sim_(sim), stored_(resolvedTracks(tracks)), start_(tracks.reference()) {}

  RouteStringRead read(std::string_view text) {
    const std::vector<std::string> words = splitWords(text, ROUTE_STRING_WORDS, route_.cut);
    for (std::size_t i = 0; i < words.size(); ++i) {
      const std::string& word = words[i];
      if (word == "DCT" || isSpeedLevelGroup(word)) continue;
      if (const auto track = trackNameAt(words, i)) {
        i += track->used - 1;
        startTrack(*track);
        continue;
      }
      readPoint(word);
    }
    flushTrack(nullptr);
    dropAirway();
    noteFarPoints();
    return std::move(route_);
  }

 private:
  LatLng reference() const { return route_.points.empty() ? start_ : route_.points.back().position; }

  // The position and the fix file's kind (an airport for the simulator's).
  bool resolve(const std::string& text, const LatLng& near, LatLng& position, int& kind) const {
    kind = -1;
    if (parsePositionText(text, position)) return true;
    if (looksLikeCompactPosition(text)) return false;  // out of range: no other reader may take it
    if (fixes_.resolvePositionWithAlias(text, near, position)) {
      kind = fixes_.kindOf(text, position);
      return true;
    }
    if (sim_ && text.size() == 4)
      if (const auto airport = sim_->findSimAirport(text)) {
        position = *airport;
        kind = FIX_KIND_AIRPORT;
        return true;
      }
    return false;
  }

  void readPoint(std::string word) {
    // A cruise climb, C/48N050W/M082F290F350: the point, then the speed and
    // the levels between which it climbs; flown at the first level.
    std::string climbTo;
    if (word.rfind("C/", 0) == 0 && word.size() > 2) {
      word.erase(0, 2);
      const std::size_t at = word.find('/');
      if (at != std::string::npos && isCruiseClimb(std::string_view(word).substr(at + 1))) {
        const std::string_view group = std::string_view(word).substr(at + 1);
        const std::size_t upper = group.size() - 4;  // F350, PLUS
        climbTo = std::string(group.substr(upper));
        word.erase(at + 1 + upper);
      }
    }
    // A slash belongs to the position forms (50/30, 5530/20, N5030/W03500);
    // otherwise it starts a suffix: a speed and level group, a runway.
    const std::size_t slash = word.find('/');
    const std::string name = slash == std::string::npos || isSlashPosition(word) || looksLikeCompactPosition(word)
                                 ? word
                                 : word.substr(0, slash);
    // After a track its exit is looked for near the track's end.
    const LatLng near = pending_ && !pending_->fixes.empty() ? pending_->fixes.back().position : reference();
    LatLng position;
    int kind = -1;
    if (name.empty() || !resolve(name, near, position, kind)) {
      if (name.empty() || isSpeedLevelGroup(name)) return;
      if (looksLikeAirway(name) && fixes_.navData() && !pending_ && !route_.points.empty()) {
        // Flown along its segments once the fix after it is known.
        dropAirway();
        airway_ = name;
        return;
      }
      (looksLikeAirway(name) ? route_.notExpanded : route_.unresolved).push_back(name);
      return;
    }
    const std::string suffix = name.size() < word.size() ? word.substr(name.size() + 1) : std::string();
    const auto noteChange = [&] {
      if (!isSpeedLevelSuffix(suffix)) return;
      route_.changes.push_back({route_.points.size() - 1, suffix});
      if (!climbTo.empty())
        route_.notes.push_back("CRUISE CLIMB FROM " + name + ": " + speedLevelWords(suffix) + " TO " +
                               (climbTo == "PLUS" ? std::string("ABOVE") : speedLevelWords(climbTo)));
    };
    // A word that names an airway joining the point before is the airway,
    // though a fix has its name too (HMO V2 GRN; an NDB called V2 lies far
    // off): which it is shows once the point after it is known.
    if (slash == std::string::npos && joinsLastPoint(name)) {
      dropAirway();
      airway_ = name;
      airwayFix_ = TrackFix{name, position, kind};
      return;
    }
    // ETARI DCT ETARI/M082F300: one point.
    if (!pending_ && !route_.points.empty() && route_.points.back().name == name &&
        samePoint(route_.points.back().position, position))
      return noteChange();
    TrackFix point{name, position, kind};
    flushTrack(&point);
    flyAirway(point);
    route_.points.push_back(point);
    noteChange();
  }

  // An airway in the navigation data whose points include the last point's
  // name, where no track is pending. Position words are no airways.
  bool joinsLastPoint(const std::string& name) const {
    if (!looksLikeAirway(name) || !fixes_.navData() || pending_ || route_.points.empty() ||
        route_.points.size() >= ROUTE_STRING_POINTS)
      return false;
    LatLng read;
    if (parsePositionText(name, read)) return false;
    AirwayMiss miss = AirwayMiss::None;
    const TrackFix& last = route_.points.back();
    fixes_.navData()->airwayPath(name, last.name, "", last.position, &miss);
    return miss == AirwayMiss::ExitNotOnIt;
  }

  // An airway that no fix followed is flown direct, as one the data lacks;
  // one that is also a fix's name is that fix.
  void dropAirway() {
    if (airwayFix_) {
      route_.points.push_back(*airwayFix_);
    } else if (!airway_.empty()) {
      route_.notExpanded.push_back(airway_);
    }
    airway_.clear();
    airwayFix_.reset();
  }

  // The points of the pending airway between the last point and `to`, under
  // their own names; both ends become the airway's points of their names.
  void flyAirway(TrackFix& to) {
    if (airway_.empty()) return;
    if (route_.points.size() >= ROUTE_STRING_POINTS) {
      if (!saidFull_)
        route_.notes.push_back("AIRWAYS FLOWN DIRECT BEYOND " + std::to_string(ROUTE_STRING_POINTS) + " POINTS");
      saidFull_ = true;
      return dropAirway();
    }
    TrackFix& from = route_.points.back();
    AirwayMiss miss = AirwayMiss::None;
    const std::optional<AirwayPath> path =
        fixes_.navData()->airwayPath(airway_, from.name, to.name, from.position, &miss);
    if (!path && airwayFix_) {  // not the airway between these points: the fix
      dropAirway();
      return;
    }
    if (!path) {
      route_.notes.push_back(airway_ + " " + from.name + "-" + to.name +
                             " FLOWN DIRECT: " + airwayMissWords(miss, airway_, from.name, to.name));
      dropAirway();
      return;
    }
    from.position = path->points.front();
    to.position = path->points.back();
    to.kind = fixes_.kindOf(to.name, to.position);
    const std::string fromName = from.name;
    for (std::size_t i = 1; i + 1 < path->points.size(); ++i)
      route_.points.push_back({path->names[i], path->points[i], fixes_.kindOf(path->names[i], path->points[i])});
    route_.notes.push_back(airway_ + " " + fromName + "-" + to.name + ": " + std::to_string(path->segments) +
                           (path->segments == 1 ? " SEGMENT" : " SEGMENTS") +
                           (path->againstDirection ? ", AGAINST ITS ONE-WAY DIRECTION" : ""));
    airway_.clear();
    airwayFix_.reset();
  }

  // A name resolves to the nearest fix of that name even thousands of miles
  // off: a point far off the line of its neighbours is said.
  // A leg that long between two named points is said too, unless an end of
  // it is already said to lie off the route.
  void noteFarPoints() {
    const std::vector<TrackFix>& p = route_.points;
    std::vector<bool> off(p.size(), false);
    for (std::size_t i = 1; i + 1 < p.size(); ++i) {
      const double nm = distanceFromLegNm(p[i - 1].position, p[i + 1].position, p[i].position);
      if (nm <= FAR_OFF_ROUTE_NM) continue;
      off[i] = true;
      route_.notes.push_back(p[i].name + " LIES " + std::to_string(std::lround(nm)) + " NM OFF THE ROUTE");
    }
    for (std::size_t i = 1; i < p.size(); ++i) {
      if (off[i] || off[i - 1] || namesAPosition(p[i]) || namesAPosition(p[i - 1])) continue;
      const double nm = distanceNm(p[i - 1].position, p[i].position);
      if (nm > FAR_OFF_ROUTE_NM)
        route_.notes.push_back(p[i].name + " LIES " + std::to_string(std::lround(nm)) + " NM FROM " + p[i - 1].name);
    }
  }

  void startTrack(const TrackName& name) {
    dropAirway();
    flushTrack(nullptr);
    const std::string label = (name.pacific ? "PACOTS " : "NAT ") + name.label;
    const TrackFamily family = name.pacific ? TrackFamily::Pacific : TrackFamily::NorthAtlantic;
    const auto stored = std::find_if(stored_.begin(), stored_.end(), [&](const ResolvedTrack& t) {
      return t.family == family && t.letter == name.letter;
    });
    if (!name.letter || stored == stored_.end() || stored->fixes.empty()) {
      route_.missingTracks.push_back((name.pacific ? "PACOTS TRACK " : "NAT TRACK ") + name.label + " IS NOT STORED");
      return;
    }
    if (std::find(flown_.begin(), flown_.end(), label) != flown_.end()) {
      route_.notes.push_back(label + " IS NAMED TWICE: FLOWN ONCE");
      return;
    }
    flown_.push_back(label);
    pending_ = &*stored;
    pendingLabel_ = label;
  }

  // The pending track's fixes between the last point and `next`: from the
  // fix after the last point, or the track's first, to the fix before
  // `next`, or the track's last; backwards when the route flies it so.
  // A point written round the track but not on it joins the track at its
  // nearer end, and a note says so: flying the whole track from a point off
  // it would turn back on itself.
  void flushTrack(const TrackFix* next) {
    if (!pending_) return;
    const std::vector<TrackFix>& fixes = pending_->fixes;
    const auto indexOf = [&](const LatLng& p) {
      for (std::size_t k = 0; k < fixes.size(); ++k)
        if (samePoint(fixes[k].position, p)) return static_cast<long>(k);
      return -1L;
    };
    const long last = static_cast<long>(fixes.size()) - 1;
    const auto nearerEnd = [&](const LatLng& p) {
      return distanceNm(p, fixes.front().position) <= distanceNm(p, fixes.back().position) ? 0L : last;
    };
    const auto note = [&](const std::string& name, const char* verb, long end) {
      route_.notes.push_back(name + " IS NOT ON " + pendingLabel_ + ": " + verb + " AT ITS " +
                             (end == 0 ? "FIRST" : "LAST") + " POINT");
    };
    const TrackFix* before = route_.points.empty() ? nullptr : &route_.points.back();
    const long entry = before ? indexOf(before->position) : -1;
    const long exit = next ? indexOf(next->position) : -1;
    // Where the flight along the track starts and the end it heads for; a
    // point of the route on the track is not flown twice.
    long start = 0, target = last;
    if (entry >= 0) {
      start = entry;
      target = exit >= 0 ? exit : next ? nearerEnd(next->position) : last;
    } else {
      if (before) {
        start = nearerEnd(before->position);
        note(before->name, "JOINED", start);
      } else if (next && exit < 0) {
        start = last - nearerEnd(next->position);
      }
      target = exit >= 0 ? exit : last - start;
    }
    if (next && exit < 0) note(next->name, "LEFT", target);
    ExpandedTrack expanded{pendingLabel_, route_.points.size(), 0};
    const long step = target >= start ? 1 : -1;
    const long first = entry >= 0 ? start + step : start, final = exit >= 0 ? target - step : target;
    for (long k = first; step > 0 ? k <= final : k >= final; k += step)
      route_.points.push_back(fixes[static_cast<std::size_t>(k)]);
    expanded.count = route_.points.size() - expanded.first;
    route_.tracks.push_back(std::move(expanded));
    pending_ = nullptr;
  }

  const FixStore& fixes_;
  const SimFiles* sim_;
  const std::vector<ResolvedTrack> stored_;
  LatLng start_;
  RouteStringRead route_;
  const ResolvedTrack* pending_ = nullptr;
  std::string airway_;                 // an airway read, waiting for the fix after it
  std::optional<TrackFix> airwayFix_;  // the fix of the airway's name, if it is no airway here
  bool saidFull_ = false;
  std::string pendingLabel_;
  std::vector<std::string> flown_;  // the tracks expanded so far
};

}  // namespace

bool isSpeedLevelGroup(std::string_view w) {
  if (w.size() < 5 || (w[0] != 'N' && w[0] != 'K' && w[0] != 'M')) return false;
  const std::size_t speed = countDigits(w, 1);
  if (speed < 3 || speed > 4) return false;
  const std::string_view level = w.substr(1 + speed);
  if (level == "VFR") return true;
  if (level.empty() || (level[0] != 'F' && level[0] != 'A' && level[0] != 'S' && level[0] != 'M')) return false;
  const std::size_t digits = countDigits(level, 1);
  return (digits == 3 || digits == 4) && digits + 1 == level.size();
}

namespace {

// F370, A045, S1130, M0840: a flight level, an altitude in hundreds of feet,
// a metric level or altitude in tens of metres.
bool isLevel(std::string_view w) {
  if (w.empty()) return false;
  const std::size_t digits = countDigits(w, 1);
  const bool three = (w[0] == 'F' || w[0] == 'A') && digits == 3, four = (w[0] == 'S' || w[0] == 'M') && digits == 4;
  return (three || four) && digits + 1 == w.size();
}

std::string levelWords(std::string_view w) {
  if (w == "VFR" || w == "IFR") return std::string(w);
  const int n = std::stoi(std::string(w.substr(1)));
  switch (w[0]) {
    case 'F': return "FL" + std::string(w.substr(1));
    case 'A': return std::to_string(n * 100) + " FT";
    default: return std::to_string(n * 10) + " M";  // S and M
  }
}

}  // namespace

bool isCruiseClimb(std::string_view w) {
  if (w.size() < 9) return false;
  const std::string_view upper = w.substr(w.size() - 4);
  return (upper == "PLUS" || isLevel(upper)) && isSpeedLevelGroup(w.substr(0, w.size() - 4));
}

SpeedLevel readSpeedLevel(std::string_view w) {
  SpeedLevel out;
  std::string_view level = w;
  if (isSpeedLevelGroup(w)) {
    const std::size_t digits = countDigits(w, 1);
    const int speed = std::stoi(std::string(w.substr(1, digits)));
    if (w[0] == 'M')
      out.machHundredths = speed;
    else
      out.tasKt = w[0] == 'N' ? speed : static_cast<int>(std::lround(speed / 1.852));
    level = w.substr(1 + digits);
  }
  if (!isLevel(level)) return out;
  const int n = std::stoi(std::string(level.substr(1)));
  // F and A in hundreds of feet, S and M in tens of metres.
  out.levelFt = level[0] == 'F' || level[0] == 'A' ? n * 100 : static_cast<int>(std::lround(n * 10 / 0.3048));
  return out;
}

bool isSpeedLevelSuffix(std::string_view w) { return isSpeedLevelGroup(w) || isLevel(w) || w == "VFR" || w == "IFR"; }

std::string speedLevelWords(std::string_view w) {
  if (!isSpeedLevelGroup(w)) return isSpeedLevelSuffix(w) ? levelWords(w) : std::string();
  const std::size_t digits = countDigits(w, 1);
  const int speed = std::stoi(std::string(w.substr(1, digits)));
  char text[32];
  if (w[0] == 'M')
    std::snprintf(text, sizeof text, "MACH %d.%02d", speed / 100, speed % 100);
  else
    std::snprintf(text, sizeof text, "%d %s", speed, w[0] == 'N' ? "KT" : "KM/H");
  return std::string(text) + ", " + levelWords(w.substr(1 + digits));
}

bool looksLikeAirway(std::string_view w) {
  std::size_t letters = 0;
  while (letters < w.size() && isLetter(w[letters])) ++letters;
  const std::size_t digits = countDigits(w, letters);
  const std::size_t rest = w.size() - letters - digits;
  return letters >= 1 && letters <= 3 && digits >= 1 && digits <= 4 && (rest == 0 || (rest == 1 && isLetter(w.back())));
}

RouteStringRead readRouteString(std::string_view text, const TrackSets& tracks, const FixStore& fixes,
                                const SimFiles* sim) {
  return RouteReader(tracks, fixes, sim).read(text);
}

}  // namespace korvant
