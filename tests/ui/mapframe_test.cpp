// Changes of every kind while the map paints in the background. The paint
// reads its frame, taken when it began: under ThreadSanitizer (make tsan) a read of anything the
// window changes meanwhile would show as a race.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTest>
#include <QWheelEvent>
#include <fstream>
#include <sstream>

#include "app/menutable.h"
#include "support/loopbackhttp.h"
#include "support/windowfixture.h"

namespace korvant {
namespace {

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(MainWindowTest, EveryKindOfChangeWhileBackgroundPaintsRun) {
  const std::string tracks = KORVANT_TEST_DATA "/tracks/", plan = KORVANT_TEST_DATA "/plans/EGPB-EISG.PLN";
  test::LoopbackHttpServer server({{"/nat.txt", {200, "OK", fileText(tracks + "nat-20151122-qsimplanner.txt")}}});
  test::TempDir kept;
  app.settings.set("NatTrackDir", kept.str(), false);
  app.settings.set("NatTrackUrl", server.url("/nat.txt"), false);
  const QPoint middle(map().width() / 2, map().height() / 2);
  int started = 0;
  double flown = 0;
  // A step of the hand: the moved frame at once, the full paint started in
  // the background; then the change, while that paint runs.
  const auto whilePainting = [&](int step, const std::function<void()>& change) {
    const QPoint at = middle + QPoint(step % 2 ? 9 : -9, step % 3 ? 4 : -4);
    QMouseEvent move(QEvent::MouseMove, at, map().mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&map(), &move);
    map().repaint();
    started += map().layeredMap().painting();
    change();
  };
  const std::function<void()> changes[] = {
      [&] { map().openFile(tracks + "nat-20160210-qsimplanner.html"); },
      [&] { trigger(cmd::LatLongGrid); },
      [&] { map().openFile(plan); },
      [&] { trigger(cmd::Terrain); },
      [&] {
        QWheelEvent in(QPointF(middle), map().mapToGlobal(QPointF(middle)), QPoint(), QPoint(0, 120), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&map(), &in);
      },
      [&] { map().openFile(tracks + "ausots-20151114-qsimplanner.txt"); },
      [&] { trigger(cmd::ClearTracks); },
      [&] { trigger(cmd::PresetNat); },
      [&] {
        if (!map().fetching()) trigger(cmd::GetTracks);
      },
      // What moves: the aircraft and its trail, changed in place while the
      // kept stages paint, and drawn over them by the window.
      [&] {
        flown += 60;
        takeAircraft(app, {{5500, -3000 + flown / 60}, 35000, 90, 480, 1796817600.0 + flown, true});
        map().repaint();
      },
  };
  send(QEvent::MouseButtonPress, Qt::LeftButton, middle);
  for (int round = 0, step = 0; round < 3; ++round)
    for (const auto& change : changes) {
      whilePainting(++step, change);
      QCoreApplication::processEvents();  // a background paint's end, a fetch's progress
    }
  send(QEvent::MouseButtonRelease, Qt::LeftButton, middle);
  // How many changes met a paint running depends on the machine's load: at
  // least one did, and whatever met them, the picture ends current.
  EXPECT_GT(started, 0);
  EXPECT_GT(server.requests(), 0);
  EXPECT_GT(map().aircraftFrames(), 0);
  EXPECT_GT(app.flight.trail->points().size(), 1u);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !map().fetching() && !map().layeredMap().painting(); }, 60000));
  // The last change (a fetch's arrival) may come after the last paint began:
  // the repaint then paints in the background, and the picture is current
  // once that paint is in, however loaded the machine.
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        if (!map().layeredMap().painting()) map().repaint();
        return !map().layeredMap().painting() && map().layeredMap().isCurrent(takeFrame(app.paintInput()), map());
      },
      60000));

  // What a paint holds stays as it was taken, whatever the window does after.
  map().openFile(tracks + "nat-20160210-qsimplanner.html");
  const PaintInput held = app.paintInput();
  const std::string first = held.tracks->of(TrackFamily::NorthAtlantic).slotTexts[0];
  ASSERT_FALSE(held.tracks->empty());
  trigger(cmd::ClearTracks);
  EXPECT_TRUE(app.tracks->empty());
  EXPECT_EQ(held.tracks->of(TrackFamily::NorthAtlantic).slotTexts[0], first);
  EXPECT_NE(&*app.tracks, held.tracks.get());
}

}  // namespace
}  // namespace korvant
