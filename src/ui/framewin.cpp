#include "ui/framewin.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QStatusBar>
#include <QTimer>

#include "app/flightsession.h"
#include "app/menutable.h"
#include "app/problemwords.h"
#include "base/textops.h"
#include "ui/flightpanel.h"
#include "ui/mainwin.h"

namespace korvant {

namespace {

// KORVANT.CTL's key of the Flight panel's width, and the narrowest kept:
// a panel dragged to nothing comes back as wide as its columns ask.
constexpr const char* kPanelWidthKey = "FlightPanelWidth";
constexpr int kPanelWidthMin = 120;

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

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Small drawn icons for the seven buttons: clear at any screen scale.
QIcon buttonIcon(int id) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(30, 60, 120), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  switch (id) {
    case cmd::RangeDown:  // zoom in: the range gets smaller
    case cmd::RangeUp:
      p.drawEllipse(QRectF(4, 4, 18, 18));
      p.drawLine(QPointF(20, 20), QPointF(28, 28));
      p.drawLine(QPointF(8, 13), QPointF(18, 13));
      if (id == cmd::RangeDown) p.drawLine(QPointF(13, 8), QPointF(13, 18));
      break;
    case cmd::Redraw: {
      p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 290 * 16);
      QPainterPath head;
      head.moveTo(24, 2);
      head.lineTo(26, 10);
      head.lineTo(18, 10);
      p.drawPath(head);
      break;
    }
    case cmd::Clear:
      p.drawLine(QPointF(8, 8), QPointF(24, 24));
      p.drawLine(QPointF(24, 8), QPointF(8, 24));
      break;
    case cmd::Info:
      p.drawEllipse(QRectF(4, 4, 24, 24));
      p.drawPoint(QPointF(16, 10));
      p.drawLine(QPointF(16, 15), QPointF(16, 23));
      break;
    case cmd::Distance:
      p.drawLine(QPointF(4, 16), QPointF(28, 16));
      p.drawLine(QPointF(4, 10), QPointF(4, 22));
      p.drawLine(QPointF(28, 10), QPointF(28, 22));
      break;
    case cmd::Intersection:
      p.drawLine(QPointF(4, 26), QPointF(28, 6));
      p.drawLine(QPointF(4, 6), QPointF(28, 26));
      p.setBrush(QColor(200, 0, 0));
      p.drawEllipse(QRectF(13, 13, 6, 6));
      break;
    default: break;
  }
  return QIcon(pixmap);
}

}  // namespace

FrameWin::FrameWin(AppContext& app) : app_(app) {
  setWindowTitle(QStringLiteral("KOR VANT"));
  createMessageBar();
  createControlBar();
  mainWin_ = new MainWin(app_, *this);
  setCentralWidget(mainWin_);
  flightDock_ = new QDockWidget(QStringLiteral("Flight"), this);
  flightDock_->setObjectName(QStringLiteral("flightPanel"));
  flightPanel_ = new FlightPanel(flightDock_);
  flightDock_->setWidget(flightPanel_);
  connect(flightPanel_, &FlightPanel::departureEdited, mainWin_, &MainWin::departureTyped);
  connect(flightPanel_, &FlightPanel::settingsAsked, mainWin_, &MainWin::showFlightSettings);
  addDockWidget(Qt::RightDockWidgetArea, flightDock_);
  flightDock_->hide();
  // Closed by its own button: the menu's check follows.
  connect(flightDock_, &QDockWidget::visibilityChanged, this, [this](bool) {
    if (app_.flight.panelShown && !flightDock_->isVisibleTo(this)) panelWidth_ = flightDock_->width();
    app_.flight.panelShown = flightDock_->isVisibleTo(this);
    syncChecks();
  });
  createMenus();
  syncChecks();
  resize(1024, 720);
}

QAction* FrameWin::addCommand(QWidget* owner, int id, const QString& text, const QString& accelerator) {
  auto* action = new QAction(text, this);
  action->setData(id);
  if (!accelerator.isEmpty()) action->setShortcut(QKeySequence(accelerator));
  action->setCheckable(mainWin_->commands().isCheckable(id));
  connect(action, &QAction::triggered, this, [this, id] { mainWin_->command(id); });
  owner->addAction(action);
  actions_[id] = action;
  return action;
}

void FrameWin::closeEvent(QCloseEvent* event) {
  if (flightDock_->isVisibleTo(this)) panelWidth_ = flightDock_->width();
  const std::string width = std::to_string(panelWidth_);
  if (panelWidth_ >= kPanelWidthMin && app_.settings.lookup(kPanelWidthKey) != width)
    showProblems(app_.boxes, saveControlValues(app_, {{kPanelWidthKey, width}}));
  QMainWindow::closeEvent(event);
}

// Back in front: the pilot may have installed new navigation data meanwhile.
void FrameWin::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && mainWin_) mainWin_->readNavDataInBackground();
}

