#include "platform/layeredmap.h"

#include <QRegion>
#include <algorithm>
#include <cmath>

#include "map/framemotion.h"
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

LayeredMap::LayeredMap() { setThreads(static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 2u, 8u))); }

LayeredMap::~LayeredMap() {
  // The job refers to this map: it ends before the threads and images go.
  if (job_) job_->stop = true;
  workers_.front()->thread.wait();
}

void LayeredMap::setThreads(int threads) {
  if (job_) return;
  workers_.resize(static_cast<std::size_t>(std::max(1, threads)));
  for (auto& worker : workers_)
    if (!worker) worker = std::make_unique<Worker>();
}

void LayeredMap::onEveryWorker(const std::function<void(int)>& job, int count) {
  for (int i = 1; i < count; ++i) workers_[i]->thread.start([&job, i] { job(i); });
  job(0);
  for (int i = 1; i < count; ++i) workers_[i]->thread.wait();
}

void LayeredMap::invalidate() {
  below_.key.reset();
  above_.key.reset();
}

LayeredMap::Keys LayeredMap::keysFor(const MapFrame& frame, const QPaintDevice& target) {
  const int width = target.width(), height = target.height();
  const double ratio = target.devicePixelRatioF();
  const int dpi = target.logicalDpiY();
  return {paintKey(frame, PaintStage::Below, width, height, ratio, dpi),
          paintKey(frame, PaintStage::Above, width, height, ratio, dpi)};
}

bool LayeredMap::isCurrent(const MapFrame& frame, const QPaintDevice& target) const {
  const Keys keys = keysFor(frame, target);
  return below_.key == keys.below && above_.key == keys.above;
}

void LayeredMap::prepareImage(QImage& image, PaintStage stage, const PaintKey& key) {
  const QSize pixels(static_cast<int>(std::lround(key.width * key.devicePixelRatio)),
                     static_cast<int>(std::lround(key.height * key.devicePixelRatio)));
  // Under the tools' lines the map is opaque; over them it is drawn on a clear ground.
  const QImage::Format format = stage == PaintStage::Below ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
  if (image.size() != pixels || image.format() != format) image = QImage(pixels, format);
  image.setDevicePixelRatio(key.devicePixelRatio);
  const int dotsPerMeter = static_cast<int>(std::lround(key.dpi / 0.0254));
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
}

MapRecording LayeredMap::recordStage(Kept& kept, QtTextCache& texts, PaintStage stage, const MapFrame& frame,
                                     const PaintKey& key) {
  prepareImage(kept.next, stage, key);
  QPainter painter(&kept.next);
  QtMapCanvas canvas(painter, &texts);
  return MapPainter(frame, canvas).recordStage({.width = key.width, .height = key.height, .printing = false}, stage);
}

PaintResult LayeredMap::paintRows(const Kept& kept, uchar* pixels, QtTextCache& texts, PaintStage stage,
                                  const MapFrame& frame, const PaintKey& key, const MapRecording* recording, int top,
                                  int bottom) {
  PaintResult result;
  {
    // Each band paints through an image of its own over the same pixels,
    // clipped to its rows: the lines that reach them are stroked, and their
    // dashes laid out, as on one surface, to the same pixels.
    const QImage& whole = kept.next;
    QImage band(pixels, whole.width(), whole.height(), whole.bytesPerLine(), whole.format());
    band.setDevicePixelRatio(whole.devicePixelRatio());
    band.setDotsPerMeterX(whole.dotsPerMeterX());
    band.setDotsPerMeterY(whole.dotsPerMeterY());
    QPainter painter(&band);
    QtMapCanvas canvas(painter, &texts);
    if (top > 0 || bottom < key.height) {
      painter.setClipRect(0, top, key.width, bottom - top);
      canvas.setArea({0, top, key.width, bottom - top});
    }
    result = MapPainter(frame, canvas)
                 .paintStage({.width = key.width, .height = key.height, .printing = false}, stage, recording);
  }
  clearUpperVectorState();
  return result;
}

