#pragma once
// "Simulator Settings": where the aircraft comes from (LiveSource,
// XPlaneHost, XPlanePort, LivePort, LiveRate).
#include <QDialog>

#include "flight/livefeed.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace korvant {

class SimulatorSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit SimulatorSettingsDialog(const LiveSettings& settings, QWidget* parent = nullptr);
  LiveSettings settings() const;

  QComboBox* source() const { return source_; }
  QLineEdit* host() const { return host_; }

 private:
  QComboBox* source_;
  QLineEdit* host_;
  QSpinBox* xplanePort_;
  QSpinBox* livePort_;
  QSpinBox* rate_;
};

}  // namespace korvant
