#pragma once
// The PS1 simulator's data files as the program reads them: the waypoint,
// station and airport files of the two configured folders, found by name
// case-insensitively, and kept in memory keyed on path, size and
// modification time, so that a file changed, replaced or removed on disk
// shows at the next paint while an unchanged one is not read again. Safe to
// share between the threads of a paint.
#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/filecache.h"
#include "navdata/simrecords.h"

namespace korvant {

// The seven regions in drawing order, and the airport search orders.
inline constexpr std::array<const char*, 7> SIM_DRAW_REGIONS = {"NPO", "NAM", "SAM", "EUR", "AFR", "ASI", "SPA"};
inline constexpr std::array<const char*, 7> SIM_FIND_REGIONS = {"NAM", "NPO", "EUR", "SAM", "AFR", "ASI", "SPA"};
inline constexpr std::array<const char*, 8> SIM_SEEK_REGIONS = {"NAM", "EUR", "SAM", "AFR", "ASI", "SPA", "NPO", "SPO"};

// The airport record and its runways, as seekSimAirport finds them.
struct SimAirport {
  SimAirportRecord airport;
  std::vector<SimAirportRecord> runways;
  // The file ended right after the runways (no next airport record).
  bool lastInFile = false;
};

class SimFiles {
 public:
  // PS12DIR (waypoints, stations, findSimAirport) and PS13DIR (airports,
  // seekSimAirport); each ends in a separator.
  void setFolders(std::string ps12, std::string ps13);
  const std::string& ps12() const { return ps12_; }
  const std::string& ps13() const { return ps13_; }

  std::string waypointPath() const;
  std::string stationPath(const char* region) const;
  std::string airportPath(const char* region, bool ps13 = true) const;

  // The files' records, decoded once while the file stays as it is; null
  // when it cannot be read. The layers' airports are the airport records
  // (no runways) within the record limit.
  std::shared_ptr<const std::vector<SimPoint>> waypoints() const;
  std::shared_ptr<const std::vector<SimPoint>> stations(const char* region) const;
  std::shared_ptr<const std::vector<SimPoint>> airports(const char* region) const;
  // Size and modification time of every file the layers read, as one text:
  // it changes when any of them changes on disk.
  std::string signature() const;

  // The first airport of that identifier in the PS12DIR files.
  std::optional<LatLng> findSimAirport(const std::string& ident) const;
  // The airport and its runways from the PS13DIR files.
  std::optional<SimAirport> seekSimAirport(const std::string& ident) const;

 private:
  // Every record of an airport file, for the searches.
  std::shared_ptr<const std::vector<SimAirportRecord>> airportRecords(const char* region, bool ps13) const;

  std::string ps12_, ps13_;
  mutable std::mutex mutex_;
  // Far beyond any PS1 file; bounds what a wrong file can cost.
  FileCache files_{64u << 20};
};

}  // namespace korvant
