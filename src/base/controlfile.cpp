#include "base/controlfile.h"

#include <algorithm>
#include <sstream>

#include "base/datafile.h"
#include "base/filereader.h"
#include "base/textops.h"

namespace korvant {

namespace {

// One line without its terminator; false at the end of the input.
bool nextLine(std::istream& in, std::string& line) {
  line.clear();
  std::streambuf* buf = in.rdbuf();
  if (!buf) return false;
  bool any = false;
  for (;;) {
    const int c = buf->sbumpc();
    if (c == std::char_traits<char>::eof()) return any;
    any = true;
    if (c == '\n') return true;
    if (c == '\r') {
      if (buf->sgetc() == '\n') buf->sbumpc();
      return true;
    }
    line.push_back(static_cast<char>(c));
  }
}

void storeLine(Settings& settings, std::string line) {
  if (line.empty() || line.front() == ';' || line.front() == '#') return;
  trimLeadingBlanks(line);
  const std::string key = nextWord(line);
  if (key.empty()) return;  // blanks only, or a tab where the key should be
  bool upcase = false;
  settings.lookupEntry(key, upcase);
  settings.set(key, line, upcase);
}

}  // namespace

void ControlFile::readLines(Settings& settings, std::istream& in) {
  std::string line;
  while (nextLine(in, line)) storeLine(settings, std::move(line));
}

bool ControlFile::read(Settings& settings, OnceFlags& once, const std::string& path, Problems* report) {
  if (settings.readDone()) return false;
  settings.markReadDone();
  // A folder, a read error or an endless device count as a missing file.
  const FileRead file = readWholeFile(resolveCaseInsensitive(path), CONTROL_FILE_LIMIT);
  if (!file.ok()) {
    if (report && !once.controlFileOpen) {
      once.controlFileOpen = true;
      report->push_back({Reason::ControlFileMissing, path});
    }
    return false;
  }
  std::istringstream in(file.bytes);
  readLines(settings, in);
  return true;
}

std::string withControlValues(std::string_view text, const std::vector<ControlValue>& values) {
  std::string out;
  out.reserve(text.size() + 64 * values.size());
  const std::string_view ending = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    // LF, CR LF and a lone CR end a line, as the reader takes them.
    std::size_t next = end;
    if (next < text.size()) next += text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
    std::string line(text.substr(start, end - start));
    trimLeadingBlanks(line);
    const std::string key = line.empty() || line.front() == ';' || line.front() == '#' ? "" : toUpper(nextWord(line));
    const bool replaced = !key.empty() && std::any_of(values.begin(), values.end(),
                                                      [&](const ControlValue& v) { return toUpper(v.key) == key; });
    if (!replaced) out.append(text.substr(start, next - start));
    start = next;
  }
  if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += ending;
  for (const ControlValue& v : values) {
    std::string value = v.value;
    std::replace_if(
        value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    out += v.key + " " + value;
    out += ending;
  }
  return out;
}

}  // namespace korvant
