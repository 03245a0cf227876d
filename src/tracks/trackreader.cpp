#include "tracks/trackreader.h"

#include <regex>

#include "app/textops.h"

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

class MessageReader {
 public:
  MessageReader(TrackModel& model, const TrackStore& store) : model_(model), store_(store) {}

  void line(std::string line) {
    if (!sameLine_) {
      const auto fls = line.find("TRACKS FLS");
      if (fls != std::string::npos) {
        pending_ = line.substr(fls);
        if (family_ == TrackFamily::None) family_ = TrackFamily::NorthAtlantic;
        const auto inclusive = line.find("INCLUSIVE ");
        if (inclusive == std::string::npos) {
          sameLine_ = true;
          return;
        }
        pending_ = line.substr(0, inclusive == 0 ? 0 : inclusive - 1);
        line = line.substr(inclusive + 10);
        sameLine_ = true;
      }
    }
    if (sameLine_) {
      validity(line);
      return;
    }
    trackLine(std::move(line));
  }

  TrackFamily family() const { return family_; }

 private:
  void validity(const std::string& line) {
    if (contains(line, "1130")) {
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

  void storePacific(const std::string& track) {
    if (storeTrackLine(model_, track, PACIFIC_REFERENCE, store_) && family_ == TrackFamily::None)
      family_ = TrackFamily::Pacific;
  }

  void trackLine(std::string line) {
    if (line.size() < 5 || line.size() > TRACK_LINE_LIMIT) return;
    if (startsWith(line, "NAT ") || startsWith(line, "NAT-")) {
      if (storeTrackLine(model_, line.substr(4), NAT_REFERENCE, store_) && family_ == TrackFamily::None)
        family_ = TrackFamily::NorthAtlantic;
    } else if (startsWith(line, "(TDM TRK ")) {
      storePacific(cleanTdmLine(line.substr(9)));
    } else if (startsWith(line, "TDM TRK ")) {
      storePacific(cleanTdmLine(line.substr(8)));
    } else if (const auto at = line.find("TDM TRK "); at != std::string::npos) {
      storePacific(cleanTdmLine(line.substr(at + 8)));
    } else if (contains(line, "EASTBOUND PACOTS TRACKS") || contains(line, "FLEX ROUTE :") ||
               contains(line, "FLEX RTE :")) {
      std::string track;
      while (splitFlexRoute(line, track)) storePacific(track);
    } else {
      storeTrackLine(model_, line, NAT_REFERENCE, store_);
    }
  }

  TrackModel& model_;
  const TrackStore& store_;
  std::string pending_;
  bool sameLine_ = false;
  bool westSet_ = false, eastSet_ = false;
  TrackFamily family_ = TrackFamily::None;
};

}  // namespace

std::string cleanTdmLine(std::string line) {
  if (const auto rts = line.find("RTS/"); rts != std::string::npos) line.erase(rts == 0 ? 0 : rts - 1);
  if (line.size() < 3) return {};

  const char first = line[0];
  if (first >= 'N' && first <= 'Z') return {};  // letters of the numbered tracks
  std::size_t digits = 0;
  int n = 0;
  while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9' && n < 100000) n = n * 10 + (line[digits++] - '0');
  if (digits > 0) {
    if (n >= 1 && n <= 9) {
      line[0] = static_cast<char>(n + 77);
    } else if (n >= 10 && n <= 13) {
      line[0] = static_cast<char>(n + 77);
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
  if (n == 14) n = 9;
  else if (n == 15) n = 10;
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
  track = std::string(1, static_cast<char>(n + 77)) + " " + after.substr(0, marker);
  rest = after.substr(marker + markerLength);
  return true;
}

TrackFamily readTrackMessage(std::istream& in, std::string_view extension, TrackModel& model,
                             const TrackStore& store) {
  model.clear();
  std::string ext = toUpper(extension);
  if (!ext.empty() && ext.front() != '.') ext.insert(0, ".");
  LineSource source(in, ext == ".HTM" || ext == ".HTML");
  MessageReader reader(model, store);
  for (std::string line; source.next(line);) reader.line(std::move(line));
  return reader.family();
}

}  // namespace korvant
