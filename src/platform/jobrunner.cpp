#include "platform/jobrunner.h"

#include <utility>

namespace korvant {

JobRunner::JobRunner(QObject* parent) : QObject(parent) {}

JobRunner::~JobRunner() { stopAndWait(); }

void JobRunner::stopAndWait() {
  if (stop_) stop_->store(true);
  if (thread_.joinable()) thread_.join();
}

void JobRunner::start(Job job) {
  stopAndWait();
  stop_ = std::make_shared<std::atomic<bool>>(false);
  const unsigned long generation = ++generation_;
  thread_ = std::thread([this, job = std::move(job), stop = stop_, generation] {
    Finish finish = job(*stop);
    {
      const std::lock_guard<std::mutex> lock(doneMutex_);
      done_ = std::move(finish);
      doneGeneration_ = generation;
    }
    // Posted to this object: dropped with it when the window has gone.
    QMetaObject::invokeMethod(this, "jobDone", Qt::QueuedConnection);
  });
}

void JobRunner::jobDone() {
  Finish finish;
  unsigned long generation = 0;
  {
    // What the job left, handed over under the lock: the event that brings
    // us here carries nothing of it.
    const std::lock_guard<std::mutex> lock(doneMutex_);
    finish = std::move(done_);
    done_ = nullptr;
    generation = doneGeneration_;
  }
  // A job stopped by a newer one was joined by it, and its finish is not wanted.
  if (generation != generation_ || !finish) return;
  if (thread_.joinable()) thread_.join();
  finish();
  emit finished();
}

}  // namespace korvant
