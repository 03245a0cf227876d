// KORVANT.CTL: any bytes must read without a crash, and applying the keys
// afterwards must hold up too.
#include <cstddef>
#include <cstdint>
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
  return 0;
}
