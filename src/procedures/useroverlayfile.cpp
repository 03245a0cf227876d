#include "procedures/useroverlayfile.h"

#include <algorithm>

namespace korvant {

void followOverlayAlignment(const OverlayCommand& c, bool& drawing, std::string& horizontal, std::string& vertical) {
  if (c.op == OverlayOp::NoDraw || c.op == OverlayOp::Draw) drawing = c.op == OverlayOp::Draw;
  if (!drawing || c.op != OverlayOp::Align) return;
  for (const std::string& w : c.words) {
    if (w == "LEFT" || w == "CENTER" || w == "RIGHT") horizontal = w;
    if (w == "TOP" || w == "BOTTOM") vertical = w;
  }
}

void finalOverlayAlignment(const std::vector<OverlayCommand>& commands, std::string& horizontal,
                           std::string& vertical) {
  bool drawing = true;
  for (const OverlayCommand& c : commands) followOverlayAlignment(c, drawing, horizontal, vertical);
}

namespace {

std::string_view lineAt(const std::string& text, std::size_t start) {
  const std::size_t end = std::min(text.find('\n', start), text.size());
  return std::string_view(text).substr(start, end - start);
}

}  // namespace

OverlayCommand UserOverlay::command(std::size_t i) const {
  return parseOverlayLine(lineAt(*text, lines[i].start), static_cast<int>(lines[i].number));
}

UserOverlay readUserOverlay(std::shared_ptr<const std::string> text, bool cut) {
  UserOverlay overlay;
  overlay.cut = cut;
  bool drawing = true;
  std::uint32_t number = 0;
  // Offsets fit: the file is read up to its limit of 16 MB.
  for (std::size_t at = 0; at < text->size() && at <= UINT32_MAX;) {
    ++number;
    const std::string_view line = lineAt(*text, at);
    const OverlayCommand c = parseOverlayLine(line, static_cast<int>(number));
    if (c.op != OverlayOp::None) overlay.lines.push_back({static_cast<std::uint32_t>(at), number});
    followOverlayAlignment(c, drawing, overlay.horizontal, overlay.vertical);
    at += line.size() + 1;
  }
  overlay.lines.shrink_to_fit();
  overlay.text = std::move(text);
  return overlay;
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
  const bool cut = stampOf(path_).size > static_cast<long long>(USER_OVERLAY_LIMIT);
  parsed_ = std::make_shared<const UserOverlay>(readUserOverlay(bytes, cut));
  stamp_ = stamp;
  return parsed_;
}

}  // namespace korvant
