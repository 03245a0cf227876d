// The whole map paint into a QImage, as the screen and the headless renderer
// paint it.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include "app/context.h"
#include "app/controlfile.h"
#include "app/startup.h"
#include "map/mappainter.h"
#include "platform/qtcanvas.h"
#include "platform/systemclock.h"

namespace {

using namespace korvant;

class NullBoxes : public MessageBoxes {
 public:
  void show(std::string_view, std::string_view, MessageIcon) override {}
};

struct NatMap {
  NullBoxes boxes;
  SystemClock clock;
  AppContext app{boxes, clock};

  NatMap() {
    startUp(app, KORVANT_RUN_FOLDER "/korvant", KORVANT_RUN_FOLDER);
    ControlFile::apply(app);
    app.view.selectPreset("NAT");
    LayerSwitches& sw = app.switches;
    sw.latLongGrid = sw.ticks5 = sw.latLongLabels = sw.terrain = sw.facilityBoundaries = true;
    sw.ownWaypoints = sw.ownStations = sw.ownAirports = sw.symbolsNonDafif = sw.variation = true;
  }
};

void BM_paintNatPreset(benchmark::State& state) {
  NatMap map;
  QImage image(1920, 1080, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  QtTextCache texts;  // the window keeps one from paint to paint
  for (auto _ : state) {
    QPainter painter(&image);
    QtMapCanvas canvas(painter, &texts);
    benchmark::DoNotOptimize(MapPainter(map.app, canvas).paint({1920, 1080, false, true}));
  }
}
BENCHMARK(BM_paintNatPreset)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One layer at a time, to see where a paint's time goes.
void BM_paintOneLayer(benchmark::State& state) {
  NatMap map;
  LayerSwitches& sw = map.app.switches;
  bool* layers[] = {&sw.latLongGrid, &sw.ticks5, &sw.latLongLabels, &sw.terrain, &sw.facilityBoundaries,
                    &sw.ownWaypoints, &sw.variation};
  const char* names[] = {"grid", "ticks5", "labels", "terrain", "boundaries", "fixes", "variation"};
  for (bool* layer : layers) *layer = false;
  sw.ownStations = sw.ownAirports = sw.showParameters = false;
  *layers[state.range(0)] = true;
  if (state.range(0) == 5) sw.ownStations = sw.ownAirports = true;
  state.SetLabel(names[state.range(0)]);
  QImage image(1920, 1080, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  QtTextCache texts;
  for (auto _ : state) {
    QPainter painter(&image);
    QtMapCanvas canvas(painter, &texts);
    benchmark::DoNotOptimize(MapPainter(map.app, canvas).paint({1920, 1080, false, true}));
  }
}
BENCHMARK(BM_paintOneLayer)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
