#include "tracks/trackreader.h"

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <vector>

#include "base/textops.h"

namespace korvant {

namespace {

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }
bool contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

// The patterns, compiled once.
const std::regex& amendmentPattern() {
  static const std::regex r(" A[0-9]+/[0-9]+ ");
  return r;
}
const std::regex& longNumberPattern() {
  static const std::regex r("[0-9][0-9][0-9][0-9][0-9][0-9]+");
  return r;
}
const std::regex& flexRoutePattern() {
  static const std::regex r("TRACK [0-9][0-9]*\\.[ ]+FLEX ROUTE : ");
  return r;
}
// A Fukuoka set's validity: "BETWEEN 11061200UTC AND 11061600UTC", or in its
// remark "08 FEB 07:00 2016 UNTIL 08 FEB 21:00 2016".
const std::regex& betweenPattern() {
  static const std::regex r("BETWEEN ([0-9]{8}UTC) AND ([0-9]{8}UTC)");
  return r;
}
const std::regex& untilPattern() {
  static const std::regex r(
      "([0-9]{2} [A-Z]{3} [0-9]{2}:[0-9]{2} [0-9]{4}) UNTIL ([0-9]{2} [A-Z]{3} [0-9]{2}:[0-9]{2} [0-9]{4})");
  return r;
}

// An Oakland TDM's validity after "TDM TRK ": the letter or number, the
// serial, then two date-time groups yymmddhhmm.
std::string tdmValidity(std::string rest) {
  nextWord(rest);
  std::vector<std::string> times;
  for (std::string word = nextWord(rest); !word.empty() && times.size() < 2; word = nextWord(rest)) {
    const bool digits = std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) break;
    if (word.size() == 10) times.push_back(word);
  }
  return times.size() == 2 ? times[0] + " " + times[1] : std::string();
}

const std::regex& flexRtePattern() {
  static const std::regex r("TRACK [0-9][0-9]*\\.[ ]+FLEX RTE : ");
  return r;
}

// Replaces the first occurrence of a word with its surrounding blanks by two blanks.
void deleteWord(std::string& line, std::string_view word) {
  const auto at = line.find(word);
  if (at != std::string::npos) line.replace(at, word.size(), "  ");
}

// Reads one line: HTML tags end lines, leading blanks and tabs go, and a
// line keeps at most 1500 characters. False at the end of the input.
class LineSource {
 public:
  LineSource(std::istream& in, bool html) : buf_(in.rdbuf()), html_(html) {}

  bool next(std::string& line) {
    line.clear();
    if (!buf_ || atEnd_) return false;
    for (;;) {
      const int c = buf_->sbumpc();
      if (c == std::char_traits<char>::eof()) {
        atEnd_ = true;
        break;
      }
      if (html_ && c == '<') {
        copy_ = false;
        break;
      }
      if (html_ && c == '>') {
        line.clear();
        copy_ = true;
        continue;
      }
      if (c == '\n') {
        copy_ = true;
        break;
      }
      if (c == '\r' && buf_->sgetc() == '\n') continue;  // text mode: CR LF is a line end
      if (copy_ && line.size() < TRACK_LINE_LIMIT && !(line.empty() && (c == ' ' || c == '\t')))
        line.push_back(static_cast<char>(c));
    }
    if (html_)
      for (auto at = line.find("&nbsp;"); at != std::string::npos; at = line.find("&nbsp;", at)) line.erase(at, 6);
    return true;
  }

 private:
  std::streambuf* buf_;
  bool html_;
  bool copy_ = true;
  bool atEnd_ = false;
};

// "TRACK n." alone on its line: a Fukuoka flex route follows on the next lines.
bool isTrackNumberLine(std::string_view line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.remove_suffix(1);
  if (!startsWith(line, "TRACK ") || line.size() < 8 || line.back() != '.') return false;
  for (char c : line.substr(6, line.size() - 7))
    if (c < '0' || c > '9') return false;
  return true;
}

bool hasFlexMarker(std::string_view text) {
  return contains(text, " JAPAN ROUTE : ") || contains(text, " JAPAN RTE : ") || contains(text, " RCTP/VHHH ");
}

bool isAusotsName(std::string_view word) {
  return word.size() == 4 && std::isupper(static_cast<unsigned char>(word[0])) &&
         std::isupper(static_cast<unsigned char>(word[1])) && std::isdigit(static_cast<unsigned char>(word[2])) &&
         std::isdigit(static_cast<unsigned char>(word[3]));
}

