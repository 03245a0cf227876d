#include "platform/framelog.h"

#include <cstdlib>

namespace korvant {

FrameLog::FrameLog() {
  if (const char* path = std::getenv("KORVANT_FRAME_LOG"); path && *path) file_.reset(std::fopen(path, "a"));
}

void FrameLog::write(double milliseconds, const char* kind) {
  if (!file_) return;
  std::fprintf(file_.get(), "%.3f %s\n", milliseconds, kind);
  // Each line at once: the window may be killed rather than closed.
  std::fflush(file_.get());
}

}  // namespace korvant
