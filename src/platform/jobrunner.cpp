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
    // Posted to this object: dropped with it when the window has gone.
    QMetaObject::invokeMethod(
        this,
        [this, finish = std::move(finish), generation] {
          if (generation != generation_) return;  // a newer job has stopped and joined this one
          // The join orders everything the job wrote before its finish.
          if (thread_.joinable()) thread_.join();
          if (finish) finish();
          emit finished();
        },
        Qt::QueuedConnection);
  });
}

}  // namespace korvant