// "TMI IS 281", "TMI IS 326A", "TMI AMENDED TO 326A" (and as spelt
// "AMMENDED" in real messages): three digits and an amendment letter.
std::string tmiOf(std::string_view line) {
  // Older messages spell it out: "TRACK MESSAGE IDENTIFICATION NUMBER IS 111".
  std::size_t tmi = line.find("TMI ");
  if (tmi == std::string_view::npos) tmi = line.find("IDENTIFICATION NUMBER IS ");
  if (tmi == std::string_view::npos) return {};
  for (const std::string_view lead : {"TMI IS ", "AMENDED TO ", "AMMENDED TO ", "NUMBER IS "}) {
    const std::size_t at = line.find(lead, tmi);
    if (at == std::string_view::npos) continue;
    std::size_t end = at + lead.size();
    const std::size_t start = end;
    while (end < line.size() && std::isdigit(static_cast<unsigned char>(line[end]))) ++end;
    if (end - start != 3) continue;
    if (end < line.size() && std::isupper(static_cast<unsigned char>(line[end]))) ++end;
    if (end < line.size() && std::isalnum(static_cast<unsigned char>(line[end]))) continue;
    return std::string(line.substr(start, end - start));
  }
  return {};
}

bool allDigits(std::string_view word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

class MessageReader {
 public:
  MessageReader(TrackModel& model, const TrackStore& store) : model_(model), store_(store) {}

  // Pacific messages of the last years spread one track over several lines:
  // a TDM without "RTS/" on its first line, and "TRACK n." alone on its line.
  // Those lines are joined into the one line that the rules expect; every
  // layout that reads on one line reads as before.
  void line(std::string line) {
    flexValidity(line);
    // Each direction's message names its own; a later amendment wins.
    if (std::string tmi = tmiOf(line); !tmi.empty()) (west_ ? model_.westTmi : model_.eastTmi) = std::move(tmi);
    if (joining_ != Join::None) {
      const bool stop = line.empty() || startsAnotherItem(line) || joined_.size() + 1 + line.size() > TRACK_LINE_LIMIT;
      if (!stop) {
        joined_ += ' ';
        joined_ += line;
        const bool last =
            joining_ == Join::Tdm ? contains(line, "RTS/") || contains(line, ")") : hasFlexMarker(joined_);
        if (last) finishJoin();
        return;
      }
      finishJoin();
    }
    process(std::move(line));
  }

  void finish() {
    if (joining_ != Join::None) finishJoin();
    // A Fukuoka set's validity stands in its header or its last remark.
    for (int slot = 'N' - 'A'; slot < TRACK_SLOTS; ++slot)
      if (!model_.slotTexts[slot].empty() && model_.family == TrackFamily::Pacific && model_.validities[slot].empty())
        model_.validities[slot] = flexValidity_;
  }

  TrackFamily family() const { return family_; }

 private:
  enum class Join { None, Tdm, Flex };

  // A line that the one-line rules read on its own ends a joined track
  // before it: so a message that read before reads exactly as before.
  bool startsAnotherItem(std::string_view line) const {
    if (contains(line, "TDM TRK ") || contains(line, "TRACKS FLS") || isTrackNumberLine(line)) return true;
    if (line.size() >= 2 && line[0] >= 'A' && line[0] <= 'Z' && line[1] == ' ') return true;
    return joining_ == Join::Tdm && (contains(line, "EASTBOUND PACOTS TRACKS") || contains(line, "FLEX ROUTE :") ||
                                     contains(line, "FLEX RTE :"));
  }

  void finishJoin() {
    joining_ = Join::None;
    trackLine(std::move(joined_));
    joined_.clear();
  }

  void process(std::string line) {
    if (!sameLine_) {
      const auto fls = line.find("TRACKS FLS");
      if (fls != std::string::npos) {
        pending_ = line.substr(fls);
        if (family_ == TrackFamily::None) family_ = TrackFamily::NorthAtlantic;
        // Positions count from "TRACKS FLS": the levels stand between it and
        // the blank before "INCLUSIVE ", the validity after it.
        const auto inclusive = pending_.find("INCLUSIVE ");
        if (inclusive == std::string::npos) {
          sameLine_ = true;
          return;
        }
        line = pending_.substr(inclusive + 10);
        pending_.erase(inclusive == 0 ? 0 : inclusive - 1);
        sameLine_ = true;
      }
    }
    if (sameLine_) {
      validity(line);
      return;
    }
    if (levelsLine(line)) return;
    if (line.size() >= 5 && line.size() <= TRACK_LINE_LIMIT &&
        ((contains(line, "TDM TRK ") && !contains(line, "RTS/")) || isTrackNumberLine(line))) {
      joining_ = contains(line, "TDM TRK ") ? Join::Tdm : Join::Flex;
      joined_ = std::move(line);
      return;
    }
    trackLine(std::move(line));
  }

  void validity(const std::string& line) {
    west_ = contains(line, "1130");
    if (west_) {
      if (!westSet_) {
        model_.westHeader = "WESTBOUND " + pending_;
        model_.westValidity = line;
        pending_.clear();
        westSet_ = true;
      }
    } else if (!eastSet_) {
      model_.eastHeader = "EASTBOUND " + pending_;
      model_.eastValidity = line;
      pending_.clear();
      eastSet_ = true;
    }
    sameLine_ = false;
  }

  // Australian tracks take the letters from A in the order they come.
  bool storeAustralian(const std::string& text) {
    const std::optional<AusotsTrack> track = readAusotsTdm(text);
    if (!track) return false;
    if (track->route.empty() || australian_ >= TRACK_SLOTS) return true;  // "NO TRACK"
    const char letter = static_cast<char>('A' + australian_);
    if (!storeTrackLine(model_, std::string(1, letter) + " " + track->route, AUSTRALIA_REFERENCE, store_)) return true;
    model_.names[australian_] = track->name;
    model_.validities[australian_++] = track->validity;
    if (family_ == TrackFamily::None || family_ == TrackFamily::Pacific) family_ = TrackFamily::Australian;
    model_.westHeader = "AUSOTS FLEX TRACKS";
    return true;
  }

  // Numbered tracks keep their number as their name; an Oakland TDM its validity.
  void storePacific(const std::string& track, const std::string& validity = {}) {
    if (!storeTrackLine(model_, track, PACIFIC_REFERENCE, store_)) return;
    const int slot = track[0] - 'A';
    model_.names[slot] = slot >= 'N' - 'A' ? std::to_string(slot - ('N' - 'A') + 1) : std::string();
    model_.validities[slot] = validity;
    if (family_ == TrackFamily::None) family_ = TrackFamily::Pacific;
  }

  void flexValidity(const std::string& line) {
    if (!flexValidity_.empty()) return;
    const bool between = contains(line, "BETWEEN ") && contains(line, "UTC AND ");
    const bool until = contains(line, " UNTIL ") || contains(previousLine_, " UNTIL ");
    if (between || until) {
      // The remark's two dates may stand on two lines.
      const std::string text = until ? previousLine_ + " " + line : line;
      std::smatch m;
      if (std::regex_search(text, m, between ? betweenPattern() : untilPattern()))
        flexValidity_ = m.str(1) + " TO " + m.str(2);
    }
    previousLine_ = line;
  }

  bool storeNat(std::string_view line) {
    if (!storeTrackLine(model_, line, NAT_REFERENCE, store_)) return false;
    lastNatTrack_ = line[0] - 'A';
    return true;
  }

  // "EAST LVLS 340 350" and "WEST LVLS NIL" belong to the track stored last.
  bool levelsLine(const std::string& line) {
    const bool east = startsWith(line, "EAST LVLS "), west = startsWith(line, "WEST LVLS ");
    if (!east && !west) return false;
    if (lastNatTrack_ >= 0) {
      std::string levels = line.substr(10);
      trimLeadingBlanks(levels);
      while (!levels.empty() && (levels.back() == ' ' || levels.back() == '-')) levels.pop_back();
      (east ? model_.eastLevels : model_.westLevels)[lastNatTrack_] = levels;
    }
    return true;
  }

  void trackLine(std::string line) {
    if (line.size() < 5 || line.size() > TRACK_LINE_LIMIT) return;
    if (storeAustralian(line)) return;
    if (startsWith(line, "NAT ") || startsWith(line, "NAT-")) {
      if (storeNat(std::string_view(line).substr(4)) && family_ == TrackFamily::None)
        family_ = TrackFamily::NorthAtlantic;
    } else if (const auto at = line.find("TDM TRK "); at != std::string::npos) {
      storePacific(cleanTdmLine(line.substr(at + 8)), tdmValidity(line.substr(at + 8)));
    } else if (contains(line, "EASTBOUND PACOTS TRACKS") || contains(line, "FLEX ROUTE :") ||
               contains(line, "FLEX RTE :")) {
      std::string track;
      while (splitFlexRoute(line, track)) storePacific(track);
    } else {
      storeNat(line);
    }
  }

  TrackModel& model_;
  const TrackStore& store_;
  std::string pending_;
  bool sameLine_ = false;
  bool westSet_ = false, eastSet_ = false;
  bool west_ = true;  // the direction of the part being read, by its validity
  TrackFamily family_ = TrackFamily::None;
  int lastNatTrack_ = -1;
  int australian_ = 0;  // Australian tracks stored
  std::string flexValidity_, previousLine_;
  Join joining_ = Join::None;
  std::string joined_;
};

}  // namespace

