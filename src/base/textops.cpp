#include "base/textops.h"

#include <charconv>
#include <climits>

namespace korvant {

void trimLeadingBlanks(std::string& text) {
  const auto first = text.find_first_not_of(' ');
  text.erase(0, first == std::string::npos ? text.size() : first);
}

void cutAtLineEnd(std::string& text) {
  const auto end = text.find_first_of("\r\n");
  if (end != std::string::npos) text.erase(end);
}

std::string nextWord(std::string& text) {
  trimLeadingBlanks(text);
  const auto wordEnd = text.find_first_of(" \t\n");
  if (wordEnd == std::string::npos) {
    std::string word = std::move(text);
    text.clear();
    return word;
  }
  std::string word = text.substr(0, wordEnd);
  const auto rest = text.find_first_not_of(" \t\n", wordEnd);
  text.erase(0, rest == std::string::npos ? text.size() : rest);
  return word;
}

std::string toUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

long readLeadingInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    if (value > (LONG_MAX - digit) / 10) {
      value = LONG_MAX;
      break;
    }
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

std::optional<double> numberInRange(std::string_view text, double low, double high) {
  const std::size_t begin = text.find_first_not_of(" \t"), end = text.find_last_not_of(" \t");
  if (begin == std::string_view::npos) return std::nullopt;
  text = text.substr(begin, end + 1 - begin);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  double value = 0;
  const auto [stop, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || stop != text.data() + text.size() || !(value >= low && value <= high)) return std::nullopt;
  return value;
}

bool isSwitchOn(std::string_view value) { return !value.empty() && value.front() != '0'; }

std::string fileExtension(std::string_view path) {
  const auto slash = path.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const auto dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return {};
  return toUpper(name.substr(dot + 1));
}

std::vector<std::string> textLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

}  // namespace korvant
