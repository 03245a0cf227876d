#include "ui/propertysheetdialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace korvant {

namespace {

QString fromView(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

PropertySheetDialog::PropertySheetDialog(PropertySheet& sheet, std::function<void()> setStartTime, QWidget* parent)
    : QDialog(parent), sheet_(sheet), setStartTime_(std::move(setStartTime)) {
  setWindowTitle(QStringLiteral("PROPERTIES"));
  setModal(true);
  tabs_ = new QTabWidget(this);
  const std::span<const PropertyPage> pages = propertyPages();
  for (int page = 0; page < static_cast<int>(pages.size()); ++page) {
    QWidget* widget = buildPage(page);
    widget->setObjectName(fromView(pages[page].className));
    tabs_->addTab(widget, fromView(pages[page].title));
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);
  showBuffers();
}

QWidget* PropertySheetDialog::buildPage(int page) {
  const PropertyPage& data = propertyPages()[page];
  auto* widget = new QWidget(tabs_);
  auto* layout = new QVBoxLayout(widget);

  // Pages with headings group their boxes in one box per heading: four
  // columns, and the last heading's block across the bottom.
  std::vector<QBoxLayout*> columns;
  if (!data.headings.empty()) {
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    for (std::size_t c = 0; c < data.headings.size(); ++c) {
      auto* group = new QGroupBox(fromView(data.headings[c]), widget);
      const bool last = c + 1 == data.headings.size();
      QBoxLayout* inner = last ? static_cast<QBoxLayout*>(new QHBoxLayout(group)) : new QVBoxLayout(group);
      columns.push_back(inner);
      if (last)
        layout->addWidget(group);
      else
        row->addWidget(group);
    }
  }
  for (int row = 0; row < static_cast<int>(data.boxes.size()); ++row) {
    const PropertyBox& item = data.boxes[row];
    auto* box = new QCheckBox(fromView(item.text), widget);
    box->setObjectName(QStringLiteral("box%1").arg(item.id));
    // The Special Use areas are kept but never drawn: shown, not offered.
    box->setEnabled(!isSpecialUseCommand(item.command));
    connect(box, &QCheckBox::toggled, this, [this, page, row](bool on) { sheet_.setChecked(page, row, on); });
    (columns.empty() ? layout : columns.at(item.column))->addWidget(box);
    boxes_[{page, item.id}] = box;
  }
  for (QBoxLayout* column : columns) column->addStretch();

  auto* buttonRow = new QHBoxLayout;
  for (const PropertyButton& item : data.buttons) {
    auto* button = new QPushButton(fromView(item.text), widget);
    button->setObjectName(QStringLiteral("button%1").arg(item.id));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, page, &item] {
      if (item.startTime) {
        if (setStartTime_) setStartTime_();
      } else {
        sheet_.press(page, item);
      }
      showBuffers();
    });
    buttonRow->addWidget(button);
    buttons_[{page, item.id}] = button;
  }
  buttonRow->addStretch();
  layout->addLayout(buttonRow);
  layout->addStretch();
  return widget;
}

void PropertySheetDialog::showBuffers() {
  const std::span<const PropertyPage> pages = propertyPages();
  for (int page = 0; page < static_cast<int>(pages.size()); ++page) {
    for (int row = 0; row < static_cast<int>(pages[page].boxes.size()); ++row) {
      QCheckBox* box = boxes_.at({page, pages[page].boxes[row].id});
      const QSignalBlocker quiet(box);
      box->setChecked(sheet_.checked(page, row));
    }
  }
}

QCheckBox* PropertySheetDialog::box(int page, int id) const {
  const auto it = boxes_.find({page, id});
  return it == boxes_.end() ? nullptr : it->second;
}

QPushButton* PropertySheetDialog::button(int page, int id) const {
  const auto it = buttons_.find({page, id});
  return it == buttons_.end() ? nullptr : it->second;
}

}  // namespace korvant
