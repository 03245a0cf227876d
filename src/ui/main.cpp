// The desktop program. It reads no command-line arguments of its own.
#include <QApplication>
#include <QDir>

#include "app/context.h"
#include "app/startup.h"
#include "platform/qtmessageboxes.h"
#include "platform/systemclock.h"
#include "ui/framewin.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  korvant::QtMessageBoxes boxes;
  korvant::SystemClock clock;
  korvant::AppContext app(boxes, clock);

  const korvant::StartupResult started =
      korvant::startUp(app, QCoreApplication::applicationFilePath().toStdString(), QDir::currentPath().toStdString());

  korvant::FrameWin frame(app);
  boxes.setParent(&frame);
  if (started.runMaximized)
    frame.showMaximized();
  else
    frame.show();
  frame.writeStartupDiagnostics();
  return QApplication::exec();
}
