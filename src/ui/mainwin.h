#pragma once
#include <QWidget>

#include "app/context.h"

namespace korvant {

// The map window: the frame's client. It applies the control-file keys when
// it is created.
class MainWin : public QWidget {
  Q_OBJECT
 public:
  MainWin(AppContext& app, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  AppContext& app_;
};

}  // namespace korvant
