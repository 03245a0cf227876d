#pragma once
// A PS1-layout folder as text, and built from text: the program's own dump
// form, which reads back to the same bytes, and the public CSV layouts the
// sample folder is made from.
//
// Dump form, one block per file, positions as the records hold them (whole
// degrees and tenths of minutes):
//   file,747WPT.DAT
//   waypoint,AACEZ,34,331,-73,-598
//   file,747NAM.STA
//   station,YQX,48,567,-54,-340
//   file,747NAM.APT
//   airport,CYQX,48,567,-54,-340,496
//   runway,48,563,-54,-343,37,8900,0,0      (heading, length, flags23, flags25)
//
// Public layouts, told apart by their header lines: waypoints
// "name,lat,lon,kind,..." with kind waypoint, navaids "name,lat,lon,kind,area,
// freq_khz,...", airports "name,lat,lon,kind,area,iata,...", runways
// "airport_ident,length_ft,...". Decimal degrees, north and east positive.
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "base/problem.h"

namespace korvant {

// File name (747WPT.DAT, 747NAM.STA, ...) to its bytes.
using SimFolder = std::map<std::string, std::string>;

// The region file a station or airport at this position goes to: NPO, NAM,
// SAM, EUR, AFR, ASI or SPA.
const char* simRegionOf(double latDegrees, double lonDegrees);

std::string dumpSimFolder(const SimFolder& folder);

// Builds a folder from source texts of either form, in the order given; the
// airports are written with their runways when the folder is finished.
class SimFolderBuilder {
 public:
  SimFolderBuilder();
  ~SimFolderBuilder();
  SimFolderBuilder(const SimFolderBuilder&) = delete;
  SimFolderBuilder& operator=(const SimFolderBuilder&) = delete;

  // The line that cannot be read and why; empty when the text was read.
  Problems add(std::string_view text);
  SimFolder finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace korvant
