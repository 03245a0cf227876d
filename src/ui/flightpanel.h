#pragma once
// The "Flight" panel: the route's points with position, distance to go, the
// ETA (or the time over, once passed) and level, the next point in bold.
// Updated in place: a cell's text is set only when it changes.
#include <QTableWidget>

#include "flight/flightprogress.h"

namespace korvant {

class FlightPanel : public QTableWidget {
  Q_OBJECT
 public:
  explicit FlightPanel(QWidget* parent = nullptr);
  // Nothing flown yet, or no route: the table is empty.
  void showProgress(const FlightProgress* progress);
  // The text of a cell, for tests.
  QString cell(int row, int column) const;

 private:
  void setCell(int row, int column, const QString& text, bool bold);
};

}  // namespace korvant