void LayeredMap::run(Job& job) {
  const MapFrame& frame = job.frame;
  const int threads = static_cast<int>(workers_.size());
  // Decluttered, the stages are recorded on two threads, the labels of both
  // are planned here, and each thread draws its band of both from the recording.
  std::optional<MapRecording> recording;
  if (frame.switches.declutter) {
    MapRecording recorded[2];
    const auto record = [&](int i) {
      for (int s = i; s < 2; s += std::min(threads, 2))
        recorded[s] =
            recordStage(s == 0 ? below_ : above_, workers_[i]->texts, s == 0 ? PaintStage::Below : PaintStage::Above,
                        frame, s == 0 ? job.belowKey : job.aboveKey);
    };
    onEveryWorker(record, std::min(threads, 2));
    if (frame.stopped()) return;
    recording =
        combineRecordings(std::move(recorded[0]), std::move(recorded[1]), job.belowKey.width, job.belowKey.height);
  }
  // The pixels' address taken once here: bits() may write to the image.
  uchar* belowPixels = nullptr;
  uchar* abovePixels = nullptr;
  if (job.paintBelow) {
    prepareImage(below_.next, PaintStage::Below, job.belowKey);
    belowPixels = below_.next.bits();
  }
  if (job.paintAbove) {
    prepareImage(above_.next, PaintStage::Above, job.aboveKey);
    above_.next.fill(Qt::transparent);
    abovePixels = above_.next.bits();
  }
  const int height = job.belowKey.height;
  // Bands need whole device rows at their edges; without a recording each
  // stage is drawn whole, layer by layer, on one thread.
  const double ratio = job.belowKey.devicePixelRatio;
  const int bands = recording && ratio == std::round(ratio) ? std::min(threads, std::max(1, height / 64)) : 1;
  const MapRecording* recorded = recording ? &*recording : nullptr;
  if (bands > 1) {
    onEveryWorker(
        [&](int i) {
          const int top = height * i / bands, bottom = height * (i + 1) / bands;
          if (job.paintBelow) {
            const PaintResult result = paintRows(below_, belowPixels, workers_[i]->texts, PaintStage::Below, frame,
                                                 job.belowKey, recorded, top, bottom);
            if (i == 0) job.result = result;
          }
          if (job.paintAbove)
            paintRows(above_, abovePixels, workers_[i]->texts, PaintStage::Above, frame, job.aboveKey, recorded, top,
                      bottom);
        },
        bands);
  } else {
    const auto stage = [&](int i) {
      for (int s = i; s < 2; s += std::min(threads, 2)) {
        if (s == 0 && job.paintBelow)
          job.result = paintRows(below_, belowPixels, workers_[i]->texts, PaintStage::Below, frame, job.belowKey,
                                 recorded, 0, height);
        if (s == 1 && job.paintAbove)
          paintRows(above_, abovePixels, workers_[i]->texts, PaintStage::Above, frame, job.aboveKey, recorded, 0,
                    height);
      }
    };
    onEveryWorker(stage, std::min(threads, 2));
  }
  job.finished = !frame.stopped();
  // Only the window's thread swaps the kept images: reading them here is safe.
  if (job.finished && job.compose)
    composeStages(composedNext_, job.paintBelow ? below_.next : below_.image,
                  job.paintAbove ? above_.next : above_.image);
}

void LayeredMap::composeStages(QImage& into, const QImage& below, const QImage& above) {
  into = below.copy();
  QPainter painter(&into);
  painter.drawImage(0, 0, above);
}

void LayeredMap::start(const MapFrame& frame, Keys keys, std::function<void()> done, bool compose) {
  job_ = std::make_unique<Job>();
  Job& job = *job_;
  job.frame = frame;
  job.frame.stop = &job.stop;
  // What moves is drawn by the window at every frame: the job holds no share
  // of it, so that the window changes it in place.
  for (std::size_t row = 0; row < job.frame.layers.size(); ++row)
    if (!keptStage(job.frame.layers[row].stage)) job.frame.inputs[row] = nullptr;
  job.compose = compose;
  job.paintBelow = below_.key != keys.below;
  job.paintAbove = above_.key != keys.above;
  job.belowKey = std::move(keys.below);
  job.aboveKey = std::move(keys.above);
  workers_.front()->thread.start([this, &job, done = std::move(done)] {
    run(job);
    if (done) done();
  });
}

bool LayeredMap::adopt() {
  if (!job_) return false;
  workers_.front()->thread.wait();
  const std::unique_ptr<Job> job = std::move(job_);
  if (!job->finished) return false;
  if (job->paintBelow) {
    std::swap(below_.image, below_.next);
    below_.key = job->belowKey;
    result_ = job->result;
  }
  if (job->paintAbove) {
    std::swap(above_.image, above_.next);
    above_.key = job->aboveKey;
  }
  stagesPainted_ += int(job->paintBelow) + int(job->paintAbove);
  composedKept_ = job->compose;
  if (job->compose) std::swap(composed_, composedNext_);
  return job->paintBelow || job->paintAbove;
}

