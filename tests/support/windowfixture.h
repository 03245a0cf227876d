#pragma once
// The real window on Qt's offscreen platform, started in a folder of its own.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <memory>

#include "app/startup.h"
#include "support/recordingboxes.h"
#include "support/tempdir.h"
#include "ui/framewin.h"
#include "ui/mainwin.h"

namespace korvant {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    current.write("KORVANT.CTL", "RunMaximized 0\n");
    startUp(app, current.str() + "/korvant", current.str());
    frame = std::make_unique<FrameWin>(app);
    frame->resize(900, 700);
    frame->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    QCoreApplication::processEvents();
  }
  MainWin& map() { return *frame->mapWindow(); }
  void trigger(int id) { frame->action(id)->trigger(); }
  bool checked(int id) { return frame->action(id)->isChecked(); }
  QString input() { return frame->findChild<QLineEdit*>("inputField")->text(); }
  void send(QEvent::Type type, Qt::MouseButton button, QPoint at) {
    QMouseEvent event(type, at, map().mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QCoreApplication::sendEvent(&map(), &event);
  }

  test::RecordingBoxes boxes;
  test::FixedClock clock{1796633100, 0};
  AppContext app{boxes, clock};
  test::TempDir current;
  std::unique_ptr<FrameWin> frame;
};

}  // namespace korvant
