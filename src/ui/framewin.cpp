#include "ui/framewin.h"

#include <QFontDatabase>
#include <QMenuBar>
#include <QStatusBar>

#include "ui/mainwin.h"

namespace korvant {

namespace {

constexpr int kControlBarId = 32041;
constexpr int kInputMaxLength = 199;

// "QuickType Mono" when installed, otherwise the system's fixed-pitch font.
QFont controlBarFont() {
  QFont font;
  if (QFontDatabase::families().contains(QStringLiteral("QuickType Mono")))
    font = QFont(QStringLiteral("QuickType Mono"));
  else
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(11);
  return font;
}

}  // namespace

FrameWin::FrameWin(AppContext& app) : app_(app) {
  setWindowTitle(QStringLiteral("KOR VANT"));
  createMessageBar();
  createControlBar();
  mainWin_ = new MainWin(app_, this);
  setCentralWidget(mainWin_);
  resize(1024, 720);
}

void FrameWin::createMessageBar() {
  const std::string face = app_.settings.lookup("MessageLineFont");
  QFont font = statusBar()->font();
  if (!face.empty()) font.setFamily(QString::fromStdString(face));
  font.setWeight(QFont::Normal);
  statusBar()->setFont(font);
  statusBar()->setSizeGripEnabled(true);
}

void FrameWin::createControlBar() {
  controlBar_ = new QToolBar(QStringLiteral("Toolbar"), this);
  controlBar_->setObjectName(QStringLiteral("controlBar%1").arg(kControlBarId));
  controlBar_->setMovable(false);
  controlBar_->setFont(controlBarFont());

  input_ = new QLineEdit(controlBar_);
  input_->setObjectName(QStringLiteral("inputField"));
  input_->setMaxLength(kInputMaxLength);
  input_->setMinimumWidth(320);
  result_ = new QLineEdit(controlBar_);
  result_->setObjectName(QStringLiteral("resultField"));
  result_->setMinimumWidth(320);
  for (QLineEdit* field : {input_, result_}) field->setFont(controlBarFont());

  controlBar_->addWidget(input_);
  controlBar_->addSeparator();
  controlBar_->addWidget(result_);
  addToolBar(Qt::TopToolBarArea, controlBar_);
}

void FrameWin::inputText(std::string& text) const {
  text += input_->text().left(kInputMaxLength).toStdString();
}

void FrameWin::clearInput() { input_->clear(); }
void FrameWin::setInputText(const std::string& text) { input_->setText(QString::fromStdString(text)); }
void FrameWin::setResultText(const std::string& text) { result_->setText(QString::fromStdString(text)); }

void FrameWin::writeStartupDiagnostics() {
  app_.dump << "HWindow " << static_cast<unsigned long long>(winId()) << '\n';
  app_.dump << "Attr.Menu = " << reinterpret_cast<std::uintptr_t>(menuBar()) << '\n';
  app_.dump << "App InitMainWindow GetMenu() = " << reinterpret_cast<std::uintptr_t>(menuBar()) << '\n';
}

}  // namespace korvant
