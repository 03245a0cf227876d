#pragma once
// The window's map kept as two images, the stages under the map tools' lines
// and over them. Each is painted again only when its key changes, the two on
// both cores at once; a repaint that changes only the tools' lines blits the
// images and draws those lines between them. While the hand moves the map,
// the kept images are shown moved and scaled at once and the full paint runs
// in the background, replacing them when done.
#include <QImage>
#include <QPainter>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "map/mapframe.h"
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
  LayeredMap();
  ~LayeredMap();
  LayeredMap(const LayeredMap&) = delete;
  LayeredMap& operator=(const LayeredMap&) = delete;

  // Paints the whole map onto `painter`, whose device is `target` (the
  // window), painting the stages whose key changed first.
  PaintResult paint(QPainter& painter, const QPaintDevice& target, const MapFrame& frame);

  // Both stages are kept from an earlier paint.
  bool hasFrame() const { return below_.key && above_.key; }
  // The kept images are those `frame` paints on `target`.
  bool isCurrent(const MapFrame& frame, const QPaintDevice& target) const;
  // The kept images (and the tools' lines as they lay on them) moved and
  // scaled to where `frame`'s view puts them; the position under the anchor
  // point lies exactly where the view puts it.
  void paintMoved(QPainter& painter, const QPaintDevice& target, const MapFrame& frame, double anchorX, double anchorY);
  // What moves (the aircraft, its trail) over the map where `dirty` asks,
  // on the window's thread: never kept, drawn at every frame.
  void paintMoving(QPainter& painter, const QPaintDevice& target, const MapFrame& frame, const QRect& dirty);
  // Starts painting `frame` in the background; `done` is called on the
  // painting thread when it ends. A paint already running for another view
  // is asked to stop, and this one is not started: start again after `done`.
  // The paint holds its copy of the frame until adopt(), which lets it go
  // on the calling thread: the one that changes the data sets it shares.
  void paintInBackground(const MapFrame& frame, const QPaintDevice& target, std::function<void()> done);
  // Waits for a background paint, if one runs, and keeps what it finished:
  // true when the kept images changed.
  bool adopt();
  bool painting() const { return job_ != nullptr; }

  // Stage images painted so far; tests watch it.
  int stagesPainted() const { return stagesPainted_; }
  // How many threads paint (at least one; by default the cores, two to
  // eight). The stages are
  // recorded on the first two; decluttered, each thread then draws a band of
  // rows of both stages from the recording. Set before the first paint.
  void setThreads(int threads);
  int threads() const { return static_cast<int>(workers_.size()); }
  // Forget both images.
  void invalidate();

 private:
  struct Kept {
    QImage image;                 // shown
    QImage next;                  // painted into, shown once done
    std::optional<PaintKey> key;  // of `image`
  };
  // A painting thread with the texts it laid out, used by it alone.
  struct Worker {
    StageThread thread;
    QtTextCache texts;
  };
  struct Job {
    MapFrame frame;  // the paint's own, so that the window's may move on
    std::atomic<bool> stop{false};
    PaintKey belowKey, aboveKey;
    bool paintBelow = false, paintAbove = false;
    PaintResult result;
    bool compose = false;  // both stages in one image too, for moved frames
    bool finished = false;
  };
  struct Keys {
    PaintKey below, above;
  };
  static Keys keysFor(const MapFrame& frame, const QPaintDevice& target);
  static void prepareImage(QImage& image, PaintStage stage, const PaintKey& key);
  static MapRecording recordStage(Kept& kept, QtTextCache& texts, PaintStage stage, const MapFrame& frame,
                                  const PaintKey& key);
  // Rows top to bottom (device-independent) of a stage's next image, whose
  // pixels start at `pixels`.
  static PaintResult paintRows(const Kept& kept, uchar* pixels, QtTextCache& texts, PaintStage stage,
                               const MapFrame& frame, const PaintKey& key, const MapRecording* recording, int top,
                               int bottom);
  // Runs job(i) for each worker i on its thread, the first on this one, and waits.
  void onEveryWorker(const std::function<void(int)>& job, int count);
  // Everything the job reads is set before the painting thread has it.
  void start(const MapFrame& frame, Keys keys, std::function<void()> done, bool compose = false);
  void run(Job& job);  // on the first worker
  void compose(QPainter& painter, const MapFrame& frame, int width, int height);
  // The two kept stages in one image, as a moved frame shows them.
  static void composeStages(QImage& into, const QImage& below, const QImage& above);

  Kept below_, above_;
  std::vector<std::unique_ptr<Worker>> workers_;
  std::unique_ptr<Job> job_;
  QImage composed_, composedNext_;  // the stages in one image: of the kept ones, of the job's
  bool composedKept_ = false;       // composed_ is of the kept images
  PaintResult result_;
  int stagesPainted_ = 0;
  QtTextCache movingTexts_;  // the aircraft's tag, laid out on the window's thread
};

}  // namespace korvant
