#include "platform/layeredmap.h"

#include <cmath>

#include "platform/vectorstate.h"

namespace korvant {

StageThread::StageThread() : thread_([this] { run(); }) {}

StageThread::~StageThread() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void StageThread::start(std::function<void()> job) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
  job_ = std::move(job);
  busy_ = true;
  changed_.notify_all();
}

void StageThread::wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
}

void StageThread::run() {
  for (;;) {
    std::function<void()> job;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return busy_ || stopping_; });
      if (stopping_ && !busy_) return;
      job = std::move(job_);
    }
    job();
    {
      std::lock_guard lock(mutex_);
      busy_ = false;
    }
    changed_.notify_all();
  }
}

void LayeredMap::invalidate() {
  below_.key.reset();
  above_.key.reset();
}

void LayeredMap::prepareImage(Kept& kept, PaintStage stage, const PaintKey& key) {
  const QSize pixels(static_cast<int>(std::lround(key.width * key.devicePixelRatio)),
                     static_cast<int>(std::lround(key.height * key.devicePixelRatio)));
  // Under the tools' lines the map is opaque; over them it is drawn on a clear ground.
  const QImage::Format format = stage == PaintStage::Below ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
  if (kept.image.size() != pixels || kept.image.format() != format) kept.image = QImage(pixels, format);
  kept.image.setDevicePixelRatio(key.devicePixelRatio);
  const int dotsPerMeter = static_cast<int>(std::lround(key.dpi / 0.0254));
  kept.image.setDotsPerMeterX(dotsPerMeter);
  kept.image.setDotsPerMeterY(dotsPerMeter);
}

MapRecording LayeredMap::recordStage(Kept& kept, PaintStage stage, const PaintInput& input, const PaintKey& key) {
  prepareImage(kept, stage, key);
  QPainter painter(&kept.image);
  QtMapCanvas canvas(painter, &kept.texts);
  return MapPainter(input, canvas).recordStage({.width = key.width, .height = key.height, .printing = false}, stage);
}

void LayeredMap::paintStage(Kept& kept, PaintStage stage, const PaintInput& input, const PaintKey& key,
                            const MapRecording* recording) {
  prepareImage(kept, stage, key);
  if (stage == PaintStage::Above) kept.image.fill(Qt::transparent);
  {
    QPainter painter(&kept.image);
    QtMapCanvas canvas(painter, &kept.texts);
    const PaintResult result =
        MapPainter(input, canvas)
            .paintStage({.width = key.width, .height = key.height, .printing = false}, stage, recording);
    if (stage == PaintStage::Below) result_ = result;
  }
  clearUpperVectorState();
  kept.key = key;
}

PaintResult LayeredMap::paint(QPainter& painter, const QPaintDevice& target, const PaintInput& input) {
  const int width = target.width(), height = target.height();
  const double ratio = target.devicePixelRatioF();
  const int dpi = target.logicalDpiY();
  const PaintKey belowKey = paintKey(input, PaintStage::Below, width, height, ratio, dpi);
  const PaintKey aboveKey = paintKey(input, PaintStage::Above, width, height, ratio, dpi);
  const bool paintBelow = below_.key != belowKey, paintAbove = above_.key != aboveKey;
  // Decluttered, each stage is recorded on its own thread, the labels of
  // both are planned here, and each stage is drawn from the recording.
  std::optional<MapRecording> recording;
  if (input.switches.declutter && (paintBelow || paintAbove)) {
    MapRecording above;
    const auto recordAbove = [&] { above = recordStage(above_, PaintStage::Above, input, aboveKey); };
    if (parallel_) aboveThread_.start(recordAbove);
    MapRecording below = recordStage(below_, PaintStage::Below, input, belowKey);
    if (!parallel_) aboveThread_.start(recordAbove);
    aboveThread_.wait();
    recording = combineRecordings(std::move(below), std::move(above), width, height);
  }
  const MapRecording* recorded = recording ? &*recording : nullptr;
  const auto above = [&] { paintStage(above_, PaintStage::Above, input, aboveKey, recorded); };
  if (paintAbove && parallel_) aboveThread_.start(above);
  if (paintBelow) paintStage(below_, PaintStage::Below, input, belowKey, recorded);
  if (paintAbove && !parallel_) aboveThread_.start(above);
  aboveThread_.wait();
  stagesPainted_ += int(paintBelow) + int(paintAbove);

  painter.drawImage(0, 0, below_.image);
  {
    QtMapCanvas canvas(painter);
    MapPainter(input, canvas).paintStage({.width = width, .height = height, .printing = false}, PaintStage::Overlay);
  }
  painter.drawImage(0, 0, above_.image);
  clearUpperVectorState();
  return result_;
}

}  // namespace korvant
