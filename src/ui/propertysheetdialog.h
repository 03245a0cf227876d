#pragma once
// The modal "PROPERTIES" sheet: a tab per page of the core's sheet, a check
// box per row, the page buttons, OK and Cancel. The boxes edit the sheet's
// buffers; the caller applies them on OK.
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTabWidget>
#include <functional>
#include <map>
#include <utility>

#include "app/propertysheet.h"

namespace korvant {

class PropertySheetDialog : public QDialog {
  Q_OBJECT
 public:
  // `setStartTime` runs the start hour dialog for the TERMINATOR page's
  // button and brings the sheet's boxes up to date.
  PropertySheetDialog(PropertySheet& sheet, std::function<void()> setStartTime, QWidget* parent);

  QTabWidget* tabs() const { return tabs_; }
  // A page's control by its id (page 0 ... 5), or null.
  QCheckBox* box(int page, int id) const;
  QPushButton* button(int page, int id) const;

 private:
  QWidget* buildPage(int page);
  void showBuffers();

  PropertySheet& sheet_;
  std::function<void()> setStartTime_;
  QTabWidget* tabs_ = nullptr;
  std::map<std::pair<int, int>, QCheckBox*> boxes_;
  std::map<std::pair<int, int>, QPushButton*> buttons_;
};

}  // namespace korvant
