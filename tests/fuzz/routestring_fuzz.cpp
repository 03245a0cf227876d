// A route string pasted by the user, against stored tracks whose fixes
// include namesakes, positions and the antimeridian.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzzsupport.h"
#include "navdata/fixfile.h"
#include "procedures/routestring.h"
#include "procedures/routestringreport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvant;
  static const FixStore* fixes = [] {
    FixFileContents c;
    c.fixes = {{"MALOT", 0, {5300, -1500}}, {"KJFK", 1, {4038.4, -7346.7}}, {"EGLL", 1, {5128.2, -27.7}},
               {"TWIN", 0, {5000, -3000}},  {"TWIN", 0, {-3000, 15000}},    {"NAT", 2, {-546, -3518}}};
    c.aliases = {{"OLD", "MALOT"}, {"LOOP", "LOOP"}};
    auto* store = new FixStore;
    store->loadBytes(writeFixFile(c));
    return store;
  }();
  static const TrackSets* tracks = [] {
    auto* sets = new TrackSets;
    TrackModel* model = &sets->of(TrackFamily::NorthAtlantic);
    const TrackStore store{*fixes};
    storeTrackLine(*model, "A MALOT 53/20 52/30 TWIN 49/50", NAT_REFERENCE, store);
    storeTrackLine(*model, "S 49/50 50/40 51/30 OLD", NAT_REFERENCE, store);
    storeTrackLine(*model, "Z 4030N 4130N 44N180E 45N170W", NAT_REFERENCE, store);
    return sets;
  }();
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const RouteStringRead route = readRouteString(text, *tracks, *fixes);
  const std::string report = routeStringReport(route);
  return report.empty() ? 1 : 0;
}
