#pragma once
#include <QWidget>

#include "app/context.h"
#include "map/projection.h"

namespace korvant {

// The map window: the frame's client. It applies the control-file keys when
// it is created.
class MainWin : public QWidget {
  Q_OBJECT
 public:
  MainWin(AppContext& app, QWidget* parent = nullptr);

  // The projection of the last screen paint: the mouse maps against it.
  const Projection& screenProjection() const { return screenProjection_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  AppContext& app_;
  Projection screenProjection_;
};

}  // namespace korvant
