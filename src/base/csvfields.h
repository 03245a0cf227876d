#pragma once
// The comma-separated text the builders read and the dumps write: one line
// split into fields, whole fields read as numbers, and fields escaped so that
// any bytes survive a dump and read back.
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

namespace korvant {

// A field in double quotes may hold commas and "" for a quote; '\r' is dropped.
std::vector<std::string> splitCsv(std::string_view line);

// The whole field as a number, nothing else in it.
template <typename T>
bool csvNumber(const std::string& text, T& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

// Printable ASCII as it stands; anything else, and the comma, quote and
// backslash, as \xHH.
std::string escapeCsvField(std::string_view text);
// False when a backslash does not start \xHH.
bool unescapeCsvField(std::string_view text, std::string& out);

}  // namespace korvant
