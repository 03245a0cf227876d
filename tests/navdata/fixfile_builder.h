#pragma once
// Builds small fix files for tests.
#include <vector>

#include "navdata/fixfile.h"

namespace korvant::test {

inline Fix makeFix(const char* name, double lat, double lng, std::uint8_t kind = 0) {
  return Fix{name, kind, LatLng{lat, lng}};
}

inline std::vector<std::uint8_t> fixFileBytes(FixFileContents contents) {
  if (!contents.preamble) contents.preamble = "test fix file\r\n";
  return writeFixFile(contents);
}

}  // namespace korvant::test
