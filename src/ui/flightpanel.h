#pragma once
// The "Flight" panel: the route's points with position, distance to go, the
// ETA (or the time over, once passed) and level, the next point in bold;
// under it the position report at the oceanic point just passed, a revised
// estimate and the clearance request, each with a Copy button. Before the
// simulator gives its own, the planned times from the departure typed above
// the table (or the plan's) and the distance from the first point. Updated
// in place: a text is set only when it changes.
#include <QTableWidget>
#include <QWidget>

#include "flight/flightprogress.h"
#include "flight/oceanicwords.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvant {

class FlightPanel : public QWidget {
  Q_OBJECT
 public:
  explicit FlightPanel(QWidget* parent = nullptr);
  // Nothing flown yet, or no route: the table is empty.
  void showProgress(const FlightProgress* progress);
  // The route as planned: `times` holds one for each point, or none; `note`
  // says where they come from or why there are none.
  void showPlanned(const FlightRoute& route, const std::vector<PointTime>& times, const std::string& note);
  // Empty texts hide their rows.
  void showWords(const std::string& report, const std::string& revised, const std::string& clearance);

  QTableWidget* table() const { return table_; }
  // The text of a cell, and of the words' rows (0 report, 1 revised, 2
  // clearance), for tests.
  QString cell(int row, int column) const;
  QString words(int row) const;
  // Puts the row's text on the clipboard, as its Copy button does.
  void copyWords(int row) const;
  // The departure field ("HHMM", UTC) and the line under it.
  QLineEdit* departureField() const { return departure_; }
  QPushButton* settingsButton() const { return settings_; }
  QString timesNote() const;

 signals:
  // The departure field was left or Return pressed, with its text.
  void departureEdited(const QString& text);
  // The Flight Settings button: the callsign, Mach and ETOPS settings.
  void settingsAsked();

 private:
  void setCell(int row, int column, const QString& text, bool bold);
  void fitColumns();

  QTableWidget* table_;
  QLineEdit* departure_;
  QPushButton* settings_;
  QLabel* timesNote_;
  QLabel* words_[3] = {};
  QWidget* rows_[3] = {};
};

}  // namespace korvant
