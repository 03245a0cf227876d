#pragma once
// The frame window (the program's main window): menu bar, control bar with
// its two fields, message bar, and the map window as its client.
#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QToolBar>
#include <map>

class QDockWidget;

#include "app/context.h"

namespace korvant {

class MainWin;
class FlightPanel;

// The top-level window: menu bar, control bar at the top, message bar at the
// bottom, and the map window as its client.
class FrameWin : public QMainWindow {
  Q_OBJECT
 public:
  explicit FrameWin(AppContext& app);
  ~FrameWin() override;

  MainWin* mapWindow() const { return mainWin_; }
  QToolBar* controlBar() const { return controlBar_; }
  // The action of a command id, or null.
  QAction* action(int id) const;

  // The control bar's two fields, as the map tools and the mouse use them.
  void inputText(std::string& text) const;
  void appendInputText(const std::string& text);
  void clearInput();
  void setInputText(const std::string& text);
  void setResultText(const std::string& text);
  // A note at the message bar's right that the pointer's readout leaves
  // alone: what the last command did.
  void setNote(const std::string& text);

  FlightPanel* flightPanel() const { return flightPanel_; }
  void setFlightPanelShown(bool shown);

  void toggleControlBar();
  void toggleMessageBar();
  // Every check mark from the program's state.
  void syncChecks();

  // The handles of the start-up dump, written once the frame is complete.
  void writeStartupDiagnostics();

 protected:
  void changeEvent(QEvent* event) override;
  // Keeps the Flight panel's width for the next run.
  void closeEvent(QCloseEvent* event) override;

 private:
  void createMenus();
  void createMessageBar();
  void createControlBar();
  QAction* addCommand(QWidget* owner, int id, const QString& text, const QString& accelerator);

  AppContext& app_;
  MainWin* mainWin_ = nullptr;
  QToolBar* controlBar_ = nullptr;
  QLineEdit* input_ = nullptr;
  QLineEdit* result_ = nullptr;
  std::map<int, QAction*> actions_;
  QDockWidget* flightDock_ = nullptr;
  FlightPanel* flightPanel_ = nullptr;
  int panelWidth_ = 0;  // as the pilot last left it shown, device-independent pixels; 0 when never shown
};

}  // namespace korvant
