#include "ui/flightpanel.h"

#include <QHeaderView>
#include <cmath>

#include "flight/progressreport.h"
#include "geo/positiontext.h"

namespace korvant {

FlightPanel::FlightPanel(QWidget* parent) : QTableWidget(0, 5, parent) {
  setHorizontalHeaderLabels({"POINT", "POSITION", "DISTANCE", "ETA / ATA", "LEVEL"});
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  verticalHeader()->hide();
  horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

QString FlightPanel::cell(int row, int column) const {
  const QTableWidgetItem* i = item(row, column);
  return i ? i->text() : QString();
}

void FlightPanel::setCell(int row, int column, const QString& text, bool bold) {
  QTableWidgetItem* i = item(row, column);
  if (!i) {
    i = new QTableWidgetItem;
    setItem(row, column, i);
  }
  if (i->text() != text) i->setText(text);
  if (i->font().bold() != bold) {
    QFont f = i->font();
    f.setBold(bold);
    i->setFont(f);
  }
}

void FlightPanel::showProgress(const FlightProgress* progress) {
  const int rows = progress ? static_cast<int>(progress->route().points.size()) : 0;
  if (rowCount() != rows) setRowCount(rows);
  if (!progress) return;
  const auto& points = progress->route().points;
  std::vector<const PointAhead*> ahead(points.size(), nullptr);
  const std::vector<PointAhead> remaining = progress->ahead();
  for (const PointAhead& a : remaining) ahead[a.index] = &a;
  for (int row = 0; row < rows; ++row) {
    const auto i = static_cast<std::size_t>(row);
    const FlightPoint& p = points[i];
    const bool next = i == progress->next();
    QString distance, time;
    if (const PointAhead* a = ahead[i]) {
      distance = QString::number(std::lround(a->distanceNm)) + " NM";
      time = a->etaUtc ? QString::fromStdString("ETA " + hhmm(*a->etaUtc) + "Z") : QStringLiteral("-");
    } else if (const auto& over = progress->timesOver()[i]) {
      time = QString::fromStdString("ATA " + hhmm(*over) + "Z");
    } else {
      time = QStringLiteral("PASSED");
    }
    setCell(row, 0, QString::fromStdString(p.ident), next);
    setCell(row, 1, QString::fromStdString(formatLat(p.position.lat) + " " + formatLng(p.position.lng)), next);
    setCell(row, 2, distance, next);
    setCell(row, 3, time, next);
    setCell(row, 4, p.levelFt > 0 ? QString::fromStdString(flightLevelText(p.levelFt)) : QString(), next);
  }
}

}  // namespace korvant
