#pragma once
// "Flight Settings": the callsign, the Mach, the highest acceptable level
// and the ETOPS settings of the reports, the request and the ETOPS layer,
// written to KORVANT.CTL as the simulator's settings are.
#include <QDialog>
#include <string>
#include <vector>

#include "base/controlfile.h"

class QLabel;
class QLineEdit;

namespace korvant {

class FlightSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  FlightSettingsDialog(const std::vector<ControlValue>& values, QWidget* parent = nullptr);
  // The values as typed, by the keys given.
  std::vector<ControlValue> values() const;

  QLineEdit* field(std::size_t i) const { return fields_[i]; }
  QString faults() const;

  void accept() override;

 private:
  std::vector<std::string> keys_;
  std::vector<QLineEdit*> fields_;
  QLabel* faults_;
};

}  // namespace korvant
