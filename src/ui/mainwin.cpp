#include "ui/mainwin.h"

#include <QPainter>

#include "app/controlfile.h"

namespace korvant {

MainWin::MainWin(AppContext& app, QWidget* parent) : QWidget(parent), app_(app) {
  ControlFile::apply(app_);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void MainWin::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
}

}  // namespace korvant
