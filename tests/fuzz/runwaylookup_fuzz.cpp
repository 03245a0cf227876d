// The runway lookup over an airport file of any bytes: the first four bytes
// name the airport, the fifth the runway and suffix, the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzzsupport.h"
#include "navdata/runwaycoords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvant;
  if (size < 5) return 0;
  fuzz::writeFile("747NAM.APT", data + 5, size - 5);
  static SimFiles files;
  files.setFolders(fuzz::folder().string() + "/", fuzz::folder().string() + "/");
  const std::string airport(reinterpret_cast<const char*>(data), 4);
  const int number = data[4] % 40;
  const auto suffix = static_cast<RunwaySuffix>((data[4] / 40) % 4);
  (void)getRunwayCoords(files, airport, number, suffix);
  (void)files.findSimAirport(airport);
  return 0;
}
