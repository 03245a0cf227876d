#pragma once
#include <QLineEdit>
#include <QMainWindow>
#include <QToolBar>

#include "app/context.h"

namespace korvant {

class MainWin;

// The top-level window: menu bar, control bar at the top, message bar at the
// bottom, and the map window as its client.
class FrameWin : public QMainWindow {
  Q_OBJECT
 public:
  explicit FrameWin(AppContext& app);

  MainWin* mapWindow() const { return mainWin_; }
  QToolBar* controlBar() const { return controlBar_; }

  // The control bar's two fields, as the map tools and the mouse use them.
  void inputText(std::string& text) const;
  void clearInput();
  void setInputText(const std::string& text);
  void setResultText(const std::string& text);

  // The handles of the start-up dump, written once the frame is complete.
  void writeStartupDiagnostics();

 private:
  void createMessageBar();
  void createControlBar();

  AppContext& app_;
  MainWin* mainWin_ = nullptr;
  QToolBar* controlBar_ = nullptr;
  QLineEdit* input_ = nullptr;
  QLineEdit* result_ = nullptr;
};

}  // namespace korvant
