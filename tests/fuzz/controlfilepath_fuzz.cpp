// KORVANT.CTL read from its file by the start-up steps, then applied.
#include <cstddef>
#include <cstdint>

#include "app/applycontrolfile.h"
#include "app/startup.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvant;
  fuzz::writeFile("KORVANT.CTL", data, size);
  fuzz::SilentBoxes boxes;
  fuzz::ZeroClock clock;
  AppContext app(boxes, clock);
  startUp(app, (fuzz::folder() / "korvant").string(), fuzz::folder().string());
  applyControlFile(app);
  return 0;
}
