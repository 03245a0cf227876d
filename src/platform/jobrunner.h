#pragma once
// The window's work off its thread: one job at a time on a thread of its
// own, its finish back on the window's thread through the event loop.
#include <QObject>
#include <memory>
#include <mutex>
#include <thread>

#include "app/backgroundjobs.h"

namespace korvant {

class JobRunner : public QObject, public BackgroundJobs {
  Q_OBJECT
 public:
  explicit JobRunner(QObject* parent = nullptr);
  // Stops the job running and waits for it: what it would hand back is dropped.
  ~JobRunner() override;

  void start(Job job) override;

 signals:
  // A job's finish has been done, on this object's thread.
  void finished();

 private:
  void stopAndWait();
  Q_INVOKABLE void jobDone();

  std::thread thread_;
  std::shared_ptr<std::atomic<bool>> stop_;
  unsigned long generation_ = 0;  // of the newest job: an older one's finish is not done
  // What the last job to end handed back, and which job it was.
  std::mutex doneMutex_;
  Finish done_;
  unsigned long doneGeneration_ = 0;
};

}  // namespace korvant
