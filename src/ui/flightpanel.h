#pragma once
// The "Flight" panel: the route's points with position, distance to go, the
// ETA (or the time over, once passed) and level, the next point in bold;
// under it the position report at the oceanic point just passed, a revised
// estimate and the clearance request, each with a Copy button. Updated in
// place: a text is set only when it changes.
#include <QTableWidget>
#include <QWidget>

#include "flight/flightprogress.h"

class QLabel;

namespace korvant {

class FlightPanel : public QWidget {
  Q_OBJECT
 public:
  explicit FlightPanel(QWidget* parent = nullptr);
  // Nothing flown yet, or no route: the table is empty.
  void showProgress(const FlightProgress* progress);
  // Empty texts hide their rows.
  void showWords(const std::string& report, const std::string& revised, const std::string& clearance);

  QTableWidget* table() const { return table_; }
  // The text of a cell, and of the words' rows (0 report, 1 revised, 2
  // clearance), for tests.
  QString cell(int row, int column) const;
  QString words(int row) const;
  // Puts the row's text on the clipboard, as its Copy button does.
  void copyWords(int row) const;

 private:
  void setCell(int row, int column, const QString& text, bool bold);

  QTableWidget* table_;
  QLabel* words_[3] = {};
  QWidget* rows_[3] = {};
};

}  // namespace korvant
