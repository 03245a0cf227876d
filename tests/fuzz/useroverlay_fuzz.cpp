// USER.TXT of any bytes through the real file path, and every line of it as
// a command: positions on the globe, alignment carried, nothing else.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzzsupport.h"
#include "procedures/useroverlayfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvant;
  static UserOverlayFile* file = [] {
    auto* f = new UserOverlayFile;
    f->setPath((fuzz::folder() / "USER.TXT").string());
    return f;
  }();
  fuzz::writeFile("USER.TXT", data, size);
  file->setPath(file->path());  // forget the last parse: the same size and time could hide the change
  const auto overlay = file->overlay();
  if (!overlay) return 0;
  for (std::size_t i = 0; i < overlay->size(); ++i) {
    const OverlayCommand c = overlay->command(i);
    if (c.source.size() > OVERLAY_LINE_LIMIT) std::abort();
    if (!c.bad && (c.op == OverlayOp::Text || c.op == OverlayOp::Arc) &&
        !(std::fabs(c.a.lat) <= 9000 && std::fabs(c.a.lng) <= 18000))
      std::abort();
  }
  return 0;
}
