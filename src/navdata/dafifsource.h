#pragma once
// A DAFIF-layout folder as text, and built from text: the program's own dump
// form, which reads back to the same bytes, and the public CSV layouts the
// sample folder is made from.
//
// Dump form, one block per file:
//   file,DAFA.BIN
//   dafa,EGLL,5128.283...,-27.7...,12799,83,EGLL___,London Heathrow Airport
//                      (ident, the stored doubles, longest runway, number, key, name)
//   file,DAFN.BIN
//   dafn,LON,5129.2...,-28.0...,HA
//   file,RWY0.TXT
//   text,EGLL___ 09L 27R N5128.65 W00029.10 N5128.65 W00026.00   (a text file's line)
//
// Public layouts, told apart by their header lines: airports
// "name,lat,lon,kind,area,iata,...", runways "airport_ident,length_ft,...",
// navaids "name,lat,lon,kind,area,freq_khz,...", waypoints
// "name,lat,lon,kind,region,...", and the made-up ATS routes and ORTCA values
// "record,name,level,lat,lon": rows "airway,UL9,H,51.98,-5.04" (consecutive
// rows of one airway are its points) and "ortca,1,50.5,-10.5,45" (quadrangle
// size, centre, hundreds of feet).
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "base/problem.h"

namespace korvant {

// File name (DAFA.BIN, WPTN.TXT, ...) to its bytes.
using DafifFolder = std::map<std::string, std::string>;

std::string dumpDafifFolder(const DafifFolder& folder);

class DafifFolderBuilder {
 public:
  DafifFolderBuilder();
  ~DafifFolderBuilder();
  DafifFolderBuilder(const DafifFolderBuilder&) = delete;
  DafifFolderBuilder& operator=(const DafifFolderBuilder&) = delete;

  // The line that cannot be read and why; empty when the text was read.
  Problems add(std::string_view text);
  DafifFolder finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace korvant
