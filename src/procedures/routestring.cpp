#include "procedures/routestring.h"

#include <algorithm>
#include <cctype>
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
    const unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : ' ';
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

bool samePoint(const LatLng& a, const LatLng& b) { return distanceNm(a, b) < 0.5; }

class RouteReader {
 public:
  RouteReader(const TrackModel& tracks, const FixStore& fixes, const SimFiles* sim)
      : model_(tracks), fixes_(fixes), sim_(sim), stored_(resolvedTracks(tracks, fixes)) {}

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
    flushTrack(std::nullopt);
    return std::move(route_);
  }

 private:
  LatLng reference() const { return route_.points.empty() ? model_.reference : route_.points.back().position; }

  int kindOfSimAirport(const std::string& name) const { return sim_->findSimAirport(name) ? FIX_KIND_AIRPORT : -1; }

  bool resolve(const std::string& text, const LatLng& near, LatLng& position) const {
    if (fixes_.resolvePositionWithAlias(text, near, position)) return true;
    if (sim_ && text.size() == 4)
      if (const auto airport = sim_->findSimAirport(text)) {
        position = *airport;
        return true;
      }
    return false;
  }

  void readPoint(const std::string& word) {
    // A slash belongs to the position forms (50/30, 5530/20, N5030/W03500);
    // otherwise it starts a suffix: a speed and level group, a runway.
    const std::size_t slash = word.find('/');
    const std::string name = slash == std::string::npos || isSlashPosition(word) ? word : word.substr(0, slash);
    // After a track its exit is looked for near the track's end.
    const LatLng near = pending_ && !pending_->fixes.empty() ? pending_->fixes.back().position : reference();
    LatLng position;
    if (name.empty() || !resolve(name, near, position)) {
      if (name.empty() || isSpeedLevelGroup(name)) return;
      (looksLikeAirway(name) ? route_.notExpanded : route_.unresolved).push_back(name);
      return;
    }
    flushTrack(position);
    const int kind = fixes_.kindOf(name, position);
    route_.points.push_back({name, position, kind < 0 && sim_ && name.size() == 4 ? kindOfSimAirport(name) : kind});
  }

  void startTrack(const TrackName& name) {
    flushTrack(std::nullopt);
    const std::string label = (name.pacific ? "PACOTS " : "NAT ") + name.label;
    const LatLng family = name.pacific ? PACIFIC_REFERENCE : NAT_REFERENCE;
    const auto stored =
        std::find_if(stored_.begin(), stored_.end(), [&](const ResolvedTrack& t) { return t.letter == name.letter; });
    if (!name.letter || stored == stored_.end() || stored->fixes.empty() || !(model_.reference == family)) {
      route_.missingTracks.push_back((name.pacific ? "PACOTS TRACK " : "NAT TRACK ") + name.label + " IS NOT STORED");
      return;
    }
    pending_ = &*stored;
    pendingLabel_ = label;
  }

  // The pending track's fixes between the last point and `next`: from the
  // fix after the last point, or the track's first, to the fix before
  // `next`, or the track's last; backwards when the route flies it so.
  void flushTrack(const std::optional<LatLng>& next) {
    if (!pending_) return;
    const std::vector<TrackFix>& fixes = pending_->fixes;
    const auto indexOf = [&](const LatLng& p) {
      for (std::size_t k = 0; k < fixes.size(); ++k)
        if (samePoint(fixes[k].position, p)) return static_cast<long>(k);
      return -1L;
    };
    const long entry = route_.points.empty() ? -1 : indexOf(route_.points.back().position);
    const long exit = next ? indexOf(*next) : -1;
    const long last = static_cast<long>(fixes.size()) - 1;
    ExpandedTrack expanded{pendingLabel_, route_.points.size(), 0};
    if (entry >= 0 && exit >= 0 && exit < entry) {
      for (long k = entry - 1; k > exit; --k) route_.points.push_back(fixes[static_cast<std::size_t>(k)]);
    } else {
      const long from = entry >= 0 ? entry + 1 : 0, to = exit >= 0 ? exit - 1 : last;
      for (long k = from; k <= to; ++k) route_.points.push_back(fixes[static_cast<std::size_t>(k)]);
    }
    expanded.count = route_.points.size() - expanded.first;
    route_.tracks.push_back(std::move(expanded));
    pending_ = nullptr;
  }

  const TrackModel& model_;
  const FixStore& fixes_;
  const SimFiles* sim_;
  const std::vector<ResolvedTrack> stored_;
  RouteStringRead route_;
  const ResolvedTrack* pending_ = nullptr;
  std::string pendingLabel_;
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

bool looksLikeAirway(std::string_view w) {
  std::size_t letters = 0;
  while (letters < w.size() && isLetter(w[letters])) ++letters;
  const std::size_t digits = countDigits(w, letters);
  const std::size_t rest = w.size() - letters - digits;
  return letters >= 1 && letters <= 3 && digits >= 1 && digits <= 4 && (rest == 0 || (rest == 1 && isLetter(w.back())));
}

RouteStringRead readRouteString(std::string_view text, const TrackModel& tracks, const FixStore& fixes,
                                const SimFiles* sim) {
  return RouteReader(tracks, fixes, sim).read(text);
}

}  // namespace korvant
