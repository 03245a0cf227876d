// KORVANT.CTL: any bytes must read without a crash, and applying the keys
// afterwards must hold up too. Written with two keys of the simulator's,
// it reads back with their values and every other key's as before.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "app/applycontrolfile.h"
#include "app/startup.h"
#include "base/controlfile.h"

namespace {

class SilentBoxes : public korvant::MessageBoxes {
 public:
  void show(std::string_view, std::string_view, korvant::MessageIcon) override {}
};

class ZeroClock : public korvant::Clock {
 public:
  std::time_t now() const override { return 0; }
  long utcOffsetSeconds(std::time_t) const override { return 0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SilentBoxes boxes;
  ZeroClock clock;
  korvant::AppContext app(boxes, clock);
  korvant::seedDefaults(app.settings);
  app.settings.markReadDone();
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  korvant::ControlFile::readLines(app.settings, in);
  korvant::applyControlFile(app);

  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string host = text.substr(0, 16);
  const std::string written = korvant::withControlValues(text, {{"LiveRate", "7"}, {"XPlaneHost", host}});
  korvant::OnceFlags once;
  korvant::Settings back(once), before(once);
  for (korvant::Settings* s : {&back, &before}) s->markReadDone();
  std::istringstream again(written), original(text);
  korvant::ControlFile::readLines(back, again);
  korvant::ControlFile::readLines(before, original);
  if (back.lookup("LiveRate") != "7") std::abort();
  for (const korvant::CtlData& entry : before.entries())
    if (entry.key != "LIVERATE" && entry.key != "XPLANEHOST" && back.lookup(entry.key) != entry.value) std::abort();
  return 0;
}
