// The trail file as it may be found in the work folder: read, written again
// and read back to the same points; its GPX is XML that pugixml reads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <pugixml.hpp>
#include <string_view>

#include "flight/flighttrail.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const korvant::Result<korvant::FlightTrail> read =
      korvant::readTrailText(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!read.value || read.value->points().size() > korvant::FlightTrail::MOST_POINTS) std::abort();
  const korvant::Result<korvant::FlightTrail> again = korvant::readTrailText(korvant::trailText(*read.value));
  if (!again.problems.empty() || again.value->points().size() != read.value->points().size()) std::abort();
  pugi::xml_document gpx;
  if (!gpx.load_string(korvant::trailGpx(*read.value, "TRAIL").c_str())) std::abort();
  return 0;
}