std::string cleanTdmLine(std::string line) {
  if (const auto rts = line.find("RTS/"); rts != std::string::npos) line.erase(rts == 0 ? 0 : rts - 1);
  if (line.size() < 3) return {};

  const char first = line[0];
  if (first >= 'N' && first <= 'Z') return {};  // letters of the numbered tracks
  std::size_t digits = 0;
  int n = 0;
  while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9' && n < 100000)
    n = n * 10 + (line[digits++] - '0');
  if (digits > 0) {
    if (n >= 1 && n <= 9) {
      line[0] = pacificTrackLetter(n);
    } else if (n >= 10 && n <= 13) {
      line[0] = pacificTrackLetter(n);
      line[1] = ' ';
    } else if (n != 0) {
      return {};
    }
  }

  deleteWord(line, " AMDT ");
  deleteWord(line, " REPLACE ");
  std::smatch m;
  if (std::regex_search(line, m, amendmentPattern()))
    line.replace(static_cast<std::size_t>(m.position(0)), static_cast<std::size_t>(m.length(0)), "  ");
  while (std::regex_search(line, m, longNumberPattern()))
    line.erase(static_cast<std::size_t>(m.position(0)), static_cast<std::size_t>(m.length(0)));
  return line;
}

bool splitFlexRoute(std::string& rest, std::string& track) {
  std::smatch m;
  if (!std::regex_search(rest, m, flexRoutePattern()) && !std::regex_search(rest, m, flexRtePattern())) {
    rest.clear();
    return false;
  }
  const std::size_t start = static_cast<std::size_t>(m.position(0));
  // The number stands in the two characters after "TRACK ".
  const std::string number = rest.substr(start + 6, 2);
  int n = static_cast<int>(readLeadingInt(number));
  if (n == 14)
    n = 9;
  else if (n == 15)
    n = 10;
  if (n < 1 || n > 13) {
    rest.clear();
    return false;
  }
  std::string after = rest.substr(start + static_cast<std::size_t>(m.length(0)));
  std::size_t marker = std::string::npos, markerLength = 0;
  for (std::string_view candidate : {" JAPAN ROUTE : ", " JAPAN RTE : ", " RCTP/VHHH "}) {
    marker = after.find(candidate);
    if (marker != std::string::npos) {
      markerLength = candidate.size();
      break;
    }
  }
  if (marker == std::string::npos) {
    rest.clear();
    return false;
  }
  track = std::string(1, pacificTrackLetter(n)) + " " + after.substr(0, marker);
  rest = after.substr(marker + markerLength);
  return true;
}

