// The window's kept map images: the same picture as painting the stages in
// order, on both cores or one, and painted again exactly when a key changes.
#include "platform/layeredmap.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>

#include "app/applycontrolfile.h"
#include "app/routestringcommand.h"
#include "app/startup.h"
#include "navdata/fixfile_builder.h"
#include "support/recordingboxes.h"

namespace korvant {
namespace {

class LayeredMapTest : public ::testing::Test {
 protected:
  LayeredMapTest() {
    seedDefaults(app.settings);
    app.settings.markReadDone();
    app.settings.set("MapFont", "DejaVu Sans", false);
    applyControlFile(app);
    FixFileContents c;
    for (int i = 0; i < 40; ++i)
      c.fixes.push_back(test::makeFix(("F" + std::to_string(i)).c_str(), 4500 + 30 * i, -5000 + 70 * i, i % 4));
    app.fixes.edit().loadBytes(test::fixFileBytes(c));
    app.switches.variation = app.switches.ownAirports = true;
    app.tools = {ToolMode::Distance, {LatLng{5000, -3000}, LatLng{5500, -2000}}};
  }
  QImage paintWith(LayeredMap& map, QSize size = {900, 600}) {
    QImage target(size, QImage::Format_RGB32);
    target.setDotsPerMeterX(3780);
    target.setDotsPerMeterY(3780);
    QPainter painter(&target);
    map.paint(painter, target, takeFrame(app.paintInput()));
    return target;
  }

  test::RecordingBoxes boxes;
  test::FixedClock clock{1796633100, 0};
  AppContext app{boxes, clock};
};

TEST_F(LayeredMapTest, AnyNumberOfThreadsPaintsTheSamePixelsAsOne) {
  LayeredMap serial;
  serial.setThreads(1);
  const QImage one = paintWith(serial);
  for (const bool declutter : {true, false}) {
    app.switches.declutter = declutter;
    const QImage alone = declutter ? one : paintWith(serial);
    for (const int threads : {2, 3, 5}) {
      LayeredMap parallel;
      parallel.setThreads(threads);
      EXPECT_EQ(paintWith(parallel), alone) << threads << " threads, declutter " << declutter;
      EXPECT_EQ(parallel.stagesPainted(), 2);
    }
  }
}

TEST_F(LayeredMapTest, KeptImagesGiveThePictureOfAFreshPaint) {
  LayeredMap kept;
  paintWith(kept);
  app.tools = {ToolMode::Info, {LatLng{5200, -2500}}};
  const QImage again = paintWith(kept);
  EXPECT_EQ(kept.stagesPainted(), 2);  // only the tools' lines changed
  LayeredMap fresh;
  EXPECT_EQ(again, paintWith(fresh));
}

TEST_F(LayeredMapTest, EveryKeyChangePaintsAgain) {
  app.switches.declutter = false;
  LayeredMap map;
  paintWith(map);
  int painted = map.stagesPainted();
  const auto expectPainted = [&](int stages, const char* what) {
    paintWith(map);
    EXPECT_EQ(map.stagesPainted() - painted, stages) << what;
    painted = map.stagesPainted();
  };
  expectPainted(0, "nothing changed");
  app.switches.latLongGrid = !app.switches.latLongGrid;
  expectPainted(2, "a switch");
  app.view.setRange(800);
  expectPainted(2, "the view");
  app.fixes.edit().loadBytes(test::fixFileBytes(FixFileContents{}));
  expectPainted(2, "the fix file");
  ASSERT_TRUE(storeTrackLine(app.tracks.edit().of(TrackFamily::NorthAtlantic), "A 50/30 55/20", NAT_REFERENCE,
                             TrackStore{app.fixes}));
  expectPainted(2, "the tracks");
  app.trackFile = "/tmp/tracks.txt";
  expectPainted(1, "the title block's file line");
  clock = test::FixedClock{1796633100 + 60, 0};
  expectPainted(1, "the printed minute");
  paintWith(map, {901, 600});
  EXPECT_EQ(map.stagesPainted() - painted, 2) << "the size";
  // Decluttered, a label of either stage may give way to one of the other.
  app.switches.declutter = true;
  paintWith(map, {901, 600});
  painted = map.stagesPainted();
  app.trackFile = "/tmp/other-tracks.txt";
  expectPainted(2, "the title block's file line, decluttered");
}

TEST_F(LayeredMapTest, ABackgroundPaintIsTheSamePictureAndOneForAnOldViewIsNotKept) {
  // A route string that flies a stored track: its name is drawn over the stretch.
  ASSERT_TRUE(storeTrackLine(app.tracks.edit().of(TrackFamily::NorthAtlantic), "C 52/40 53/30 54/20", NAT_REFERENCE,
                             TrackStore{app.fixes}));
  ASSERT_TRUE(showRouteString(app, "50/50 52/40 53/30 54/20 55/10").drawn);
  ASSERT_FALSE(app.trackRuns()->route.empty());
  QImage window(900, 600, QImage::Format_RGB32);
  window.setDotsPerMeterX(3780);
  window.setDotsPerMeterY(3780);
  LayeredMap map;
  map.paintInBackground(takeFrame(app.paintInput()), window, {});
  EXPECT_TRUE(map.painting());
  EXPECT_TRUE(map.adopt());
  EXPECT_TRUE(map.isCurrent(takeFrame(app.paintInput()), window));
  const QImage background = paintWith(map);
  EXPECT_EQ(map.stagesPainted(), 2);  // the window paint took the background's images
  LayeredMap fresh;
  EXPECT_EQ(background, paintWith(fresh));

  // A newer view asks the running paint to stop; what it leaves is not
  // kept. A paint that ended whole before the newer view came (this thread
  // held up on a busy machine) is a whole picture, and is kept.
  const int painted = map.stagesPainted();
  app.view.setRange(700);
  map.paintInBackground(takeFrame(app.paintInput()), window, {});
  app.view.setRange(600);
  map.paintInBackground(takeFrame(app.paintInput()), window, {});
  map.adopt();
  EXPECT_FALSE(map.painting());
  app.view.setRange(700);
  EXPECT_EQ(map.isCurrent(takeFrame(app.paintInput()), window), map.stagesPainted() == painted + 2);
}

}  // namespace
}  // namespace korvant
