#include "ui/simulatorsettingsdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace korvant {

namespace {

QSpinBox* spinBox(int low, int high, int value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(low, high);
  box->setValue(value);
  return box;
}

}  // namespace

SimulatorSettingsDialog::SimulatorSettingsDialog(const LiveSettings& s, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Simulator Settings"));
  source_ = new QComboBox(this);
  source_->addItem(QStringLiteral("X-Plane, asked for its position"), static_cast<int>(LiveSource::XPlane));
  source_->addItem(QStringLiteral("X-Plane Data Output"), static_cast<int>(LiveSource::XPlaneData));
  source_->addItem(QStringLiteral("FlightGear"), static_cast<int>(LiveSource::FlightGear));
  source_->setCurrentIndex(source_->findData(static_cast<int>(s.source)));
  host_ = new QLineEdit(QString::fromStdString(s.host), this);
  xplanePort_ = spinBox(1, 65535, s.xplanePort, this);
  livePort_ = spinBox(1, 65535, s.livePort, this);
  rate_ = spinBox(1, 30, s.rate, this);
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("Simulator:"), source_);
  form->addRow(QStringLiteral("X-Plane's computer:"), host_);
  form->addRow(QStringLiteral("X-Plane's port:"), xplanePort_);
  form->addRow(QStringLiteral("Positions a second:"), rate_);
  form->addRow(QStringLiteral("Listen on port:"), livePort_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // Each source's own fields.
  const auto enable = [this] {
    const bool asking = source_->currentData().toInt() == static_cast<int>(LiveSource::XPlane);
    host_->setEnabled(asking);
    xplanePort_->setEnabled(asking);
    rate_->setEnabled(asking);
    livePort_->setEnabled(!asking);
  };
  connect(source_, &QComboBox::currentIndexChanged, this, enable);
  enable();
}

LiveSettings SimulatorSettingsDialog::settings() const {
  LiveSettings s;
  s.source = static_cast<LiveSource>(source_->currentData().toInt());
  const QString host = host_->text().trimmed();
  s.host = host.isEmpty() ? s.host : host.toStdString();
  s.xplanePort = xplanePort_->value();
  s.livePort = livePort_->value();
  s.rate = rate_->value();
  return s;
}

}  // namespace korvant
