// The ETOPS keys as KORVANT.CTL or korvant-plot's options give them, one a
// line (EtopsMinutes, EtopsSpeed, EtopsThreshold, EtopsAirports, EtopsRunwayFt,
// EtopsWind), over a NAT crossing: any text must be read, worked out and
// said without a crash or an endless search; an equal-time point found in
// one wind for the whole route has its two times equal.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "app/applycontrolfile.h"
#include "app/context.h"
#include "app/etopsplan.h"
#include "app/routestringcommand.h"
#include "app/startup.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvant;
  if (size > 4096) return 0;  // six values; longer texts add nothing
  fuzz::SilentBoxes boxes;
  fuzz::ZeroClock clock;
  AppContext app(boxes, clock);
  seedDefaults(app.settings);
  app.settings.markReadDone();
  applyControlFile(app);
  if (!showRouteString(app, "52N010W 54N020W 54N030W 53N040W 49N055W").drawn) std::abort();
  const char* keys[] = {"EtopsMinutes", "EtopsSpeed", "EtopsThreshold", "EtopsAirports", "EtopsRunwayFt", "EtopsWind"};
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::string line;
  for (const char* key : keys)
    if (std::getline(in, line)) app.settings.set(key, line, true);
  const std::shared_ptr<const EtopsPicture> picture = shownEtops(app, true);
  if (!picture) return 0;
  if (etopsReportLines(*picture).empty()) std::abort();
  const EtopsPlan& plan = picture->plan;
  if (plan.entry && plan.exit && plan.entry->alongNm > plan.exit->alongNm + 1e-6) std::abort();
  for (const EqualTimePoint& e : plan.etps)
    if (!(std::abs(e.minutesToBefore - e.minutesToAfter) * 60 <= 1)) std::abort();
  return 0;
}
