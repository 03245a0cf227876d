#pragma once
// Work the window does off its own thread, so that it never stops answering
// the pilot. The core hands the job over and the platform runs it; without
// a runner (korvant-plot) the core works synchronously.
#include <atomic>
#include <functional>

namespace korvant {

class BackgroundJobs {
 public:
  // What a job hands back to be done on the window's thread with its
  // result; empty when there is nothing to do (it was stopped).
  using Finish = std::function<void()>;
  using Job = std::function<Finish(const std::atomic<bool>& stop)>;

  virtual ~BackgroundJobs() = default;
  // Runs `job` on another thread, then its finish on the window's thread.
  // A job still running is stopped first: only the newest is wanted.
  virtual void start(Job job) = 0;
};

}  // namespace korvant
