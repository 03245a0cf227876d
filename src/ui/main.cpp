// The desktop program. It reads no command-line arguments of its own.
#include <QApplication>
#include <QDir>

#include "app/context.h"
#include "app/startup.h"
#include "app/workfolder.h"
#include "platform/qtmessageboxes.h"
#include "platform/systemclock.h"
#include "ui/framewin.h"
#include "ui/mainwin.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  korvant::QtMessageBoxes boxes;
  korvant::SystemClock clock;
  korvant::AppContext app(boxes, clock);

  const std::string programPath = QCoreApplication::applicationFilePath().toStdString();
  // Started from the desktop's menu, the current folder holds no control
  // file: the user's own folder serves, seeded from the installed samples.
  const korvant::WorkFolder work = korvant::chooseWorkFolder({QDir::currentPath().toStdString(), programPath,
                                                              qEnvironmentVariable("XDG_DATA_HOME").toStdString(),
                                                              qEnvironmentVariable("HOME").toStdString()});
  if (!work.problem.empty()) boxes.show("CAN'T SET UP THE USER FOLDER:", work.problem, korvant::MessageIcon::Warning);
  QDir::setCurrent(QString::fromStdString(work.folder));
  const korvant::StartupResult started = korvant::startUp(app, programPath, work.folder, false);

  korvant::FrameWin frame(app);
  boxes.setParent(&frame);
  if (started.runMaximized)
    frame.showMaximized();
  else
    frame.show();
  frame.writeStartupDiagnostics();
  frame.mapWindow()->readNavDataInBackground();
  return QApplication::exec();
}
