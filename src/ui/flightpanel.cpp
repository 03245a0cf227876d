#include "ui/flightpanel.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

#include "flight/progressreport.h"
#include "geo/positiontext.h"

namespace korvant {

FlightPanel::FlightPanel(QWidget* parent)
    : QWidget(parent),
      table_(new QTableWidget(0, 5, this)),
      departure_(new QLineEdit(this)),
      settings_(new QPushButton(QStringLiteral("Flight Settings..."), this)),
      timesNote_(new QLabel(this)) {
  table_->setHorizontalHeaderLabels({"POINT", "POSITION", "DISTANCE", "ETA / ATA", "LEVEL"});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  fitColumns();
  departure_->setPlaceholderText(QStringLiteral("HHMM"));
  departure_->setMaxLength(4);
  departure_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), departure_));
  departure_->setToolTip(QStringLiteral("The time of take-off, UTC, for the planned ETAs"));
  connect(departure_, &QLineEdit::editingFinished, this, [this] { emit departureEdited(departure_->text()); });
  timesNote_->setWordWrap(true);
  timesNote_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("Departure (U&TC):"), this);
  label->setBuddy(departure_);
  top->addWidget(label);
  top->addWidget(departure_);
  top->addStretch(1);
  // What the times and the words need and the window cannot guess: the
  // Mach, the callsign, the highest level.
  settings_->setToolTip(QStringLiteral("The callsign, Mach, highest level and ETOPS settings"));
  connect(settings_, &QPushButton::clicked, this, &FlightPanel::settingsAsked);
  top->addWidget(settings_);
  layout->addLayout(top);
  layout->addWidget(timesNote_);
  layout->addWidget(table_);
  for (int i = 0; i < 3; ++i) {
    rows_[i] = new QWidget(this);
    auto* row = new QHBoxLayout(rows_[i]);
    row->setContentsMargins(0, 0, 0, 0);
    words_[i] = new QLabel(rows_[i]);
    words_[i]->setWordWrap(true);
    // A longer text wraps: it never widens the panel, and so never resizes the map.
    words_[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    words_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* copy = new QPushButton(QStringLiteral("Copy"), rows_[i]);
    connect(copy, &QPushButton::clicked, this, [this, i] { copyWords(i); });
    row->addWidget(words_[i], 1);
    row->addWidget(copy);
    layout->addWidget(rows_[i]);
    rows_[i]->hide();
  }
}

QString FlightPanel::cell(int row, int column) const {
  const QTableWidgetItem* i = table_->item(row, column);
  return i ? i->text() : QString();
}

QString FlightPanel::words(int row) const { return words_[row]->text(); }

void FlightPanel::copyWords(int row) const { QApplication::clipboard()->setText(words_[row]->text()); }

void FlightPanel::showWords(const std::string& report, const std::string& revised, const std::string& clearance) {
  const std::string* texts[3] = {&report, &revised, &clearance};
  for (int i = 0; i < 3; ++i) {
    const QString text = QString::fromStdString(*texts[i]);
    if (words_[i]->text() != text) words_[i]->setText(text);
    rows_[i]->setVisible(!text.isEmpty());
  }
}

void FlightPanel::setCell(int row, int column, const QString& text, bool bold) {
  QTableWidgetItem* i = table_->item(row, column);
  if (!i) {
    i = new QTableWidgetItem;
    table_->setItem(row, column, i);
  }
  if (i->text() != text) i->setText(text);
  if (i->font().bold() != bold) {
    QFont f = i->font();
    f.setBold(bold);
    i->setFont(f);
  }
}

QString FlightPanel::timesNote() const { return timesNote_->text(); }

void FlightPanel::showPlanned(const FlightRoute& route, const std::vector<PointTime>& times, const std::string& note) {
  const QString words = QString::fromStdString(note);
  if (timesNote_->text() != words) timesNote_->setText(words);
  timesNote_->setVisible(!words.isEmpty());
  const int rows = static_cast<int>(route.points.size());
  if (table_->rowCount() != rows) table_->setRowCount(rows);
  const std::vector<PointTime> along = times.empty() ? plannedTimes(route, 0, 1) : times;
  for (int row = 0; row < rows; ++row) {
    const auto i = static_cast<std::size_t>(row);
    const FlightPoint& p = route.points[i];
    setCell(row, 0, QString::fromStdString(p.ident), false);
    setCell(row, 1, QString::fromStdString(formatLat(p.position.lat) + " " + formatLng(p.position.lng)), false);
    setCell(row, 2, QString::number(std::lround(along[i].alongNm)) + " NM", false);
    setCell(row, 3, times.empty() ? QStringLiteral("-") : QString::fromStdString("ETA " + hhmm(times[i].utc) + "Z"),
            false);
    setCell(row, 4, p.levelFt > 0 ? QString::fromStdString(flightLevelText(p.levelFt)) : QString(), false);
  }
}

// Wide enough for every column, ETA and LEVEL too, from the widest text
// each may hold: set once, so that the map beside it never resizes (and
// repaints) as the times come in.
void FlightPanel::fitColumns() {
  const QFontMetrics metrics = table_->fontMetrics();
  const QString widest[] = {"4700N05000W", "N5030.00 W03500.00", "12345 NM", "ETA / ATA 1235Z", "FL350"};
  int width = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
  for (const QString& text : widest) width += metrics.horizontalAdvance(text) + 3 * metrics.averageCharWidth();
  table_->setMinimumWidth(width);
}

void FlightPanel::showProgress(const FlightProgress* progress) {
  if (!timesNote_->text().isEmpty()) timesNote_->clear();
  timesNote_->hide();
  const int rows = progress ? static_cast<int>(progress->route().points.size()) : 0;
  if (table_->rowCount() != rows) table_->setRowCount(rows);
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
