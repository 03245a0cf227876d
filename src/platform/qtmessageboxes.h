#pragma once
// Message boxes as the window shows them: modal, over the main window.
#include <QPointer>
#include <QString>
#include <QWidget>

#include "base/messageboxes.h"

namespace korvant {

// A box's text: the caption's words above the name or path they are about.
QString boxBody(std::string_view caption, std::string_view text);

// Message boxes as modal QMessageBoxes over the given parent window.
class QtMessageBoxes : public MessageBoxes {
 public:
  void setParent(QWidget* parent) { parent_ = parent; }
  void show(std::string_view caption, std::string_view text, MessageIcon icon) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace korvant
