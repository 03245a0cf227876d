#include "base/csvfields.h"

namespace korvant {

std::vector<std::string> splitCsv(std::string_view line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else if (c != '\r') {
      fields.back() += c;
    }
  }
  return fields;
}

std::string escapeCsvField(std::string_view text) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7f && c != ',' && c != '"' && c != '\\') {
      out += c;
    } else {
      out += "\\x";
      out += hex[u >> 4];
      out += hex[u & 15];
    }
  }
  return out;
}

bool unescapeCsvField(std::string_view text, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    unsigned value = 0;
    if (i + 3 >= text.size() || text[i + 1] != 'x') return false;
    const auto [ptr, ec] = std::from_chars(text.data() + i + 2, text.data() + i + 4, value, 16);
    if (ec != std::errc() || ptr != text.data() + i + 4) return false;
    out += static_cast<char>(value);
    i += 3;
  }
  return true;
}

}  // namespace korvant
