#include "ui/mainwin.h"

#include <QApplication>
#include <QPainter>

#include "app/controlfile.h"
#include "map/mappainter.h"
#include "platform/qtcanvas.h"

namespace korvant {

MainWin::MainWin(AppContext& app, QWidget* parent) : QWidget(parent), app_(app) {
  ControlFile::apply(app_);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void MainWin::paintEvent(QPaintEvent*) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QPainter painter(this);
  QtMapCanvas canvas(painter);
  screenProjection_ = MapPainter(app_, canvas).paint({width(), height(), false, true}).projection;
  QApplication::restoreOverrideCursor();
}

}  // namespace korvant
