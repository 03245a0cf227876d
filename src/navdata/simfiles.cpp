#include "navdata/simfiles.h"

#include "base/datafile.h"

namespace korvant {

void SimFiles::setFolders(std::string ps12, std::string ps13) {
  std::lock_guard lock(mutex_);
  ps12_ = std::move(ps12);
  ps13_ = std::move(ps13);
  files_.clear();
}

std::string SimFiles::waypointPath() const { return resolveCaseInsensitive(joinFolder(ps12_, "747WPT.DAT")); }

std::string SimFiles::stationPath(const char* region) const {
  return resolveCaseInsensitive(joinFolder(ps12_, std::string("747") + region + ".STA"));
}

std::string SimFiles::airportPath(const char* region, bool ps13) const {
  return resolveCaseInsensitive(joinFolder(ps13 ? ps13_ : ps12_, std::string("747") + region + ".APT"));
}

std::shared_ptr<const std::vector<SimPoint>> SimFiles::waypoints() const {
  return files_.decoded<std::vector<SimPoint>>(waypointPath(), "waypoints", readSimWaypoints);
}

std::shared_ptr<const std::vector<SimPoint>> SimFiles::stations(const char* region) const {
  return files_.decoded<std::vector<SimPoint>>(stationPath(region), "stations", readSimStations);
}

std::shared_ptr<const std::vector<SimPoint>> SimFiles::airports(const char* region) const {
  return files_.decoded<std::vector<SimPoint>>(airportPath(region), "airports", [](std::string_view bytes) {
    std::vector<SimPoint> airports;
    for (const SimAirportRecord& r : readSimAirports(bytes))
      if (!r.runway) airports.push_back({r.ident, r.position});
    return airports;
  });
}

std::shared_ptr<const std::vector<SimAirportRecord>> SimFiles::airportRecords(const char* region, bool ps13) const {
  return files_.decoded<std::vector<SimAirportRecord>>(
      airportPath(region, ps13), "airport records",
      [](std::string_view bytes) { return readSimAirports(bytes, SIZE_MAX); });
}

std::string SimFiles::signature() const {
  std::string text;
  const auto add = [&](const std::string& path) { text += stampText(path); };
  add(waypointPath());
  for (const char* region : SIM_DRAW_REGIONS) {
    add(stationPath(region));
    add(airportPath(region));
  }
  return text;
}

std::optional<LatLng> SimFiles::findSimAirport(const std::string& ident) const {
  for (const char* region : SIM_FIND_REGIONS) {
    const auto records = airportRecords(region, false);
    if (!records) continue;
    for (const SimAirportRecord& r : *records)
      if (!r.runway && r.ident == ident) return r.position;
  }
  return std::nullopt;
}

std::optional<SimAirport> SimFiles::seekSimAirport(const std::string& ident) const {
  for (const char* region : SIM_SEEK_REGIONS) {
    const auto file = airportRecords(region, true);
    if (!file) continue;
    const std::vector<SimAirportRecord>& records = *file;
    for (std::size_t i = 0; i < records.size(); ++i) {
      if (records[i].ident != ident) continue;
      SimAirport found{records[i], {}, false};
      std::size_t j = i + 1;
      for (; j < records.size() && records[j].runway; ++j) found.runways.push_back(records[j]);
      found.lastInFile = j == records.size();
      return found;
    }
  }
  return std::nullopt;
}

}  // namespace korvant