void FrameWin::createMenus() {
  for (const std::string_view menuText : topLevelMenus()) {
    const QString title = fromUtf8(menuText);
    if (menuText == "P&roperties") {
      addCommand(menuBar(), cmd::Properties, title, {});
      continue;
    }
    QMenu* menu = menuBar()->addMenu(title);
    std::map<std::string_view, QMenu*> submenus;
    for (const MenuItem& item : menuItems()) {
      if (item.menu != menuText) continue;
      QMenu* owner = menu;
      if (!item.submenu.empty()) {
        QMenu*& sub = submenus[item.submenu];
        if (!sub) sub = menu->addMenu(fromUtf8(item.submenu));
        owner = sub;
      }
      addCommand(owner, item.id, fromUtf8(item.text), fromUtf8(item.accelerator));
    }
  }
  // The Special Use items have no handler: their check marks show the property sheet's choice.
  for (int id : {11953, 11958, 11954, 11960, 11959, 11955, 11956, 11957}) actions_[id]->setEnabled(false);
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
  controlBar_->setIconSize(QSize(20, 20));

  const auto button = [&](int id, const QString& tip) {
    auto* a = controlBar_->addAction(buttonIcon(id), tip);
    a->setObjectName(QStringLiteral("button%1").arg(id));
    connect(a, &QAction::triggered, this, [this, id] { mainWin_->command(id); });
  };
  const auto field = [&](const QString& name) {
    auto* edit = new QLineEdit(controlBar_);
    edit->setObjectName(name);
    edit->setFont(controlBarFont());
    edit->setMinimumWidth(300);
    return edit;
  };
  button(cmd::RangeDown, QStringLiteral("Range Down (F3)"));
  button(cmd::RangeUp, QStringLiteral("Range Up (F4)"));
  button(cmd::Redraw, QStringLiteral("Redraw (F5)"));
  controlBar_->addSeparator();
  input_ = field(QStringLiteral("inputField"));
  input_->setMaxLength(kInputMaxLength);
  controlBar_->addWidget(input_);
  controlBar_->addSeparator();
  button(cmd::Clear, QStringLiteral("Clear (F6)"));
  button(cmd::Info, QStringLiteral("Info (F7)"));
  button(cmd::Distance, QStringLiteral("Distance (F8)"));
  button(cmd::Intersection, QStringLiteral("Intersection (F9)"));
  controlBar_->addSeparator();
  result_ = field(QStringLiteral("resultField"));
  controlBar_->addWidget(result_);
  addToolBar(Qt::TopToolBarArea, controlBar_);
}

QAction* FrameWin::action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void FrameWin::syncChecks() {
  for (const auto& [id, action] : actions_) {
    if (!action->isCheckable()) continue;
    if (id == cmd::Toolbar)
      action->setChecked(controlBar_->isVisibleTo(this));
    else if (id == cmd::StatusBar)
      action->setChecked(statusBar()->isVisibleTo(this));
    else
      action->setChecked(mainWin_->commands().isChecked(id));
  }
}

// The panel is hidden as the window goes: nothing of the window is left to
// follow it.
FrameWin::~FrameWin() { flightDock_->disconnect(this); }

void FrameWin::setFlightPanelShown(bool shown) {
  if (!shown && flightDock_->isVisibleTo(this)) panelWidth_ = flightDock_->width();
  flightDock_->setVisible(shown);
  // The width the pilot gave it, this run or the last; else as wide as its columns ask.
  const std::optional<double> kept = numberInRange(app_.settings.lookup(kPanelWidthKey), kPanelWidthMin, 4000);
  // Once the window has laid the panel out: before, the width is lost to the layout.
  if (shown && (panelWidth_ > 0 || kept))
    QTimer::singleShot(0, this, [this, width = panelWidth_ > 0 ? panelWidth_ : static_cast<int>(*kept)] {
      resizeDocks({flightDock_}, {width}, Qt::Horizontal);
    });
  app_.flight.panelShown = shown;
  syncChecks();
}

void FrameWin::toggleControlBar() { controlBar_->setVisible(!controlBar_->isVisibleTo(this)); }
void FrameWin::toggleMessageBar() { statusBar()->setVisible(!statusBar()->isVisibleTo(this)); }

void FrameWin::inputText(std::string& text) const { text += input_->text().left(kInputMaxLength).toStdString(); }

void FrameWin::appendInputText(const std::string& text) {
  input_->setText(input_->text() + QString::fromStdString(text));
}

void FrameWin::clearInput() { input_->clear(); }
void FrameWin::setInputText(const std::string& text) { input_->setText(QString::fromStdString(text)); }
void FrameWin::setResultText(const std::string& text) { result_->setText(QString::fromUtf8(text.c_str())); }

void FrameWin::setNote(const std::string& text) {
  auto* note = statusBar()->findChild<QLabel*>(QStringLiteral("note"));
  if (!note) {
    note = new QLabel(statusBar());
    note->setObjectName(QStringLiteral("note"));
    statusBar()->addPermanentWidget(note);
  }
  note->setText(QString::fromUtf8(text.c_str()));
}

void FrameWin::writeStartupDiagnostics() {
  app_.dump << "HWindow " << static_cast<unsigned long long>(winId()) << '\n';
  app_.dump << "Attr.Menu = " << reinterpret_cast<std::uintptr_t>(menuBar()) << '\n';
  app_.dump << "App InitMainWindow GetMenu() = " << reinterpret_cast<std::uintptr_t>(menuBar()) << '\n';
}

}  // namespace korvant
