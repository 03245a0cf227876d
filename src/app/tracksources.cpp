#include "app/tracksources.h"

#include <array>

#include "base/textops.h"

namespace korvant {

std::vector<TrackSource> trackSources(Settings& settings) {
  constexpr std::array<std::pair<std::string_view, std::string_view>, 3> kFamilies{
      {{"nat", "NatTrackUrl"}, {"pacots", "PacotsTrackUrl"}, {"ausots", "AusotsTrackUrl"}}};
  std::vector<TrackSource> sources;
  for (const auto& [family, key] : kFamilies) {
    std::string url = settings.lookup(key);
    trimLeadingBlanks(url);
    while (!url.empty() && (url.back() == ' ' || url.back() == '\t')) url.pop_back();
    sources.push_back({family, key, std::move(url)});
  }
  return sources;
}

FetchLimits fetchLimits(Settings& settings) {
  FetchLimits limits;
  const auto seconds = [&](std::string_view key, int fallback) {
    const long value = readLeadingInt(settings.lookup(key));
    return value > 0 && value <= 3600 ? static_cast<int>(value) : fallback;
  };
  limits.connectSeconds = seconds("TrackConnectTimeout", limits.connectSeconds);
  limits.transferSeconds = seconds("TrackTransferTimeout", limits.transferSeconds);
  return limits;
}

bool isWebAddress(std::string_view text) {
  const std::string upper = toUpper(text.substr(0, 8));
  return upper.starts_with("HTTP://") || upper.starts_with("HTTPS://");
}

std::string_view trackMessageExtension(std::string_view bytes) {
  const std::size_t first = bytes.find_first_not_of(" \t\r\n");
  const char lead = first == std::string_view::npos ? ' ' : bytes[first];
  return lead == '[' || lead == '{' ? ".json" : lead == '<' ? ".html" : ".txt";
}

std::string fetchedTrackFileName(std::string_view family, std::time_t when, std::string_view bytes) {
  std::tm utc{};
  gmtime_r(&when, &utc);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%MZ", &utc);
  return std::string(family) + "-" + stamp + std::string(trackMessageExtension(bytes));
}

}  // namespace korvant
