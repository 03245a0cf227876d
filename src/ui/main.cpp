// The desktop program. Its arguments (app/programoptions.h): --open FILE as
// if dropped on the map; --screenshot FILE, the window written as a PNG once
// painted, then the program ends (the README's picture of the window comes
// from it); --version; --help.
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/context.h"
#include "app/programoptions.h"
#include "app/startup.h"
#include "app/workfolder.h"
#include "platform/qtmessageboxes.h"
#include "platform/systemclock.h"
#include "ui/framewin.h"
#include "ui/mainwin.h"

namespace {

std::string usage() {
  std::string text = "usage: korvant [options]\n";
  for (const korvant::ProgramOption& o : korvant::PROGRAM_OPTIONS) {
    std::string left = "  " + std::string(o.name) + (o.argument.empty() ? "" : " " + std::string(o.argument));
    left.resize(std::max<std::size_t>(left.size() + 2, 24), ' ');
    text += left + std::string(o.meaning) + "\n";
  }
  return text;
}

}  // namespace

int main(int argc, char* argv[]) {
  // A file size limit (ulimit -f) fails the write with EFBIG, said as a full
  // disk is, and the temporary file removed; its signal would kill the
  // program in the middle of the write instead.
  std::signal(SIGXFSZ, SIG_IGN);
  std::string open, screenshot;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("korvant %s\n", KORVANT_VERSION);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(usage().c_str(), stdout);
      return 0;
    }
    const bool takesFile = std::strcmp(argv[i], "--open") == 0 || std::strcmp(argv[i], "--screenshot") == 0;
    if (takesFile && i + 1 < argc) {
      (std::strcmp(argv[i], "--open") == 0 ? open : screenshot) = argv[i + 1];
      ++i;
    } else if (argv[i][0] == '-' && argv[i][1] == '-') {
      std::fprintf(stderr, "korvant: unknown option %s\n%s", argv[i], usage().c_str());
      return 2;
    }
  }
  // Files named relative to where the program was started, before it moves
  // to its work folder.
  const auto absolute = [](const std::string& path) {
    return path.empty() ? path : QDir::current().absoluteFilePath(QString::fromStdString(path)).toStdString();
  };
  open = absolute(open);
  screenshot = absolute(screenshot);
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
  // A file inside the work folder is named from it, as korvant-plot names it.
  if (!open.empty()) {
    const QString inside = QDir(QString::fromStdString(work.folder)).relativeFilePath(QString::fromStdString(open));
    if (!inside.startsWith(QStringLiteral(".."))) open = inside.toStdString();
  }
  const korvant::StartupResult started = korvant::startUp(app, programPath, work.folder, false);

  korvant::FrameWin frame(app);
  boxes.setParent(&frame);
  if (!screenshot.empty()) {
    frame.resize(1280, 800);  // the picture's size, whatever the control file asks
    frame.show();
  } else if (started.runMaximized) {
    frame.showMaximized();
  } else {
    frame.show();
  }
  frame.writeStartupDiagnostics();
  frame.mapWindow()->readNavDataInBackground();
  if (!open.empty()) frame.mapWindow()->openFile(open);
  if (!screenshot.empty()) {
    QTimer::singleShot(0, [&] {
      const bool written = frame.grab().save(QString::fromStdString(screenshot), "PNG");
      if (!written) std::fprintf(stderr, "korvant: can't write %s\n", screenshot.c_str());
      QApplication::exit(written ? 0 : 1);
    });
  }
  return QApplication::exec();
}
