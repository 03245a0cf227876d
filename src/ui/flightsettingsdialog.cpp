#include "ui/flightsettingsdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/flightsession.h"

namespace korvant {

namespace {

// What each key is called in the dialog, and what it takes.
struct Field {
  const char* key;
  const char* label;
  const char* hint;
};
constexpr Field kFields[] = {
    {"Callsign", "Call&sign:", "2 to 7 letters and digits (KVT123)"},
    {"CruiseMach", "&Mach:", "0.30 to 2.50 (0.82)"},
    {"MaxFlightLevel", "&Highest flight level:", "100 to 600 (370)"},
    {"EtopsMinutes", "ETOPS &minutes:", "60 to 370; empty for none"},
    {"EtopsSpeed", "ETOPS s&peed (KT):", "100 to 700 (420)"},
    {"EtopsAirports", "ETOPS &airports:", "identifiers or positions (EINN, BIKF)"},
};

}  // namespace

FlightSettingsDialog::FlightSettingsDialog(const std::vector<ControlValue>& values, QWidget* parent)
    : QDialog(parent), faults_(new QLabel(this)) {
  setWindowTitle(QStringLiteral("Flight Settings"));
  auto* form = new QFormLayout(this);
  for (const ControlValue& v : values) {
    const Field* f = nullptr;
    for (const Field& k : kFields)
      if (v.key == k.key) f = &k;
    auto* edit = new QLineEdit(QString::fromStdString(v.value), this);
    edit->setMaxLength(200);
    if (f) edit->setPlaceholderText(QString::fromUtf8(f->hint));
    form->addRow(f ? QString::fromUtf8(f->label) : QString::fromStdString(v.key + ":"), edit);
    keys_.push_back(v.key);
    fields_.push_back(edit);
  }
  faults_->setWordWrap(true);
  faults_->hide();
  form->addRow(faults_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &FlightSettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::vector<ControlValue> FlightSettingsDialog::values() const {
  std::vector<ControlValue> out;
  for (std::size_t i = 0; i < keys_.size(); ++i) out.push_back({keys_[i], fields_[i]->text().trimmed().toStdString()});
  return out;
}

QString FlightSettingsDialog::faults() const { return faults_->isVisible() ? faults_->text() : QString(); }

// A value out of its range is said in the dialog, which stays open: nothing
// is written that the program would refuse to read.
void FlightSettingsDialog::accept() {
  const std::vector<std::string> faults = flightSettingFaults(values());
  if (faults.empty()) {
    QDialog::accept();
    return;
  }
  QString text;
  for (const std::string& f : faults) text += (text.isEmpty() ? "" : "\n") + QString::fromStdString(f);
  faults_->setText(text);
  faults_->show();
}

}  // namespace korvant
