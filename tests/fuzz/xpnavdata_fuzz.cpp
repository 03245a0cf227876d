// X-Plane and FlightGear navigation data of any bytes, in every layout the
// second line may name: the first byte picks the file (fixes, navaids, fixes
// then airways over them, or a gzipped fix file unpacked within a bound), the
// rest is its text. Every point read lies on the Earth, and lookups and
// airway searches end.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/gunzip.h"
#include "fuzzsupport.h"
#include "navdata/xpnavdata.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvant;
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  XpNavData nav;
  switch (data[0] % 4) {
    case 0: (void)nav.readFixes(text); break;
    case 3: {
      const Gunzipped unpacked = gunzip(text, 1 << 20);
      if (unpacked.bytes.size() > (1u << 20) || (!unpacked.ok && unpacked.reason.empty())) std::abort();
      if (unpacked.ok) (void)nav.readFixes(unpacked.bytes);
      break;
    }
    case 1: (void)nav.readNavaids(text); break;
    default: {
      // Airways need points to join: three files, each ended by its "99" line.
      std::string_view rest = text;
      const auto part = [&] {
        const std::size_t end = rest.find("\n99\n");
        const std::string_view file = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 4);
        rest.remove_prefix(file.size());
        return file;
      };
      (void)nav.readFixes(part());
      (void)nav.readNavaids(part());
      (void)nav.readAirways(part());
    }
  }
  nav.finish();
  for (const XpPoint& p : nav.points())
    if (!std::isfinite(p.position.lat) || std::fabs(p.position.lat) > 9000.001 || std::fabs(p.position.lng) > 18000.001)
      std::abort();
  if (!nav.points().empty()) {
    const std::string name = nav.nameOf(nav.points().front());
    (void)nav.nearest(name, {0, 0});
    for (const XpSegment& s : nav.segments()) {
      (void)nav.airwayPath(nav.airwayName(s), name, nav.nameOf(nav.points()[s.to]), {0, 0});
      break;
    }
  }
  return 0;
}
