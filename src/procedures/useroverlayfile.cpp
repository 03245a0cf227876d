#include "procedures/useroverlayfile.h"

namespace korvant {

void finalOverlayAlignment(const std::vector<OverlayCommand>& commands, std::string& horizontal,
                           std::string& vertical) {
  bool drawing = true;
  for (const OverlayCommand& c : commands) {
    if (c.op == OverlayOp::NoDraw || c.op == OverlayOp::Draw) drawing = c.op == OverlayOp::Draw;
    if (!drawing || c.op != OverlayOp::Align) continue;
    for (const std::string& w : c.words) {
      if (w == "LEFT" || w == "CENTER" || w == "RIGHT") horizontal = w;
      if (w == "TOP" || w == "BOTTOM") vertical = w;
    }
  }
}

void UserOverlayFile::setPath(std::string path) {
  std::lock_guard lock(mutex_);
  path_ = std::move(path);
  parsed_.reset();
  stamp_.clear();
  files_.clear();
}

std::shared_ptr<const UserOverlay> UserOverlayFile::overlay() const {
  const std::string stamp = stampText(path_);
  std::lock_guard lock(mutex_);
  if (parsed_ && stamp == stamp_) return parsed_;
  const std::shared_ptr<const std::string> bytes = files_.bytes(path_);
  if (!bytes) {
    parsed_.reset();
    return nullptr;
  }
  auto overlay = std::make_shared<UserOverlay>();
  overlay->commands = parseUserOverlay(*bytes);
  finalOverlayAlignment(overlay->commands, overlay->horizontal, overlay->vertical);
  parsed_ = overlay;
  stamp_ = stamp;
  return parsed_;
}

}  // namespace korvant
