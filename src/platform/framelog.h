#pragma once
// The frame-time probe: with KORVANT_FRAME_LOG=FILE in the environment, the
// window appends a line per shown frame, "<milliseconds> <kind>", where the
// kind is "full" (the map painted for the view shown), "moved" (the kept
// images moved or scaled while the full paint runs) or "tools" (the kept
// images with the tools' lines drawn again).
#include <chrono>
#include <cstdio>
#include <memory>

namespace korvant {

class FrameLog {
 public:
  // Opens the file the environment names, if any.
  FrameLog();
  // Appends to `path` from now on.
  void open(const char* path) { file_.reset(std::fopen(path, "a")); }
  bool active() const { return file_ != nullptr; }
  void write(double milliseconds, const char* kind);

 private:
  struct Close {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Close> file_;
};

// Times one frame from its construction to write().
class FrameTimer {
 public:
  double elapsedMilliseconds() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace korvant
