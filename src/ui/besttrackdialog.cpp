#include "ui/besttrackdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace korvant {

namespace {

QLineEdit* airportField(const std::string& text, const char* name) {
  auto* field = new QLineEdit(QString::fromStdString(text));
  field->setObjectName(QString::fromLatin1(name));
  field->setMaxLength(8);
  return field;
}

}  // namespace

BestTrackDialog::BestTrackDialog(Rank ranker, const std::string& from, const std::string& to, QWidget* parent)
    : QDialog(parent), rank_(std::move(ranker)), from_(airportField(from, "from")), to_(airportField(to, "to")) {
  setWindowTitle(QStringLiteral("BEST TRACK"));
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("From (ICAO):"), from_);
  form->addRow(QStringLiteral("To (ICAO):"), to_);
  summary_ = new QLabel;
  summary_->setObjectName(QStringLiteral("summary"));
  list_ = new QListWidget;
  list_->setObjectName(QStringLiteral("ranking"));
  QFont fixed(QStringLiteral("Monospace"));
  fixed.setStyleHint(QFont::TypeWriter);
  list_->setFont(fixed);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QPushButton* rankButton = buttons->addButton(QStringLiteral("&Rank"), QDialogButtonBox::ActionRole);
  rankButton->setObjectName(QStringLiteral("rank"));
  connect(rankButton, &QPushButton::clicked, this, &BestTrackDialog::rank);
  QPushButton* clearButton = buttons->addButton(QStringLiteral("&Clear Map"), QDialogButtonBox::ResetRole);
  clearButton->setObjectName(QStringLiteral("clear"));
  connect(clearButton, &QPushButton::clicked, this, [this] { done(Cleared); });
  connect(from_, &QLineEdit::returnPressed, this, &BestTrackDialog::rank);
  connect(to_, &QLineEdit::returnPressed, this, &BestTrackDialog::rank);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(summary_);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  // Return in a field ranks; it must not close the dialog as well.
  for (QAbstractButton* b : buttons->buttons())
    if (auto* push = qobject_cast<QPushButton*>(b)) push->setAutoDefault(false);
  if (!from.empty() && !to.empty()) rank();
}

void BestTrackDialog::rank() {
  ranking_ = rank_(from(), to());
  list_->clear();
  if (!ranking_.error.empty()) {
    summary_->setText(QString::fromStdString(ranking_.error));
    return;
  }
  summary_->setText(QStringLiteral("%1-%2  DIRECT %3 NM")
                        .arg(QString::fromStdString(ranking_.from.ident), QString::fromStdString(ranking_.to.ident))
                        .arg(std::round(ranking_.directNm), 0, 'f', 0));
  for (const RankedTrack& r : ranking_.ranked) list_->addItem(QString::fromStdString(rankedTrackLine(r)));
  list_->setCurrentRow(0);
}

char BestTrackDialog::chosenLetter() const {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(ranking_.ranked.size())) return 0;
  return ranking_.ranked[static_cast<std::size_t>(row)].letter;
}

std::string BestTrackDialog::from() const { return from_->text().trimmed().toUpper().toStdString(); }
std::string BestTrackDialog::to() const { return to_->text().trimmed().toUpper().toStdString(); }

}  // namespace korvant