void LayeredMap::paintInBackground(const MapFrame& frame, const QPaintDevice& target, std::function<void()> done) {
  Keys keys = keysFor(frame, target);
  if (job_) {
    if (job_->belowKey != keys.below || job_->aboveKey != keys.above) job_->stop = true;
    return;
  }
  if (below_.key == keys.below && above_.key == keys.above) return;
  start(frame, std::move(keys), std::move(done), true);
}

PaintResult LayeredMap::paint(QPainter& painter, const QPaintDevice& target, const MapFrame& frame) {
  Keys keys = keysFor(frame, target);
  // A background paint of these keys is waited for; of others, stopped.
  if (job_ && (job_->belowKey != keys.below || job_->aboveKey != keys.above)) job_->stop = true;
  adopt();
  if (below_.key != keys.below || above_.key != keys.above) {
    start(frame, std::move(keys), {});
    adopt();
  }
  compose(painter, frame, target.width(), target.height());
  return result_;
}

void LayeredMap::compose(QPainter& painter, const MapFrame& frame, int width, int height) {
  painter.drawImage(0, 0, below_.image);
  {
    QtMapCanvas canvas(painter);
    MapPainter(frame, canvas).paintStage({.width = width, .height = height, .printing = false}, PaintStage::Overlay);
  }
  painter.drawImage(0, 0, above_.image);
  clearUpperVectorState();
}

void LayeredMap::paintMoving(QPainter& painter, const QPaintDevice& target, const MapFrame& frame, const QRect& dirty) {
  QtMapCanvas canvas(painter, &movingTexts_);
  MapPainter(frame, canvas)
      .paintStage({.width = target.width(),
                   .height = target.height(),
                   .printing = false,
                   .area = Rect{dirty.left(), dirty.top(), dirty.right() + 1, dirty.bottom() + 1}},
                  PaintStage::Moving);
  clearUpperVectorState();
}

void LayeredMap::paintMoved(QPainter& painter, const QPaintDevice& target, const MapFrame& frame, double anchorX,
                            double anchorY) {
  const int width = target.width(), height = target.height();
  if (!hasFrame()) {
    painter.fillRect(0, 0, width, height, Qt::white);
    return;
  }
  const MapView& shown = below_.key->view;
  Projection from, to;
  from.setup(shown.viewport(below_.key->width, below_.key->height));
  to.setup(frame.view.viewport(width, height));
  FrameMotion motion = frameMotion(from, to, anchorX, anchorY);
  // A drag hardly scales: the kept images are then blitted whole pixels
  // away, crisp and at the cost of a copy.
  if (std::fabs(motion.scale - 1) < 0.005) {
    const double ax = (anchorX - motion.dx) / motion.scale, ay = (anchorY - motion.dy) / motion.scale;
    motion = {1, std::round(anchorX - ax), std::round(anchorY - ay)};
  }
  // White where the moved images leave the window uncovered.
  const QTransform transform(motion.scale, 0, 0, motion.scale, motion.dx, motion.dy);
  const QRegion uncovered =
      QRegion(0, 0, width, height) - QRegion(transform.mapRect(QRectF(0, 0, below_.key->width, below_.key->height))
                                                 .adjusted(1, 1, -1, -1)
                                                 .toAlignedRect());
  for (const QRect& r : uncovered) painter.fillRect(r, Qt::white);
  painter.save();
  painter.setTransform(transform);
  MapFrame kept = frame;
  kept.view = shown;
  kept.stop = nullptr;
  if (motion.scale == 1) {
    // Moved whole pixels: the stages are copied as they are, the tools'
    // lines as they lay between them.
    compose(painter, kept, below_.key->width, below_.key->height);
  } else {
    // Scaled, one image samples faster than two blended: the stages in one,
    // and the tools' lines over them.
    if (!composedKept_) {
      composeStages(composed_, below_.image, above_.image);
      composedKept_ = true;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(0, 0, composed_);
    QtMapCanvas canvas(painter);
    MapPainter(kept, canvas)
        .paintStage({.width = below_.key->width, .height = below_.key->height, .printing = false}, PaintStage::Overlay);
  }
  painter.restore();
  clearUpperVectorState();
}

}  // namespace korvant