std::optional<AusotsTrack> readAusotsTdm(std::string_view text) {
  const auto at = text.find("TDM TRK ");
  if (at == std::string_view::npos) return std::nullopt;
  std::string rest(text.substr(at + 8));
  AusotsTrack track;
  track.name = nextWord(rest);
  if (!isAusotsName(track.name)) return std::nullopt;
  if (contains(rest, "NO TRACK")) return track;
  nextWord(rest);  // the message's own serial
  // The validity: two date-time groups, yymmddhhmm, then the route up to its
  // connecting routes.
  std::vector<std::string> times;
  for (std::string word = nextWord(rest); !word.empty(); word = nextWord(rest)) {
    if (startsWith(word, "RTS/") || startsWith(word, "RMK/")) break;
    if (times.size() < 2 && track.route.empty() && word.size() == 10 && allDigits(word)) {
      times.push_back(word);
      continue;
    }
    if (!track.route.empty()) track.route += ' ';
    track.route += word;
  }
  if (times.size() == 2) track.validity = times[0] + " " + times[1];
  return track;
}

namespace {

TrackFamily readLines(std::istream& in, bool html, TrackModel& model, const TrackStore& store) {
  LineSource source(in, html);
  MessageReader reader(model, store);
  for (std::string line; source.next(line);) reader.line(std::move(line));
  reader.finish();
  return reader.family();
}

// The first character that is not white space, without consuming anything.
int firstNonBlank(std::istream& in) {
  std::streambuf* buf = in.rdbuf();
  if (!buf) return std::char_traits<char>::eof();
  const auto start = buf->pubseekoff(0, std::ios::cur, std::ios::in);
  int c;
  int skipped = 0;
  while ((c = buf->sbumpc()) != std::char_traits<char>::eof() && std::isspace(c) && ++skipped < 4096) {
  }
  buf->pubseekpos(start, std::ios::in);
  return c;
}

// The messages of a saved feed as one text: the condition_message strings in
// the order they stand, each message's parts by part_no.
bool feedText(std::istream& in, std::string& text, Reason& error) {
  std::string raw;
  raw.reserve(1 << 16);
  char chunk[1 << 16];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    raw.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (raw.size() > TRACK_MESSAGE_LIMIT) {
      error = Reason::TrackFeedTooLarge;
      return false;
    }
  }
  const nlohmann::json feed = nlohmann::json::parse(raw, nullptr, false);
  if (feed.is_discarded() || !(feed.is_array() || feed.is_object())) {
    error = Reason::TrackFeedMalformed;
    return false;
  }
  struct Part {
    std::size_t message, order;
    double partNo;
    std::string text;
  };
  std::vector<Part> parts;
  std::vector<std::string> messages;
  const auto add = [&](const nlohmann::json& item) {
    if (!item.is_object()) return true;
    const auto message = item.find("condition_message");
    if (message == item.end()) return true;
    if (!message->is_string()) {
      error = Reason::TrackFeedMessageNotText;
      return false;
    }
    std::string key;
    for (const char* field : {"notam_number_formatted", "accountability_id"})
      if (const auto f = item.find(field); f != item.end() && f->is_string()) {
        key = f->get<std::string>();
        break;
      }
    auto known = std::find(messages.begin(), messages.end(), key);
    if (known == messages.end()) known = messages.insert(messages.end(), key);
    const auto partNo = item.find("part_no");
    const double number = partNo != item.end() && partNo->is_number() ? partNo->get<double>() : 0;
    parts.push_back(
        {static_cast<std::size_t>(known - messages.begin()), parts.size(), number, message->get<std::string>()});
    return true;
  };
  if (feed.is_array()) {
    for (const nlohmann::json& item : feed)
      if (!add(item)) return false;
  } else if (!add(feed)) {
    return false;
  }
  if (parts.empty()) {
    error = Reason::TrackFeedEmpty;
    return false;
  }
  std::stable_sort(parts.begin(), parts.end(), [](const Part& a, const Part& b) {
    if (a.message != b.message) return a.message < b.message;
    return a.partNo < b.partNo;
  });
  for (const Part& p : parts) text += p.text + "\r\n\r\n";
  return true;
}

}  // namespace

Result<TrackModel> readTrackMessage(std::istream& in, std::string_view extension, const TrackStore& store) {
  Result<TrackModel> result;
  TrackModel model;
  // The diagnostic notes go with the result, whoever asked for them.
  const TrackStore noting{store.fixes, store.diagnostics ? &result.problems : nullptr};
  std::string ext = toUpper(extension);
  if (!ext.empty() && ext.front() != '.') ext.insert(0, ".");
  const int first = firstNonBlank(in);
  if (ext == ".JSON" || first == '[' || first == '{') {
    std::string text;
    Reason problem = Reason::None;
    if (!feedText(in, text, problem)) {
      result.problems.push_back({problem});
      result.problems.back().refused = true;
      return result;
    }
    std::istringstream lines(text);
    model.family = readLines(lines, false, model, noting);
  } else {
    model.family = readLines(in, ext == ".HTM" || ext == ".HTML", model, noting);
  }
  result.value = std::move(model);
  return result;
}

}  // namespace korvant
