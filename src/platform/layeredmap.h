#pragma once
// The window's map kept as two images, the stages under the map tools' lines
// and over them. Each is painted again only when its key changes, the two on
// both cores at once; a repaint that changes only the tools' lines blits the
// images and draws those lines between them.
#include <QImage>
#include <QPainter>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "map/mappainter.h"
#include "map/paintkey.h"
#include "platform/qtcanvas.h"

namespace korvant {

// One thread that runs jobs one at a time. Qt keeps font engines per thread,
// and laid-out texts keep their engine: the stage painted here must always be
// painted on the same thread.
class StageThread {
 public:
  StageThread();
  ~StageThread();
  StageThread(const StageThread&) = delete;
  StageThread& operator=(const StageThread&) = delete;
  void start(std::function<void()> job);
  void wait();

 private:
  void run();
  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> job_;
  bool busy_ = false, stopping_ = false;
  std::thread thread_;
};

class LayeredMap {
 public:
  // Paints the whole map onto `painter`, whose device is `target` (the window).
  PaintResult paint(QPainter& painter, const QPaintDevice& target, const PaintInput& input);

  // Stage images painted so far; tests watch it.
  int stagesPainted() const { return stagesPainted_; }
  // Paint the two kept stages one after the other, for tests and benchmarks.
  void setParallel(bool parallel) { parallel_ = parallel; }
  // Forget both images.
  void invalidate();

 private:
  struct Kept {
    QImage image;
    std::optional<PaintKey> key;
    QtTextCache texts;  // used only by the thread that paints this stage
  };
  static void prepareImage(Kept& kept, PaintStage stage, const PaintKey& key);
  static MapRecording recordStage(Kept& kept, PaintStage stage, const PaintInput& input, const PaintKey& key);
  void paintStage(Kept& kept, PaintStage stage, const PaintInput& input, const PaintKey& key,
                  const MapRecording* recording);

  Kept below_, above_;
  StageThread aboveThread_;  // paints the Above stage, always
  PaintResult result_;
  int stagesPainted_ = 0;
  bool parallel_ = true;
};

}  // namespace korvant
