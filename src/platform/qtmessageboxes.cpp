#include "platform/qtmessageboxes.h"

#include <QMessageBox>

namespace korvant {

namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

QString fromText(std::string_view text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString boxBody(std::string_view caption, std::string_view text) {
  // The caption names the problem, and a title bar may be short or missing
  // (no window manager): the body says it too, above the name or path.
  if (caption.empty()) return fromText(text);
  return fromText(caption) + QLatin1Char('\n') + fromText(text);
}

void QtMessageBoxes::show(std::string_view caption, std::string_view text, MessageIcon icon) {
  QMessageBox box(toQt(icon), caption.empty() ? QStringLiteral("korvant") : fromText(caption), boxBody(caption, text),
                  QMessageBox::Ok, parent_);
  box.exec();
}

}  // namespace korvant
